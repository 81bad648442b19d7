// A builder makes a zone from nothing through the windows — new zone, rooms, a
// renumbering, flags and sectors, default rooms by direction, the map with its exit
// panel, extra descriptions with colour codes, a renamed flag and a new sector type —
// saves it in both line-ending forms, and a fresh program finds it exactly as built.
#include <QAction>
#include <QListWidget>
#include <map>

#include "colour/colour_preview_panel.h"

#include "cli/world_json.h"
#include "defs/tfrmsetbit.h"
#include "defs/tfrmsetsect.h"
#include "dialogs/textradesc.h"
#include "dialogs/tfrmnewzone.h"
#include "e2e_support.h"
#include "wldfile/tfrmquendryout.h"

namespace {

using namespace e2e;

// One exit as quendry-wld dump shows it.
std::string exitJson(int to, const std::string& description = "", const std::string& keywords = "", int door = 0,
                     int key = -1) {
    return "{\"exitTo\": " + std::to_string(to) + ", \"description\": \"" + description + "\", \"keywords\": \"" +
           keywords + "\", \"doorFlag\": " + std::to_string(door) + ", \"key\": " + std::to_string(key) + "}";
}
// Six exits North, East, South, West, Up, Down.
std::string exitsJson(const std::string& n, const std::string& e, const std::string& s, const std::string& w,
                      const std::string& u = exitJson(0), const std::string& d = exitJson(0)) {
    return "[" + n + ", " + e + ", " + s + ", " + w + ", " + u + ", " + d + "]";
}
std::string none() { return exitJson(0); }

// The zone the builder means to make, written out as quendry-wld dump shows a zone: room
// by room, the texts with their CR LF line breaks, the map positions, and the one room
// left off the map in the placement list.
std::string intendedZone() {
    std::string rooms;
    rooms += R"({"vnum": 4200, "name": "Mill Gate", "description": "A heavy oak gate.\r\nThe river runs east.\r\n", )"
             R"("zone": 42, "bitvector": 9, "sectorType": 1, "exits": )" +
             exitsJson(none(), exitJson(4210, R"(The oak gate.\r\n)", "gate", 1, 4299), none(), none()) +
             R"(, "extraDescs": [{"keywords": "sign", "description": "/crDANGER/c0: weir ahead.\r\n"}, )"
             R"({"keywords": "gate oak", "description": "Carved /cbblue/c0 runes.\r\n\u0009Old.\r\n"}], "map": [50, 50, 5]}, )";
    rooms += R"({"vnum": 4210, "name": "Yard", "description": "A muddy yard.\r\n", "zone": 42, "bitvector": 0, )"
             R"("sectorType": 2, "exits": )" +
             exitsJson(none(), none(), exitJson(4211), exitJson(4200, "", "", 2)) +
             R"(, "extraDescs": [], "map": [51, 50, 5]}, )";
    rooms += R"({"vnum": 4211, "name": "Yard", "description": "A muddy yard.\r\n", "zone": 42, "bitvector": 32, )"
             R"("sectorType": 12, "exits": )" +
             exitsJson(exitJson(4210), exitJson(4212), none(), none()) + R"(, "extraDescs": [], "map": [51, 51, 5]}, )";
    rooms += R"({"vnum": 4212, "name": "Mill Floor", "description": "Sacks of flour.\r\n", "zone": 42, )"
             R"("bitvector": 4, "sectorType": 2, "exits": )" +
             exitsJson(none(), none(), exitJson(4213), exitJson(4211), exitJson(4200)) +
             R"(, "extraDescs": [], "map": [52, 51, 5]}, )";
    rooms += R"({"vnum": 4213, "name": "Yard", "description": "A muddy yard.\r\n", "zone": 42, "bitvector": 0, )"
             R"("sectorType": 2, "exits": )" +
             exitsJson(exitJson(4212), none(), none(), none()) +
             R"(, "extraDescs": [{"keywords": "floor boards", "description": "Loose /cyboards/c0.\r\n"}], )"
             R"("map": [52, 52, 5]}, )";
    rooms += R"({"vnum": 4214, "name": "Cellar", "description": "Dark and damp -- water drips.\r\n", "zone": 42, "bitvector": 1, )"
             R"("sectorType": 0, "exits": )" +
             exitsJson(none(), none(), none(), none()) + R"(, "extraDescs": [], "map": [-1, -1, -1]})";
    return R"({"messages": [], "zoneNumber": 42, "zoneStart": 4200, "nextFreeVnum": 4215, "form": "classic", "rooms": [)" + rooms +
           R"(], "placementList": [4214]})"
           "\n";
}

// The map position file of the layout: the five rooms on level 5, in room order.
const char* const kIntendedMap =
    "4200 50 50 5\r\n"
    "4210 51 50 5\r\n"
    "4211 51 51 5\r\n"
    "4212 52 51 5\r\n"
    "4213 52 52 5\r\n";

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

class BuildZoneTest : public ProgramTest {
protected:
    void newRoom(const QString& name, std::initializer_list<QString> description) {
        click(ctl("btnwld_NewRoom"));
        type(ctl<QLineEdit>("editRoomName"), name);
        typeLines(ctl<QPlainTextEdit>("memoRoom"), description);
    }
    void update() { click(ctl("btnwld_Update")); }
    QString roomNumberShown() { return ctl<QLineEdit>("editRoomNumber")->text(); }
    int32_t currentVnum() const { return app->store.current() ? app->store.current()->vnum : 0; }
    void expectNoMessages(const char* step) {
        EXPECT_TRUE(prompts.messages.empty()) << step << ": " << prompts.lastMessage();
        prompts.clear();
    }
};

TEST_F(BuildZoneTest, AZoneBuiltFromNothingComesBackExactlyAsBuilt) {
    start();

    // New Area: the new zone dialog.
    main->itemNewArea->trigger();
    TfrmNewZone* zone = app->newZone;
    ASSERT_TRUE(zone->isVisible());
    EXPECT_FALSE(main->isEnabled());
    type(in<QLineEdit>(zone, "editName"), "The Mill");
    type(in<QLineEdit>(zone, "editNumber"), "4x2");  // the x is refused as it is typed
    type(in<QLineEdit>(zone, "editStart"), "4200");
    EXPECT_EQ(in<QLineEdit>(zone, "editNumber")->text(), "42");
    click(in(zone, "btnOk"));
    EXPECT_FALSE(zone->isVisible());
    EXPECT_TRUE(main->isEnabled());
    EXPECT_EQ(ctl<QLabel>("pnlZoneName")->text(), "The Mill");
    expectNoMessages("new zone");

    // The first room: flags DARK and INDOORS, sector CITY.
    newRoom("Mill Gate", {"A heavy oak gate.", "The river runs east."});
    EXPECT_EQ(roomNumberShown(), "4200");
    click(ctl("sb1_1"));
    click(ctl("sb1_4"));
    click(ctl("sb2_2"));
    EXPECT_EQ(ctl<QPushButton>("btnToggleAlpha")->text().trimmed(), "ad");
    update();
    expectNoMessages("first room");

    // A second room, renumbered with UPDATE.
    newRoom("Yard", {"A muddy yard."});
    EXPECT_EQ(roomNumberShown(), "4201");
    click(ctl("btnwld_Reset_All"));
    click(ctl("sb2_3"));
    update();
    type(ctl<QLineEdit>("editRoomNumber"), "4210");
    update();
    expectNoMessages("renumbering");
    ASSERT_EQ(numbers(), (std::vector<int32_t>{4200, 4210}));

    // The yard becomes the template; two rooms are added from it, south and then east.
    click(ctl("btnwld_MakeDefault"));
    click(ctl("sb_ct_Add"));
    click(ctl("ex_S"));
    click(ctl("ex_E"));
    expectNoMessages("default rooms");
    ASSERT_EQ(numbers(), (std::vector<int32_t>{4200, 4210, 4211, 4212}));
    EXPECT_EQ(currentVnum(), 4212);
    type(ctl<QLineEdit>("editRoomName"), "Mill Floor");
    typeLines(ctl<QPlainTextEdit>("memoRoom"), {"Sacks of flour."});
    click(ctl("sb1_3"));  // NOMOB
    update();
    expectNoMessages("mill floor");

    // A renamed flag and a new sector type, saved beside the program and taken into use.
    main->itemSetupBitvectors->trigger();
    TfrmSetBit* bits = app->setBit;
    ASSERT_TRUE(bits->isVisible());
    type(in<QLineEdit>(bits, "editName6"), "QUIET");
    leave(in(bits, "editName6"));
    prompts.answer(true);  // "Save these settings?"
    click(in(bits, "btnSave"));
    click(in(bits, "btnUse"));
    EXPECT_FALSE(bits->isVisible());
    EXPECT_EQ(ctl<QPushButton>("sb1_6")->text(), "QUIET");

    main->itemSetupSectors->trigger();
    TfrmSetSect* sectors = app->setSect;
    ASSERT_TRUE(sectors->isVisible());
    type(in<QLineEdit>(sectors, "editName11"), "SWAMP");
    leave(in(sectors, "editName11"));
    type(in<QLineEdit>(sectors, "editNumber11"), "12");
    leave(in(sectors, "editNumber11"));
    type(in<QLineEdit>(sectors, "editDescription"), "Mud to the knees.");
    leave(in(sectors, "editDescription"));
    prompts.answer(true);  // "Save these settings?"
    click(in(sectors, "btnSave"));
    click(in(sectors, "btnUse"));
    EXPECT_EQ(prompts.questions, (std::vector<std::string>{"Save these settings?", "Save these settings?"}));
    expectNoMessages("definitions");

    // Room 4211 gets the quiet flag and the new sector, from bank 2.
    click(ctl("sb_ct_Navigate"));
    click(ctl("btnPrev"));
    EXPECT_EQ(currentVnum(), 4211);
    click(ctl("sb1_6"));
    click(ctl("sb_sector_bank2"));
    EXPECT_EQ(ctl<QPushButton>("sb2_1")->text(), "SWAMP");
    click(ctl("sb2_1"));
    update();

    // Two extra descriptions with colour codes on the gate, from the main window.
    click(ctl("btnPrev"));
    click(ctl("btnPrev"));
    EXPECT_EQ(currentVnum(), 4200);
    click(ctl("btnExtra"));
    TExtraDesc* extras = app->extraDesc;
    ASSERT_TRUE(extras->isVisible());
    click(in(extras, "btnAdd"));
    type(in<QLineEdit>(extras, "editKey"), "sign");
    typeLines(in<QPlainTextEdit>(extras, "memoRoom"), {"/crDANGER/c0: weir ahead."});
    click(in(extras, "btnUpdate"));
    // "Show" draws the codes as the game will: DANGER in red, the rest in the colour-off grey.
    click(in(extras, "sb_Draw"));
    auto* preview = in<ColourPreviewPanel>(extras, "ColorPanel");
    ASSERT_TRUE(preview->isVisible());
    std::map<std::string, ColourValue> drawn;
    for (const ColourLabel& label : preview->labels()) drawn[label.text] = label.foreground;
    EXPECT_EQ(drawn["DANGER"], 0x0000FFu);
    EXPECT_EQ(drawn[": weir ahead."], 0xC0C0C0u);
    click(in(extras, "sb_Draw"));
    click(in(extras, "btnAdd"));
    type(in<QLineEdit>(extras, "editKey"), "gate oak");
    typeLines(in<QPlainTextEdit>(extras, "memoRoom"), {"Carved /cbblue/c0 runes.", "\tOld."});
    click(in(extras, "btnUpdate"));
    EXPECT_EQ(in<QListWidget>(extras, "ListBox1")->count(), 2);
    click(in(extras, "btnDone"));
    EXPECT_TRUE(main->isEnabled());
    expectNoMessages("extra descriptions");

    // The map: rooms placed from the selector, one by one and by a drag that ends with a
    // new default room.
    click(ctl("btnMap"));
    TfrmMap* map = app->mapWindow;
    ASSERT_TRUE(map->isVisible());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(map));
    auto* selector = in<QComboBox>(map, "selboxPlaceRoom");
    ASSERT_EQ(selector->count(), 5);
    EXPECT_TRUE(selector->itemText(1).startsWith("4200")) << selector->itemText(1).toStdString();
    EXPECT_TRUE(selector->itemText(4).startsWith("4212")) << selector->itemText(4).toStdString();
    click(in(map, "sb_Draw"));
    click(in(map, "sb_ON"));
    chooseLine(1);  // 4200
    clickOnMap(50, 50);
    chooseLine(1);  // 4210
    clickOnMap(51, 50);
    chooseLine(1);  // 4211
    clickOnMap(51, 51);
    chooseLine(1);  // 4212, then a default room below it
    dragOnMap(52, 51, 52, 52);
    EXPECT_EQ(selector->count(), 1);
    ASSERT_EQ(numbers(), (std::vector<int32_t>{4200, 4210, 4211, 4212, 4213}));
    expectNoMessages("placing");

    // The exit panel: a locked gate east of 4200, a door west of 4210 stepped to 2, and a
    // one-way exit up from the mill floor.
    click(in(map, "sb_Select"));
    clickOnMap(50, 50);
    EXPECT_EQ(in<QLabel>(map, "pnlCurrentRoom")->text(), "4200");
    click(in(map, "sb_E"));
    click(in(map, "sb_doorflag1"));
    type(in<QLineEdit>(map, "editVkey"), "4299");
    QTest::keyClick(in(map, "editVkey"), Qt::Key_Return);
    type(in<QLineEdit>(map, "editKeywords"), "gate");
    QTest::keyClick(in(map, "editKeywords"), Qt::Key_Return);
    typeLines(in<QPlainTextEdit>(map, "editGenDesc"), {"The oak gate."});
    leave(in(map, "editGenDesc"));

    clickOnMap(51, 50);
    click(in(map, "sb_W"));
    click(in(map, "btnDFC"));
    click(in(map, "btnDFC"));
    EXPECT_TRUE(in<QToolButton>(map, "sb_doorflag2")->isChecked());

    clickOnMap(52, 51);
    type(in<QLineEdit>(map, "editU"), "4200");
    QTest::keyClick(in(map, "editU"), Qt::Key_Return);

    // An extra description for the new default room, from the map.
    clickOnMap(52, 52);
    click(in(map, "btnExtra"));
    ASSERT_TRUE(extras->isVisible());
    EXPECT_FALSE(map->isEnabled());
    click(in(extras, "btnAdd"));
    type(in<QLineEdit>(extras, "editKey"), "floor boards");
    typeLines(in<QPlainTextEdit>(extras, "memoRoom"), {"Loose /cyboards/c0."});
    click(in(extras, "btnUpdate"));
    click(in(extras, "btnDone"));
    EXPECT_TRUE(map->isEnabled());
    click(in(map, "btnDone"));
    EXPECT_FALSE(map->isVisible());
    EXPECT_TRUE(main->isEnabled());
    expectNoMessages("exit panel");

    // A cellar that stays off the map: flag DARK, sector INSIDE. Its "~~" would end the
    // description early in the file; it is stored as "--".
    newRoom("Cellar", {"Dark and damp ~~ water drips."});
    EXPECT_EQ(roomNumberShown(), "4214");
    click(ctl("btnwld_Reset_All"));
    click(ctl("sb1_1"));
    click(ctl("sb_sector_bank1"));
    click(ctl("sb2_1"));
    update();
    expectNoMessages("cellar");

    // The cellar taken back with Edit → Undo and made again with Redo.
    main->itemUndo->trigger();
    EXPECT_EQ(numbers(), (std::vector<int32_t>{4200, 4210, 4211, 4212, 4213}));
    main->itemRedo->trigger();
    EXPECT_EQ(numbers(), (std::vector<int32_t>{4200, 4210, 4211, 4212, 4213, 4214}));

    // Saved through the output window: DOS, UNIX, and UNIX with the bitvectors as numbers.
    main->itemSavewld->trigger();
    TfrmQuendryOut* output = app->output;
    ASSERT_TRUE(output->isVisible());
    files.nextSave = path("mill_dos.wld");
    click(in(output, "btnDOS"));
    files.nextSave = path("mill.wld");
    click(in(output, "btnUNIX"));
    click(in(output, "sb_Bitvectors"));
    click(in(output, "btnREMAKE"));
    files.nextSave = path("mill_numbers.wld");
    click(in(output, "btnUNIX"));
    click(in(output, "btnDONE"));
    expectNoMessages("saving");
    EXPECT_TRUE(prompts.questions.empty());

    const std::string dos = readBytes(path("mill_dos.wld"));
    const std::string unix = readBytes(path("mill.wld"));
    EXPECT_TRUE(allLinesEndCrLf(dos));
    EXPECT_EQ(withoutCarriageReturns(dos), unix);
    EXPECT_NE(unix.find("42 ad 1\n"), std::string::npos);
    EXPECT_NE(readBytes(path("mill_numbers.wld")).find("42 9 1\n"), std::string::npos);
    EXPECT_EQ(readBytes(path("mill.map")), kIntendedMap);
    EXPECT_EQ(readBytes(path("mill_dos.map")), kIntendedMap);

    // The side files: eleven flags with the sixth renamed, eleven sector types.
    const std::vector<std::string> flagLines = linesOf(readBytes(path("rmbitvec.txt")));
    ASSERT_EQ(flagLines.size(), 11u);
    EXPECT_TRUE(allLinesEndCrLf(readBytes(path("rmbitvec.txt"))));
    EXPECT_EQ(flagLines[0], "1 a DARK Room is dark.\r");
    EXPECT_EQ(flagLines[5], "32 f QUIET Shouts, gossips, etc. will not be heard in this room.\r");
    const std::string sectorFile = readBytes(path("rsectype.txt"));
    const std::vector<std::string> sectorLines = linesOf(sectorFile);
    ASSERT_EQ(sectorLines.size(), 11u);
    EXPECT_TRUE(allLinesEndCrLf(sectorFile));
    EXPECT_EQ(sectorLines[1], "1 CITY The streets of a city.\r");
    EXPECT_EQ(sectorLines[10], "12 SWAMP Mud to the knees.\r");

    // What the builder meant, as the command-line tool reads each saved form.
    const std::string intended = intendedZone();
    EXPECT_EQ(dumpOf(path("mill.wld")), intended);
    EXPECT_EQ(dumpOf(path("mill_dos.wld")), intended);
    EXPECT_EQ(dumpOf(path("mill_numbers.wld")), intended);

    // A fresh program started on the saved file, in the same directory.
    start(path("mill.wld"));
    EXPECT_TRUE(prompts.messages.empty()) << prompts.lastMessage();
    EXPECT_EQ(worldToJson(app->store, app->map.placement, {}), intended);
    EXPECT_EQ(ctl<QPushButton>("sb1_6")->text(), "QUIET");
    EXPECT_TRUE(ctl("sb_sector_bank2")->isEnabled());
    click(ctl("sb_sector_bank2"));
    EXPECT_EQ(ctl<QPushButton>("sb2_1")->text(), "SWAMP");
    EXPECT_EQ(ctl<QLineEdit>("editRoomNumber")->text(), "4200");
    EXPECT_EQ(ctl<QPushButton>("btnToggleAlpha")->text().trimmed(), "ad");
    app->store.setCurrent(app->store.findByVnum(4211));
    click(ctl("btnMap"));
    EXPECT_EQ(app->mapWindow->windowTitle(), "Map: 4211   Yard");
    click(in(app->mapWindow, "btnDone"));
}

}  // namespace
