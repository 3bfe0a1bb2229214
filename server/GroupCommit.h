// Group commit on the service's one writing connection. Writes that arrive while another batch is
// being stored wait together and then share one transaction and so one sync: each runs in a
// savepoint of its own (its failure undoes only its own changes), and every caller is answered
// only once the transaction holding its write is durable, or with the error that stopped it.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <type_traits>
#include <vector>

#include "Database.h"

class GroupCommit {
public:
    explicit GroupCommit(Database& database);
    // Stores what is queued, then stops.
    ~GroupCommit();
    GroupCommit(const GroupCommit&) = delete;
    GroupCommit& operator=(const GroupCommit&) = delete;

    // Runs `write` on the writing connection (it must not begin a transaction of its own) and
    // returns its result once that is committed and synced. Throws what `write` threw, or the
    // error that kept the batch from being committed.
    template <typename Write>
    std::invoke_result_t<Write&> run(Write write) {
        using Result = std::invoke_result_t<Write&>;
        if constexpr (std::is_void_v<Result>) {
            submit(write);
        } else {
            std::optional<Result> result;
            submit([&] { result.emplace(write()); });
            return std::move(*result);
        }
    }

    // Transactions committed so far: fewer than the writes when they were grouped.
    uint64_t commits() const;

private:
    struct Pending {
        const std::function<void()>& write;
        std::exception_ptr failure;
        bool done = false;
    };

    void submit(const std::function<void()>& write);
    void storeBatches();
    void store(const std::vector<Pending*>& batch);

    Database& database_;
    mutable std::mutex mutex_;
    std::condition_variable queued_;
    std::condition_variable stored_;
    std::vector<Pending*> queue_;
    bool stopping_ = false;
    uint64_t commits_ = 0;
    std::thread writer_;  // last: it starts once everything above is ready
};
