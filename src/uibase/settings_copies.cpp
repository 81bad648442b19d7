#include "uibase/settings_copies.h"

#include <filesystem>

#include "world/file_replace.h"
#include "world/prompts.h"

bool askRestoreDefaults(EditedCopies& copies, Prompts& prompts, const SettingsQuestions& questions) {
    if (!prompts.confirm(questions.restoreDefaults)) return false;
    copies.restoreDefaults();
    return true;
}

bool askRevertToSaved(EditedCopies& copies, Prompts& prompts, const SettingsQuestions& questions) {
    if (!copies.fileLoaded()) return false;
    if (!prompts.confirm(questions.revertToSaved)) return false;
    copies.restoreSaved();
    return true;
}

bool askSave(EditedCopies& copies, Prompts& prompts, const SettingsQuestions& questions, const std::string& path) {
    if (!prompts.confirm(questions.save)) return false;
    std::error_code error;
    if (std::filesystem::exists(path, error) && !prompts.confirm(questions.replaceFile)) return false;
    return copies.writeFile(path, prompts);
}

bool writeSettingsFile(const std::string& path, const std::string& bytes, Prompts& prompts) {
    const std::string failure = replaceFile(path, bytes);
    if (failure.empty()) return true;
    prompts.message(failure);
    return false;
}
