#include "recovery/recovery_keeper.h"

#include <QDir>
#include <QElapsedTimer>
#include <QStandardPaths>
#include <QUndoStack>
#include <algorithm>
#include <chrono>
#include <ctime>
#include <filesystem>

#include "uibase/byte_text.h"
#include "uibase/edit_history.h"
#include "world/platform_files.h"
#include "world/prompts.h"
#include "world/world_store.h"

namespace {
// This thread's processor time: on a loaded machine the wall clock also counts the
// time the thread waited for a processor.
double threadCpuMs() {
    return std::chrono::duration<double, std::milli>(std::chrono::nanoseconds(
               [] {
                   timespec t{};
                   clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
                   return int64_t{t.tv_sec} * 1'000'000'000 + t.tv_nsec;
               }()))
        .count();
}

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
    delayMs_ = delayMs;
    connect(&timer_, &QTimer::timeout, this, &RecoveryKeeper::copyWhenPrimed);
    store.addObserver(this);
    QUndoStack& stack = history.stack();
    connect(&stack, &QUndoStack::indexChanged, this, &RecoveryKeeper::changed);
    connect(&stack, &QUndoStack::cleanChanged, this, [this](bool clean) {
        if (!clean) return changed();
        timer_.stop();
        if (!replacing_) writer_->remove();
    });
    connect(&history, &EditHistory::zoneChanged, this, [this](const TouchedRooms& touched) {
        snapshotter_.roomsTouched(touched);
        restartPriming();
    });
    // Every record may be freed with the zone: none of the kept texts can be trusted.
    connect(&history, &EditHistory::cleared, this, [this] {
        snapshotter_.forgetAll();
        restartPriming();
    });
    primeTimer_.setInterval(1);
    connect(&primeTimer_, &QTimer::timeout, this, &RecoveryKeeper::primeSlice);
}

void RecoveryKeeper::restartPriming() {
    // The snapshotter starts its assembly again from the first room by itself.
    if (!finished_) primeTimer_.start();
}

void RecoveryKeeper::primeSlice() {
    if ((busy_ && busy_()) || history_.recording()) return;
    QElapsedTimer clock;
    clock.start();
    const double cpuBefore = threadCpuMs();
    constexpr qint64 kSliceNs = 3'000'000;
    if (snapshotter_.assemble(store_, [&clock] { return clock.nsecsElapsed() < kSliceNs; })) primeTimer_.stop();
    longestWorkMs_ = std::max(longestWorkMs_, clock.nsecsElapsed() / 1e6);
    longestWorkCpuMs_ = std::max(longestWorkCpuMs_, threadCpuMs() - cpuBefore);
}

RecoveryKeeper::~RecoveryKeeper() {
    store_.removeObserver(this);
    writer_.reset();  // the thread ends before the rest of the keeper goes
}

void RecoveryKeeper::worldAdopted() {
    snapshotter_.forgetAll();
    restartPriming();
}

void RecoveryKeeper::copyWhenPrimed() {
    if (!primed() && waitedForAssembly_ < kMaxWaitForAssemblyMs) {
        // The texts are still being assembled: a snapshot now would hold the user up for as
        // long as the walk over the zone. Should changes keep coming faster than the
        // assembly, the copy is taken from the rooms after a while all the same.
        waitedForAssembly_ += 20;
        timer_.start(20);
        return;
    }
    waitedForAssembly_ = 0;
    timer_.setInterval(delayMs_);
    writeNow();
}

void RecoveryKeeper::changed() {
    if (finished_ || history_.stack().isClean() || timer_.isActive()) return;
    timer_.start(delayMs_);
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
    // Assembled ahead when the zone has not changed since; otherwise kept texts and copies.
    std::unique_ptr<RecoverySnapshot> snapshot = snapshotter_.assembled(store_)
                                                     ? snapshotter_.takeAssembled(store_, std::move(header))
                                                     : snapshotter_.take(store_, std::move(header));
    lastSnapshotMs_ = clock.nsecsElapsed() / 1e6;
    lastCopies_ = snapshot->copied;
    longestWorkMs_ = std::max(longestWorkMs_, lastSnapshotMs_);
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
        [this, s = std::shared_ptr<RecoverySnapshot>(std::move(snapshot)), error]() mutable {
            QElapsedTimer clock;
            clock.start();
            snapshotter_.learn(*s);
            s.reset();
            longestWorkMs_ = std::max(longestWorkMs_, clock.nsecsElapsed() / 1e6);
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
    primeTimer_.stop();
    writer_->remove();
    writer_->wait();
}

void RecoveryKeeper::waitForWriter() { writer_->wait(); }
