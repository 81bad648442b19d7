#include "wldfile/tfrmquendryout.h"

#include <QApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "uibase/byte_text.h"
#include "uibase/multiline_text.h"
#include "uibase/terminal_font.h"
#include "uibase/widget_factory.h"
#include "wldfile/world_save.h"
#include "wldfile/world_writer.h"
#include "world/prompts.h"
#include "world/world_store.h"

const char* const TfrmQuendryOut::kTitle = "Quendry .wld OUTPUT";
const char* const TfrmQuendryOut::kTooLargeTitle = "--- FILE OUTPUT GREATER THAN 32k, SEE NOTE ---";

namespace {

const char* const kLettersCaption = "Save &Bitvectors as Letters";
const char* const kNumbersCaption = "Save &Bitvectors as Numbers";

// The bitvector toggle's picture: a row of bits, some set.
QIcon bitsIcon() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    for (int i = 0; i < 4; ++i) {
        const QRect bit(1 + i * 4, 5, 2, 5);
        if (i != 1) painter.fillRect(bit, Qt::black);
        painter.drawRect(bit.adjusted(0, 0, 0, 0));
    }
    return QIcon(pixmap);
}

// The panel's toggles are down at creation and stretch to share the row.
QToolButton* panelToggle(QWidget* parent, const char* name, const char* caption) {
    QToolButton* button = makeToggle(parent, QLatin1String(name), QString::fromLatin1(caption));
    button->setChecked(true);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return button;
}

QPushButton* plainButton(QWidget* parent, const char* name, const char* caption) {
    QPushButton* button = makeButton(parent, QLatin1String(name), QString::fromLatin1(caption));
    button->setAutoDefault(false);
    return button;
}

}  // namespace

std::string TfrmQuendryOut::sizeNote() {
    return "You can't see your output because it's greater than 32k in length.  Unfortunately, WINDOWS has a 32k "
           "limit on its memo text size.  You can't see your text, but it will still save correctly.  The output "
           "view is the system's standard multi-line edit box, and the length of its text is counted in 16 bits, "
           "so it cannot hold more.  Turning on all the bits on an unsigned number actually makes it NEGATIVE, "
           "which would mean that a room with all the bits on would have a total bitvector value of -1.  Since "
           "bit 32 is the SIGNED bit on both signed AND UNSIGNED numbers, turning it on makes your bitvector "
           "value negative so I've limited it to 31 bits instead of 32.  As for MAX FILE OUTPUT SIZE, it's now "
           "limited only by your available memory.  Each MB can hold the text of around 2,000 detailed rooms.  "
           "This version also needs far less memory to build the output than the previous one did.";
}

TfrmQuendryOut::TfrmQuendryOut(WorldStore& store, Prompts& prompts, FileChooser& files, QWidget* parent)
    : SecondaryWindow(parent), store_(store), prompts_(prompts), files_(files) {
    setObjectName(QStringLiteral("frmQuendryOut"));
    setWindowTitle(QString::fromLatin1(kTitle));
    resize(700, 566);
    buildControls();
}

void TfrmQuendryOut::buildControls() {
    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setTabChangesFocus(false);
    Memo1->setReadOnly(true);
    Memo1->setFont(terminalFont());
    QPalette viewColours = Memo1->palette();
    viewColours.setColor(QPalette::Base, viewColours.color(QPalette::Button));
    viewColours.setColor(QPalette::Text, Qt::black);
    Memo1->setPalette(viewColours);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    sb_edit = panelToggle(Panel1, "sb_edit", "Memo is Read-&Only");
    // Hidden for a too-large output; its neighbours keep their places.
    QSizePolicy keepPlace = sb_edit->sizePolicy();
    keepPlace.setRetainSizeWhenHidden(true);
    sb_edit->setSizePolicy(keepPlace);
    sb_map = panelToggle(Panel1, "sb_map", "Save &MAP");
    sb_Bitvectors = panelToggle(Panel1, "sb_Bitvectors", kLettersCaption);
    sb_Bitvectors->setIcon(bitsIcon());
    btnDOS = plainButton(Panel1, "btnDOS", "Save &DOS format (CR+LF)");
    btnUNIX = plainButton(Panel1, "btnUNIX", "Save &UNIX format (LF only)");
    auto* panelGrid = new QGridLayout(Panel1);
    panelGrid->addWidget(sb_edit, 0, 0);
    panelGrid->addWidget(sb_map, 0, 1);
    panelGrid->addWidget(sb_Bitvectors, 0, 2);
    panelGrid->addWidget(btnDOS, 1, 0, 1, 1);
    panelGrid->addWidget(btnUNIX, 1, 1, 1, 1);
    Panel1->hide();

    btnNote = plainButton(this, "btnNote", "&Note on size");
    btnREMAKE = plainButton(this, "btnREMAKE", "&REMAKE");
    btnDONE = plainButton(this, "btnDONE", "Done");
    auto* side = new QVBoxLayout;
    side->addWidget(btnNote);
    side->addWidget(btnREMAKE);
    side->addWidget(btnDONE);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(Panel1, 1);
    bottom->addLayout(side);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Memo1, 1);
    layout->addLayout(bottom);

    connect(sb_edit, &QToolButton::clicked, this, &TfrmQuendryOut::sb_editClick);
    connect(sb_map, &QToolButton::clicked, this, &TfrmQuendryOut::sb_mapClick);
    connect(sb_Bitvectors, &QToolButton::clicked, this, &TfrmQuendryOut::sb_BitvectorsClick);
    connect(btnDOS, &QPushButton::clicked, this, &TfrmQuendryOut::btnDOSClick);
    connect(btnUNIX, &QPushButton::clicked, this, &TfrmQuendryOut::btnUNIXClick);
    connect(btnNote, &QPushButton::clicked, this, &TfrmQuendryOut::btnNoteClick);
    connect(btnREMAKE, &QPushButton::clicked, this, &TfrmQuendryOut::buildOutput);
    connect(btnDONE, &QPushButton::clicked, this, &TfrmQuendryOut::btnDONEClick);
}

// The title follows the room being written, at most every 50 ms: retitling a window is
// a round trip to the window system, too slow to do 100,000 times.
void TfrmQuendryOut::showRoomTitle(int32_t vnum) {
    if (titleTimer_.isValid() && titleTimer_.elapsed() < 50) return;
    titleTimer_.start();
    setWindowTitle(QString::number(vnum));
}

void TfrmQuendryOut::buildOutput() {
    if (store_.empty()) return;
    Memo1->hide();
    Panel1->hide();
    // Not modal: no opener is disabled.
    openFrom(nullptr);
    Memo1->clear();

    titleTimer_.invalidate();
    outputText_ = buildWorldText(store_, lettersMode_, [this](int32_t vnum) { showRoomTitle(vnum); });
    builtLoss_ = store_.zoneForm == WorldForm::Classic ? classicFormLoss(store_) : ClassicFormLoss{};
    emit outputBuilt();
    setWindowTitle(QString::fromLatin1(kTitle));

    outputTooLarge_ = outputText_.size() > viewCapacity_ ||
                      static_cast<size_t>(std::count(outputText_.begin(), outputText_.end(), '\n')) > viewLineCapacity_;
    if (outputTooLarge_) {
        setWindowTitle(QString::fromLatin1(kTooLargeTitle));
        sb_edit->hide();
        viewReadOnly_ = true;
    } else {
        Memo1->setPlainText(bytesToQString(outputText_));
        sb_edit->show();
    }
    Memo1->document()->setModified(false);
    sb_edit->setChecked(viewReadOnly_);
    applyViewReadOnly();
    Memo1->show();
    Panel1->show();
}

void TfrmQuendryOut::applyViewReadOnly() { Memo1->setReadOnly(viewReadOnly_); }

// What a save writes: the view's text with any edits the user made while it was
// editable, else the built text itself (byte for byte what the view shows).
std::string TfrmQuendryOut::textToSave() const {
    if (outputTooLarge_ || !Memo1->document()->isModified()) return outputText_;
    // The raw text keeps characters that toPlainText would change (no-break spaces).
    return qStringToMultiLine(Memo1->document()->toRawText());
}

std::string TfrmQuendryOut::classicLossQuestion(const ClassicFormLoss& loss) {
    return "The classic form has no place for " + loss.describe() +
           ": saving in it loses them.  Save in the classic form?";
}

void TfrmQuendryOut::saveOutput() {
    if (!builtLoss_.empty() && !prompts_.confirm(classicLossQuestion(builtLoss_))) return;
    const std::string path = files_.saveFile("Save .wld file", FileFilter{"Quendry World Files (.wld)", "*.wld"},
                                             ".wld", suggestedPath_.empty() ? suggestedFileName(store_) : suggestedPath_);
    if (path.empty()) return;
    std::error_code ignored;
    if (std::filesystem::exists(path, ignored) && !prompts_.confirm("File exists.  Replace?")) return;
    const std::string error = saveWorld(path, textToSave(), unixFormat_, saveMapFile_, store_);
    if (!error.empty()) {
        prompts_.message(error);
        return;
    }
    setZonePath(path);
    emit worldSaved();
}

void TfrmQuendryOut::sb_editClick() {
    viewReadOnly_ = sb_edit->isChecked();
    applyViewReadOnly();
}

void TfrmQuendryOut::sb_mapClick() { saveMapFile_ = sb_map->isChecked(); }

// The text is not rebuilt here: the view keeps the old form until REMAKE.
void TfrmQuendryOut::sb_BitvectorsClick() {
    lettersMode_ = !lettersMode_;
    sb_Bitvectors->setChecked(lettersMode_);
    sb_Bitvectors->setText(QString::fromLatin1(lettersMode_ ? kLettersCaption : kNumbersCaption));
    btnREMAKE->setFocus();
}

void TfrmQuendryOut::btnDOSClick() {
    unixFormat_ = false;
    saveOutput();
}

void TfrmQuendryOut::btnUNIXClick() {
    unixFormat_ = true;
    saveOutput();
}

void TfrmQuendryOut::btnNoteClick() { prompts_.message(sizeNote()); }

void TfrmQuendryOut::btnDONEClick() { close(); }
