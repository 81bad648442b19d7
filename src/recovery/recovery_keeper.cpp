#include "recovery/recovery_keeper.h"

#include <QDir>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QUndoStack>
#include <chrono>
#include <filesystem>

#include "uibase/byte_text.h"
#include "uibase/edit_history.h"
#include "world/platform_files.h"
#include "world/prompts.h"
#include "world/world_store.h"

namespace {
int64_t secondsNow() {
    return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch()).count();
}
}  // namespace

std::string recoveryDirectory() {
    const QString base = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    return platform::joinPath(base.toStdString(), "recovery");
}

RecoveryKeeper::RecoveryKeeper(WorldStore& store, EditHistory& history, Prompts& prompts,
                               const std::string& directory, int delayMs)
    : store_(store), history_(history), prompts_(prompts) {
    writer_ = std::make_unique<RecoveryWriter>(
        platform::joinPath(directory, recoveryFileName(currentProcessId(), secondsNow())),
        [this](std::unique_ptr<RecoverySnapshot> snapshot, const std::string& error) {
            writtenOnWorker(std::move(snapshot), error);
        });
    timer_.setSingleShot(true);
    timer_.setInterval(delayMs);
    connect(&timer_, &QTimer::timeout, this, &RecoveryKeeper::writeNow);
    QUndoStack& stack = history.stack();
    connect(&stack, &QUndoStack::indexChanged, this, &RecoveryKeeper::changed);
    connect(&stack, &QUndoStack::cleanChanged, this, [this](bool clean) {
        if (!clean) return changed();
        timer_.stop();
        if (!replacing_) writer_->remove();
    });
    connect(&history, &EditHistory::zoneChanged, this, [this](const ZoneChange& change) {
        change.forEachRoom([this](const RoomDataType* room) { snapshotter_.roomTouched(room); });
    });
    // Every record may be freed with the zone: none of the kept texts can be trusted.
    connect(&history, &EditHistory::cleared, this, [this] { snapshotter_.forgetAll(); });
}

RecoveryKeeper::~RecoveryKeeper() {
    writer_.reset();  // the thread ends before the rest of the keeper goes
}

void RecoveryKeeper::changed() {
    if (finished_ || history_.stack().isClean() || timer_.isActive()) return;
    timer_.start();
}

void RecoveryKeeper::writeNow() {
    timer_.stop();
    if (finished_ || history_.stack().isClean()) return;
    QElapsedTimer clock;
    clock.start();
    RecoveryHeader header;
    header.pid = currentProcessId();
    header.time = secondsNow();
    header.originalPath = zonePath_ ? zonePath_() : std::string();
    header.zoneNumber = store_.zoneNumber;
    header.zoneName = store_.zoneName;
    header.bitvectors = bitvectors_ ? bitvectors_() : "built-in";
    header.sectors = sectors_ ? sectors_() : "built-in";
    std::unique_ptr<RecoverySnapshot> snapshot = snapshotter_.take(store_, std::move(header));
    lastSnapshotMs_ = clock.nsecsElapsed() / 1e6;
    writer_->write(std::move(snapshot));
}

void RecoveryKeeper::zoneReplacing() {
    writeNow();
    writer_->wait();
    replacing_ = true;
}

void RecoveryKeeper::zoneReplaced() {
    replacing_ = false;
    if (history_.stack().isClean()) writer_->remove();
}

void RecoveryKeeper::writtenOnWorker(std::unique_ptr<RecoverySnapshot> snapshot, const std::string& error) {
    // Back on this thread: the snapshotter is this thread's alone.
    QMetaObject::invokeMethod(
        this,
        [this, s = std::shared_ptr<RecoverySnapshot>(std::move(snapshot)), error] {
            snapshotter_.learn(*s);
            if (error.empty()) {
                ++copiesWritten_;
            } else if (!errorShown_) {
                errorShown_ = true;
                prompts_.message("The recovery copy of your unsaved work could not be written: " + error +
                                 "\n\nThe last copy that was written is kept. Until this is mended, save your work "
                                 "often; this message is not shown again before the editor is started anew.");
            }
            emit copyWritten(bytesToQString(error));
        },
        Qt::QueuedConnection);
}

void RecoveryKeeper::adopt(const std::string& otherFile) {
    waitForWriter();
    std::error_code ignored;
    std::filesystem::rename(platform::fsPath(otherFile), platform::fsPath(filePath()), ignored);
    writeNow();
}

void RecoveryKeeper::finish() {
    finished_ = true;
    timer_.stop();
    writer_->remove();
    writer_->wait();
}

void RecoveryKeeper::waitForWriter() { writer_->wait(); }
