#include <gtest/gtest.h>

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "editor/flag_banks.h"

namespace {
class QtApplication : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "tests_editor_flag_banks";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<QApplication>(argc, argv);
    }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<QApplication> app_;
};
[[maybe_unused]] const auto* const kQtApplication = ::testing::AddGlobalTestEnvironment(new QtApplication);

class FlagBanksTest : public ::testing::Test {
protected:
    void SetUp() override {
        setBuiltinBitvectors(bitvectors);
        setBuiltinSectors(sectors);
        makeBanks();
    }
    void makeBanks() {
        banks = std::make_unique<FlagBanks>(bitvectors, sectors);
        banks->show();
    }

    QPushButton* button(const QString& name) {
        auto* found = banks->findChild<QPushButton*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }
    QString text(const QString& name) { return banks->findChild<QLabel*>(name)->text(); }
    void click(const QString& name) { QTest::mouseClick(button(name), Qt::LeftButton); }
    QString display() { return button("btnToggleAlpha")->text(); }
    bool down(const QString& name) { return button(name)->isChecked(); }
    bool shown(const QString& name) { return button(name)->isVisible(); }
    // Entries 1..count with flag values 2^(slot-1) and names F1, F2...
    void useFlagTable(int count) {
        bitvectors.clear();
        for (int slot = 1; slot <= count; ++slot) {
            bitvectors.names[slot] = "F" + std::to_string(slot);
            bitvectors.values[slot] = 1 << (slot - 1);
            bitvectors.letters[slot] = positionLetter(slot);
        }
        bitvectors.count = count;
        banks->refreshBitvectorBank();
    }
    void useSectorTable(int count) {
        sectors.clear();
        for (int slot = 1; slot <= count; ++slot) {
            sectors.names[slot] = "S" + std::to_string(slot);
            sectors.values[slot] = 100 + slot;
        }
        sectors.count = count;
        banks->refreshSectorBank();
    }

    BitvectorTable bitvectors;
    SectorTable sectors;
    std::unique_ptr<FlagBanks> banks;
};

QString rightAligned(const char* text) { return QString(text).rightJustified(32, ' '); }
}  // namespace

TEST_F(FlagBanksTest, StartsWithTheBuiltinSetsBankOneAndTheFirstSector) {
    EXPECT_EQ(banks->size(), QSize(FlagBanks::kWidth, FlagBanks::kHeight));
    EXPECT_EQ(button("sb1_1")->text(), "DARK");
    EXPECT_EQ(button("sb1_11")->text(), "GODROOM");
    EXPECT_EQ(button("sb2_8")->text(), "WATER_NOSWIM");
    for (int n = 1; n <= 11; ++n) EXPECT_FALSE(down(QString("sb1_%1").arg(n)));
    EXPECT_TRUE(down("sb2_1"));
    EXPECT_FALSE(down("sb2_2"));
    EXPECT_EQ(banks->currentSectorValue(), 0);
    for (const char* bank : {"sb_bitvector_bank", "sb_sector_bank"}) {
        EXPECT_TRUE(down(QString(bank) + "1"));
        EXPECT_FALSE(button(QString(bank) + "2")->isEnabled());
        EXPECT_FALSE(button(QString(bank) + "3")->isEnabled());
    }
    EXPECT_EQ(display(), rightAligned("0"));
    EXPECT_FALSE(banks->pnlDoc->isVisible());
    EXPECT_EQ(text("labelBitvector"), "Room Bitvector");
    EXPECT_EQ(text("labelSector"), "Sector Type");

    // Every bank control names itself in the help line.
    for (QWidget* control : std::initializer_list<QWidget*>{
             banks->btnToggleAlpha, banks->pnlRoomBitvector, banks->sb1_11, banks->sb2_10,
             banks->sb_bitvector_bank3, banks->sb_sector_bank2, banks->btnwld_Reset_All,
             banks->btnwld_bv_Make_Default, banks->btnwld_bv_Restore_Default})
        EXPECT_FALSE(control->property("helpLine").toString().isEmpty()) << control->objectName().toStdString();
}

TEST_F(FlagBanksTest, FlagClicksBuildTheBitvectorAndTheDisplayShowsLettersOrNumber) {
    click("sb1_1");
    click("sb1_4");
    EXPECT_TRUE(down("sb1_1"));
    EXPECT_TRUE(down("sb1_4"));
    EXPECT_EQ(banks->bitvectorFromFlags(), 9);
    EXPECT_EQ(display(), rightAligned("ad"));
    EXPECT_EQ(display().size(), 32);
    click("btnToggleAlpha");
    EXPECT_EQ(display(), rightAligned("9"));
    click("sb1_1");
    EXPECT_FALSE(down("sb1_1"));
    EXPECT_EQ(display(), rightAligned("8"));
    click("btnToggleAlpha");
    EXPECT_EQ(display(), rightAligned("d"));

    // A flag entry whose value is no single bit cannot be switched on.
    bitvectors.values[2] = 3;
    banks->showBitvectorBank();
    click("sb1_2");
    EXPECT_FALSE(down("sb1_2"));
    EXPECT_EQ(banks->bitvectorFromFlags(), 8);
}

TEST_F(FlagBanksTest, ShowingARoomSetsFlagsButNeverBitThirtyOne) {
    banks->showRoomFlags(INT32_MIN | 1 | 1024 | (1 << 30), 3);
    EXPECT_TRUE(down("sb1_1"));
    EXPECT_TRUE(down("sb1_11"));
    EXPECT_FALSE(down("sb1_2"));
    EXPECT_EQ(banks->bitvectorFromFlags(), 1 | 1024 | (1 << 30));
    EXPECT_EQ(display(), rightAligned("akE"));
    EXPECT_TRUE(banks->workingFlag(31));
    EXPECT_TRUE(down("sb2_4"));
    EXPECT_FALSE(down("sb2_1"));
    EXPECT_EQ(banks->currentSectorValue(), 3);
    EXPECT_EQ(banks->currentSectorPosition(), 4);
}

TEST_F(FlagBanksTest, SecondBankOfATwelveEntryTable) {
    useFlagTable(12);
    EXPECT_TRUE(button("sb_bitvector_bank2")->isEnabled());
    EXPECT_FALSE(button("sb_bitvector_bank3")->isEnabled());
    click("sb_bitvector_bank2");
    EXPECT_EQ(banks->bitvectorBank(), 2);
    EXPECT_TRUE(down("sb_bitvector_bank2"));
    EXPECT_FALSE(down("sb_bitvector_bank1"));
    EXPECT_EQ(button("sb1_1")->text(), "F12");
    EXPECT_TRUE(shown("sb1_1"));
    for (int n = 2; n <= 11; ++n) {
        const QString name = QString("sb1_%1").arg(n);
        EXPECT_FALSE(shown(name)) << n;
        EXPECT_TRUE(button(name)->text().isEmpty()) << n;
    }
    click("sb1_1");
    EXPECT_EQ(banks->bitvectorFromFlags(), 1 << 11);
    click("sb_bitvector_bank2");  // already shown: nothing changes
    EXPECT_TRUE(down("sb1_1"));
    click("sb_bitvector_bank1");
    EXPECT_FALSE(down("sb1_1"));
    EXPECT_EQ(button("sb1_1")->text(), "F1");
}

TEST_F(FlagBanksTest, ResetCurrentClearsTheBankPositionsNotTheEntryValues) {
    useFlagTable(31);
    EXPECT_TRUE(button("sb_bitvector_bank3")->isEnabled());
    bitvectors.values[12] = 1;  // entry 12, first of bank 2, is flag position 1
    banks->showRoomFlags(0x7FFFFFFF, 0);
    click("sb_bitvector_bank2");
    click("btnwld_ResetCurrent");
    int32_t expected = 0x7FFFFFFF & ~(((1 << 11) - 1) << 11);  // positions 12..22 off
    EXPECT_EQ(banks->bitvectorFromFlags(), expected);
    EXPECT_TRUE(down("sb1_1"));  // its flag (position 1) is still on
    EXPECT_FALSE(down("sb1_2"));

    click("sb_bitvector_bank3");  // covers positions 23..31
    EXPECT_FALSE(shown("sb1_10"));
    click("btnwld_ResetCurrent");
    expected &= (1 << 22) - 1;
    EXPECT_EQ(banks->bitvectorFromFlags(), expected);
    click("btnwld_Reset_All");
    EXPECT_EQ(banks->bitvectorFromFlags(), 0);
}

TEST_F(FlagBanksTest, DefaultFlagsMakeRestoreAndNewArea) {
    click("sb1_3");
    click("sb1_5");
    click("btnwld_bv_Make_Default");
    click("btnwld_Reset_All");
    EXPECT_EQ(banks->bitvectorFromFlags(), 0);
    EXPECT_FALSE(down("sb1_3"));
    EXPECT_TRUE(banks->defaultFlag(3));
    click("sb1_1");
    click("btnwld_bv_Restore_Default");
    EXPECT_EQ(banks->bitvectorFromFlags(), 4 | 16);
    EXPECT_TRUE(down("sb1_5"));
    EXPECT_FALSE(down("sb1_1"));

    banks->clearAllFlagsAndDefaults();
    EXPECT_EQ(banks->bitvectorFromFlags(), 0);
    EXPECT_FALSE(down("sb1_5"));
    click("btnwld_bv_Restore_Default");
    EXPECT_EQ(banks->bitvectorFromFlags(), 0);
}

TEST_F(FlagBanksTest, SectorSelection) {
    click("sb2_3");
    EXPECT_TRUE(down("sb2_3"));
    EXPECT_FALSE(down("sb2_1"));
    EXPECT_EQ(banks->currentSectorValue(), 2);
    click("sb2_3");  // clicking the selected one again keeps it selected
    EXPECT_TRUE(down("sb2_3"));
    EXPECT_EQ(banks->currentSectorValue(), 2);

    // A value in no entry: bank 1 and current sector 0, which the built-in INSIDE has.
    banks->showRoomFlags(0, 77);
    EXPECT_EQ(banks->currentSectorValue(), 0);
    EXPECT_EQ(banks->currentSectorPosition(), 0);
    EXPECT_TRUE(down("sb2_1"));
    EXPECT_FALSE(down("sb2_3"));
    // -1 marks the free slots after the count; a room with that value still matches nothing.
    banks->showRoomFlags(0, -1);
    EXPECT_EQ(banks->currentSectorPosition(), 0);
    EXPECT_EQ(banks->sectorBank(), 1);

    useSectorTable(25);
    EXPECT_TRUE(button("sb_sector_bank3")->isEnabled());
    sectors.values[23] = 112;  // the last entry with the value wins
    banks->showRoomFlags(0, 112);
    EXPECT_EQ(banks->sectorBank(), 3);
    EXPECT_TRUE(down("sb_sector_bank3"));
    EXPECT_TRUE(down("sb2_3"));
    EXPECT_FALSE(shown("sb2_6"));
    click("sb_sector_bank2");
    EXPECT_TRUE(down("sb2_2"));  // entry 12 has the same value
    click("sb2_5");
    EXPECT_EQ(banks->currentSectorValue(), 115);
    EXPECT_EQ(banks->currentSectorPosition(), 15);
    banks->showRoomFlags(0, 77);  // no entry: no button down at all
    for (int n = 1; n <= 10; ++n) EXPECT_FALSE(down(QString("sb2_%1").arg(n))) << n;
}

TEST_F(FlagBanksTest, TableRefreshes) {
    // The flags of positions past the new count go; the last entry's own flag stays.
    banks->showRoomFlags(0xFFF, 0);
    click("btnwld_bv_Make_Default");
    useFlagTable(5);
    EXPECT_EQ(banks->bitvectorFromFlags(), 0x1F);
    EXPECT_TRUE(banks->defaultFlag(5));
    EXPECT_FALSE(banks->defaultFlag(6));
    EXPECT_TRUE(down("sb1_5"));
    EXPECT_FALSE(shown("sb1_6"));

    // Back on bank 1 after a refresh; an emptied table falls back to the built-in set.
    useFlagTable(15);
    click("sb_bitvector_bank2");
    bitvectors.clear();
    banks->refreshBitvectorBank();
    EXPECT_EQ(bitvectors.count, 11);
    EXPECT_EQ(banks->bitvectorBank(), 1);
    EXPECT_TRUE(down("sb_bitvector_bank1"));
    EXPECT_FALSE(button("sb_bitvector_bank2")->isEnabled());
    EXPECT_EQ(button("sb1_11")->text(), "GODROOM");

    // The current sector stays while its position is in the table, else the first entry.
    useSectorTable(25);
    click("sb_sector_bank3");
    click("sb2_4");
    EXPECT_EQ(banks->currentSectorPosition(), 24);
    useSectorTable(24);
    EXPECT_EQ(banks->currentSectorValue(), 124);
    EXPECT_EQ(banks->sectorBank(), 1);
    useSectorTable(20);
    EXPECT_EQ(banks->currentSectorValue(), 101);
    EXPECT_TRUE(down("sb2_1"));
    EXPECT_FALSE(button("sb_sector_bank3")->isEnabled());
    sectors.clear();
    banks->refreshSectorBank();
    EXPECT_EQ(sectors.count, 10);
    EXPECT_EQ(button("sb2_10")->text(), "FLYING");
}

TEST_F(FlagBanksTest, RightButtonHeldShowsTheInformationPanel) {
    QPushButton* dark = button("sb1_1");
    QTest::mousePress(dark, Qt::RightButton);
    ASSERT_TRUE(banks->pnlDoc->isVisible());
    EXPECT_FALSE(dark->isChecked());  // the right button does not toggle
    EXPECT_EQ(text("hlplabel1"), "Room Bitvector");
    EXPECT_EQ(text("hlplabel2"), "");
    EXPECT_EQ(text("hlplabel3"), "1 a DARK ");
    EXPECT_EQ(text("hlplabel4"), "Room is dark.");
    QLabel* left = banks->hlplabel3;
    EXPECT_EQ(banks->hlplabel4->x(), left->x() + left->fontMetrics().horizontalAdvance("1 a DARK ") + 10);
    QTest::mouseRelease(dark, Qt::RightButton);
    EXPECT_FALSE(banks->pnlDoc->isVisible());
    EXPECT_EQ(banks->bitvectorFromFlags(), 0);

    QTest::mousePress(button("sb2_2"), Qt::RightButton);
    EXPECT_TRUE(text("hlplabel1").startsWith("Sector type: A single number (not a bitvector)"));
    EXPECT_TRUE(text("hlplabel1").endsWith("room.  Note that"));
    EXPECT_TRUE(text("hlplabel2").startsWith("this value is not the number of movement points"));
    EXPECT_EQ(text("hlplabel3"), "1 CITY");
    EXPECT_EQ(text("hlplabel4"), "The streets of a city.");
    // The left button on the panel does nothing; the right button released over it hides it.
    QTest::mouseClick(banks->pnlDoc, Qt::LeftButton);
    EXPECT_TRUE(banks->pnlDoc->isVisible());
    QTest::mouseRelease(banks->pnlDoc, Qt::RightButton);
    EXPECT_FALSE(banks->pnlDoc->isVisible());
    EXPECT_EQ(banks->currentSectorValue(), 0);

    // A picture of the block for a look by eye.
    if (const QByteArray dir = qgetenv("QUENDRY_SHOT_DIR"); !dir.isEmpty()) {
        banks->showRoomFlags(9, 7);
        banks->grab().save(QString::fromLocal8Bit(dir) + "/flag_banks.png");
        QTest::mousePress(button("sb1_2"), Qt::RightButton);
        banks->grab().save(QString::fromLocal8Bit(dir) + "/flag_banks_flag_info.png");
        QTest::mouseRelease(button("sb1_2"), Qt::RightButton);
        QTest::mousePress(button("sb2_8"), Qt::RightButton);
        banks->grab().save(QString::fromLocal8Bit(dir) + "/flag_banks_sector_info.png");
        QTest::mouseRelease(button("sb2_8"), Qt::RightButton);
    }
}
