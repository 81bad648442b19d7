#include "colour/tfrmsetcolor.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QToolButton>

#include "colour/colour_file.h"
#include "colour/colour_preview_panel.h"
#include "colour/preview_painter.h"
#include "uibase/byte_text.h"
#include "uibase/edit_history.h"
#include "uibase/multiline_text.h"
#include "uibase/terminal_font.h"
#include "world/prompts.h"

namespace {
constexpr int kRowSpacing = 24;
constexpr int kEntriesPerGroup = 10;
constexpr int kGroupX[2] = {8, 232};     // entries 1-10, entries 11-20
constexpr int kCodeWidth = 92;
constexpr int kColourOffset = 96;        // colour field, from the code field's left edge
constexpr int kColourWidth = 64;
constexpr int kBoxOffset = 164;          // colour box
constexpr int kBoxWidth = 44;
constexpr int kRightX = 464;

const char* const kSampleText =
    "/cRRoses are /crred/c0, /cPViolets are /cBblue/c0.  \r\n"
    "/cWThis sentence is white,\r\n"
    "/bband this one is, too!/b0\r\n"
    "/cYgold/cr Blood /cgTrees!/c0\r\n"
    "\r\n"
    "Default text color.";

SettingsQuestions colourQuestions() {
    return {"Restore defaults and lose current settings?", "Revert to saved settings and lose current settings?",
            "Save this color scheme?", "Replace existing color scheme?"};
}

QLabel* label(QWidget* parent, const QString& text, QRect geometry) {
    auto* l = new QLabel(text, parent);
    l->setGeometry(geometry);
    return l;
}

const char* listName(TfrmSetColor::List list) { return list == TfrmSetColor::List::Foreground ? "Fg" : "Bg"; }
}  // namespace

void ColourBox::setColour(ColourValue colour) {
    if (shown_ == colour) return;
    shown_ = colour;
    const QColor fill = previewColour(colour);
    // A caption stays readable on a light or a dark fill.
    const QColor ink = fill.lightness() > 128 ? Qt::black : Qt::white;
    setStyleSheet(QStringLiteral("QLabel { background-color: %1; color: %2; border: 1px solid gray; }")
                      .arg(fill.name(), ink.name()));
}

void ColourBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
    QLabel::mouseReleaseEvent(event);
}

TfrmSetColor::TfrmSetColor(ColourScheme& scheme, Prompts& prompts, ColourPicker& picker,
                           const std::string& startupDirectory, QWidget* mainWindow, QWidget* parent)
    : SettingsWindow(scheme, prompts, colourQuestions(), colourFilePath(startupDirectory),
                     {QStringLiteral("Restore &Defaults"), QStringLiteral("&Revert to saved")}, parent),
      scheme_(scheme),
      picker_(picker),
      mainWindow_(mainWindow) {
    setObjectName("TfrmSetColor");
    setWindowTitle(QStringLiteral("Set Colors"));
    setFixedSize(780, 600);

    label(this, QStringLiteral("Foreground Colors"), QRect(8, 6, 200, 18));
    buildList(List::Foreground, 26);
    label(this, QStringLiteral("Background Colors"), QRect(8, 296, 200, 18));
    buildList(List::Background, 316);

    label(this, QStringLiteral("Sample"), QRect(kRightX, 6, 200, 18));
    memoSample = new QPlainTextEdit(this);
    memoSample->setObjectName("memoSample");
    memoSample->setFont(terminalFont());
    memoSample->setLineWrapMode(QPlainTextEdit::NoWrap);
    memoSample->setGeometry(QRect(kRightX, 26, 308, 150));
    setMultiLineField(*memoSample, kSampleText);
    connect(memoSample, &QPlainTextEdit::textChanged, this, &TfrmSetColor::redrawSample);

    pnlSample = new ColourPreviewPanel(QSize(289, 89), 7, this);
    pnlSample->setObjectName("pnlSample");
    pnlSample->move(kRightX, 184);

    const int belowSample = 184 + pnlSample->height() + 10;
    sb_Continuous = new QToolButton(this);
    sb_Continuous->setObjectName("sb_Continuous");
    sb_Continuous->setText(QStringLiteral("Continuous Updates"));
    sb_Continuous->setCheckable(true);
    sb_Continuous->setChecked(true);
    sb_Continuous->setGeometry(QRect(kRightX, belowSample, 160, 26));
    connect(sb_Continuous, &QToolButton::clicked, this, &TfrmSetColor::sb_ContinuousClick);
    label(this, QStringLiteral("Shift+Cursor keys to move around in edit boxes"),
          QRect(kRightX, belowSample + 34, 308, 18));
    label(this, QStringLiteral("Click on a colored box to use the color picker."),
          QRect(kRightX, belowSample + 54, 308, 18));

    const int buttonsY = belowSample + 86;
    btnDefaults->setGeometry(QRect(kRightX, buttonsY, 150, 28));
    btnUse->setGeometry(QRect(kRightX + 158, buttonsY, 150, 28));
    btnRevert->setGeometry(QRect(kRightX, buttonsY + 36, 150, 28));
    btnSave->setGeometry(QRect(kRightX + 158, buttonsY + 36, 150, 28));
    btnCancel->setGeometry(QRect(kRightX + 158, buttonsY + 72, 150, 28));
    showWorkingCopy();
}

TfrmSetColor::~TfrmSetColor() = default;

void TfrmSetColor::buildList(List list, int top) {
    auto& rows = list == List::Foreground ? fg_ : bg_;
    const QFont terminal = terminalFont();
    for (int group = 0; group < 2; ++group) {
        label(this, QStringLiteral("Color Code"), QRect(kGroupX[group], top, kCodeWidth, 18));
        label(this, QStringLiteral("Is This Color"), QRect(kGroupX[group] + kColourOffset, top, 110, 18));
    }
    for (int entry = 1; entry <= kColourEntries; ++entry) {
        const int group = entry <= kEntriesPerGroup ? 0 : 1;
        const int y = top + 20 + ((entry - 1) % kEntriesPerGroup) * kRowSpacing;
        const int x = kGroupX[group];
        Row& r = rows[static_cast<size_t>(entry)];
        r.code = new QLineEdit(this);
        r.code->setObjectName(QStringLiteral("edit%1Code%2").arg(listName(list)).arg(entry));
        r.code->setFont(terminal);
        r.code->setGeometry(QRect(x, y, kCodeWidth, 22));
        r.colour = new QLineEdit(this);
        r.colour->setObjectName(QStringLiteral("edit%1Color%2").arg(listName(list)).arg(entry));
        r.colour->setFont(terminal);
        r.colour->setGeometry(QRect(x + kColourOffset, y, kColourWidth, 22));
        r.box = new ColourBox(this);
        r.box->setObjectName(QStringLiteral("pnl%1Color%2").arg(listName(list)).arg(entry));
        r.box->setAlignment(Qt::AlignCenter);
        r.box->setGeometry(QRect(x + kBoxOffset, y + 1, kBoxWidth, 20));
        for (QLineEdit* field : {r.code, r.colour}) field->installEventFilter(this);  // Enter, Shift+arrows
        // What is typed reaches the scheme before any command or the sample reads it.
        commits().watch(r.code, [this, list, entry] {
            storeCode(list, entry);
            return true;
        });
        commits().watch(r.colour, [this, list, entry] {
            storeColour(list, entry);
            return true;
        });
        connect(r.box, &ColourBox::clicked, this, [this, list, entry] { colourBoxClick(list, entry); });
    }
    if (list == List::Foreground) {
        // Entry 1 is the colour-off entry: its colour is the text's own, chosen in the box.
        rows[1].colour->setReadOnly(true);
        rows[1].box->setText(QStringLiteral("OFF"));
    }
}

const TfrmSetColor::Row& TfrmSetColor::row(List list, int entry) const {
    return (list == List::Foreground ? fg_ : bg_).at(static_cast<size_t>(entry));
}

QLineEdit* TfrmSetColor::gridField(int column, int gridRow) const {
    const List list = gridRow <= kEntriesPerGroup ? List::Foreground : List::Background;
    const int entry = (gridRow - 1) % kEntriesPerGroup + 1 + (column >= 3 ? kEntriesPerGroup : 0);
    const Row& r = row(list, entry);
    return column % 2 == 1 ? r.code : r.colour;
}

bool TfrmSetColor::locate(const QObject* field, List& list, int& entry, bool& isCode) const {
    for (List l : {List::Foreground, List::Background})
        for (int e = 1; e <= kColourEntries; ++e) {
            const Row& r = row(l, e);
            if (field == r.code || field == r.colour) {
                list = l;
                entry = e;
                isCode = field == r.code;
                return true;
            }
        }
    return false;
}

void TfrmSetColor::storeCode(List list, int entry) {
    const std::string code = qStringToBytes(codeField(list, entry)->text());
    (list == List::Foreground ? scheme_.working.fgCodes : scheme_.working.bgCodes)[entry] = code;
    redrawSample();
}

void TfrmSetColor::storeColour(List list, int entry) {
    QLineEdit* field = colourField(list, entry);
    if (field->isReadOnly()) return;
    // The field keeps the text as typed; the entry takes what the digits give.
    (list == List::Foreground ? scheme_.working.fgColours : scheme_.working.bgColours)[entry] =
        parseHex(qStringToBytes(field->text()));
    colourBox(list, entry)->setColour(
        (list == List::Foreground ? scheme_.working.fgColours : scheme_.working.bgColours)[entry]);
    redrawSample();
}

void TfrmSetColor::showColour(List list, int entry) {
    const ColourValue colour =
        (list == List::Foreground ? scheme_.working.fgColours : scheme_.working.bgColours)[entry];
    colourField(list, entry)->setText(QString::fromStdString(hexText(colour)));
    colourBox(list, entry)->setColour(colour);
}

void TfrmSetColor::colourBoxClick(List list, int entry) {
    auto& colours = list == List::Foreground ? scheme_.working.fgColours : scheme_.working.bgColours;
    const std::optional<ColourValue> chosen = picker_.pickColour(colours[entry]);
    if (!chosen) return;
    colours[entry] = *chosen & 0xFFFFFFu;
    showColour(list, entry);
    redrawSample();
}

void TfrmSetColor::showWorkingCopy() {
    for (List list : {List::Foreground, List::Background})
        for (int entry = 1; entry <= kColourEntries; ++entry) {
            const auto& codes = list == List::Foreground ? scheme_.working.fgCodes : scheme_.working.bgCodes;
            codeField(list, entry)->setText(bytesToQString(codes[entry]));
            showColour(list, entry);
        }
    redrawSample();
}

void TfrmSetColor::redrawSample() {
    if (!sb_Continuous || !sb_Continuous->isChecked()) return;
    pnlSample->render(qStringToMultiLine(memoSample->toPlainText()), scheme_.working);
}

void TfrmSetColor::sb_ContinuousClick() { redrawSample(); }

void TfrmSetColor::takeIntoUse() {
    // The current lists are what every preview draws with from now on; the main window
    // comes to the front, whichever window opened this one.
    if (mainWindow_) mainWindow_->raise();
    if (!history() || scheme_.onOpen == scheme_.working) return;
    history()->pushDone(new TakeBackCommand<ColourLists>(
        QStringLiteral("Use Colors"), scheme_.onOpen, scheme_.working,
        [this](const ColourLists& lists) { scheme_.working = lists; }));
}

void TfrmSetColor::opened() { memoSample->setFocus(Qt::OtherFocusReason); }

bool TfrmSetColor::moveInGrid(QLineEdit* from, int key) {
    for (int column = 1; column <= kGridColumns; ++column)
        for (int gridRow = 1; gridRow <= kGridRows; ++gridRow) {
            if (gridField(column, gridRow) != from) continue;
            int c = column, r = gridRow;
            switch (key) {
            case Qt::Key_Up: r = r == 1 ? kGridRows : r - 1; break;
            case Qt::Key_Down: r = r == kGridRows ? 1 : r + 1; break;
            case Qt::Key_Left: c = c == 1 ? kGridColumns : c - 1; break;
            case Qt::Key_Right: c = c == kGridColumns ? 1 : c + 1; break;
            default: return false;
            }
            gridField(c, r)->setFocus(Qt::OtherFocusReason);
            return true;
        }
    return false;
}

bool TfrmSetColor::eventFilter(QObject* watched, QEvent* event) {
    List list;
    int entry;
    bool isCode;
    if (!locate(watched, list, entry, isCode)) return SettingsWindow::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        auto* field = static_cast<QLineEdit*>(watched);
        const auto modifiers = key->modifiers() & ~Qt::KeypadModifier;
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && modifiers == Qt::NoModifier) {
            commits().commit(field);
            return true;
        }
        const bool arrow = key->key() == Qt::Key_Up || key->key() == Qt::Key_Down || key->key() == Qt::Key_Left ||
                           key->key() == Qt::Key_Right;
        if (modifiers == Qt::ShiftModifier && arrow) {
            commits().commit(field);
            return moveInGrid(field, key->key());
        }
    }
    return SettingsWindow::eventFilter(watched, event);
}
