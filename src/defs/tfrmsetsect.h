#pragma once
// The "Edit Sector Types" window. Created once at start-up, then only shown and hidden.
#include <string>

#include "defs/definition_tables.h"
#include "editor/secondary_window.h"

class FlagBanks;
class Prompts;

class TfrmSetSect : public SecondaryWindow {
    Q_OBJECT
public:
    // Creating the window reads the definition file of the start-up directory into the
    // table, when it exists, and refreshes the banks.
    TfrmSetSect(SectorTable& table, FlagBanks& banks, Prompts& prompts, const std::string& startupDirectory,
               QWidget* parent = nullptr);

private:
    SectorTable& table_;
};
