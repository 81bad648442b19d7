#include "defs/tfrmsetsect.h"

#include <utility>

#include <QLabel>

#include "defs/definition_files.h"
#include "uibase/byte_text.h"
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
}  // namespace

TfrmSetSect::TfrmSetSect(SectorTable& table, std::function<void()> refreshBank, Prompts& prompts, const std::string& startupDirectory,
                         QWidget* parent)
    : DefinitionTableWindow(table, std::move(refreshBank), QStringLiteral("Use Sector Types"), prompts,
                            "Replace existing sector types file?",
                            definitionFilePath(startupDirectory, kSectorFileName),
                            {kLeftRows, kFirstRowY, {kNameX[0], kNameX[1]}, kNameWidth, kNumberOffset, kNumberWidth},
                            parent),
      numberFields_(kSectorSlots + 1, nullptr) {
    setObjectName("TfrmSetSect");
    setWindowTitle(QStringLiteral("Edit Sector Types"));
    setFixedSize(506, 511);

    const QFont terminal = terminalFont();
    placeHeadings(QStringLiteral("Sector Name"), QStringLiteral("Sector Value"), 110);
    for (int slot = 1; slot <= kSectorSlots; ++slot) {
        auto* field = new QLineEdit(this);
        field->setObjectName(QStringLiteral("editNumber%1").arg(slot));
        field->setFont(terminal);
        field->setAcceptDrops(false);
        field->setGeometry(valueGeometry(slot));
        numberFields_[slot] = field;
        watchValueControl(field, slot);
    }
    const int descriptionY = kFirstRowY + kLeftRows * 24 + 8;
    makeLabel(this, "Label5", QStringLiteral("Sector Decription"), QRect(8, descriptionY, 200, 18));
    editDescription->setGeometry(QRect(8, descriptionY + 20, 490, 24));
    const int buttonsY = descriptionY + 60;
    placeButtonRow(buttonsY, 498);

    readStartupFile(loadSectorFile);
}

void TfrmSetSect::showSlotValue(int slot) {
    numberField(slot)->setText(QString::number(copies_.working[slot].value));
}

bool TfrmSetSect::storeValueField(int slot) {
    const std::optional<int32_t> number = strictToIntOrSay(qStringToBytes(numberField(slot)->text()), prompts());
    if (!number) return false;  // the slot keeps its number
    copies_.working[slot].value = *number;
    return true;
}
