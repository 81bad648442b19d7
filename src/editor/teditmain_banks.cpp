// The link between the room commands and the flag and sector banks.
#include "editor/flag_banks.h"
#include "editor/teditmain.h"

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
}

int32_t TEditMain::flagsBitvector() const { return banks_->bitvectorFromFlags(); }

int32_t TEditMain::currentSectorValue() const { return banks_->currentSectorValue(); }

void TEditMain::showFlags(int32_t bitvector, int32_t sectorType) { banks_->showRoomFlags(bitvector, sectorType); }

void TEditMain::clearFlagsAndDefaults() { banks_->clearAllFlagsAndDefaults(); }
