#include "defs/tfrmsetbit.h"

#include <utility>

#include <QLabel>
#include <QMouseEvent>

#include "defs/definition_files.h"
#include "uibase/byte_text.h"
#include "uibase/edit_history.h"
#include "uibase/terminal_font.h"
#include "uibase/widget_factory.h"
#include "world/prompts.h"

namespace {
constexpr int kLeftRows = 16;
constexpr int kFirstRowY = 28;
constexpr int kNameX[2] = {8, 256};
constexpr int kNameWidth = 97;
constexpr int kButtonOffset = 100;  // from the name field's left edge
constexpr int kButtonWidth = 123;

SettingsQuestions bitvectorQuestions() {
    return {"Restore defaults and lose current settings?", "Use saved settings, losing current ones?",
            "Save these settings?", "Replace existing bitvector file?"};
}
}  // namespace

void FlagValueButton::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        rightPressed_ = true;
        event->accept();
        return;
    }
    QPushButton::mousePressEvent(event);
}

void FlagValueButton::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        const bool over = rect().contains(event->position().toPoint());
        const bool wasPressed = rightPressed_;
        rightPressed_ = false;
        event->accept();
        if (wasPressed && over) emit rightClicked();
        return;
    }
    QPushButton::mouseReleaseEvent(event);
}

TfrmSetBit::TfrmSetBit(BitvectorTable& table, std::function<void()> refreshBank, Prompts& prompts, const std::string& startupDirectory,
                       QWidget* parent)
    : DefinitionWindow(kFlagSlots, slots_, prompts, bitvectorQuestions(),
                       definitionFilePath(startupDirectory, kBitvectorFileName),
                       {QStringLiteral("Use &Defaults"), QStringLiteral("&Revert to Saved")},
                       {kLeftRows, kFirstRowY, {kNameX[0], kNameX[1]}, kNameWidth}, parent),
      table_(table),
      refreshBank_(std::move(refreshBank)),
      slots_(bitvectorSlotsFileText),
      valueButtons_(kFlagSlots + 1, nullptr) {
    setObjectName("TfrmSetBit");
    setWindowTitle(QStringLiteral("Edit Room Bitvectors"));
    setFixedSize(498, 534);

    const QFont terminal = terminalFont();
    for (int column = 0; column < 2; ++column) {
        makeLabel(this, column == 0 ? "Label1" : "Label3", QStringLiteral("Bit Name"),
              QRect(kNameX[column], 8, kNameWidth, 18));
        makeLabel(this, column == 0 ? "Label2" : "Label4", QStringLiteral("Bit Value"),
              QRect(kNameX[column] + kButtonOffset, 8, kButtonWidth, 18));
    }
    for (int slot = 1; slot <= kFlagSlots; ++slot) {
        auto* button = new FlagValueButton(this);
        button->setObjectName(QStringLiteral("btnValue%1").arg(slot));
        button->setFont(terminal);
        button->setGeometry(
            QRect(rowPosition(slot, kNameX[columnOf(slot)] + kButtonOffset), QSize(kButtonWidth, 22)));
        connect(button, &QPushButton::clicked, this, [this, slot] { valueButtonClick(slot); });
        connect(button, &FlagValueButton::rightClicked, this, [this, slot] { valueButtonRightClick(slot); });
        valueButtons_[slot] = button;
        watchValueControl(button, slot);
    }
    // The 32nd row: no slot, but the note on why there are only 31.
    const QPoint noteRow(kNameX[1], kFirstRowY + (kLeftRows - 1) * 24);
    editNote = new QLineEdit(QStringLiteral(" See Note"), this);
    editNote->setObjectName("editNote");
    editNote->setFont(terminal);
    editNote->setEnabled(false);
    editNote->setGeometry(QRect(noteRow, QSize(kNameWidth, 22)));
    btnNote = new QPushButton(QStringLiteral("&Note..."), this);
    btnNote->setObjectName("btnNote");
    btnNote->setGeometry(QRect(noteRow + QPoint(kButtonOffset, 0), QSize(kButtonWidth, 22)));
    connect(btnNote, &QPushButton::clicked, this, &TfrmSetBit::btnNoteClick);

    const int hintY = kFirstRowY + kLeftRows * 24 + 2;
    makeLabel(this, "Label5", QStringLiteral("Left-Click to INCREASE"), QRect(kNameX[0], hintY, 220, 18));
    makeLabel(this, "Label6", QStringLiteral("Right-Click to DECREASE"), QRect(kNameX[1], hintY, 220, 18));
    makeLabel(this, "Label7", QStringLiteral("Bit Description"), QRect(8, hintY + 26, 200, 18));
    editDescription->setGeometry(QRect(8, hintY + 46, 482, 24));
    const int buttonsY = hintY + 84;
    placeButtonRow(buttonsY, 490);

    // The built-in set the main window put in the table is the defaults copy; the file,
    // when it yields an entry, replaces it. A file that yields none leaves the table
    // empty, and the refresh brings the built-in set back.
    const DefinitionSlots builtin = bitvectorSlots(table_);
    table_.clear();
    loadBitvectorFile(filePath(), table_, prompts);
    slots_.loaded = table_.count > 0;
    refreshBank_();
    slots_.setAll(bitvectorSlots(table_));
    slots_.defaults = builtin;
    showWorkingCopy();
}

void TfrmSetBit::showSlotValue(int slot) {
    valueButton(slot)->setText(bytesToQString(flagValueCaption(slots_.working[slot].value)));
}

void TfrmSetBit::valueButtonClick(int slot) {
    slots_.working[slot].value = increasedFlagValue(slots_.working[slot].value);
    showSlotValue(slot);
}

void TfrmSetBit::valueButtonRightClick(int slot) {
    slots_.working[slot].value = decreasedFlagValue(slots_.working[slot].value);
    showSlotValue(slot);
}

void TfrmSetBit::btnNoteClick() { prompts().message(kBitvectorLimitNote); }

void TfrmSetBit::takeIntoUse() {
    const TableInUse before{table_, slots_.onOpen};
    // With every slot free the table is left empty and the banks keep what they show;
    // the next refresh brings back the built-in set.
    if (useBitvectorSlots(slots_.working, table_) > 0) refreshBank_();
    const TableInUse after{table_, slots_.working};
    if (!history() || before == after) return;
    // Undo and redo take the other table into use as Use does, and the window opens next
    // time on the slots that made it.
    history()->pushDone(new TakeBackCommand<TableInUse>(
        QStringLiteral("Use Bitvectors"), before, after, [this](const TableInUse& state) {
            table_ = state.table;
            slots_.working = state.working;
            if (table_.count > 0) refreshBank_();
        }));
}
