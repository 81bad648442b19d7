#pragma once
// The "Edit Sector Types" window: names, numbers and descriptions of up to 30 sector
// types. Created once at start-up (which reads rsectype.txt of the start-up directory into
// the table and refreshes the banks), then only shown and hidden.
#include <functional>
#include <string>

#include "defs/definition_window.h"

class Prompts;

class TfrmSetSect : public DefinitionWindow {
    Q_OBJECT
public:
    TfrmSetSect(SectorTable& table, std::function<void()> refreshBank, Prompts& prompts, const std::string& startupDirectory,
                QWidget* parent = nullptr);

    QLineEdit* numberField(int slot) const { return numberFields_.at(static_cast<size_t>(slot)); }

protected:
    void showSlotValue(int slot) override;
    QLineEdit* valueField(int slot) const override { return numberField(slot); }
    bool storeValueField(int slot) override;
    void takeIntoUse() override;

private:
    // What Use takes into use, and the slots it came from.
    struct TableInUse {
        SectorTable table;
        DefinitionSlots working;
        bool operator==(const TableInUse&) const = default;
    };
    SectorTable& table_;
    std::function<void()> refreshBank_;  // redraws the main window's bank of this table
    Copies<DefinitionSlots> slots_;
    std::vector<QLineEdit*> numberFields_;  // 1..30
};
