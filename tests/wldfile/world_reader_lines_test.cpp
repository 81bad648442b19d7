#include <gtest/gtest.h>

#include <string>

#include "reader_test_support.h"
#include "wldfile/wld_line_reader.h"
#include "wldfile/wld_strings.h"

using namespace std::string_literals;

namespace {

std::string readOneString(std::string_view data, RecordingPrompts& prompts, std::string_view context = "") {
    WldLineReader in(data);
    WldReadContext ctx{in, prompts};
    return freadString(ctx, context);
}

}  // namespace

TEST(WldLineReader, LinesComeInPiecesOfAtMost512BytesWithTheirStatus) {
    const std::string longLine = std::string(1000, 'x') + "\r\n";
    const std::string data = "ab\r\n" + longLine + "\nlast";
    WldLineReader in(data);
    LinePiece p = in.readLine();
    EXPECT_EQ(p.text, "ab\r\n");
    EXPECT_EQ(p.status, LineStatus::MoreData);
    p = in.readLine();
    EXPECT_EQ(p.text, std::string(512, 'x'));
    p = in.readLine();
    EXPECT_EQ(p.text, std::string(488, 'x') + "\r\n");
    p = in.readLine();
    EXPECT_EQ(p.text, "\n");
    p = in.readLine();
    EXPECT_EQ(p.text, "last");
    EXPECT_EQ(p.status, LineStatus::LastLine);
    p = in.readLine();
    EXPECT_TRUE(p.text.empty());
    EXPECT_EQ(p.status, LineStatus::NoLine);

    // A line whose LF is the last byte ends the data with it.
    WldLineReader one("S\n");
    EXPECT_EQ(one.readLine().status, LineStatus::LastLine);
}

TEST(WldLineReader, NumbersAreWhitespaceSeparatedTokensOfAtMost32Bytes) {
    const std::string data = " \t\r\n-12\n\n  $1F +7 x9 2147483648 " + std::string(40, '0') + "5";
    WldLineReader in(data);
    EXPECT_EQ(in.readNumber(), -12);
    EXPECT_EQ(in.readNumber(), 31);
    EXPECT_EQ(in.readNumber(), 7);
    EXPECT_EQ(in.readNumber(), std::nullopt);  // x9
    EXPECT_EQ(in.readNumber(), std::nullopt);  // beyond 32 bits
    EXPECT_EQ(in.readNumber(), 0);             // the first 32 zeros
    EXPECT_EQ(in.readNumber(), 5);             // the token goes on where it was cut
    EXPECT_EQ(in.readNumber(), 0);             // end of the data: 0 without an error
    EXPECT_TRUE(in.atEnd());

    // The byte that stops a token stays unread; bytes above 127 belong to the token.
    WldLineReader stop("12\nrest \xe9 9");
    EXPECT_EQ(stop.readNumber(), 12);
    EXPECT_EQ(stop.readLine().text, "\n");
    EXPECT_EQ(stop.readNumber(), std::nullopt);
}

TEST(WldLineReader, CtrlZEndsTheDataWhereverItStands) {
    EXPECT_EQ(worldDataBeforeCtrlZ(std::string_view("ab\x1a"
                                                    "cd",
                                                    5)),
              "ab");
    EXPECT_EQ(worldDataBeforeCtrlZ("abc"), "abc");
    EXPECT_EQ(worldDataBeforeCtrlZ("\x1a"), "");
}

TEST(WldLineReader, LineNumberIsTheLineOfTheLastByteRead) {
    WldLineReader in("one\ntwo\n\nfour");
    EXPECT_EQ(in.lineNumber(), 1);
    in.readLine();
    EXPECT_EQ(in.lineNumber(), 1);  // its LF ends line 1
    in.readLine();
    in.readLine();
    EXPECT_EQ(in.lineNumber(), 3);
    in.readLine();
    EXPECT_EQ(in.lineNumber(), 4);

    // Long stretches counted at once, with line feeds at every place in an 8-byte word,
    // bytes that differ from an LF by one bit, and more than 2040 bytes between two asks.
    std::string data;
    for (int i = 0; i < 9000; ++i) data += "\n\x0b\x8a\x0a\x0e\x09xyz"[i * 7 % 10];
    WldLineReader big(data);
    int lines = 1;
    for (size_t asked : {size_t{1}, size_t{9}, size_t{2100}, size_t{2101}, size_t{6000}, data.size()}) {
        while (big.position() < asked) big.skipPastBlankOrLf();
        for (size_t i = 0; i < big.position() - 1; ++i) lines += data[i] == '\n';
        EXPECT_EQ(big.lineNumber(), lines) << asked;
        lines = 1;
    }
}

TEST(FreadString, RebuildsTextsWithCrLfWhateverTheLineEnding) {
    RecordingPrompts prompts;
    EXPECT_EQ(readOneString("a~b~\n", prompts), "a\r\n");  // the first "~" ends it
    EXPECT_EQ(readOneString("Quiet.~\n", prompts), "Quiet.\r\n");
    EXPECT_EQ(readOneString("~\nnext", prompts), "");
    EXPECT_EQ(readOneString("~rest ignored\n", prompts), "");
    EXPECT_EQ(readOneString("one\r\ntwo\n~\n", prompts), "one\r\ntwo\r\n");
    EXPECT_EQ(readOneString("one\rtwo\r\n~\r\n", prompts), "onetwo\r\n");  // a lone CR is dropped
    EXPECT_EQ(readOneString("caf\xc3\xa9 \xe9\x80\n~\n", prompts), "caf\xc3\xa9 \xe9\x80\r\n");
    // A byte 0 drops the rest of its line, line break included; the text goes on.
    EXPECT_EQ(readOneString("ab\0cd~\nef~\n"s, prompts), "abef\r\n");
    // A line that ends the data ends the text too.
    EXPECT_EQ(readOneString("no tilde\n", prompts), "no tilde\r\n");
    EXPECT_EQ(readOneString("no tilde", prompts), "no tilde");
    EXPECT_TRUE(prompts.messages.empty());
}

TEST(FreadString, LongLinesJoinAcrossPiecesAndAPieceStartingWithTildeEndsTheText) {
    RecordingPrompts prompts;
    const std::string six = std::string(600, 'd');
    EXPECT_EQ(readOneString(six + "\n~\n", prompts), six + "\r\n");
    // The "~" that opens the second 512-byte piece counts as a line starting with "~".
    const std::string exact = std::string(512, 'e');
    EXPECT_EQ(readOneString(exact + "~\n", prompts), exact);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST(FreadString, DataEndedBeforeTheTextReportsSyserrWithItsContext) {
    RecordingPrompts prompts;
    EXPECT_EQ(readOneString("", prompts, "E\r\n"), "");
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0], "SYSERR: fread_string: format error at or near E\r\n");
}

TEST(StripLineBreaks, RemovesCrAndLfAndStopsAtNulOrCtrlZ) {
    EXPECT_EQ(stripLineBreaks("a\r\nb\rc\n"), "abc");
    EXPECT_EQ(stripLineBreaks("12\0 junk"s), "12");
    EXPECT_EQ(stripLineBreaks("12\x1a"
                              "34"),
              "12");
    EXPECT_EQ(stripLineBreaks("\xe9t\xc3\xa9"), "\xe9t\xc3\xa9");
}
