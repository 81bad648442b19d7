#pragma once
// The "Edit Sector Types" window: names, numbers and descriptions of up to 30 sector
// types. Created once at start-up (which reads rsectype.txt of the start-up directory into
// the table and refreshes the banks), then only shown and hidden.
#include <functional>
#include <string>

#include "defs/definition_table_window.h"

class Prompts;

class TfrmSetSect : public DefinitionTableWindow<SectorTable> {
    Q_OBJECT
public:
    TfrmSetSect(SectorTable& table, std::function<void()> refreshBank, Prompts& prompts, const std::string& startupDirectory,
                QWidget* parent = nullptr);

    QLineEdit* numberField(int slot) const { return numberFields_.at(static_cast<size_t>(slot)); }

protected:
    void showSlotValue(int slot) override;
    QLineEdit* valueField(int slot) const override { return numberField(slot); }
    bool storeValueField(int slot) override;

private:
    std::vector<QLineEdit*> numberFields_;  // 1..30
};
