#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "wldfile/world_writer.h"
#include "world/world_store.h"

namespace {

RoomDataType& addRoom(WorldStore& store, int32_t vnum, std::string name = "A room",
                      std::string description = "Plain.\r\n", int32_t zone = 320) {
    auto room = std::make_unique<RoomDataType>();
    room->vnum = vnum;
    room->name = std::move(name);
    room->description = std::move(description);
    room->zone = zone;
    initNewRoom(*room);
    return *store.insertOrdered(WorldStore::makeNode(std::move(room)))->room;
}

// Joins lines with CR LF after each, the way the file is written.
std::string dos(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

// The example room of the format: an exit north with a door and no key, one extra description.
void addDarkGrove(WorldStore& store) {
    RoomDataType& r = addRoom(store, 32001, "The Dark Grove", "Old trees lean over a narrow path.\r\n");
    r.bitvector = (1 << 3) | (1 << 11);
    r.sectorType = 2;
    r.exitTo[North] = 32002;
    r.exits[North] = {"A path leads north.\r\n", "gate", 1, -1};
    r.appendExtraDesc("trees", "They are very old.\r\n");
}

}  // namespace

TEST(WorldWriter, ExampleRoomInLettersAndNumbers) {
    WorldStore store;
    addDarkGrove(store);
    const std::vector<std::string> lines = {"#32001", "The Dark Grove~", "Old trees lean over a narrow path.", "~",
                                            "320 dl 2", "D0", "A path leads north.", "~", "gate~", "1 -1 32002",
                                            "E", "trees~", "They are very old.", "~", "S", "$"};
    EXPECT_EQ(buildWorldText(store, true), dos(lines));
    std::vector<std::string> numbers = lines;
    numbers[4] = "320 2056 2";
    EXPECT_EQ(buildWorldText(store, false), dos(numbers));
}

TEST(WorldWriter, TextsFlagsAndExitsEdgeCases) {
    WorldStore store;
    // No exits, no extras; a name holding "~" is written as is; a description without a
    // final line break gets its "~" on its last line; bitvector 0 is "0" in both forms.
    addRoom(store, 10, "a~b", "Quiet.");
    // Empty texts are the line "~" alone; bits 0, 3 and 27; exits only where the
    // destination is not 0 (a negative one is written), in direction order; extra
    // descriptions in chain order.
    RoomDataType& r = addRoom(store, 11, "", "", -7);
    r.bitvector = 1 | 8 | (1 << 27);
    r.sectorType = -3;
    r.exits[North] = {"Texts but no destination.\r\n", "ghost", 2, 5};
    r.exitTo[Down] = 12;
    r.exits[Down] = {"", "", 0, -1};
    r.exitTo[East] = -4;
    r.exits[East] = {"Line one\r\nline two\r\n", "door wooden", 2, 31999};
    r.appendExtraDesc("first", "One.\r\n");
    r.appendExtraDesc("", "");
    r.appendExtraDesc("third", "Three");
    // Bit 31: letters F, number negative.
    addRoom(store, 12, "Top", "T\r\n").bitvector = INT32_MIN;

    const std::string letters = dos({"#10", "a~b~", "Quiet.~", "320 0 0", "S",
                                     "#11", "~", "~", "-7 adB -3",
                                     "D1", "Line one", "line two", "~", "door wooden~", "2 31999 -4",
                                     "D5", "~", "~", "0 -1 12",
                                     "E", "first~", "One.", "~", "E", "~", "~", "E", "third~", "Three~", "S",
                                     "#12", "Top~", "T", "~", "320 F 0", "S", "$"});
    EXPECT_EQ(buildWorldText(store, true), letters);
    const std::string numbers = buildWorldText(store, false);
    EXPECT_NE(numbers.find("\r\n-7 134217737 -3\r\n"), std::string::npos);
    EXPECT_NE(numbers.find("\r\n320 F 0\r\n"), std::string::npos) << "bit 31 survives only as a letter";
    EXPECT_NE(numbers.find("\r\n320 0 0\r\n"), std::string::npos);
}

TEST(WorldWriter, IndexOrderEmptyStoreAndRoomReports) {
    WorldStore empty;
    EXPECT_EQ(buildWorldText(empty, true), "$\r\n");
    EXPECT_EQ(suggestedFileName(empty), "");

    // A world read in file order keeps that order, duplicates included.
    WorldStore store;
    for (int32_t vnum : {32005, 32001, 32005}) {
        auto room = std::make_unique<RoomDataType>();
        room->vnum = vnum;
        room->zone = vnum == 32005 ? 320 : 999;
        store.appendNode(WorldStore::makeNode(std::move(room)));
    }
    std::vector<int32_t> reported;
    const std::string text = buildWorldText(store, true, [&](int32_t v) { reported.push_back(v); });
    EXPECT_EQ(reported, (std::vector<int32_t>{32005, 32001, 32005}));
    EXPECT_LT(text.find("#32005"), text.find("#32001"));
    EXPECT_NE(text.find("#32005", text.find("#32001")), std::string::npos);
    EXPECT_EQ(suggestedFileName(store), "320") << "the zone of the first room of the index";
}

TEST(WorldWriter, UnixFormRemovesOnlyCarriageReturns) {
    EXPECT_EQ(stripCarriageReturns("#1\r\nA\r\nB\r\n~\r\n"), "#1\nA\nB\n~\n");
    EXPECT_EQ(stripCarriageReturns(""), "");
    EXPECT_EQ(stripCarriageReturns("\r\r\r"), "");
    // Bytes 0 and 26 inside a text must not cut off the rooms after them.
    const std::string withStops = std::string("a\0b\r\n", 5) + "\x1a" + "c\r\n$\r\n\xff";
    EXPECT_EQ(stripCarriageReturns(withStops), std::string("a\0b\n", 4) + "\x1a" + "c\n$\n\xff");

    WorldStore store;
    addRoom(store, 1, "Three lines", "one\r\ntwo\r\nthree\r\n");
    const std::string unixText = stripCarriageReturns(buildWorldText(store, true));
    EXPECT_EQ(unixText.find('\r'), std::string::npos);
    EXPECT_EQ(unixText, "#1\nThree lines~\none\ntwo\nthree\n~\n320 0 0\nS\n$\n");
}

TEST(WorldWriter, MapFileHoldsPlacedRoomsInIndexOrder) {
    WorldStore store;
    EXPECT_EQ(buildMapFileText(store), "");
    RoomDataType& a = addRoom(store, 32003);
    addRoom(store, 32002);
    RoomDataType& c = addRoom(store, 32001);
    a.mapX = 51, a.mapY = 50, a.mapZ = 5;
    c.mapX = 50, c.mapY = 50, c.mapZ = 5;
    EXPECT_EQ(buildMapFileText(store), "32001 50 50 5\r\n32003 51 50 5\r\n");
    c.mapX = 0;  // only a column of 1 or more is on the map
    EXPECT_EQ(buildMapFileText(store), "32003 51 50 5\r\n");
}

TEST(WorldWriter, LargeStoreBuildsTheSameLinesAsSmallOnes) {
    // Every room written alone, then all together: the big text is the small ones in a
    // row, far past the first 100,000 bytes.
    WorldStore store;
    std::string expected;
    for (int32_t vnum = 1; vnum <= 3000; ++vnum) {
        const std::string description = std::string(static_cast<size_t>(vnum % 150), 'x') + "\r\n";
        RoomDataType& r = addRoom(store, vnum, "Room " + std::to_string(vnum), description);
        r.bitvector = vnum;
        r.exitTo[vnum % 6] = vnum + 1;
        r.exits[vnum % 6].keywords = "k";
        if (vnum % 7 == 0) r.appendExtraDesc("x", "y\r\n");

        WorldStore single;
        copyRoom(addRoom(single, vnum), r);
        std::string text = buildWorldText(single, true);
        text.resize(text.size() - 3);  // without "$" CR LF
        expected += text;
    }
    const std::string text = buildWorldText(store, true);
    ASSERT_GT(text.size(), 300000u);
    EXPECT_EQ(text, expected + "$\r\n");
}
