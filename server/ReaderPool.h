// Read-only connections on the service's database file, lent to one request at a time. In WAL
// mode a reader sees the last commit and neither waits for a writer nor holds one up, so reads go
// on while a write is being synced.
#pragma once

#include <filesystem>
#include <memory>
#include <mutex>
#include <vector>

#include "Database.h"
#include "Ranking.h"

class ReaderPool {
public:
    // A read connection with what it keeps between requests.
    struct Reader {
        explicit Reader(const std::filesystem::path& file)
            : database(file, Database::Access::Read) {}

        Database database;
        BandCounts bands;
    };

    // A connection for the lifetime of this object; given back to the pool after.
    class Lease {
    public:
        Lease(ReaderPool& pool, std::unique_ptr<Reader> reader);
        ~Lease();
        Lease(const Lease&) = delete;
        Lease& operator=(const Lease&) = delete;

        Database& operator*() { return reader_->database; }
        BandCounts& bands() { return reader_->bands; }

    private:
        ReaderPool& pool_;
        std::unique_ptr<Reader> reader_;
    };

    // The file must exist with its schema (a writer opened it first).
    explicit ReaderPool(std::filesystem::path file) : file_(std::move(file)) {}

    // An idle connection, or a new one when all are lent: there are never more than the number
    // of requests that read at once.
    Lease acquire();

private:
    std::filesystem::path file_;
    std::mutex mutex_;
    std::vector<std::unique_ptr<Reader>> idle_;
};
