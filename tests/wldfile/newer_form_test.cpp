// The newer form of world files: six-field flag lines, trigger lines after "S",
// diagonal exits; header lines with blanks after the number in both forms; files that
// mix the forms; the writer in each form and the conversions between them.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "dos_lines.h"
#include "reader_test_support.h"
#include "wldfile/world_writer.h"
#include "world/newer_fields.h"

using namespace std::string_literals;

namespace {

using R = WorldReadResult;

// Two rooms of the classic form.
const std::string kClassicZone =
    "#4200\nGate~\nA gate.\n~\n42 dl 3\nD0\n~\ngate~\n1 -1 4201\nS\n"
    "#4201\nYard~\n~\n42 0 1\nE\nsign~\nOld.\n~\nS\n$\n";

// The same rooms in the newer form, with flag words, diagonal exits and triggers. Word
// 4 has bit 31 set: negative as a number, so written as letters in both forms.
const std::string kNewerLetters =
    "#4200\nGate~\nA gate.\n~\n42 dl b 0 F 3\nD0\n~\ngate~\n1 -1 4201\n"
    "D6\nA lane.\n~\nlane~\n2 7 4202\nD9\n~\n~\n0 -1 4201\nS\nT 4217\nT 4218\n"
    "#4201\nYard~\n~\n42 0 0 0 0 1\nD8\n~\n~\n0 -1 4200\nE\nsign~\nOld.\n~\nS\n$\n";
const std::string kNewerNumbers =
    "#4200\nGate~\nA gate.\n~\n42 2056 2 0 F 3\nD0\n~\ngate~\n1 -1 4201\n"
    "D6\nA lane.\n~\nlane~\n2 7 4202\nD9\n~\n~\n0 -1 4201\nS\nT 4217\nT 4218\n"
    "#4201\nYard~\n~\n42 0 0 0 0 1\nD8\n~\n~\n0 -1 4200\nE\nsign~\nOld.\n~\nS\n$\n";

void expectCleanRead(ReadOutcome& out, const std::string& text) {
    readInto(out, text);
    EXPECT_EQ(out.result, R::Success);
    EXPECT_EQ(out.prompts.messages, std::vector<std::string>{});
}

TEST(NewerForm, EachFormRoundTripsByteForByteInBothLineEndings) {
    struct Case {
        const char* name;
        const std::string& text;
        bool letters;
        WorldForm form;
    };
    const Case cases[] = {
        {"classic", kClassicZone, true, WorldForm::Classic},
        {"newer, letters", kNewerLetters, true, WorldForm::Newer},
        {"newer, numbers", kNewerNumbers, false, WorldForm::Newer},
    };
    for (const Case& c : cases) {
        for (bool dos : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (dos ? ", DOS" : ", UNIX"));
            const std::string text = dos ? dosLines(c.text) : c.text;
            ReadOutcome out;
            expectCleanRead(out, text);
            EXPECT_EQ(out.store.zoneForm, c.form);
            const std::string written = buildWorldText(out.store, c.letters);
            EXPECT_EQ(dos ? written : stripCarriageReturns(written), text);
        }
    }
}

TEST(NewerForm, FieldsOfTheNewerFormGoWhereTheyBelong) {
    ReadOutcome out;
    expectCleanRead(out, kNewerLetters);
    const RoomDataType& gate = *out.store.findByVnum(4200)->room;
    EXPECT_EQ(gate.zone, 42);
    EXPECT_EQ(gate.bitvector, 2056);
    EXPECT_EQ(flagWords(gate), (FlagWords{2, 0, INT32_MIN}));
    EXPECT_EQ(gate.sectorType, 3);
    EXPECT_EQ(roomTriggers(gate), (std::vector<int32_t>{4217, 4218}));
    EXPECT_EQ(gate.exitTo[North], 4201);
    EXPECT_EQ(exitDestination(gate, NorthWest), 4202);
    EXPECT_EQ(exitDetails(gate, NorthWest), (RoomExitType{"A lane.\r\n", "lane", 2, 7}));
    EXPECT_EQ(exitDestination(gate, SouthWest), 4201);
    EXPECT_EQ(exitDestination(gate, NorthEast), 0);
    const RoomDataType& yard = *out.store.findByVnum(4201)->room;
    EXPECT_EQ(exitDestination(yard, SouthEast), 4200);
    EXPECT_TRUE(roomTriggers(yard).empty());
    EXPECT_EQ(flagWords(yard), FlagWords{});
    EXPECT_EQ(reverseDirection(NorthWest), SouthEast);
    EXPECT_EQ(reverseDirection(NorthEast), SouthWest);
}

TEST(NewerForm, ConversionsKeepEveryRoomAndTheClassicFormNamesWhatItLoses) {
    // Classic to newer and back: the classic text again, byte for byte.
    ReadOutcome classic;
    expectCleanRead(classic, kClassicZone);
    EXPECT_TRUE(classicFormLoss(classic.store).empty());
    classic.store.zoneForm = WorldForm::Newer;
    const std::string newerText = stripCarriageReturns(buildWorldText(classic.store, true));
    EXPECT_NE(newerText.find("\n42 dl 0 0 0 3\n"), std::string::npos);
    ReadOutcome back;
    expectCleanRead(back, newerText);
    EXPECT_EQ(back.store.zoneForm, WorldForm::Newer);
    back.store.zoneForm = WorldForm::Classic;
    EXPECT_EQ(stripCarriageReturns(buildWorldText(back.store, true)), kClassicZone);

    // Newer to classic drops words 2-4, triggers and diagonal exits, and says so first.
    ReadOutcome newer;
    expectCleanRead(newer, kNewerLetters);
    const ClassicFormLoss loss = classicFormLoss(newer.store);
    EXPECT_EQ(loss.describe(), "the flag words 2-4 of 1 room, 2 triggers of 1 room and 3 diagonal exits");
    newer.store.zoneForm = WorldForm::Classic;
    EXPECT_EQ(stripCarriageReturns(buildWorldText(newer.store, true)), kClassicZone);
    EXPECT_EQ((ClassicFormLoss{2, 1, 1, 0}.describe()), "the flag words 2-4 of 2 rooms and 1 trigger of 1 room");
    EXPECT_EQ((ClassicFormLoss{0, 0, 0, 1}.describe()), "1 diagonal exit");
}

// One room after a good room 9 of the newer form; its flag line as given.
TEST(NewerForm, FlagLinesOfSixFieldsAndTheirFaults) {
    struct Case {
        const char* flagLine;
        R result;
        std::vector<std::string> messages;
        WorldForm form;
        int32_t zone, bitvector;
        FlagWords words;
        int32_t sector;
    };
    const Case cases[] = {
        {"42 dl 0 0 0 3", R::Success, {}, WorldForm::Newer, 42, 2056, {}, 3},
        {"42 0 b c d 3", R::Success, {}, WorldForm::Newer, 42, 0, {2, 4, 8}, 3},
        {"-4 1 2 3 4 -5 \t", R::Success, {}, WorldForm::Newer, -4, 1, {2, 3, 4}, -5},
        {"42\tdl  0\t0 0 3\r", R::Success, {}, WorldForm::Newer, 42, 2056, {}, 3},
        // Words read as the bitvector does: a token not all digits is letters.
        {"42 a1 -5 $1F 0 3", R::Success, {}, WorldForm::Newer, 42, 1, {0, INT32_MIN, 0}, 3},
        // Any other count of fields is the classic line, read as it always was.
        {"42 dl 0 3", R::Success, {}, WorldForm::Classic, 42, 2056, {}, 0},
        {"42 dl 0 0 0 3 7", R::Success, {}, WorldForm::Classic, 42, 2056, {}, 0},
        // The classic reading's messages for the same faults; room 9 stays.
        {"x dl 0 0 0 3", R::Failed, {"Format error in room #10"}, WorldForm::Newer, 0, 0, {}, 0},
        {"42 dl 0 0 0 y", R::Failed, {"Format error in room #10"}, WorldForm::Newer, 0, 0, {}, 0},
        {"42 99999999999 0 0 0 3", R::ConversionFailed, {"'99999999999' is not a valid integer value"},
         WorldForm::Newer, 42, 0, {}, 3},
        {"42 0 0 0 88888888888 3", R::ConversionFailed, {"'88888888888' is not a valid integer value"},
         WorldForm::Newer, 42, 0, {}, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.flagLine);
        ReadOutcome out;
        readInto(out, "#9\nFirst~\nOne.\n~\n1 0 0 0 0 0\nS\n#10\nRoom~\nTwo.\n~\n"s + c.flagLine + "\nS\n$\n");
        EXPECT_EQ(out.result, c.result);
        EXPECT_EQ(out.prompts.messages, c.messages);
        EXPECT_EQ(out.store.zoneForm, WorldForm::Newer);  // room 9's
        RoomIndexNode* room = out.store.findByVnum(10);
        if (c.result == R::Failed) {
            EXPECT_EQ(vnumsInOrder(out.store), std::vector<int32_t>{9});
            continue;
        }
        ASSERT_NE(room, nullptr);
        EXPECT_EQ(room->room->zone, c.zone);
        EXPECT_EQ(room->room->sectorType, c.sector);
        if (c.result != R::Success) continue;
        EXPECT_EQ(room->room->bitvector, c.bitvector);
        EXPECT_EQ(flagWords(*room->room), c.words);
    }
}

TEST(NewerForm, TriggerLinesFollowTheirRoomAndRefuseWhatIsNotANumber) {
    const std::string newerRoom = "#9\nFirst~\nOne.\n~\n1 0 0 0 0 0\nS\n";
    const std::string classicRoom = "#9\nFirst~\nOne.\n~\n1 0 0\nS\n";
    const std::string offending = "Format error in world file near room 9\r\n.  Offending line: ";
    struct Case {
        std::string text;
        R result;
        std::vector<std::string> messages;
        std::vector<int32_t> triggers;  // of room 9
    };
    const Case cases[] = {
        {newerRoom + "T 4217\nT 4218\n$\n", R::Success, {}, {4217, 4218}},
        {newerRoom + "\nT\t4217 \r\nT -3\n#10\nTwo~\n~\n1 0 0 0 0 0\nS\n$\n", R::Success, {}, {4217, -3}},
        {newerRoom + "T 5\nT\n$\n", R::Failed, {offending + "T\n"}, {5}},
        {newerRoom + "T 12x\n$\n", R::Failed, {offending + "T 12x\n"}, {}},
        {newerRoom + "T 12 13\n$\n", R::Failed, {offending + "T 12 13\n"}, {}},
        {newerRoom + "T 99999999999\n$\n", R::Failed, {offending + "T 99999999999\n"}, {}},
        // After a room of the classic form, or before any room, a "T" line is as wrong as ever.
        {classicRoom + "T 5\n$\n", R::Failed, {offending + "T 5\n"}, {}},
        {"T 5\n" + newerRoom + "$\n", R::Failed,
         {"Format error in world file near room -1\r\n.  Offending line: T 5\n"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ReadOutcome out;
        readInto(out, c.text);
        EXPECT_EQ(out.result, c.result);
        EXPECT_EQ(out.prompts.messages, c.messages);
        if (RoomIndexNode* room = out.store.findByVnum(9)) {
            EXPECT_EQ(roomTriggers(*room->room), c.triggers);
        }
    }
}

TEST(NewerForm, DiagonalExitsExistInTheNewerFormOnly) {
    const std::string exits = "D6\n~\n~\n0 -1 1\nD7\n~\n~\n0 -1 2\nD8\n~\n~\n0 -1 3\nD9\n~\n~\n0 -1 4\nS\n$\n";
    ReadOutcome newer;
    expectCleanRead(newer, "#10\nRoom~\n~\n1 0 0 0 0 0\n" + exits);
    const RoomDataType& room = *newer.store.first()->room;
    for (int d = NorthWest; d <= SouthWest; ++d) EXPECT_EQ(exitDestination(room, d), d - NorthWest + 1);

    // In a room of the classic form a diagonal block is the bad direction it always was.
    ReadOutcome classic;
    readInto(classic, "#9\nFirst~\n~\n1 0 0\nS\n#10\nRoom~\n~\n1 0 0\n" + exits);
    EXPECT_EQ(classic.result, R::Failed);
    EXPECT_EQ(classic.prompts.messages, (std::vector<std::string>{"Format error, room #10, direction D6",
                                                                  "(2)Format error in room #10 (expecting D/E/S)"}));
    EXPECT_EQ(vnumsInOrder(classic.store), std::vector<int32_t>{9});
}

TEST(NewerForm, HeaderLinesWithBlanksAfterTheNumberReadInBothForms) {
    struct Case {
        const char* header;
        const char* flagLine;
        bool trailingBlanks;
    };
    const Case cases[] = {
        {"#5233 ", "52 0 1", true},           {"#5233\t", "52 0 0 0 0 1", true},
        {"#5233 \t \r", "52 0 1", true},      {"#5233", "52 0 0 0 0 1", false},
        {"# 5233", "52 0 1", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.header);
        const std::string text = "#5232\nBefore~\n~\n52 0 1\nS\n"s + c.header + "\nRoom~\n~\n" + c.flagLine +
                                 "\nS\n#5234\nAfter~\n~\n52 0 1\nS\n$\n";
        ReadOutcome out;
        RoomLineLog lines;
        out.result = readWorldIntoStore(text, out.store, out.prompts, out.progress, true, nullptr, &lines);
        EXPECT_EQ(out.result, R::Success);
        EXPECT_EQ(out.prompts.messages, std::vector<std::string>{});
        EXPECT_EQ(vnumsInOrder(out.store), (std::vector<int32_t>{5232, 5233, 5234}));
        ASSERT_EQ(lines.size(), 3u);
        EXPECT_EQ(lines[1].headerTrailingBlanks, c.trailingBlanks);
        EXPECT_FALSE(lines[0].headerTrailingBlanks || lines[2].headerTrailingBlanks);
        EXPECT_NE(buildWorldText(out.store, true).find("\r\n#5233\r\nRoom~\r\n"), std::string::npos);
    }
    // Any other text after the number stays the conversion failure it was.
    ReadOutcome other;
    readInto(other, "#5232\nBefore~\n~\n52 0 1\nS\n#5233 x\nRoom~\n~\n52 0 1\nS\n$\n");
    EXPECT_EQ(other.result, R::ConversionFailed);
    EXPECT_EQ(other.prompts.messages, std::vector<std::string>{"'5233 x' is not a valid integer value"});
}

TEST(NewerForm, FilesThatMixTheFormsAreReadRoomByRoomInTheFirstRoomsForm) {
    const std::string classicRoom = "#1\nOne~\n~\n1 0 0\nS\n";
    const std::string newerRoom = "#2\nTwo~\n~\n1 0 b 0 0 0\nD7\n~\n~\n0 -1 1\nS\nT 7\n";
    struct Case {
        std::string text;
        WorldForm form;
        size_t others;
        int32_t firstOther;
        int firstOtherLine;
    };
    const Case cases[] = {
        {classicRoom + newerRoom + "#3\nThree~\n~\n1 0 0 0 0 0\nS\n$\n", WorldForm::Classic, 2, 2, 6},
        {newerRoom + classicRoom + "$\n", WorldForm::Newer, 1, 1, 11},
        {newerRoom + "$\n", WorldForm::Newer, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ReadOutcome out;
        WorldFormReport forms;
        out.result = readWorldIntoStore(c.text, out.store, out.prompts, out.progress, true, nullptr, nullptr, &forms);
        EXPECT_EQ(out.result, R::Success);
        EXPECT_EQ(out.prompts.messages, std::vector<std::string>{});
        EXPECT_EQ(out.store.zoneForm, c.form);
        EXPECT_EQ(forms.form, c.form);
        EXPECT_EQ(forms.otherFormRooms, c.others);
        EXPECT_EQ(forms.firstOtherVnum, c.firstOther);
        EXPECT_EQ(forms.firstOtherLine, c.firstOtherLine);
        const RoomDataType& two = *out.store.findByVnum(2)->room;
        EXPECT_EQ(exitDestination(two, NorthEast), 1);
        EXPECT_EQ(roomTriggers(two), std::vector<int32_t>{7});
    }
}

}  // namespace
