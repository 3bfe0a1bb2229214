// Read-only connections on the service's database file, lent to one request at a time. In WAL
// mode a reader sees the last commit and neither waits for a writer nor holds one up, so reads go
// on while a write is being synced.
#pragma once

#include <filesystem>
#include <memory>
#include <mutex>
#include <vector>

#include "Database.h"

class ReaderPool {
public:
    // A connection for the lifetime of this object; given back to the pool after.
    class Lease {
    public:
        Lease(ReaderPool& pool, std::unique_ptr<Database> connection);
        ~Lease();
        Lease(const Lease&) = delete;
        Lease& operator=(const Lease&) = delete;

        Database& operator*() { return *connection_; }

    private:
        ReaderPool& pool_;
        std::unique_ptr<Database> connection_;
    };

    // The file must exist with its schema (a writer opened it first).
    explicit ReaderPool(std::filesystem::path file) : file_(std::move(file)) {}

    // An idle connection, or a new one when all are lent: there are never more than the number
    // of requests that read at once.
    Lease acquire();

private:
    std::filesystem::path file_;
    std::mutex mutex_;
    std::vector<std::unique_ptr<Database>> idle_;
};
