#include "defs/tfrmsetbit.h"

#include "defs/definition_files.h"
#include "editor/flag_banks.h"

TfrmSetBit::TfrmSetBit(BitvectorTable& table, FlagBanks& banks, Prompts& prompts, const std::string& startupDirectory,
               QWidget* parent)
    : SecondaryWindow(parent), table_(table) {
    setObjectName("TfrmSetBit");
    setWindowTitle(QStringLiteral("Edit Room Bitvectors"));
    // A file that yields no entry leaves the table empty; the refresh then brings back the
    // built-in set.
    table_.clear();
    loadBitvectorFile(definitionFilePath(startupDirectory, kBitvectorFileName), table_, prompts);
    banks.refreshBitvectorBank();
    resize(498, 534);
}
