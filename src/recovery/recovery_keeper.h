#pragma once
// Keeps the recovery file of this run of the editor: while the zone has changes that are
// not saved, a copy is written a few seconds after a change (the first change after a
// copy starts the clock, so steady editing is copied at least every delay), and at once
// before a Load or New Area replaces the zone. The copy goes when nothing is unsaved any
// more (a save, a Load or New Area, undoing back to the saved state) and at a normal end.
//
// The snapshot is taken on this thread (kept texts and copies of touched rooms, see
// recovery_snapshot.h); the text is built and written by the writer's thread. A copy that
// cannot be written leaves the previous one and is reported once per run.
#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>

#include "recovery/recovery_snapshot.h"
#include "recovery/recovery_writer.h"
#include "world/world_store.h"

class EditHistory;
class Prompts;
class WorldStore;

class RecoveryKeeper : public QObject, public StoreObserver {
    Q_OBJECT
public:
    static constexpr int kDefaultDelayMs = 5000;

    // The file is directory/recoveryFileName(this process, now).
    RecoveryKeeper(WorldStore& store, EditHistory& history, Prompts& prompts, const std::string& directory,
                   int delayMs = kDefaultDelayMs);
    ~RecoveryKeeper() override;

    const std::string& filePath() const { return writer_->path(); }
    // What the header names: the zone's own file, and the definitions in use ("built-in"
    // or a file), asked at each copy.
    void setZonePath(std::function<std::string()> path) { zonePath_ = std::move(path); }
    void setDefinitions(std::function<std::string()> bitvectors, std::function<std::string()> sectors) {
        bitvectors_ = std::move(bitvectors);
        sectors_ = std::move(sectors);
    }

    // A copy now when anything is unsaved.
    void writeNow();
    // A Load or New Area is about to replace the zone: a copy of what is unsaved is on
    // disk before the zone goes, and stays until the new zone is in (zoneReplaced), so
    // that a crash while reading still leaves it.
    void zoneReplacing();
    void zoneReplaced();
    // Another run's recovery file, whose zone was just recovered, becomes this run's: it
    // goes on protecting the recovered work until this run's own copy replaces it.
    void adopt(const std::string& otherFile);
    // A normal end: the copy goes, and the writer is done.
    void finish();
    // Waits until what was asked of the writer is done (tests, the end of the program).
    void waitForWriter();

    // While it says so, the zone is half-read and nothing looks at it (a read in progress).
    void setBusy(std::function<bool()> busy) { busy_ = std::move(busy); }
    // The texts of every room are kept ready (tests and benchmarks wait for it).
    bool primed() const { return !primeTimer_.isActive(); }

    // The milliseconds the last snapshot took on this thread, and the copies made.
    double lastSnapshotMs() const { return lastSnapshotMs_; }
    size_t lastSnapshotCopies() const { return lastCopies_; }
    // The longest piece of recovery work on this thread so far (a slice, a snapshot, the
    // end of a write), in milliseconds.
    double longestWorkMs() const { return longestWorkMs_; }
    double longestSliceCpuMs() const { return longestWorkCpuMs_; }
    int copiesWritten() const { return copiesWritten_; }

signals:
    // A copy was written (error empty) or could not be.
    void copyWritten(const QString& error);

protected:
    // A world file was read into the store (at start-up too, where no Load empties the
    // history): its records are new.
    void worldAdopted() override;

private:
    void changed();
    // The timer's copy: once the texts are ready, so that the snapshot only walks the index.
    void copyWhenPrimed();
    void restartPriming();
    void primeSlice();
    void writtenOnWorker(std::unique_ptr<RecoverySnapshot> snapshot, const std::string& error);

    WorldStore& store_;
    EditHistory& history_;
    Prompts& prompts_;
    RecoverySnapshotter snapshotter_;
    QTimer timer_;
    // Assembles the zone's texts ahead, a few milliseconds at a time, so that a copy
    // costs this thread nothing.
    QTimer primeTimer_;
    int waitedForAssembly_ = 0;
    static constexpr int kMaxWaitForAssemblyMs = 3000;
    std::function<bool()> busy_;
    std::function<std::string()> zonePath_, bitvectors_, sectors_;
    int delayMs_ = kDefaultDelayMs;
    double lastSnapshotMs_ = 0;
    size_t lastCopies_ = 0;
    double longestWorkMs_ = 0;
    double longestWorkCpuMs_ = 0;
    int copiesWritten_ = 0;
    bool errorShown_ = false;
    bool finished_ = false;
    bool replacing_ = false;
    std::unique_ptr<RecoveryWriter> writer_;  // last: its thread stops before the rest goes
};

// The directory of recovery files: AppDataLocation/recovery.
std::string recoveryDirectory();
