// A builder on a server of the newer form opens one of its zones (six-field flag lines,
// triggers, a diagonal exit), changes a room's flag words 2-4 and triggers through the
// room page, and saves: the file comes back in the newer form with only those two lines
// changed, and a fresh program shows them.
#include <QAction>

#include "e2e_support.h"
#include "wldfile/tfrmquendryout.h"

namespace {

using namespace e2e;

const std::string kZone =
    "#4200\n"
    "Gatehouse~\n"
    "A squat gatehouse.\n"
    "~\n"
    "42 d 0 b 0 1\n"
    "D0\n"
    "~\n"
    "~\n"
    "0 -1 4201\n"
    "D7\n"
    "A gap in the wall.\n"
    "~\n"
    "gap~\n"
    "1 4250 4202\n"
    "S\n"
    "T 4217\n"
    "#4201\n"
    "Courtyard~\n"
    "Flagstones.\n"
    "~\n"
    "42 0 0 0 0 1\n"
    "D2\n"
    "~\n"
    "~\n"
    "0 -1 4200\n"
    "S\n"
    "#4202\n"
    "Tower~\n"
    "Stairs wind up.\n"
    "~\n"
    "42 0 a 0 C 2\n"
    "D9\n"
    "~\n"
    "~\n"
    "0 -1 4200\n"
    "E\n"
    "stairs~\n"
    "Worn steps.\n"
    "~\n"
    "S\n"
    "T 4300\n"
    "T 4301\n"
    "$\n";

TEST_F(ProgramTest, ANewerFormZoneEditedThroughTheRoomPageSavesOnlyWhatWasEdited) {
    writeBytes(path("keep.wld"), kZone);
    start(path("keep.wld"));
    ASSERT_TRUE(prompts.messages.empty()) << prompts.lastMessage();
    EXPECT_TRUE(main->itemSaveNewer->isChecked());
    auto* words = ctl<QLineEdit>("editFlagWords");
    auto* triggers = ctl<QLineEdit>("editTriggers");
    EXPECT_EQ(words->text(), "0 2 0");
    EXPECT_EQ(triggers->text(), "4217");

    type(words, "0 2 4");
    type(triggers, "4217  4218 ");
    click(ctl("btnwld_Update"));
    ASSERT_TRUE(prompts.messages.empty()) << prompts.lastMessage();
    click(ctl("btnNext"));
    click(ctl("btnNext"));
    EXPECT_EQ(words->text(), "1 0 268435456");  // a, and C: bit 28
    EXPECT_EQ(triggers->text(), "4300 4301");

    main->itemSavewld->trigger();
    files.nextSave = path("saved.wld");
    click(in(app->output, "btnUNIX"));
    ASSERT_TRUE(prompts.questions.empty()) << prompts.questions.front();
    std::string expected = kZone;
    expected.replace(expected.find("42 d 0 b 0 1"), 12, "42 d 0 b c 1");
    expected.replace(expected.find("T 4217\n"), 7, "T 4217\nT 4218\n");
    EXPECT_EQ(readBytes(path("saved.wld")), expected);

    start(path("saved.wld"));
    EXPECT_EQ(ctl<QLineEdit>("editFlagWords")->text(), "0 2 4");
    EXPECT_EQ(ctl<QLineEdit>("editTriggers")->text(), "4217 4218");
}

}  // namespace
