// Argon2id password hashes (libsodium). Only the hash string is ever stored; it carries its own
// salt and cost parameters, so hashes made with other limits still verify.
#pragma once

#include <semaphore>
#include <string>
#include <string_view>

class PasswordHasher {
public:
    PasswordHasher();

    std::string hash(std::string_view password);
    bool verify(const std::string& storedHash, std::string_view password);
    // Spends the time of a verification without a stored hash, so that a log-in under an unknown
    // name takes as long as one under a known name and does not reveal which names exist.
    void verifyNothing(std::string_view password);

private:
    // Each hash holds 64 MiB for about 0.1 s: at most two run at once, whatever the number of
    // request threads, which bounds the memory and leaves the other requests some CPU.
    std::counting_semaphore<2> slots_{2};
    std::string decoyHash_;
};
