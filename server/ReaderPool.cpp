// Lending read connections.
#include "ReaderPool.h"

ReaderPool::Lease::Lease(ReaderPool& pool, std::unique_ptr<Reader> reader)
    : pool_(pool), reader_(std::move(reader)) {}

ReaderPool::Lease::~Lease() {
    std::lock_guard lock(pool_.mutex_);
    pool_.idle_.push_back(std::move(reader_));
}

ReaderPool::Lease ReaderPool::acquire() {
    {
        std::lock_guard lock(mutex_);
        if (!idle_.empty()) {
            std::unique_ptr<Reader> reader = std::move(idle_.back());
            idle_.pop_back();
            return Lease(*this, std::move(reader));
        }
    }
    return Lease(*this, std::make_unique<Reader>(file_));
}
