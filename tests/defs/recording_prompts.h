#pragma once
// Prompts for tests: records every message; a question is an error, since the definition
// readers never ask.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "world/prompts.h"

class RecordingPrompts : public Prompts {
public:
    std::vector<std::string> messages;
    void message(const std::string& text) override { messages.push_back(text); }
    bool confirm(const std::string& question) override {
        ADD_FAILURE() << "unexpected question: " << question;
        return false;
    }
};
