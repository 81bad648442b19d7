#pragma once
// The colour scheme as the colour scheme dialog edits it: its current lists are the
// working copy, and Save writes colors.txt of the start-up directory.
#include <string>
#include <utility>

#include "colour/colour_file.h"
#include "colour/colour_scheme.h"
#include "uibase/settings_copies.h"

class ColourSchemeCopies : public EditedCopies {
public:
    ColourSchemeCopies(ColourScheme& scheme, std::string directory)
        : scheme_(scheme), directory_(std::move(directory)) {}

    void keepOnOpen() override { scheme_.beginEdit(); }
    void restoreOnOpen() override { scheme_.cancelEdit(); }
    void restoreDefaults() override { scheme_.restoreDefaults(); }
    void restoreSaved() override { scheme_.revertToSaved(); }
    bool fileLoaded() const override { return scheme_.fileLoaded; }
    // colors.txt is always the start-up directory's; path is colourFilePath of it.
    bool writeFile(const std::string& /*path*/, Prompts& prompts) override {
        return saveColourFile(scheme_, directory_, prompts);
    }

    const std::string& directory() const { return directory_; }

private:
    ColourScheme& scheme_;
    std::string directory_;
};
