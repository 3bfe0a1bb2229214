// Lending read connections.
#include "ReaderPool.h"

ReaderPool::Lease::Lease(ReaderPool& pool, std::unique_ptr<Database> connection)
    : pool_(pool), connection_(std::move(connection)) {}

ReaderPool::Lease::~Lease() {
    std::lock_guard lock(pool_.mutex_);
    pool_.idle_.push_back(std::move(connection_));
}

ReaderPool::Lease ReaderPool::acquire() {
    {
        std::lock_guard lock(mutex_);
        if (!idle_.empty()) {
            std::unique_ptr<Database> connection = std::move(idle_.back());
            idle_.pop_back();
            return Lease(*this, std::move(connection));
        }
    }
    return Lease(*this, std::make_unique<Database>(file_, Database::Access::Read));
}
