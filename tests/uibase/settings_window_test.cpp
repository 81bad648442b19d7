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
    // A definition window: slot 1 named with a blank, the name of slot 2 emptied.
    auto definitionRow = [bytes](const char* window, const char* file, std::function<SettingsWindow&()> open,
                                 const std::string& name, const std::string& written) {
        auto definition = [](SettingsWindow& w) -> DefinitionWindow& { return static_cast<DefinitionWindow&>(w); };
        return Row{window, file, std::move(open),
                   [definition, name](SettingsWindow& w) {
                       typeInto(definition(w).nameField(1), QString::fromStdString(name));
                       typeInto(definition(w).nameField(2), "");
                       definition(w).nameField(3)->setFocus();
                   },
                   [definition, bytes](SettingsWindow& w) {
                       const DefinitionWindow& d = definition(w);
                       return std::vector<std::string>{bytes(d.nameField(1)), bytes(d.nameField(2)),
                                                       d.workingSlots()[1].name, d.workingSlots()[2].name};
                   },
                   {name, "", name, ""},
                   {written, "?", written, "?"}};
    };
    const Row rows[] = {
        definitionRow("room flags", kBitvectorFileName, [this]() -> SettingsWindow& { return *openSetBit(); },
                      "BIG ROOM", "BIG_ROOM"),
        definitionRow("sector types", kSectorFileName, [this]() -> SettingsWindow& { return *openSetSect(); },
                      "DEEP WATER", "DEEP_WATER"),
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
                                             app->colours.working.fgCodes[2], app->colours.saved.fgCodes[2]};
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
