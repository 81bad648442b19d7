#include "world/extra_desc_commands.h"

#include "world/prompts.h"
#include "world/world_store.h"

void ExtraDescCommands::open(RoomDataType& room) {
    room_ = &room;
    current_ = nullptr;
    last_ = nullptr;
    pending_ = nullptr;
}

void ExtraDescCommands::forgetRoom() {
    room_ = nullptr;
    current_ = nullptr;
    last_ = nullptr;
    pending_ = nullptr;
}

std::vector<std::string> ExtraDescCommands::listLines() {
    std::vector<std::string> lines;
    if (!room_) return lines;
    int position = 1;
    for (ExtraDescType* e = room_->extraDescs; e; e = e->next) {
        lines.push_back("(" + std::to_string(position++) + ") " + e->keywords);
        last_ = e;
    }
    return lines;
}

bool ExtraDescCommands::add() {
    if (!room_ || pending_) return false;
    // After lastEntry, which is the chain's last entry whenever the chain is not empty;
    // the room's own append also copes with a chain emptied behind the dialog's back.
    store_.aboutToChange(*room_, kRecordExtras);
    ExtraDescType* entry = room_->appendExtraDesc({}, {});
    pending_ = entry;
    current_ = entry;
    last_ = entry;
    return true;
}

bool ExtraDescCommands::update(const std::string& keywords, const std::string& description) {
    if (!room_ || !current_) return false;
    if (keywords.empty()) {
        prompts_.message(kNoKeywordsMessage);
        return false;
    }
    store_.aboutToChange(*room_, kRecordExtras);
    current_->keywords = textForWorldFile(keywords);
    current_->description = textForWorldFile(description);
    if (current_ == pending_) pending_ = nullptr;
    return true;
}

bool ExtraDescCommands::deleteCurrent() {
    if (!room_ || !current_) return false;
    if (current_ == pending_) pending_ = nullptr;
    store_.aboutToChange(*room_, kRecordExtras);
    room_->removeExtraDesc(current_);
    current_ = room_->extraDescs;
    last_ = room_->lastExtraDesc();
    return true;
}

void ExtraDescCommands::discardPending() {
    if (!room_ || !pending_) return;
    store_.aboutToChange(*room_, kRecordExtras);
    room_->removeExtraDesc(pending_);
    if (current_ == pending_) current_ = room_->extraDescs;
    pending_ = nullptr;
    last_ = room_->lastExtraDesc();
}

ExtraDescType* ExtraDescCommands::entryAt(int position) const {
    if (!room_ || position < 0) return nullptr;
    ExtraDescType* e = room_->extraDescs;
    for (; e && position > 0; --position) e = e->next;
    return e;
}

bool ExtraDescCommands::clickLine(int position) {
    if (!room_ || !last_) return false;
    const bool hadPending = pending_ != nullptr;
    // The pending entry is not in the list, so the clicked line still names the same
    // entry once it is gone.
    discardPending();
    if (ExtraDescType* entry = entryAt(position)) current_ = entry;
    return hadPending;
}

bool ExtraDescCommands::close() {
    const bool hadPending = pending_ != nullptr;
    discardPending();
    return hadPending;
}
