#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reader_test_support.h"

using namespace std::string_literals;

namespace {

struct FileCase {
    const char* file;
    bool checkOrder;
    WorldReadResult result;
    std::vector<std::string> messages;
    std::vector<int32_t> vnums;
};

std::ostream& operator<<(std::ostream& os, const FileCase& c) {
    return os << c.file << (c.checkOrder ? "" : " (file order)");
}

using R = WorldReadResult;

const FileCase kFileCases[] = {
    {"only_dollar.wld", true, R::Success, {}, {}},
    {"no_dollar.wld", true, R::Failed, {"Unexpected EOF"}, {32001, 32002}},
    {"negative_header.wld", true, R::Failed, {"Format error after room 32001"}, {32001}},
    {"blank_before_hash.wld",
     true,
     R::Failed,
     {"Format error in world file near room -1\r\n.  Offending line:  #32001\n"},
     {}},
    {"garbage_line.wld",
     true,
     R::Failed,
     {"Format error in world file near room 32001\r\n.  Offending line: garbage\n"},
     {32001}},
    {"duplicate_room.wld", true, R::Failed, {"Cannot create room #32001: Vnum is already in use"}, {32001}},
    {"duplicate_room.wld", false, R::Success, {}, {32001, 32001, 32002}},
    {"rooms_out_of_order.wld", true, R::Success, {}, {32001, 32003, 32005}},
    {"rooms_out_of_order.wld", false, R::Success, {}, {32005, 32001, 32003}},
    {"exit_direction_7.wld",
     true,
     R::Failed,
     {"Format error, room #32001, direction D7", "(2)Format error in room #32001 (expecting D/E/S)"},
     {32000}},
    {"exit_to_beyond_32_bits.wld",
     true,
     R::Failed,
     {"Format error, room #11, direction D0", "(2)Format error in room #11 (expecting D/E/S)"},
     {10}},
    {"blank_line_in_room.wld",
     true,
     R::Failed,
     {"(2)Format error in room #32001 (expecting D/E/S)"},
     {32000}},
    {"zone_not_a_number.wld", true, R::Failed, {"Format error in room #11"}, {10}},
    {"zone_beyond_32_bits.wld", true, R::Failed, {"Format error in room #11"}, {10}},
    {"sector_not_a_number.wld", true, R::Failed, {"Format error in room #11"}, {10}},
    {"ends_inside_room.wld", true, R::Failed, {"Format error in room #11 (expecting D/E/S)"}, {10}},
    {"ends_before_description.wld",
     true,
     R::Failed,
     {"SYSERR: fread_string: format error at or near ", "Format error in room #5 (expecting D/E/S)"},
     {}},
    {"ends_in_extra_desc.wld",
     true,
     R::Failed,
     {"SYSERR: fread_string: format error at or near E\n",
      "SYSERR: fread_string: format error at or near E\n", "Format error in room #5 (expecting D/E/S)"},
     {}},
    {"room_99999_ends.wld", true, R::Success, {}, {99998}},
    {"ctrl_z_between_rooms.wld", true, R::Failed, {"Unexpected EOF"}, {1}},
    {"ctrl_z_after_end.wld", true, R::Success, {}, {1}},
    // The servers read a blank after a header's number; so does the reader.
    {"header_trailing_blank.wld", true, R::Success, {}, {32000, 32001}},
    // Conversion failures stop at once and keep the room being read as far as it was read.
    {"bitvector_beyond_32_bits.wld",
     true,
     R::ConversionFailed,
     {"'99999999999' is not a valid integer value"},
     {10, 11}},
    {"direction_not_a_digit.wld", true, R::ConversionFailed, {"'x' is not a valid integer value"}, {10, 11}},
};

class ReaderFileCase : public ::testing::TestWithParam<FileCase> {};

}  // namespace

TEST_P(ReaderFileCase, GivesItsMessagesAndKeepsTheRoomsReadBeforeTheFault) {
    const FileCase& c = GetParam();
    ReadOutcome out;
    readInto(out, readTestFile(c.file), c.checkOrder);
    EXPECT_EQ(out.result, c.result);
    EXPECT_EQ(out.prompts.messages, c.messages);
    EXPECT_EQ(vnumsInOrder(out.store), c.vnums);
    expectIndexConsistent(out.store);
    // The progress window is shown once and hidden on every path.
    ASSERT_GE(out.progress.events.size(), 3u);
    EXPECT_EQ(out.progress.events[0], "clear");
    EXPECT_EQ(out.progress.events[1], "show");
    EXPECT_EQ(out.progress.events.back(), "hide");
    EXPECT_FALSE(out.progress.visible);
}

INSTANTIATE_TEST_SUITE_P(Files, ReaderFileCase, ::testing::ValuesIn(kFileCases));

TEST(WorldReader, ReadsEveryFieldOfAZone) {
    ReadOutcome out;
    readInto(out, readTestFile("grove_unix.wld"));
    ASSERT_EQ(out.result, WorldReadResult::Success);
    EXPECT_TRUE(out.prompts.messages.empty());
    ASSERT_EQ(out.store.size(), 3u);

    const RoomDataType& grove = *out.store.first()->room;
    EXPECT_EQ(grove.name, "The Dark Grove");
    EXPECT_EQ(grove.description, "Old trees lean over a narrow path.\r\n");
    EXPECT_EQ(grove.zone, 320);
    EXPECT_EQ(grove.bitvector, 2056);  // dl
    EXPECT_EQ(grove.sectorType, 2);
    EXPECT_EQ(grove.exitTo[North], 32002);
    EXPECT_EQ(grove.exits[North].description, "A path leads north.\r\n");
    EXPECT_EQ(grove.exits[North].keywords, "gate");
    EXPECT_EQ(grove.exits[North].doorFlag, 1);
    EXPECT_EQ(grove.exits[North].key, -1);
    EXPECT_EQ(grove.exitTo[East], 0);
    EXPECT_EQ(grove.exits[East], RoomExitType{});
    ASSERT_EQ(grove.extraDescCount(), 1u);
    EXPECT_EQ(grove.extraDescs->keywords, "trees");
    EXPECT_EQ(grove.extraDescs->description, "They are very old.\r\n");
    EXPECT_EQ(grove.mapX, -1);

    const RoomDataType& clearing = *out.store.nodeAt(1)->room;
    EXPECT_EQ(clearing.name, "Clearing \xe9t\xc3\xa9");  // bytes above 127 pass unchanged
    EXPECT_EQ(clearing.description, "A quiet clearing.\r\nSunlight falls here.\r\n");
    EXPECT_EQ(clearing.bitvector, 2056);
    EXPECT_EQ(clearing.exits[Up].description, "Up a tree.\r\n");
    EXPECT_EQ(clearing.exits[Up].doorFlag, 0);  // 7 is no door flag
    EXPECT_EQ(clearing.exits[Up].key, 3000);
    EXPECT_EQ(clearing.exitTo[Up], 32003);

    const RoomDataType& top = *out.store.last()->room;
    EXPECT_EQ(top.description, "Quiet.\r\n");
    EXPECT_EQ(top.bitvector, (1 << 26) | (1 << 27));  // AB
    ASSERT_EQ(top.extraDescCount(), 2u);
    EXPECT_EQ(top.extraDescs->keywords, "leaves leaf");
    EXPECT_EQ(top.extraDescs->next->keywords, "bark");
    EXPECT_EQ(top.extraDescs->next->description, "");
    // Current is the last node created.
    EXPECT_EQ(out.store.current(), out.store.last());
}

TEST(WorldReader, DosUnixAndMixedLineEndingsGiveIdenticalStores) {
    ReadOutcome unix, dos, mixed;
    readInto(unix, readTestFile("grove_unix.wld"));
    readInto(dos, readTestFile("grove_dos.wld"));
    readInto(mixed, readTestFile("grove_mixed.wld"));
    EXPECT_TRUE(dos.prompts.messages.empty());
    EXPECT_TRUE(mixed.prompts.messages.empty());
    EXPECT_EQ(describeStore(dos.store), describeStore(unix.store));
    EXPECT_EQ(describeStore(mixed.store), describeStore(unix.store));
    for (RoomIndexNode *a = unix.store.first(), *b = dos.store.first(); a && b; a = a->next, b = b->next)
        EXPECT_TRUE(sameRoomContent(*a->room, *b->room)) << a->vnum;
}

TEST(WorldReader, ProgressTitlesEachRoomAndCountsEveryHash) {
    ReadOutcome out;
    readInto(out, readTestFile("four_rooms.wld"));
    EXPECT_EQ(out.progress.percentages, (std::vector<int>{25, 50, 75, 100}));
    EXPECT_EQ(out.progress.events,
              (std::vector<std::string>{"clear", "show", "title 1", "progress 25", "title 2", "progress 50",
                                        "title 3", "progress 75", "title 4", "progress 100", "hide"}));

    // A "#" inside a text counts too: the bar ends short of 100 (truncated, 2 of 3 = 66).
    ReadOutcome hashes;
    readInto(hashes, "#1\nR#1~\n~\n0 0 0\nS\n#2\nR~\n~\n0 0 0\nS\n$\n");
    EXPECT_EQ(hashes.progress.percentages, (std::vector<int>{33, 66}));
}

TEST(WorldReader, ClosingTheProgressWindowCancelsAtTheNextTopLevelLine) {
    ReadOutcome out;
    out.progress.cancelAfterTitles = 2;
    readInto(out, readTestFile("four_rooms.wld"));
    EXPECT_EQ(out.result, WorldReadResult::Failed);
    EXPECT_EQ(out.prompts.messages, (std::vector<std::string>{"Cancelled"}));
    EXPECT_EQ(vnumsInOrder(out.store), (std::vector<int32_t>{1, 2}));
}

TEST(WorldReader, ReaderLineFollowsEveryMessage) {
    ReadOutcome garbage;
    readInto(garbage, readTestFile("garbage_line.wld"));
    EXPECT_EQ(garbage.readerLine, 7);

    ReadOutcome blank;
    readInto(blank, readTestFile("blank_line_in_room.wld"));
    EXPECT_EQ(blank.readerLine, 12);  // the blank line after room 32001's flag line
}

TEST(WorldReader, FlagLineTakesOneBlankAfterTheZoneAndATokenUpToBlankOrLf) {
    // The token ends at a blank or LF: a CR before the LF stays in it, so a numbers-form
    // token followed by CR reads as letters (none); the sector may follow on a later line.
    ReadOutcome crInToken;
    readInto(crInToken, "#1\nR~\n~\n320 2056\r\n 3 ignored\r\nS\r\n#2\nR~\n~\n320 dl\r\n4\nS\n$\n");
    ASSERT_EQ(crInToken.store.size(), 2u);
    EXPECT_EQ(crInToken.store.first()->room->bitvector, 0);
    EXPECT_EQ(crInToken.store.first()->room->sectorType, 3);
    EXPECT_EQ(crInToken.store.last()->room->bitvector, 2056);
    EXPECT_EQ(crInToken.store.last()->room->sectorType, 4);

    // Two blanks after the zone: the token is empty and the sector meets the letters.
    ReadOutcome twoBlanks;
    readInto(twoBlanks, "#1\nR~\n~\n320  dl 2\nS\n$\n");
    EXPECT_EQ(twoBlanks.prompts.messages, (std::vector<std::string>{"Format error in room #1"}));
    EXPECT_TRUE(twoBlanks.store.empty());

    // Numbers in hexadecimal, a zone cut at 32 bytes, the token a1 and a door line spread
    // over several lines.
    ReadOutcome tokens;
    readInto(tokens, "#1\nR~\n~\n$140 a1 2\nD0\n~\n~\n1\n-1\n   5\nS\n#2\nR~\n~\n" + std::string(32, '0') +
                         "320 G 1\nS\n$\n");
    ASSERT_EQ(tokens.store.size(), 2u);
    EXPECT_TRUE(tokens.prompts.messages.empty());
    const RoomDataType& one = *tokens.store.first()->room;
    EXPECT_EQ(one.zone, 320);
    EXPECT_EQ(one.bitvector, 1);
    EXPECT_EQ(one.exitTo[North], 5);
    EXPECT_EQ(one.exits[North].doorFlag, 1);
    const RoomDataType& two = *tokens.store.last()->room;
    EXPECT_EQ(two.zone, 0);  // the first 32 zeros; the rest of the token is dropped with its blank
    EXPECT_EQ(two.bitvector, 0);
    EXPECT_EQ(two.sectorType, 1);
}

TEST(WorldReader, BlocksMayInterleaveAndASecondBlockForADirectionReplacesTheFirst) {
    ReadOutcome out;
    readInto(
        out,
        "#1\nR~\n~\n0 0 0\nE\nk1~\nt1\n~\nD0xyz\nold~\nold~\n1 5 100\nE extra\nk2~\nt2~\nD0\nnew\n~\nnew~\n"
        "-1 6 200 trailing\nD3\n~\n~\n2 -1 0\nSkip the rest\n$\n");
    ASSERT_EQ(out.store.size(), 1u);
    EXPECT_TRUE(out.prompts.messages.empty());
    const RoomDataType& r = *out.store.first()->room;
    EXPECT_EQ(r.exitTo[North], 200);
    EXPECT_EQ(r.exits[North].description, "new\r\n");
    EXPECT_EQ(r.exits[North].keywords, "new");
    EXPECT_EQ(r.exits[North].doorFlag, 0);  // -1 is no door flag
    EXPECT_EQ(r.exits[North].key, 6);
    EXPECT_EQ(r.exitTo[West], 0);  // read with its door flag, though it leads nowhere
    EXPECT_EQ(r.exits[West].doorFlag, 2);
    ASSERT_EQ(r.extraDescCount(), 2u);
    EXPECT_EQ(r.extraDescs->keywords, "k1");
    EXPECT_EQ(r.extraDescs->next->description, "t2\r\n");
}

TEST(WorldReader, HeaderNumbersEndTheFileOrTheRoom) {
    // A header with a byte 0 reads up to it; one with an empty number is a conversion failure.
    ReadOutcome nul;
    readInto(nul, "#12\0junk\nR~\n~\n0 0 0\nS\n#\n"s);
    EXPECT_EQ(vnumsInOrder(nul.store), (std::vector<int32_t>{12}));
    EXPECT_EQ(nul.prompts.messages, (std::vector<std::string>{"'' is not a valid integer value"}));
    EXPECT_EQ(nul.result, WorldReadResult::ConversionFailed);

    // Room 0 is an ordinary room; 2147483647 ends the file like 99999.
    ReadOutcome edges;
    readInto(edges, "#0\nR~\n~\n0 0 0\nS\n#2147483647\n#5\n");
    EXPECT_EQ(edges.result, WorldReadResult::Success);
    EXPECT_EQ(vnumsInOrder(edges.store), (std::vector<int32_t>{0}));

    // A "D" line without its digit.
    ReadOutcome bareD;
    readInto(bareD, "#1\nR~\n~\n0 0 0\nD\n");
    EXPECT_EQ(bareD.prompts.messages, (std::vector<std::string>{"'\n' is not a valid integer value"}));
}
