// The connections of one process to its PostgreSQL database. Connections are made when needed, up
// to `size`, and handed to one caller at a time; one that lost the server (a restart, a network
// failure) is dropped, so the next caller connects afresh and the service recovers by itself
// once the database is back. A caller never waits long: connecting, every statement and the wait
// for a free connection are each bounded.
#pragma once

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "PgConnection.h"

struct PgPoolSettings {
    size_t size = 6;
    int connectTimeoutSeconds = 2;
    int statementTimeoutMilliseconds = 10'000;
};

class PgPool {
public:
    PgPool(std::string url, PgPoolSettings settings = {});
    PgPool(const PgPool&) = delete;
    PgPool& operator=(const PgPool&) = delete;

    // Runs `work(connection)` inside one transaction and commits it; rolls back and rethrows when
    // `work` throws. A transaction that lost a deadlock or serialisation race is run again, and so
    // is one whose idle connection turned out to be dead before anything was sent in it.
    template <typename Work>
    auto transaction(Work&& work, const char* begin = "BEGIN") {
        for (int attempt = 1;; ++attempt) {
            Lease lease(*this);
            try {
                lease->execute(begin);
            } catch (const PgError&) {
                if (lease->usable() || attempt == kAttempts) {
                    throw;
                }
                continue;
            }
            try {
                auto result = work(*lease);
                lease->execute("COMMIT");
                return result;
            } catch (const PgError& error) {
                lease.rollBack();
                if (!isRaceLost(error) || attempt == kAttempts) {
                    throw;
                }
            } catch (...) {
                lease.rollBack();
                throw;
            }
        }
    }

    const std::string& url() const { return url_; }

private:
    static constexpr int kAttempts = 3;

    class Lease {
    public:
        explicit Lease(PgPool& pool) : pool_(pool), connection_(pool.take()) {}
        ~Lease() { pool_.giveBack(std::move(connection_)); }
        Lease(const Lease&) = delete;
        Lease& operator=(const Lease&) = delete;
        PgConnection& operator*() { return *connection_; }
        PgConnection* operator->() { return connection_.get(); }
        void rollBack();

    private:
        PgPool& pool_;
        std::unique_ptr<PgConnection> connection_;
    };

    static bool isRaceLost(const PgError& error);
    std::unique_ptr<PgConnection> take();
    void giveBack(std::unique_ptr<PgConnection> connection);

    std::string url_;
    PgPoolSettings settings_;
    std::mutex mutex_;
    std::condition_variable returned_;
    std::vector<std::unique_ptr<PgConnection>> idle_;
    size_t lent_ = 0;
};
