#include "recovery/recovery_writer.h"

#include <exception>
#include <filesystem>
#include <system_error>

#include "world/file_replace.h"
#include "world/platform_files.h"

RecoveryWriter::RecoveryWriter(std::string path, Written written)
    : path_(std::move(path)), written_(std::move(written)), thread_([this] { run(); }) {}

RecoveryWriter::~RecoveryWriter() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    wake_.notify_all();
    thread_.join();
}

void RecoveryWriter::write(std::unique_ptr<RecoverySnapshot> snapshot) {
    {
        std::lock_guard lock(mutex_);
        waiting_ = std::move(snapshot);
        removeWaiting_ = false;
    }
    wake_.notify_all();
}

void RecoveryWriter::remove() {
    {
        std::lock_guard lock(mutex_);
        waiting_.reset();
        removeWaiting_ = true;
    }
    wake_.notify_all();
}

void RecoveryWriter::wait() {
    std::unique_lock lock(mutex_);
    idle_.wait(lock, [this] { return !busy_ && !waiting_ && !removeWaiting_; });
}

void RecoveryWriter::run() {
    std::unique_lock lock(mutex_);
    while (true) {
        wake_.wait(lock, [this] { return stopping_ || waiting_ || removeWaiting_; });
        if (!waiting_ && !removeWaiting_) break;  // stopping, nothing left to do
        busy_ = true;
        std::unique_ptr<RecoverySnapshot> snapshot = std::move(waiting_);
        const bool remove = removeWaiting_ && !snapshot;
        removeWaiting_ = false;
        lock.unlock();
        if (remove) {
            std::error_code ignored;
            std::filesystem::remove(platform::fsPath(path_), ignored);
        } else {
            std::string error;
            std::error_code dirError;
            const std::filesystem::path file = platform::fsPath(path_);
            std::filesystem::create_directories(file.parent_path(), dirError);
            if (dirError)
                error = platform::utf8Path(file.parent_path()) + ": " + dirError.message();
            else
                try {
                    error = replaceFile(path_, snapshot->fileBytes());
                } catch (const std::exception& e) {  // memory ran out building the text
                    error = path_ + ": " + e.what();
                }
            if (written_) written_(std::move(snapshot), error);
        }
        lock.lock();
        busy_ = false;
        idle_.notify_all();
    }
}

std::string recoveryFileName(int64_t pid, int64_t startTime) {
    return std::to_string(pid) + "-" + std::to_string(startTime) + std::string(kRecoveryExtension);
}
