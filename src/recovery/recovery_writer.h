#pragma once
// Writes recovery files on a thread of its own, so that building and writing the text of
// a large zone never holds up the user-interface thread. Work is done in the order it
// was asked for, except that a newer copy replaces one still waiting: only the latest
// state is worth writing. Every file goes through replaceFile (a temporary file beside
// it, flushed, then renamed), so a failed or interrupted write leaves the previous copy.
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "recovery/recovery_snapshot.h"

class RecoveryWriter {
public:
    // Called on the writer's thread after each write: the snapshot (its texts built) and
    // "" or the error message.
    using Written = std::function<void(std::unique_ptr<RecoverySnapshot>, const std::string& error)>;

    RecoveryWriter(std::string path, Written written);
    // Finishes what was asked for, then ends the thread.
    ~RecoveryWriter();
    RecoveryWriter(const RecoveryWriter&) = delete;
    RecoveryWriter& operator=(const RecoveryWriter&) = delete;

    const std::string& path() const { return path_; }
    void write(std::unique_ptr<RecoverySnapshot> snapshot);
    // Removes the file once the work asked for before is done; a copy waiting is dropped.
    void remove();
    // Waits until nothing is waiting or being written.
    void wait();

private:
    void run();

    const std::string path_;
    Written written_;
    std::mutex mutex_;
    std::condition_variable wake_, idle_;
    std::unique_ptr<RecoverySnapshot> waiting_;
    bool removeWaiting_ = false;
    bool busy_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

// The recovery directory's file of this run of the program: the process number and the
// time it started, so that a later run given the same number by the system never takes
// an earlier run's file for its own.
std::string recoveryFileName(int64_t pid, int64_t startTime);
