// Stands in for the zone's change recording until it is merged: records nothing, so
// every command leaves no step in the history. Removed when the recording arrives.
#include "world/zone_history.h"

namespace {
class NoChange : public ZoneChange {
public:
    bool empty() const override { return true; }
    void undo() override {}
    void redo() override {}
    size_t roomsHeld() const override { return 0; }
};
}  // namespace

struct ZoneHistoryRecorder::Impl {
    bool recording = false;
};

ZoneHistoryRecorder::ZoneHistoryRecorder(WorldStore&, MapModel&) : impl_(std::make_unique<Impl>()) {}
ZoneHistoryRecorder::~ZoneHistoryRecorder() = default;
void ZoneHistoryRecorder::begin() { impl_->recording = true; }
bool ZoneHistoryRecorder::recording() const { return impl_->recording; }
std::unique_ptr<ZoneChange> ZoneHistoryRecorder::finish() {
    impl_->recording = false;
    return std::make_unique<NoChange>();
}
