#include "dialogs/trlist.h"

#include <QButtonGroup>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QToolButton>

#include "dialogs/room_list_model.h"
#include "uibase/terminal_font.h"
#include "uibase/widget_factory.h"
#include "world/room_line.h"
#include "world/world_store.h"

namespace {
constexpr int kWidth = 410;
constexpr int kHeight = 394;

QLabel* heading(QWidget* parent, const QString& caption, QRect at) {
    QLabel* l = makeSunkenLabel(parent, QString(), caption, at);
    l->setIndent(2);
    return l;
}

QToolButton* clickModeToggle(QWidget* parent, const char* name, const QString& caption, const QString& below,
                             int x) {
    QToolButton* b = makeToggle(parent, QLatin1String(name), caption, QRect(x, 316, 120, 24));
    makeLabel(parent, QString(), below, QRect(x, 342, 120, 18))->setAlignment(Qt::AlignHCenter);
    return b;
}
}  // namespace

TRlist::TRlist(WorldStore& store, QWidget* parent)
    : SecondaryWindow(parent, Qt::MSWindowsFixedSizeDialogHint), store_(store) {
    setCentring(Centring::EveryOpen);
    setObjectName("TRlist");
    setWindowTitle(QStringLiteral("Room List"));
    setFixedSize(kWidth, kHeight);

    const QFont fixed = terminalFont();
    const int numberWidth = QFontMetrics(fixed).horizontalAdvance(QString(kRoomLineNumberWidth, QLatin1Char('0')));
    heading(this, QStringLiteral("Room Vnum"), QRect(8, 8, numberWidth + 6, 18));
    heading(this, QStringLiteral("Room Name"), QRect(8 + numberWidth + 6, 8, kWidth - 16 - numberWidth - 6, 18));

    model_ = new RoomListModel(this);
    ListBox1 = new QListView(this);
    ListBox1->setObjectName("ListBox1");
    ListBox1->setGeometry(8, 28, kWidth - 16, 278);
    ListBox1->setModel(model_);
    ListBox1->setFont(fixed);
    // Every line has the same height, so the view never measures a hundred thousand of them.
    ListBox1->setUniformItemSizes(true);
    ListBox1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListBox1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QPalette face = ListBox1->palette();
    face.setColor(QPalette::Base, face.color(QPalette::Button));
    ListBox1->setPalette(face);
    ListBox1->installEventFilter(this);

    sb_single = clickModeToggle(this, "sb_single", QStringLiteral("Single-Click"), QStringLiteral("(Using Mouse)"), 8);
    sb_double =
        clickModeToggle(this, "sb_double", QStringLiteral("Double-Click"), QStringLiteral("(Using Keyboard)"), 134);
    auto* modes = new QButtonGroup(this);
    modes->setExclusive(true);
    modes->addButton(sb_single);
    modes->addButton(sb_double);
    sb_single->setChecked(true);

    btnCancel = makeButton(this, "btnCancel", QStringLiteral("&Cancel"), QRect(kWidth - 108, 320, 100, 28));
    // Escape closes the window as Cancel does (the base's key handling), so the button
    // keeps its Alt+C.

    connect(sb_single, &QToolButton::clicked, this, &TRlist::takeClickMode);
    connect(sb_double, &QToolButton::clicked, this, &TRlist::takeClickMode);
    connect(btnCancel, &QPushButton::clicked, this, &TRlist::btnCancelClick);
    connect(ListBox1, &QListView::clicked, this, [this](const QModelIndex& index) {
        if (singleClickMode_) chooseLine(index.row());
    });
    connect(ListBox1, &QListView::doubleClicked, this, [this](const QModelIndex& index) { chooseLine(index.row()); });
}

void TRlist::open(QWidget* opener, std::function<void(RoomIndexNode*)> chosen) {
    if (store_.empty()) return;
    chosen_ = std::move(chosen);
    model_->fill(store_);
    takeClickMode();
    ListBox1->scrollToTop();
    openFrom(opener);
    ListBox1->setFocus();
}

void TRlist::takeClickMode() { singleClickMode_ = sb_single->isChecked(); }

void TRlist::chooseLine(int line) {
    RoomIndexNode* node = model_->nodeAtLine(line);
    if (!node) return;
    // The main window is enabled again before it shows the room, so that it takes the focus.
    releaseOpener();
    if (chosen_) chosen_(node);
    hide();
}

void TRlist::chooseSelectedLine() {
    const QModelIndexList selected = ListBox1->selectionModel()->selectedIndexes();
    if (!selected.isEmpty()) chooseLine(selected.first().row());
}

void TRlist::btnCancelClick() { close(); }

void TRlist::showRestoredZone() {
    if (model_->rowCount() == 0) return;  // hidden: nothing is listed
    if (store_.empty())
        model_->clear();
    else
        model_->fill(store_);
}

bool TRlist::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ListBox1 && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            chooseSelectedLine();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// However the window goes (a chosen line, Cancel, Escape, the close box), the store may
// change once the main window is back: no line may keep a node that could be freed.
// A spontaneous hide (the window minimised) keeps the lines for its return.
void TRlist::hideEvent(QHideEvent* event) {
    if (!event->spontaneous()) model_->clear();
    SecondaryWindow::hideEvent(event);
}
