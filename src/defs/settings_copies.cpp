#include "defs/settings_copies.h"

#include <filesystem>

#include "wldfile/file_replace.h"
#include "world/prompts.h"

bool askRestoreDefaults(EditedCopies& copies, Prompts& prompts, const SettingsQuestions& questions) {
    if (!prompts.confirm(questions.restoreDefaults)) return false;
    copies.restoreDefaults();
    return true;
}

bool askRevertToSaved(EditedCopies& copies, Prompts& prompts, const SettingsQuestions& questions) {
    if (!copies.fileLoaded) return false;
    if (!prompts.confirm(questions.revertToSaved)) return false;
    copies.restoreSaved();
    return true;
}

bool askSave(EditedCopies& copies, Prompts& prompts, const SettingsQuestions& questions, const std::string& path) {
    if (!prompts.confirm(questions.save)) return false;
    std::error_code error;
    if (std::filesystem::exists(path, error) && !prompts.confirm(questions.replaceFile)) return false;
    const std::string failure = replaceFile(path, copies.fileText());
    if (!failure.empty()) {
        prompts.message(failure);
        return false;
    }
    copies.keepSaved();
    copies.fileLoaded = true;
    return true;
}
