#include "PgPool.h"

PgPool::PgPool(std::string url, PgPoolSettings settings)
    : url_(std::move(url)), settings_(settings) {
    if (settings_.size == 0) {
        settings_.size = 1;
    }
}

bool PgPool::isRaceLost(const PgError& error) {
    return error.sqlState() == "40001" || error.sqlState() == "40P01";
}

std::unique_ptr<PgConnection> PgPool::take() {
    std::unique_lock lock(mutex_);
    auto longestWait = std::chrono::seconds(settings_.connectTimeoutSeconds) +
                       std::chrono::milliseconds(settings_.statementTimeoutMilliseconds);
    if (!returned_.wait_for(lock, longestWait,
                            [&] { return !idle_.empty() || lent_ < settings_.size; })) {
        throw PgError("no database connection became free", "");
    }
    ++lent_;
    if (!idle_.empty()) {
        std::unique_ptr<PgConnection> connection = std::move(idle_.back());
        idle_.pop_back();
        return connection;
    }
    lock.unlock();
    try {
        return std::make_unique<PgConnection>(url_, settings_.connectTimeoutSeconds,
                                              settings_.statementTimeoutMilliseconds);
    } catch (...) {
        lock.lock();
        --lent_;
        returned_.notify_one();
        throw;
    }
}

void PgPool::giveBack(std::unique_ptr<PgConnection> connection) {
    std::lock_guard lock(mutex_);
    --lent_;
    if (connection != nullptr && connection->usable() && !connection->inTransaction()) {
        idle_.push_back(std::move(connection));
    } else if (connection != nullptr && !connection->usable()) {
        // The server went away: the idle connections were cut off with this one.
        idle_.clear();
    }
    returned_.notify_one();
}

void PgPool::Lease::rollBack() {
    if (connection_->usable() && connection_->inTransaction()) {
        try {
            connection_->execute("ROLLBACK");
        } catch (const PgError&) {
            // The connection is dropped when given back, still in its transaction.
        }
    }
}
