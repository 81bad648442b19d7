// The link between the room commands and the flag and sector banks.
#include <QFrame>

#include "editor/teditmain.h"

void TEditMain::buildBanks(QWidget* page) {
    // The banks sit in the upper right of the page, 390 x 260 pixels.
    auto* place = new QFrame(page);
    place->setObjectName("banksPlace");
    place->setGeometry(390, 2, 390, 260);
    banksPlace_ = place;
}

int32_t TEditMain::flagsBitvector() const { return heldBitvector_; }

int32_t TEditMain::currentSectorValue() const { return heldSector_; }

void TEditMain::showFlags(int32_t bitvector, int32_t sectorType) {
    heldBitvector_ = bitvector & 0x7FFFFFFF;  // bit 31 is never a flag
    heldSector_ = sectorType;
}

void TEditMain::clearFlagsAndDefaults() { heldBitvector_ = 0; }
