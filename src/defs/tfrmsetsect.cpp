#include "defs/tfrmsetsect.h"

#include <utility>

#include <QLabel>

#include "defs/definition_files.h"
#include "uibase/byte_text.h"
#include "uibase/edit_history.h"
#include "uibase/terminal_font.h"
#include "uibase/widget_factory.h"
#include "world/prompts.h"
#include "world/strict_int.h"

namespace {
constexpr int kLeftRows = 15;
constexpr int kFirstRowY = 28;
constexpr int kNameX[2] = {8, 256};
constexpr int kNameWidth = 113;
constexpr int kNumberOffset = 118;  // from the name field's left edge
constexpr int kNumberWidth = 65;

SettingsQuestions sectorQuestions() {
    return {"Restore defaults and lose current settings?", "Use saved settings, losing current ones?",
            "Save these settings?", "Replace existing sector types file?"};
}
}  // namespace

TfrmSetSect::TfrmSetSect(SectorTable& table, std::function<void()> refreshBank, Prompts& prompts, const std::string& startupDirectory,
                         QWidget* parent)
    : DefinitionWindow(kSectorSlots, slots_, prompts, sectorQuestions(),
                       definitionFilePath(startupDirectory, kSectorFileName),
                       {QStringLiteral("Use &Defaults"), QStringLiteral("&Revert to Saved")},
                       {kLeftRows, kFirstRowY, {kNameX[0], kNameX[1]}, kNameWidth}, parent),
      table_(table),
      refreshBank_(std::move(refreshBank)),
      slots_(sectorSlotsFileText),
      numberFields_(kSectorSlots + 1, nullptr) {
    setObjectName("TfrmSetSect");
    setWindowTitle(QStringLiteral("Edit Sector Types"));
    setFixedSize(506, 511);

    const QFont terminal = terminalFont();
    for (int column = 0; column < 2; ++column) {
        makeLabel(this, column == 0 ? "Label1" : "Label3", QStringLiteral("Sector Name"),
              QRect(kNameX[column], 8, kNameWidth, 18));
        makeLabel(this, column == 0 ? "Label2" : "Label4", QStringLiteral("Sector Value"),
              QRect(kNameX[column] + kNumberOffset, 8, 110, 18));
    }
    for (int slot = 1; slot <= kSectorSlots; ++slot) {
        auto* field = new QLineEdit(this);
        field->setObjectName(QStringLiteral("editNumber%1").arg(slot));
        field->setFont(terminal);
        field->setAcceptDrops(false);
        field->setGeometry(
            QRect(rowPosition(slot, kNameX[columnOf(slot)] + kNumberOffset), QSize(kNumberWidth, 22)));
        numberFields_[slot] = field;
        watchValueControl(field, slot);
    }
    const int descriptionY = kFirstRowY + kLeftRows * 24 + 8;
    makeLabel(this, "Label5", QStringLiteral("Sector Decription"), QRect(8, descriptionY, 200, 18));
    editDescription->setGeometry(QRect(8, descriptionY + 20, 490, 24));
    const int buttonsY = descriptionY + 60;
    placeButtonRow(buttonsY, 498);

    // As for the flags: the built-in set is the defaults copy (10 types and 20 free
    // slots); a file that yields an entry replaces it in the table.
    const DefinitionSlots builtin = sectorSlots(table_);
    table_.clear();
    loadSectorFile(filePath(), table_, prompts);
    slots_.loaded = table_.count > 0;
    refreshBank_();
    slots_.setAll(sectorSlots(table_));
    slots_.defaults = builtin;
    showWorkingCopy();
}

void TfrmSetSect::showSlotValue(int slot) {
    numberField(slot)->setText(QString::number(slots_.working[slot].value));
}

bool TfrmSetSect::storeValueField(int slot) {
    const std::optional<int32_t> number = strictToIntOrSay(qStringToBytes(numberField(slot)->text()), prompts());
    if (!number) return false;  // the slot keeps its number
    slots_.working[slot].value = *number;
    return true;
}

void TfrmSetSect::takeIntoUse() {
    const TableInUse before{table_, slots_.onOpen};
    if (useSectorSlots(slots_.working, table_) > 0) refreshBank_();
    const TableInUse after{table_, slots_.working};
    if (!history() || before == after) return;
    // Undo and redo take the other table into use as Use does, and the window opens next
    // time on the slots that made it.
    history()->pushDone(new TakeBackCommand<TableInUse>(
        QStringLiteral("Use Sector Types"), before, after, [this](const TableInUse& state) {
            table_ = state.table;
            slots_.working = state.working;
            if (table_.count > 0) refreshBank_();
        }));
}
