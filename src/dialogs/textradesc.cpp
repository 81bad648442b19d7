#include "dialogs/textradesc.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QToolButton>

#include "colour/colour_preview_panel.h"
#include "colour/colour_scheme.h"
#include "uibase/byte_text.h"
#include "uibase/edit_history.h"
#include "uibase/multiline_text.h"
#include "uibase/terminal_font.h"
#include "uibase/widget_factory.h"

TExtraDesc::TExtraDesc(WorldStore& store, Prompts& prompts, const ColourScheme& colours, QWidget* parent)
    // No close box: Done (or Escape) closes the window.
    : SecondaryWindow(parent, Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      store_(store),
      colours_(colours),
      commands_(store, prompts) {
    setObjectName("TExtraDesc");
    setWindowTitle(QStringLiteral("Extra Descriptions"));
    setFixedSize(671, 505);
    setCentring(Centring::EveryOpen);
    buildLayout();
    setFieldsEnabled(false);
    store_.addObserver(this);
    // The opener (the map or the main window) is enabled again by the window base
    // before closed() comes; the map then redraws its visible part.
    connect(this, &SecondaryWindow::closed, this, [this] {
        if (openedFromMap_) emit closedFromMap();
    });
}

TExtraDesc::~TExtraDesc() {
    store_.removeObserver(this);
}

void TExtraDesc::buildLayout() {
    Panel1 = makeSunkenLabel(this, "Panel1", QStringLiteral("Room:"), QRect(8, 8, 655, 24));

    ListBox1 = named(new QListWidget(this), "ListBox1");
    ListBox1->setGeometry(8, 40, 300, 212);

    QLabel* keywordsLabel = makeLabel(this, QString(), QStringLiteral("Keywords"), QRect(320, 40, 200, 18));
    editKey = named(new QLineEdit(this), "editKey");
    editKey->setGeometry(320, 58, 343, 22);
    keywordsLabel->setBuddy(editKey);

    btnAdd = makeButton(this, "btnAdd", QStringLiteral("&Add"), QRect(320, 92, 84, 26));
    btnUpdate = makeButton(this, "btnUpdate", QStringLiteral("&UPDATE"), QRect(412, 92, 84, 26));
    btnDelete = makeButton(this, "btnDelete", QStringLiteral("&Delete"), QRect(504, 92, 84, 26));
    sb_WordWrap = makeToggle(this, "sb_WordWrap", QStringLiteral("&Wrap"), QRect(320, 140, 84, 26));

    GroupBox1 = named(new QGroupBox(QStringLiteral("Color"), this), "GroupBox1");
    GroupBox1->setGeometry(420, 124, 168, 56);
    sb_Draw = makeToggle(GroupBox1, "sb_Draw", QStringLiteral("Show"), QRect(10, 22, 66, 26));
    btnSetColor = makeButton(GroupBox1, "btnSetColor", QStringLiteral("Set..."), QRect(84, 22, 74, 26));

    QLabel* textLabel = makeLabel(this, QString(), QStringLiteral("Description Text"), QRect(8, 260, 200, 18));
    memoRoom = named(new QPlainTextEdit(this), "memoRoom");
    memoRoom->setGeometry(8, 278, 655, 180);
    memoRoom->setFont(terminalFont());
    memoRoom->setTabChangesFocus(false);  // tabs go into the text
    memoRoom->setLineWrapMode(QPlainTextEdit::NoWrap);
    textLabel->setBuddy(memoRoom);

    // The preview lies over the text field while it is shown: 80 columns, 11 lines.
    ColorPanel = named(new ColourPreviewPanel(QSize(644, 135), 11, this), "ColorPanel");
    ColorPanel->move(memoRoom->pos() + QPoint(2, 2));
    ColorPanel->hide();

    btnDone = makeButton(this, "btnDone", QStringLiteral("Done"), QRect(579, 468, 84, 28));

    connect(btnAdd, &QPushButton::clicked, this, &TExtraDesc::btnAddClick);
    connect(btnUpdate, &QPushButton::clicked, this, &TExtraDesc::btnUpdateClick);
    connect(btnDelete, &QPushButton::clicked, this, &TExtraDesc::btnDeleteClick);
    // A click on a line, or choosing a line with the keyboard. The line the list makes
    // current for itself (as it takes the focus) is no choice of the user's.
    connect(ListBox1, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { ListBox1Click(ListBox1->row(item)); });
    connect(ListBox1, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem*> chosen = ListBox1->selectedItems();
        if (!chosen.isEmpty()) ListBox1Click(ListBox1->row(chosen.front()));
    });
    connect(sb_WordWrap, &QToolButton::clicked, this, &TExtraDesc::sb_WordWrapClick);
    connect(sb_Draw, &QToolButton::clicked, this, &TExtraDesc::sb_DrawClick);
    connect(btnSetColor, &QPushButton::clicked, this, &TExtraDesc::btnSetColorClick);
    connect(btnDone, &QPushButton::clicked, this, &TExtraDesc::btnDoneClick);
}

void TExtraDesc::openFromMain(QWidget* opener, RoomDataType& room) {
    openOn(opener, room, false);
}

void TExtraDesc::openFromMap(QWidget* opener, RoomDataType& room) {
    openOn(opener, room, true);
}

void TExtraDesc::openOn(QWidget* opener, RoomDataType& room, bool fromMap) {
    if (isVisible()) {  // already open: only raised
        openFrom(opener);
        return;
    }
    openedFromMap_ = fromMap;
    roomVnum_ = room.vnum;
    commands_.open(room);
    Panel1->setText(QStringLiteral("Room: ") + bytesToQString(room.name) + QStringLiteral(" (") +
                    QString::number(room.vnum) + QStringLiteral(")"));
    listChain();
    showCurrentEntry();
    openFrom(opener);
}

void TExtraDesc::listChain() {
    const QSignalBlocker quiet(ListBox1);
    ListBox1->clear();
    for (const std::string& line : commands_.listLines()) ListBox1->addItem(bytesToQString(line));
    // No line is current: taking the focus, the list would otherwise make the first one
    // current, and the first arrow key would skip it.
    ListBox1->setCurrentIndex(QModelIndex());
}

void TExtraDesc::setFieldsEnabled(bool enabled) {
    for (QWidget* field : {static_cast<QWidget*>(editKey), static_cast<QWidget*>(memoRoom)}) {
        field->setEnabled(enabled);
        QPalette p = field->palette();
        const QColor colour = enabled ? palette().color(QPalette::Active, QPalette::Base)
                                      : palette().color(QPalette::Active, QPalette::Button);
        p.setColor(QPalette::All, QPalette::Base, colour);
        field->setPalette(p);
    }
}

void TExtraDesc::showCurrentEntry() {
    const ExtraDescType* entry = commands_.currentEntry();
    if (entry) {
        editKey->setText(bytesToQString(entry->keywords));
        setMultiLineField(*memoRoom, entry->description);
    } else {
        editKey->clear();
        memoRoom->clear();
    }
    setFieldsEnabled(entry != nullptr);
    if (previewShown()) renderPreview();
}

void TExtraDesc::selectCurrentLine() {
    int row = 0;
    for (const ExtraDescType* e = room() ? room()->extraDescs : nullptr; e && e != currentEntry();
         e = e->next)
        ++row;
    const QSignalBlocker quiet(ListBox1);
    if (currentEntry() && row < ListBox1->count()) ListBox1->setCurrentRow(row);
}

void TExtraDesc::noCurrentEntry() {
    commands_.noCurrentEntry();
    if (!isVisible()) return;
    const QSignalBlocker quiet(ListBox1);
    ListBox1->setCurrentRow(-1);
    showCurrentEntry();
}

QString TExtraDesc::stepText(const char* what) const {
    return QString::fromLatin1(what) + QStringLiteral(" Extra Description of Room ") +
           QString::number(room() ? room()->vnum : roomVnum_);
}

void TExtraDesc::endAddStep() {
    if (!recordingAdd_ || commands_.addPending()) return;
    recordingAdd_ = false;
    // Completed by UPDATE: the step. Gone again (Delete, another line, closing): the
    // chain is as it was before "&Add".
    if (history_) history_->finishUnchanged();
}

void TExtraDesc::btnAddClick() {
    if (commands_.addPending() || !room()) return;
    // The entry is in the chain from now on, but a step only once UPDATE completes it.
    const bool record = history_ && !history_->recording();
    if (record) history_->begin();
    if (!commands_.add()) {
        if (record) history_->finishUnchanged();
        return;
    }
    recordingAdd_ = record;
    // The list is drawn again by UPDATE; until then the new entry is not listed.
    editKey->clear();
    memoRoom->clear();
    setFieldsEnabled(true);
    if (previewShown()) renderPreview();
    editKey->setFocus();
}

void TExtraDesc::btnUpdateClick() {
    const std::string keywords = qStringToBytes(editKey->text());
    const std::string description = multiLineFieldBytes(*memoRoom);
    bool updated = false;
    if (recordingAdd_) {
        updated = commands_.update(keywords, description);
        if (updated) {
            recordingAdd_ = false;
            history_->finish(stepText("Add"));
        }
    } else {
        recordStep(history_, [&] { updated = commands_.update(keywords, description); },
                   [this] { return stepText("Update"); });
    }
    if (!updated) return;
    listChain();
    selectCurrentLine();
}

void TExtraDesc::btnDeleteClick() {
    bool deleted = false;
    if (recordingAdd_ || !history_) {
        deleted = commands_.deleteCurrent();  // an entry from "&Add" goes again
        endAddStep();
    } else {
        recordStep(history_, [&] { deleted = commands_.deleteCurrent(); },
                   [this] { return stepText("Delete"); });
    }
    if (!deleted) return;
    listChain();
    showCurrentEntry();
    selectCurrentLine();
}

void TExtraDesc::ListBox1Click(int row) {
    const ExtraDescType* before = commands_.currentEntry();
    if (commands_.clickLine(row)) listChain();
    endAddStep();
    selectCurrentLine();
    if (commands_.currentEntry() == before && editKey->isEnabled()) return;
    showCurrentEntry();
}

void TExtraDesc::sb_WordWrapClick() {
    memoRoom->setLineWrapMode(sb_WordWrap->isChecked() ? QPlainTextEdit::WidgetWidth
                                                       : QPlainTextEdit::NoWrap);
    if (previewShown()) renderPreview();
}

bool TExtraDesc::previewShown() const {
    return !ColorPanel->isHidden();
}

void TExtraDesc::renderPreview() {
    ColorPanel->render(multiLineFieldBytes(*memoRoom), colours_.working);
}

void TExtraDesc::hidePreview() {
    ColorPanel->hide();
    sb_Draw->setChecked(false);
}

void TExtraDesc::sb_DrawClick() {
    if (previewShown()) {
        hidePreview();
        return;
    }
    renderPreview();
    sb_Draw->setChecked(true);
    ColorPanel->show();
    ColorPanel->raise();
}

void TExtraDesc::btnSetColorClick() {
    if (previewShown()) hidePreview();
    if (openColourSetup_) openColourSetup_(this);
}

void TExtraDesc::btnDoneClick() {
    close();
}

bool TExtraDesc::aboutToClose() {
    if (commands_.close()) {
        listChain();
        showCurrentEntry();
    }
    endAddStep();
    if (previewShown()) hidePreview();
    return true;
}

void TExtraDesc::roomDeleting(RoomDataType& room) {
    if (&room != commands_.editedRoom()) return;
    commands_.forgetRoom();
    Panel1->setText(QStringLiteral("Room:"));
    ListBox1->clear();
    showCurrentEntry();
}

void TExtraDesc::showRestoredZone() {
    RoomDataType* room = commands_.editedRoom();
    if (!isVisible() || !room) {
        commands_.forgetRoom();
        return;
    }
    // The room is still the zone's when a node of its number owns this very record (the
    // record itself is not read: it may be one the history holds).
    RoomIndexNode* node = store_.findByVnum(roomVnum_);
    while (node && node->vnum == roomVnum_ && node->room.get() != room) node = node->next;
    if (node && node->vnum == roomVnum_) {
        commands_.open(*room);
        listChain();
    } else {
        commands_.forgetRoom();
        Panel1->setText(QStringLiteral("Room:"));
        ListBox1->clear();
    }
    showCurrentEntry();
}
