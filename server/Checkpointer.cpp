// The checkpoint thread.
#include "Checkpointer.h"

#include <iostream>

namespace {

// SQLite's own checkpoints start at this size of the log, too.
constexpr int kCheckpointPages = 1000;

}  // namespace

Checkpointer::Checkpointer(Database& writer)
    : writer_(writer), connection_(writer.file()), thread_([this] { checkpointWhenDue(); }) {
    writer_.whenLogGrows([this](int pages) {
        if (pages < kCheckpointPages) {
            return;
        }
        {
            std::lock_guard lock(mutex_);
            checkpointDue_ = true;
        }
        due_.notify_one();
    });
}

Checkpointer::~Checkpointer() {
    writer_.whenLogGrows([](int) {});
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    due_.notify_one();
    thread_.join();
}

void Checkpointer::checkpointWhenDue() {
    std::unique_lock lock(mutex_);
    for (;;) {
        due_.wait(lock, [this] { return stopping_ || checkpointDue_; });
        if (stopping_) {
            return;
        }
        checkpointDue_ = false;
        lock.unlock();
        try {
            connection_.execute("PRAGMA wal_checkpoint(PASSIVE)");
        } catch (const DatabaseError& error) {
            // The log stays as it is and is copied at the next attempt.
            std::cerr << "kalvorn-server: checkpoint failed: " << error.what() << "\n";
        }
        lock.lock();
    }
}
