#pragma once
// The "Edit Sector Types" window. Created once at start-up, then only shown and hidden.
#include <QWidget>
#include <string>

#include "defs/definition_tables.h"
#include "editor/opener_lock.h"

class FlagBanks;
class Prompts;

class TfrmSetSect : public QWidget {
    Q_OBJECT
public:
    // Creating the window reads the definition file of the start-up directory into the
    // table, when it exists, and refreshes the banks.
    TfrmSetSect(SectorTable& table, FlagBanks& banks, Prompts& prompts, const std::string& startupDirectory,
               QWidget* parent = nullptr);
    // Shows the window and disables the opener until the window closes.
    void open(QWidget* opener);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    OpenerLock lock_;
    SectorTable& table_;
};
