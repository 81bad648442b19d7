#pragma once
// What the room flag and sector type windows do with their table, written once over the
// table type: the start-up reading of the table's file and Use, with its undo step.
#include <QString>
#include <functional>
#include <string>
#include <utility>

#include "defs/definition_slots.h"
#include "defs/definition_window.h"
#include "uibase/edit_history.h"

class Prompts;

template <typename Table>
class DefinitionTableWindow : public DefinitionWindow {
protected:
    using LoadFile = void (*)(const std::string& path, Table& table, Prompts& prompts);

    // refreshBank redraws the main window's bank of this table; useStep names the undo
    // step of Use.
    DefinitionTableWindow(Table& table, std::function<void()> refreshBank, QString useStep, Prompts& prompts,
                          const char* replaceQuestion, std::string filePath, const Layout& layout, QWidget* parent)
        : DefinitionWindow(Table::kEntries, slotsFileText<Table>, prompts, replaceQuestion, std::move(filePath),
                           layout, parent),
          table_(table),
          refreshBank_(std::move(refreshBank)),
          useStep_(std::move(useStep)) {}

    // The start-up reading, once the window has its rows. The built-in set the main
    // window put in the table is the defaults copy; the file, when it yields an entry,
    // replaces it. A file that yields none leaves the table empty, and the bank's
    // refresh brings the built-in set back.
    void readStartupFile(LoadFile load) {
        const DefinitionSlots builtin = slotsOf(table_);
        table_.clear();
        load(filePath(), table_, prompts());
        copies_.loaded = table_.count > 0;
        refreshBank_();
        copies_.setAll(slotsOf(table_));
        copies_.defaults = builtin;
        showWorkingCopy();
    }

    void takeIntoUse() override {
        const TableInUse before{table_, copies_.onOpen};
        // With every slot free the table is left empty and the bank keeps what it shows;
        // the next refresh brings back the built-in set.
        if (useSlots(copies_.working, table_) > 0) refreshBank_();
        const TableInUse after{table_, copies_.working};
        if (!history() || before == after) return;
        // Undo and redo take the other table into use as Use does, and the window opens
        // next time on the slots that made it.
        history()->pushDone(new TakeBackCommand<TableInUse>(useStep_, before, after, [this](const TableInUse& state) {
            table_ = state.table;
            copies_.working = state.working;
            if (table_.count > 0) refreshBank_();
        }));
    }

private:
    // What Use takes into use, and the slots it came from.
    struct TableInUse {
        Table table;
        DefinitionSlots working;
        bool operator==(const TableInUse&) const = default;
    };

    Table& table_;
    std::function<void()> refreshBank_;
    QString useStep_;
};
