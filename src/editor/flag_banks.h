#pragma once
// The bitvector and sector banks of the room editor: two rows of buttons, each a window of
// eleven (flags) or ten (sectors) entries onto a definition table that may hold up to three
// banks' worth. The flags are edited in a working set that UPDATE turns into the room's
// bitvector; the sector buttons pick one sector value. Holding the right mouse button on an
// entry shows its help in the information panel `pnlDoc`.
//
// Every control carries its help line text in the dynamic property "helpLine".
#include <QWidget>
#include <array>
#include <cstdint>

#include "defs/definition_tables.h"

class QButtonGroup;
class QFrame;
class QLabel;
class QPushButton;

class FlagBanks : public QWidget {
    Q_OBJECT
public:
    static constexpr int kFlagButtons = 11;
    static constexpr int kSectorButtons = 10;
    static constexpr int kBanks = 3;
    static constexpr int kFlagPositions = 31;  // bits 0..30; bit 31 is never a flag
    static constexpr int kDisplayWidth = 32;   // characters of the bitvector display
    // The size of the block the main window places.
    static constexpr int kWidth = 390;
    static constexpr int kHeight = 246;

    // The tables belong to the main window and must outlive the banks. An empty table is
    // given its built-in set, as after any table change.
    FlagBanks(BitvectorTable& bitvectors, SectorTable& sectors, QWidget* parent = nullptr);

    // What showing a room does to the banks: the working flags become the room's bits
    // 0..30, the bitvector bank shown is redrawn, and the sector bank that holds the room's
    // sector value is shown with it selected. A value that no entry has selects no entry and
    // makes the current sector 0, on bank 1.
    void showRoomFlags(int32_t bitvector, int32_t sectorType);
    // The bitvector of the working flags, as UPDATE stores it.
    int32_t bitvectorFromFlags() const;
    int32_t currentSectorValue() const { return currentSectorValue_; }
    // Table position 1..30 of the current sector; 0 when it matched no entry.
    int currentSectorPosition() const { return currentSectorPosition_; }
    // New Area: working and default flags all off, bank redrawn.
    void clearAllFlagsAndDefaults();
    // A flag, the sector or a reset button was clicked since the room's flags were shown
    // or marked stored: the banks hold what the room page will store with UPDATE.
    bool changedByUser() const { return changedByUser_; }
    void markStored() { changedByUser_ = false; }

    // After a definition table changed (file read, dialog Use).
    void refreshBitvectorBank();
    void refreshSectorBank();

    void showBitvectorBank();
    void showSectorBank();
    void hideInformationPanel();

    int bitvectorBank() const { return bitvectorBank_; }
    int sectorBank() const { return sectorBank_; }
    bool numericDisplay() const { return numericDisplay_; }
    bool workingFlag(int position) const;
    bool defaultFlag(int position) const;

    // Controls, named as the program names them (also their objectName()).
    QLabel* labelBitvector;
    QPushButton* btnToggleAlpha;
    QFrame* pnlRoomBitvector;
    QPushButton *sb1_1, *sb1_2, *sb1_3, *sb1_4, *sb1_5, *sb1_6, *sb1_7, *sb1_8, *sb1_9, *sb1_10, *sb1_11;
    QPushButton *sb_bitvector_bank1, *sb_bitvector_bank2, *sb_bitvector_bank3;
    QLabel* labelSector;
    QFrame* pnlSectorType;
    QPushButton *sb2_1, *sb2_2, *sb2_3, *sb2_4, *sb2_5, *sb2_6, *sb2_7, *sb2_8, *sb2_9, *sb2_10;
    QPushButton *sb_sector_bank1, *sb_sector_bank2, *sb_sector_bank3;
    QLabel* labelReset;
    QPushButton *btnwld_Reset_All, *btnwld_ResetCurrent;
    QLabel* labelDefault;
    QPushButton *btnwld_bv_Make_Default, *btnwld_bv_Restore_Default;
    QFrame* pnlDoc;
    QLabel *hlplabel1, *hlplabel2, *hlplabel3, *hlplabel4;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void createControls();
    void placeControls();
    void connectControls();
    void setHelpLines();

    void sb1Click(int button);
    void sb2Click(int button);
    void sb_bitvector_bankClick(int bank);
    void sb_sector_bankClick(int bank);
    void btnToggleAlphaClick();
    void btnwld_Reset_AllClick();
    void btnwld_ResetCurrentClick();
    void btnwld_bv_Make_DefaultClick();
    void btnwld_bv_Restore_DefaultClick();

    int flagEntry(int button) const { return (bitvectorBank_ - 1) * kFlagButtons + button; }
    int sectorEntry(int button) const { return (sectorBank_ - 1) * kSectorButtons + button; }
    void refreshDisplay();
    void selectFirstSector();
    void showFlagInformation(int entry);
    void showSectorInformation(int entry);
    void showInformation(const QString& first, const QString& second, const QString& left,
                         const QString& right, bool overSectorBank);

    BitvectorTable& bitvectors_;
    SectorTable& sectors_;
    std::array<bool, kFlagPositions + 1> workingFlags_{};  // positions 1..31; 0 unused
    std::array<bool, kFlagPositions + 1> defaultFlags_{};
    int bitvectorBank_ = 1;
    int sectorBank_ = 1;
    int32_t currentSectorValue_ = 0;
    int currentSectorPosition_ = 1;
    bool numericDisplay_ = false;
    bool changedByUser_ = false;

    std::array<QPushButton*, kFlagButtons + 1> flagButtons_{};    // 1..11
    std::array<QPushButton*, kSectorButtons + 1> sectorButtons_{};  // 1..10
    std::array<QPushButton*, kBanks + 1> bitvectorBankButtons_{};  // 1..3
    std::array<QPushButton*, kBanks + 1> sectorBankButtons_{};
    QButtonGroup* bitvectorBankGroup_ = nullptr;
    QButtonGroup* sectorBankGroup_ = nullptr;
};
