// The writer thread: takes everything queued, stores it as one transaction, answers, repeats.
#include "GroupCommit.h"

GroupCommit::GroupCommit(Database& database)
    : database_(database), writer_([this] { storeBatches(); }) {}

GroupCommit::~GroupCommit() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    queued_.notify_one();
    writer_.join();
}

uint64_t GroupCommit::commits() const {
    std::lock_guard lock(mutex_);
    return commits_;
}

void GroupCommit::submit(const std::function<void()>& write) {
    Pending pending{write, nullptr};
    std::unique_lock lock(mutex_);
    queue_.push_back(&pending);
    queued_.notify_one();
    stored_.wait(lock, [&] { return pending.done; });
    if (pending.failure) {
        std::rethrow_exception(pending.failure);
    }
}

void GroupCommit::storeBatches() {
    std::unique_lock lock(mutex_);
    for (;;) {
        queued_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        if (queue_.empty()) {
            return;
        }
        std::vector<Pending*> batch;
        batch.swap(queue_);
        lock.unlock();
        store(batch);
        lock.lock();
        for (Pending* pending : batch) {
            pending->done = true;
        }
        stored_.notify_all();
    }
}

void GroupCommit::store(const std::vector<Pending*>& batch) {
    std::lock_guard connection(database_.mutex());
    std::exception_ptr batchFailure;
    try {
        database_.execute("BEGIN IMMEDIATE");
        for (Pending* pending : batch) {
            database_.execute("SAVEPOINT one_write");
            try {
                pending->write();
            } catch (...) {
                pending->failure = std::current_exception();
                if (!database_.inTransaction()) {
                    throw;  // SQLite gave up the whole transaction: no write of it is kept
                }
                database_.execute("ROLLBACK TO one_write");
            }
            database_.execute("RELEASE one_write");
        }
        // A batch that changed nothing writes nothing to the log and costs no sync.
        database_.execute("COMMIT");
        std::lock_guard lock(mutex_);
        ++commits_;
    } catch (...) {
        batchFailure = std::current_exception();
        if (database_.inTransaction()) {
            try {
                database_.execute("ROLLBACK");
            } catch (const DatabaseError&) {
                // Nothing was committed either way; the next batch begins afresh.
            }
        }
    }
    if (batchFailure) {
        for (Pending* pending : batch) {
            if (!pending->failure) {
                pending->failure = batchFailure;
            }
        }
    }
}
