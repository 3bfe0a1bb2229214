// The front door's limits per client address: how many connections may be open at once, in
// total and per address, and how many requests an address may make per second (a token bucket
// holding two seconds' worth). A client past a limit is answered at once with a refusal rather
// than queued. A limit of 0 means none. Thread-safe.
#pragma once

#include <chrono>
#include <cstddef>
#include <mutex>
#include <string>
#include <unordered_map>

class ConnectionLimits {
public:
    using Clock = std::chrono::steady_clock;

    struct Settings {
        size_t maxConnections = 0;
        size_t perAddressConnections = 0;
        double perAddressRate = 0;  // requests per second
    };

    explicit ConnectionLimits(Settings settings);

    // Counts a new connection from the address, or returns false when it would pass a limit.
    // Each connection counted is given back with close(). A connection from a trusted proxy
    // carries many clients: it counts in all but not against the per-address limit.
    bool tryOpen(const std::string& address, bool limitPerAddress = true);
    void close(const std::string& address);
    size_t openConnections();

    // Takes a request from the address's allowance, or returns false when it is used up.
    bool tryRequest(const std::string& address, Clock::time_point now);

private:
    struct Bucket {
        double tokens = 0;
        Clock::time_point filledAt;
    };

    double capacity() const { return 2 * settings_.perAddressRate; }
    void pruneBuckets(Clock::time_point now);

    Settings settings_;
    std::mutex mutex_;
    size_t open_ = 0;
    std::unordered_map<std::string, size_t> openByAddress_;
    std::unordered_map<std::string, Bucket> buckets_;
    size_t nextPruneAt_;
};
