#pragma once
// At start-up: every recovery file whose editor is no longer running is offered back,
// newest first, one question each: "Recover unsaved work on ZONE from TIME?" with Yes,
// No and Later. Yes loads it (and stops the offering: another Yes would replace it; the
// rest wait for the next start); No deletes the file after a second question; Later
// keeps it. A file that does not read cleanly is offered with what is wrong with it and
// is never deleted without that second question.
#include <functional>
#include <string>

#include "recovery/recovery_file.h"

class Prompts;

// The three-way question.
class RecoveryQuestion {
public:
    enum class Answer { Yes, No, Later };
    virtual ~RecoveryQuestion() = default;
    virtual Answer ask(const std::string& question) = 0;
};

// The question's message box: Yes, No and Later.
class QtRecoveryQuestion : public RecoveryQuestion {
public:
    Answer ask(const std::string& question) override;
};

// "ZONE from TIME" of a file, as the questions name it.
std::string recoveryDescription(const RecoveryListing& listing);

// Offers the files of the directory except `ownFile`; recover(listing) loads a chosen
// one. Returns whether a zone was recovered.
bool offerRecoveryFiles(const std::string& directory, const std::string& ownFile, RecoveryQuestion& question,
                        Prompts& prompts, const std::function<void(const RecoveryListing&)>& recover);

// The lines `quendryedit --recover` prints: one per file, or one saying there are none.
std::string recoveryListText(const std::string& directory);
