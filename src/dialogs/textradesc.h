#pragma once
// The "Extra Descriptions" window: edits one room's chain of extra descriptions.
// Created once at start-up, then only shown and hidden.
#include "editor/secondary_window.h"
#include "world/room.h"

class TExtraDesc : public SecondaryWindow {
    Q_OBJECT
public:
    explicit TExtraDesc(QWidget* parent = nullptr);

    // Opened from the main window on the room shown there.
    void openFromMain(QWidget* opener, RoomDataType& room);
    // The entry the dialog was on is gone (its room changed or its chain was freed).
    void noCurrentEntry() { currentEntry_ = nullptr; }

    RoomDataType* room() const { return room_; }

protected:
    bool aboutToClose() override;

private:
    RoomDataType* room_ = nullptr;
    ExtraDescType* currentEntry_ = nullptr;
};
