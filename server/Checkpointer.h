// Copies the write-ahead log back into the database file on a thread and connection of its own,
// so that commits never wait for it. A passive checkpoint neither blocks the writer nor readers;
// the log is reused from its start once a checkpoint has copied all of it.
#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>

#include "Database.h"

class Checkpointer {
public:
    // Takes over the checkpoints of `writer`, which must outlive this object.
    explicit Checkpointer(Database& writer);
    ~Checkpointer();
    Checkpointer(const Checkpointer&) = delete;
    Checkpointer& operator=(const Checkpointer&) = delete;

private:
    void checkpointWhenDue();

    Database& writer_;
    Database connection_;
    std::mutex mutex_;
    std::condition_variable due_;
    bool checkpointDue_ = false;
    bool stopping_ = false;
    std::thread thread_;  // last: it starts once everything above is ready
};
