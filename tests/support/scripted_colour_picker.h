#pragma once
// The tests' colour picker: answers from a script (a colour, or nullopt for Cancel); a
// pick the test did not expect fails the test.
#include <gtest/gtest.h>

#include <deque>
#include <optional>
#include <vector>

#include "world/prompts.h"

class ScriptedColourPicker : public ColourPicker {
public:
    std::vector<uint32_t> initials;  // the colour each pick started from

    void answer(std::optional<uint32_t> colour) { answers_.push_back(colour); }

    std::optional<uint32_t> pickColour(uint32_t initial) override {
        initials.push_back(initial);
        if (answers_.empty()) {
            ADD_FAILURE() << "unexpected colour picker";
            return std::nullopt;
        }
        const std::optional<uint32_t> colour = answers_.front();
        answers_.pop_front();
        return colour;
    }

private:
    std::deque<std::optional<uint32_t>> answers_;
};
