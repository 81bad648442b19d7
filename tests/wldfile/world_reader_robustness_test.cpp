#include <gtest/gtest.h>

#include <chrono>
#include <random>
#include <string>

#include "reader_test_support.h"

using namespace std::string_literals;

namespace {

// What every read must leave, whatever its input: a consistent index, the progress
// window hidden, a message for every read that did not succeed.
void expectSaneOutcome(const ReadOutcome& out, const std::string& what) {
    SCOPED_TRACE(what);
    expectIndexConsistent(out.store);
    EXPECT_FALSE(out.progress.visible);
    if (out.result != WorldReadResult::Success) {
        EXPECT_FALSE(out.prompts.messages.empty());
    }
    EXPECT_GE(out.readerLine, 0);
}

std::string roomText(int vnum, const std::string& description = "Plain.\n") {
    return "#" + std::to_string(vnum) + "\nRoom~\n" + description + "~\n1 0 0\nD0\n~\n~\n0 -1 " +
           std::to_string(vnum + 1) + "\nS\n";
}

}  // namespace

TEST(ReaderRobustness, EveryPrefixOfAZoneReadsSanely) {
    for (const char* file : {"grove_unix.wld", "grove_dos.wld"}) {
        const std::string whole = readTestFile(file);
        ReadOutcome complete;
        readInto(complete, whole);
        for (size_t length = 0; length <= whole.size(); ++length) {
            for (bool checkOrder : {true, false}) {
                ReadOutcome out;
                readInto(out, std::string_view(whole).substr(0, length), checkOrder);
                expectSaneOutcome(out, std::string(file) + " cut at " + std::to_string(length));
                // Only a prefix that holds the "$" line succeeds; the rooms read are a
                // leading part of the complete zone.
                EXPECT_EQ(out.result == WorldReadResult::Success,
                          whole.substr(0, length).find('$') != std::string::npos)
                    << length;
                EXPECT_LE(out.store.size(), complete.store.size());
                // A cut right after a header's "#" or an exit's "D" leaves an empty number:
                // a conversion failure.
                if (out.result == WorldReadResult::ConversionFailed) {
                    EXPECT_TRUE(whole[length - 1] == '#' || whole[length - 1] == 'D') << length;
                }
            }
        }
    }
}

TEST(ReaderRobustness, BinaryGarbageAndMutatedZonesNeverBreakTheStore) {
    std::mt19937 random(20261208);
    const std::string grove = readTestFile("grove_dos.wld");
    for (int round = 0; round < 300; ++round) {
        std::string data;
        if (round % 3 == 0) {
            data.resize(random() % 4096);
            for (char& c : data) c = static_cast<char>(random());
        } else {
            // A zone with a few bytes changed to characters that matter to the reader.
            static const char kTouchy[] = {'#',  '$',  '~',    'D', 'E', 'S', '\r',
                                           '\n', '\0', '\x1a', ' ', '9', '-'};
            data = grove;
            for (int flips = 1 + random() % 4; flips > 0; --flips)
                data[random() % data.size()] = kTouchy[random() % sizeof kTouchy];
        }
        ReadOutcome out;
        readInto(out, data, round % 2 == 0);
        expectSaneOutcome(out, "round " + std::to_string(round));
    }
}

TEST(ReaderRobustness, LinesOfMegabytesAreReadWholeOrRefusedByTheirFirstPiece) {
    const std::string huge(3 * 1024 * 1024, 'w');
    ReadOutcome longTexts;
    readInto(longTexts, "#1\n" + huge + "~\n" + huge + "\n~\n0 0 0\nS\n$\n");
    ASSERT_EQ(longTexts.store.size(), 1u);
    EXPECT_EQ(longTexts.store.first()->room->name, huge);
    EXPECT_EQ(longTexts.store.first()->room->description, huge + "\r\n");

    // After "S" the rest of a long line comes back as top-level pieces of 512 bytes.
    ReadOutcome longTail;
    readInto(longTail, "#1\nR~\n~\n0 0 0\nS" + huge + "\n$\n");
    ASSERT_EQ(longTail.prompts.messages.size(), 1u);
    EXPECT_EQ(longTail.prompts.messages[0],
              "Format error in world file near room 1\r\n.  Offending line: " + std::string(512, 'w'));

    // A flag-line token of megabytes is no number.
    ReadOutcome longToken;
    readInto(longToken, "#1\nR~\n~\n0 " + std::string(1 << 20, '7') + " 0\nS\n$\n");
    EXPECT_EQ(longToken.result, WorldReadResult::ConversionFailed);
}

TEST(ReaderRobustness, NumbersBeyond32BitsAreRefused) {
    ReadOutcome header;
    readInto(header, "#99999999999\nR~\n~\n0 0 0\nS\n$\n");
    EXPECT_EQ(header.result, WorldReadResult::ConversionFailed);  // not the end-of-file number
    EXPECT_EQ(header.prompts.messages,
              (std::vector<std::string>{"'99999999999' is not a valid integer value"}));

    ReadOutcome key;
    readInto(key, "#1\nR~\n~\n0 0 0\nD1\n~\n~\n0 2147483648 5\nS\n$\n");
    EXPECT_EQ(key.prompts.messages,
              (std::vector<std::string>{"Format error, room #1, direction D1",
                                        "(2)Format error in room #1 (expecting D/E/S)"}));
    EXPECT_TRUE(key.store.empty());

    ReadOutcome limits;
    readInto(limits, "#1\nR~\n~\n-2147483648 -2147483648 2147483647\nS\n$\n");
    ASSERT_EQ(limits.store.size(), 1u);
    EXPECT_EQ(limits.store.first()->room->zone, INT32_MIN);
    EXPECT_EQ(limits.store.first()->room->bitvector, 0);  // "-..." is not all digits: letters, none
    EXPECT_EQ(limits.store.first()->room->sectorType, INT32_MAX);
}

TEST(ReaderRobustness, NulBytesAndCrWithoutLfDoNotDerailTheReader) {
    // A NUL inside a text drops the rest of its line, its "~" included.
    ReadOutcome nul;
    readInto(nul, "#1\nNa\0me~\n~\nDe\0sc\nmore\n~\n0 0 0\nE\nk\0w~\n~\nt~\nS\n\0\n$\n"s);
    ASSERT_EQ(nul.store.size(), 1u);
    EXPECT_EQ(nul.store.first()->room->name, "Na");
    EXPECT_EQ(nul.store.first()->room->description, "Demore\r\n");
    EXPECT_EQ(nul.store.first()->room->extraDescs->keywords, "k");
    // The NUL line at top level is neither blank nor a header.
    ASSERT_EQ(nul.prompts.messages.size(), 1u);
    EXPECT_EQ(nul.prompts.messages[0], "Format error in world file near room 1\r\n.  Offending line: \0\n"s);

    // A file with CR alone as line break is one long line to the reader.
    std::string crOnly = readTestFile("grove_unix.wld");
    for (char& c : crOnly)
        if (c == '\n') c = '\r';
    ReadOutcome cr;
    readInto(cr, crOnly);
    expectSaneOutcome(cr, "CR only");
    EXPECT_EQ(cr.result, WorldReadResult::ConversionFailed);
    EXPECT_TRUE(cr.store.empty());
}

TEST(ReaderTimed, LargeZonesAndLongExtraDescriptionChainsReadInLinearTime) {
    // Descending numbers insert every room at the front of the ordered index.
    const int rooms = 20000;
    std::string data;
    for (int v = rooms; v >= 1; --v) data += roomText(v);
    data += "$\n";
    const auto start = std::chrono::steady_clock::now();
    ReadOutcome sorted;
    readInto(sorted, data);
    ReadOutcome fileOrder;
    readInto(fileOrder, data, false);
    EXPECT_EQ(sorted.store.size(), static_cast<size_t>(rooms));
    EXPECT_EQ(sorted.store.first()->vnum, 1);
    EXPECT_EQ(sorted.store.last()->vnum, rooms);
    EXPECT_EQ(fileOrder.store.first()->vnum, rooms);
    EXPECT_EQ(sorted.progress.percentages.back(), 100);

    // One room with very many extra descriptions keeps them in file order.
    std::string extras = "#1\nR~\n~\n0 0 0\n";
    for (int i = 0; i < 100000; ++i) extras += "E\nk" + std::to_string(i) + "~\n~\n";
    extras += "S\n$\n";
    ReadOutcome many;
    readInto(many, extras);
    ASSERT_EQ(many.store.size(), 1u);
    EXPECT_EQ(many.store.first()->room->extraDescCount(), 100000u);
    EXPECT_EQ(many.store.first()->room->extraDescs->next->keywords, "k1");
    expectIndexConsistent(many.store);

    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    EXPECT_LT(seconds, 10.0);
}
