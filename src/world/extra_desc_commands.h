#pragma once
// The editing of one room's chain of extra descriptions, as the extra descriptions
// dialog does it: the dialog gathers its two fields and calls these operations, which
// change the chain in place and report through Prompts. There is no undo and no
// confirmation; every change goes straight into the room (and into a recording of the
// store's changes when one runs).
#include <string>
#include <vector>

#include "world/room.h"

class Prompts;
class WorldStore;

inline constexpr const char* kNoKeywordsMessage = "No Keywords -- Not a valid Extra Description.";

class ExtraDescCommands {
public:
    ExtraDescCommands(WorldStore& store, Prompts& prompts) : store_(store), prompts_(prompts) {}

    // Starts editing a room's chain: no entry is current, nothing is pending.
    void open(RoomDataType& room);
    // The room is going away (deleted while the dialog is open): every operation does
    // nothing until the next open.
    void forgetRoom();
    // The entry that was current is no longer shown (the room was cleared, deleted or
    // another room was shown). An entry pending from Add stays pending.
    void noCurrentEntry() { current_ = nullptr; }

    RoomDataType* editedRoom() const { return room_; }
    ExtraDescType* currentEntry() const { return current_; }
    // The last entry of the chain as last listed (the pending entry once Add made it).
    ExtraDescType* lastEntry() const { return last_; }
    bool addPending() const { return pending_ != nullptr; }

    // The list: one line per entry, "(" position from 1 ") " keywords. Listing takes
    // the chain's last entry as lastEntry.
    std::vector<std::string> listLines();

    // Add: links a new entry with empty keywords and text after lastEntry (first when
    // there is none); it becomes current and last and is pending until UPDATE. The list
    // is not drawn again, so the entry is not listed yet. Does nothing (false) while an
    // entry is pending or there is no room.
    bool add();

    // UPDATE: the current entry takes the keywords and the text; it is no longer
    // pending. Empty keywords are refused with kNoKeywordsMessage and change nothing.
    // Returns whether the entry changed (the list must be drawn again); false also when
    // there is no current entry.
    bool update(const std::string& keywords, const std::string& description);

    // Delete: unlinks and frees the current entry. The first entry of the chain (if
    // any) becomes current. Returns false when there was no current entry.
    bool deleteCurrent();

    // A click on list line `position` (from 0). An entry still pending from Add is
    // discarded first. The entry at that position along the chain becomes current.
    // Returns whether the list must be drawn again (a pending entry went away); the
    // current entry tells what to show.
    bool clickLine(int position);

    // Closing the dialog: an entry still pending from Add is removed from the chain.
    // Returns whether one was.
    bool close();

private:
    void discardPending();
    ExtraDescType* entryAt(int position) const;

    WorldStore& store_;
    Prompts& prompts_;
    RoomDataType* room_ = nullptr;
    ExtraDescType* current_ = nullptr;
    ExtraDescType* last_ = nullptr;
    ExtraDescType* pending_ = nullptr;
};
