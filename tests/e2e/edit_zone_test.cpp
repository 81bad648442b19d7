// A builder loads a zone that someone else wrote — rooms out of order, both line endings,
// tabs, bytes above 127, doors, keys, extra descriptions, a room of another zone — edits
// three rooms through the windows, saves and loads it again: the three rooms are as edited
// and nothing else changed by a byte.
#include <QAction>
#include <QListWidget>
#include <map>

#include "cli/world_json.h"
#include "dialogs/textradesc.h"
#include "dos_lines.h"
#include "e2e_support.h"
#include "wldfile/tfrmquendryout.h"

namespace {

using namespace e2e;

// Rooms as the file holds them, each in the UNIX form; the file mixes both forms.
const std::vector<std::pair<int, std::string>> kRoomsInFileOrder = {
    {5104,
     "#5104\n"
     "The Mill Race~\n"
     "Water\trushes under the wheel.\n"
     "The stones are wet.\n"
     "~\n"
     "51 dk 6\n"
     "D3\n"
     "~\n"
     "~\n"
     "0 -1 5103\n"
     "E\n"
     "wheel mill~\n"
     "The wheel turns /cbslowly/c0.\n"
     "~\n"
     "E\n"
     "water race~\n"
     "Cold.\n"
     "~\n"
     "E\n"
     "stones~\n"
     "Slick with moss.\n"
     "~\n"
     "S\n"},
    {5101,
     "#5101\n"
     "Caf\xE9 du Pont~\n"
     "A small caf\xC3\xA9 by the bridge.\n"
     "Bytes \xFF\xFE\x80 stay as they are.\n"
     "~\n"
     "51 a 0\n"
     "D1\n"
     "A door east.\n"
     "~\n"
     "door wooden~\n"
     "1 5199 5102\n"
     "D2\n"
     "~\n"
     "~\n"
     "0 -1 5105\n"
     "D4\n"
     "~\n"
     "~\n"
     "0 -1 3001\n"
     "S\n"},
    {5103,
     "#5103\n"
     "Crossroads~\n"
     "Four roads meet here.\n"
     "~\n"
     "51 0 1\n"
     "D0\n"
     "~\n"
     "~\n"
     "0 -1 5102\n"
     "D1\n"
     "~\n"
     "~\n"
     "0 -1 5104\n"
     "S\n"},
    {5102,
     "#5102\n"
     "Bridge~\n"
     "An old stone bridge.\n"
     "~\n"
     "51 E 4\n"
     "D0\n"
     "The river below.\n"
     "~\n"
     "grate~\n"
     "1 5198 5120\n"
     "D2\n"
     "~\n"
     "~\n"
     "0 -1 5103\n"
     "D3\n"
     "~\n"
     "~\n"
     "0 -1 5101\n"
     "S\n"},
    {5110,
     "#5110\n"
     "Lost Room~\n"
     "~\n"
     "52 0 42\n"
     "S\n"},
    {5105,
     "#5105\n"
     "Quiet Corner~\n"
     "Quiet.\n"
     "~\n"
     "51 0 0\n"
     "D0\n"
     "~\n"
     "~\n"
     "0 -1 5101\n"
     "S\n"},
};
// Rooms 5104, 5103 and 5110 are written with CR LF, the others with LF alone.
bool writtenInDosForm(int vnum) { return vnum == 5104 || vnum == 5103 || vnum == 5110; }

// Room 5110 stays off the map.
const char* const kMapFile =
    "5101 50 50 5\r\n"
    "5102 51 50 5\r\n"
    "5103 51 51 5\r\n"
    "5104 52 51 5\r\n"
    "5105 50 51 5\r\n";

// The rooms the builder edits, as they are meant to be written.
const std::map<int, std::string> kEditedRooms = {
    {5103,
     "#5103\n"
     "Old Crossroads \xC3\xA9~\n"
     "Four roads meet here.\n"
     "A signpost leans west.\n"
     "~\n"
     "51 a 1\n"
     "D0\n"
     "~\n"
     "~\n"
     "0 -1 5102\n"
     "D1\n"
     "~\n"
     "~\n"
     "0 -1 5104\n"
     "S\n"},
    {5102,
     "#5102\n"
     "Bridge~\n"
     "An old stone bridge.\n"
     "~\n"
     "51 E 4\n"
     "D0\n"
     "The river below.\n"
     "~\n"
     "grate iron~\n"
     "2 5197 5120\n"
     "D2\n"
     "~\n"
     "~\n"
     "0 -1 5103\n"
     "D3\n"
     "~\n"
     "~\n"
     "0 -1 5101\n"
     "S\n"},
    {5104,
     "#5104\n"
     "The Mill Race~\n"
     "Water\trushes under the wheel.\n"
     "The stones are wet.\n"
     "~\n"
     "51 dk 6\n"
     "D3\n"
     "~\n"
     "~\n"
     "0 -1 5103\n"
     "E\n"
     "wheel mill~\n"
     "The wheel is still.\n"
     "~\n"
     "E\n"
     "water race~\n"
     "Cold.\n"
     "~\n"
     "S\n"},
};

// A world file in the UNIX form cut into its rooms by their "#" lines; "$" ends it.
std::map<int, std::string> roomsOf(const std::string& text, std::string* tail = nullptr) {
    std::map<int, std::string> rooms;
    size_t at = 0;
    while (at < text.size() && text[at] == '#') {
        size_t next = at;
        do {
            next = text.find('\n', next);
            next = next == std::string::npos ? text.size() : next + 1;
        } while (next < text.size() && text[next] != '#' && text[next] != '$');
        rooms[std::stoi(text.substr(at + 1))] = text.substr(at, next - at);
        at = next;
    }
    if (tail) *tail = text.substr(at);
    return rooms;
}

// The rooms of a quendry-wld dump, one JSON object each, by number.
std::map<int, std::string> dumpedRooms(const std::string& json) {
    std::map<int, std::string> rooms;
    const std::string marker = "{\"vnum\": ";
    size_t at = json.find(marker);
    while (at != std::string::npos) {
        size_t next = json.find(marker, at + 1);
        rooms[std::stoi(json.substr(at + marker.size()))] =
            json.substr(at, (next == std::string::npos ? json.find("], \"placementList\"") : next) - at);
        at = next;
    }
    return rooms;
}

class EditZoneTest : public ProgramTest {
protected:
    void SetUp() override {
        ProgramTest::SetUp();
        std::string original;
        for (const auto& [vnum, text] : kRoomsInFileOrder) original += writtenInDosForm(vnum) ? dosLines(text) : text;
        original += "$\n";
        writeBytes(path("river.wld"), original);
        writeBytes(path("river.map"), kMapFile);
    }
    int32_t currentVnum() const { return app->store.current() ? app->store.current()->vnum : 0; }
    void clickLine(QListWidget* list, int row) {
        const QRect rect = list->visualItemRect(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, rect.center());
    }
};

TEST_F(EditZoneTest, ThreeRoomsEditedAndNothingElseChangedByAByte) {
    const std::string originalDump = dumpOf(path("river.wld"));
    ASSERT_NE(originalDump.find("{\"messages\": [], "), std::string::npos) << originalDump;

    start();
    files.nextOpen = path("river.wld");
    main->itemLoad->trigger();
    ASSERT_EQ(numbers(), (std::vector<int32_t>{5101, 5102, 5103, 5104, 5105, 5110}));
    EXPECT_TRUE(prompts.messages.empty()) << prompts.lastMessage();

    // UPDATE on rooms shown but not changed changes nothing: 5101 with its bytes above 127
    // in the name and the description, 5102 with a flag beyond the banks (bit 30).
    ASSERT_EQ(currentVnum(), 5101);
    click(ctl("btnwld_Update"));
    type(ctl<QLineEdit>("editJump"), "5102");
    QTest::keyClick(ctl("editJump"), Qt::Key_Return);
    ASSERT_EQ(currentVnum(), 5102);
    click(ctl("btnwld_Update"));
    EXPECT_TRUE(prompts.messages.empty()) << prompts.lastMessage();

    // 5103, found by the search field: a new name with a byte above 127, a second line
    // of description, the DARK flag.
    type(ctl<QLineEdit>("editJump"), "5103");
    QTest::keyClick(ctl("editJump"), Qt::Key_Return);
    ASSERT_EQ(currentVnum(), 5103);
    type(ctl<QLineEdit>("editRoomName"), QString::fromUtf8("Old Crossroads \xC3\xA9"));
    leave(ctl("editRoomName"));
    typeLines(ctl<QPlainTextEdit>("memoRoom"), {"Four roads meet here.", "A signpost leans west."});
    click(ctl("sb1_1"));
    click(ctl("btnwld_Update"));

    // 5102 in the map's exit panel: the north grate becomes a locked door with a new key.
    click(ctl("btnMap"));
    TfrmMap* map = app->mapWindow;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(map));
    clickOnMap(51, 50);
    ASSERT_EQ(in<QLabel>(map, "pnlCurrentRoom")->text(), "5102");
    click(in(map, "sb_N"));
    EXPECT_EQ(in<QLineEdit>(map, "editKeywords")->text(), "grate");
    click(in(map, "sb_doorflag2"));
    type(in<QLineEdit>(map, "editVkey"), "5197");
    QTest::keyClick(in(map, "editVkey"), Qt::Key_Return);
    type(in<QLineEdit>(map, "editKeywords"), "grate iron");
    QTest::keyClick(in(map, "editKeywords"), Qt::Key_Return);
    click(in(map, "btnDone"));

    // 5104's extra descriptions: the first rewritten, the last deleted.
    click(ctl("btnNext"));
    ASSERT_EQ(currentVnum(), 5104);
    click(ctl("btnExtra"));
    TExtraDesc* extras = app->extraDesc;
    ASSERT_TRUE(extras->isVisible());
    auto* list = in<QListWidget>(extras, "ListBox1");
    ASSERT_EQ(list->count(), 3);
    clickLine(list, 0);
    EXPECT_EQ(in<QLineEdit>(extras, "editKey")->text(), "wheel mill");
    typeLines(in<QPlainTextEdit>(extras, "memoRoom"), {"The wheel is still."});
    click(in(extras, "btnUpdate"));
    clickLine(list, 2);
    EXPECT_EQ(in<QLineEdit>(extras, "editKey")->text(), "stones");
    click(in(extras, "btnDelete"));
    click(in(extras, "btnDone"));
    EXPECT_TRUE(prompts.messages.empty()) << prompts.lastMessage();

    // Saved over the original in the UNIX form, and beside it in the DOS form.
    main->itemSavewld->trigger();
    files.nextSave = path("river.wld");
    prompts.answer(true);  // "File exists.  Replace?"
    click(in(app->output, "btnUNIX"));
    files.nextSave = path("river_dos.wld");
    click(in(app->output, "btnDOS"));
    click(in(app->output, "btnDONE"));
    EXPECT_EQ(prompts.questions, (std::vector<std::string>{"File exists.  Replace?"}));
    EXPECT_TRUE(prompts.messages.empty()) << prompts.lastMessage();

    const std::string saved = readBytes(path("river.wld"));
    const std::string savedDos = readBytes(path("river_dos.wld"));
    EXPECT_TRUE(allLinesEndCrLf(savedDos));
    EXPECT_EQ(withoutCarriageReturns(savedDos), saved);
    EXPECT_EQ(readBytes(path("river.map")), kMapFile);
    EXPECT_EQ(readBytes(path("river_dos.map")), kMapFile);

    // Room by room: the edited ones as meant, every other one byte for byte as it was.
    std::string tail;
    const std::map<int, std::string> savedRooms = roomsOf(saved, &tail);
    EXPECT_EQ(tail, "$\n");
    ASSERT_EQ(savedRooms.size(), kRoomsInFileOrder.size());
    for (const auto& [vnum, text] : kRoomsInFileOrder) {
        ASSERT_TRUE(savedRooms.count(vnum)) << vnum;
        const auto edited = kEditedRooms.find(vnum);
        EXPECT_EQ(savedRooms.at(vnum), edited == kEditedRooms.end() ? text : edited->second) << "room " << vnum;
    }

    // The same through quendry-wld and through a fresh program: the rooms nobody touched
    // dump as they did before the edit.
    const std::string savedDump = dumpOf(path("river.wld"));
    EXPECT_EQ(dumpOf(path("river_dos.wld")), savedDump);
    const auto before = dumpedRooms(originalDump);
    const auto after = dumpedRooms(savedDump);
    ASSERT_EQ(after.size(), before.size());
    for (const auto& [vnum, json] : before) {
        if (!kEditedRooms.count(vnum)) {
            EXPECT_EQ(after.at(vnum), json) << "room " << vnum;
        }
    }
    EXPECT_NE(after.at(5103).find("\"name\": \"Old Crossroads \xC3\xA9\""), std::string::npos) << after.at(5103);
    EXPECT_NE(savedDump.find("\"placementList\": [5110]"), std::string::npos);

    start(path("river.wld"));
    EXPECT_TRUE(prompts.messages.empty()) << prompts.lastMessage();
    EXPECT_EQ(worldToJson(app->store, app->map.placement, {}), savedDump);
}

}  // namespace
