#pragma once
// The tests' Prompts: messages are recorded, questions are answered from a script,
// and a question the test did not expect fails the test.
#include <gtest/gtest.h>

#include <deque>
#include <string>
#include <vector>

#include "world/prompts.h"

class ScriptedPrompts : public Prompts {
public:
    std::vector<std::string> messages;
    std::vector<std::string> questions;

    void answer(bool yes) { answers_.push_back(yes); }
    void forgetAnswers() { answers_.clear(); }

    void message(const std::string& text) override { messages.push_back(text); }
    bool confirm(const std::string& question) override {
        questions.push_back(question);
        if (answers_.empty()) {
            ADD_FAILURE() << "unexpected question: " << question;
            return false;
        }
        const bool yes = answers_.front();
        answers_.pop_front();
        return yes;
    }
    std::string lastMessage() const { return messages.empty() ? std::string() : messages.back(); }
    void clear() {
        messages.clear();
        questions.clear();
    }

private:
    std::deque<bool> answers_;
};

// A Prompts that only records messages: with no answers scripted, every question fails the test.
using RecordingPrompts = ScriptedPrompts;
