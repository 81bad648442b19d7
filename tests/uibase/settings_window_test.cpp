// What the three set-up windows share: a Save that fails leaves every copy as it was.
#include <QLineEdit>
#include <cerrno>
#include <cstring>
#include <functional>

#include "colour/colour_file.h"
#include "colour/tfrmsetcolor.h"
#include "defs/definition_files.h"
#include "defs/tfrmsetbit.h"
#include "defs/tfrmsetsect.h"
#include "setup_windows.h"
#include "uibase/byte_text.h"
#include "world/file_replace.h"

namespace {
class SettingsWindowSave : public SetupWindowsTest {};
}  // namespace

TEST_F(SettingsWindowSave, AFailedWriteChangesNeitherTheFieldsNorAnyCopyOnlyASuccessfulOneDoes) {
    using List = TfrmSetColor::List;
    struct Row {
        const char* window;
        const char* file;
        std::function<SettingsWindow&()> open;
        // Types what Save would complete ("BIG ROOM" is written "BIG_ROOM", an empty
        // name "?"); returns the fields and what the working copy holds for them.
        std::function<void(SettingsWindow&)> type;
        std::function<std::vector<std::string>(SettingsWindow&)> fieldsAndWorking;
        std::vector<std::string> typed, written;
    };
    auto bytes = [](const QLineEdit* field) { return qStringToBytes(field->text()); };
    const Row rows[] = {
        {"room flags", kBitvectorFileName,
         [this]() -> SettingsWindow& { return *openSetBit(); },
         [](SettingsWindow& w) {
             auto& bit = static_cast<TfrmSetBit&>(w);
             typeInto(bit.nameField(1), "BIG ROOM");
             typeInto(bit.nameField(5), "");
             bit.nameField(2)->setFocus();
         },
         [bytes](SettingsWindow& w) {
             auto& bit = static_cast<TfrmSetBit&>(w);
             return std::vector<std::string>{bytes(bit.nameField(1)), bytes(bit.nameField(5)),
                                             bit.workingSlots()[1].name, bit.workingSlots()[5].name};
         },
         {"BIG ROOM", "", "BIG ROOM", ""},
         {"BIG_ROOM", "?", "BIG_ROOM", "?"}},
        {"sector types", kSectorFileName,
         [this]() -> SettingsWindow& { return *openSetSect(); },
         [](SettingsWindow& w) {
             auto& sect = static_cast<TfrmSetSect&>(w);
             typeInto(sect.nameField(1), "DEEP WATER");
             typeInto(sect.nameField(2), "");
             sect.nameField(3)->setFocus();
         },
         [bytes](SettingsWindow& w) {
             auto& sect = static_cast<TfrmSetSect&>(w);
             return std::vector<std::string>{bytes(sect.nameField(1)), bytes(sect.nameField(2)),
                                             sect.workingSlots()[1].name, sect.workingSlots()[2].name};
         },
         {"DEEP WATER", "", "DEEP WATER", ""},
         {"DEEP_WATER", "?", "DEEP_WATER", "?"}},
        {"colours", kColourFileName,
         [this]() -> SettingsWindow& { return *openSetColor(); },
         [](SettingsWindow& w) {
             auto& colour = static_cast<TfrmSetColor&>(w);
             typeInto(colour.codeField(List::Foreground, 2), "/x ");
             colour.memoSample->setFocus();
         },
         [this, bytes](SettingsWindow& w) {
             auto& colour = static_cast<TfrmSetColor&>(w);
             return std::vector<std::string>{bytes(colour.codeField(List::Foreground, 2)),
                                             app->colours.current.fgCodes[2], app->colours.saved.fgCodes[2]};
         },
         {"/x ", "/x ", "/cr"},
         {"/x ", "/x ", "/x "}},
    };
    for (const Row& row : rows) {
        start();
        SettingsWindow& w = row.open();
        row.type(w);
        {
            ScopedFileWriteHook diskFull([](int, const char*, size_t) -> ssize_t {
                errno = ENOSPC;
                return -1;
            });
            prompts.answer(true);  // "Save ...?"; there is no file yet
            QTest::mouseClick(w.btnSave, Qt::LeftButton);
        }
        EXPECT_EQ(prompts.lastMessage(), w.filePath() + ": " + std::strerror(ENOSPC)) << row.window;
        EXPECT_EQ(row.fieldsAndWorking(w), row.typed) << row.window;
        EXPECT_FALSE(w.fileLoaded()) << row.window;
        EXPECT_FALSE(fileExists(row.file)) << row.window;

        prompts.answer(true);
        QTest::mouseClick(w.btnSave, Qt::LeftButton);
        EXPECT_EQ(row.fieldsAndWorking(w), row.written) << row.window;
        EXPECT_TRUE(w.fileLoaded()) << row.window;
        EXPECT_TRUE(fileExists(row.file)) << row.window;
        QTest::mouseClick(w.btnCancel, Qt::LeftButton);
    }
}
