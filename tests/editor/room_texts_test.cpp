// Texts travel between the store's bytes and the editor fields without loss.
#include <QTextBlock>

#include "editor_fixture.h"
#include "uibase/byte_text.h"
#include "uibase/multiline_text.h"

using RoomTexts = EditorTest;

TEST_F(RoomTexts, NamesAndDescriptionsSurviveShowAndUpdateByteForByte) {
    makeZone("Grove", 320, 32001);
    addRoom(32001, "Glade", "x");
    RoomDataType& room = *app->store.first()->room;
    const std::string latin1Name = "Caf\xE9 \xFF\x80 \xC3\xA9t\xC3\xA9";  // stray bytes beside valid UTF-8
    const std::string description = "First line\r\n\tindented\xA0 \xC2\xA0nbsp\r\n\r\nlast";
    room.name = latin1Name;
    room.description = description;

    main->showRoom(app->store.first());
    EXPECT_EQ(main->memoRoom->document()->blockCount(), 4);
    EXPECT_EQ(main->memoRoom->document()->findBlockByNumber(1).text(),
              bytesToQString("\tindented\xA0 \xC2\xA0nbsp"));
    main->btnwld_UpdateClick();
    EXPECT_EQ(room.name, latin1Name);
    EXPECT_EQ(room.description, description);

    // Typed line breaks are stored as CR LF.
    main->memoRoom->setPlainText("one\ntwo");
    main->btnwld_UpdateClick();
    EXPECT_EQ(room.description, "one\r\ntwo");

    // Shift+Enter puts a line separator (U+2028) into the field; it is stored as CR LF.
    main->memoRoom->clear();
    QTest::keyClicks(main->memoRoom, "up");
    QTest::keyClick(main->memoRoom, Qt::Key_Return, Qt::ShiftModifier);
    QTest::keyClicks(main->memoRoom, "down");
    main->btnwld_UpdateClick();
    EXPECT_EQ(room.description, "up\r\ndown");
}

TEST(MultiLineText, LineBreaksBecomeCrLfAndEverythingElseIsKept) {
    EXPECT_EQ(multiLineToQString("a\r\nb"), "a\nb");
    // Every line break a Qt text field can hold.
    const QString breaks[] = {"\n", "\r", "\r\n", QString(QChar::LineSeparator), QString(QChar::ParagraphSeparator)};
    for (const QString& lineBreak : breaks) {
        SCOPED_TRACE(static_cast<int>(lineBreak.back().unicode()));
        EXPECT_EQ(qStringToMultiLine("a" + lineBreak + "b" + lineBreak), "a\r\nb\r\n");
    }
    EXPECT_EQ(qStringToMultiLine("a\r\r\nb"), "a\r\n\r\nb");
    std::string all;
    for (int b = 0; b < 256; ++b)
        if (b != '\r' && b != '\n') all += static_cast<char>(b);
    all += "\r\nend";
    EXPECT_EQ(qStringToMultiLine(multiLineToQString(all)), all);
}
