// The link between the room commands and the flag and sector banks.
#include <QLabel>
#include <QLineEdit>

#include "editor/flag_banks.h"
#include "editor/teditmain.h"
#include "uibase/widget_factory.h"

void TEditMain::buildBanks(QWidget* page) {
    // The tables start from the built-in sets; the definition windows replace them with
    // the side files when those exist.
    bitvectors_.clear();
    sectors_.clear();
    setBuiltinBitvectors(bitvectors_);
    setBuiltinSectors(sectors_);
    banks_ = new FlagBanks(bitvectors_, sectors_, page);
    banks_->setObjectName("FlagBanks");
    banks_->setGeometry(390, 2, FlagBanks::kWidth, FlagBanks::kHeight);

    // The newer form's flag words 2..4 and the triggers, one line each under the banks;
    // the banks themselves show word 1.
    const int left = 390, fieldLeft = 462, width = 390 - (fieldLeft - left), top = 2 + FlagBanks::kHeight + 3;
    labelFlagWords = makeLabel(page, "labelFlagWords", QStringLiteral("Fla&gs 2-4"), QRect(left, top + 2, 70, 18));
    editFlagWords = named(new QLineEdit(page), "editFlagWords");
    editFlagWords->setGeometry(fieldLeft, top, width, 22);
    labelTriggers = makeLabel(page, "labelTriggers", QStringLiteral("&Triggers"), QRect(left, top + 26, 70, 18));
    editTriggers = named(new QLineEdit(page), "editTriggers");
    editTriggers->setGeometry(fieldLeft, top + 24, width, 22);
    labelFlagWords->setBuddy(editFlagWords);
    labelTriggers->setBuddy(editTriggers);
}

int32_t TEditMain::flagsBitvector() const { return banks_->bitvectorFromFlags(); }

int32_t TEditMain::currentSectorValue() const { return banks_->currentSectorValue(); }

void TEditMain::showFlags(int32_t bitvector, int32_t sectorType) { banks_->showRoomFlags(bitvector, sectorType); }

void TEditMain::clearFlagsAndDefaults() { banks_->clearAllFlagsAndDefaults(); }
