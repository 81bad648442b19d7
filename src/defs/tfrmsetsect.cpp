#include "defs/tfrmsetsect.h"

#include "defs/definition_files.h"
#include "editor/flag_banks.h"

TfrmSetSect::TfrmSetSect(SectorTable& table, FlagBanks& banks, Prompts& prompts, const std::string& startupDirectory,
               QWidget* parent)
    : SecondaryWindow(parent), table_(table) {
    setObjectName("TfrmSetSect");
    setWindowTitle(QStringLiteral("Edit Sector Types"));
    // A file that yields no entry leaves the table empty; the refresh then brings back the
    // built-in set.
    table_.clear();
    loadSectorFile(definitionFilePath(startupDirectory, kSectorFileName), table_, prompts);
    banks.refreshSectorBank();
    resize(506, 511);
}
