// Argon2id hashing with libsodium's "interactive" limits (about 0.1 s and 64 MiB per hash here).
#include "PasswordHasher.h"

#include <sodium.h>

#include <stdexcept>

namespace {

// Releases a semaphore slot however the scope is left.
class SlotGuard {
public:
    explicit SlotGuard(std::counting_semaphore<2>& slots) : slots_(slots) { slots_.acquire(); }
    ~SlotGuard() { slots_.release(); }
    SlotGuard(const SlotGuard&) = delete;
    SlotGuard& operator=(const SlotGuard&) = delete;

private:
    std::counting_semaphore<2>& slots_;
};

}  // namespace

PasswordHasher::PasswordHasher() {
    if (sodium_init() < 0) {
        throw std::runtime_error("libsodium could not be initialised");
    }
    decoyHash_ = hash("decoy password");
}

std::string PasswordHasher::hash(std::string_view password) {
    SlotGuard slot(slots_);
    char result[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str_alg(
            result, password.data(), password.size(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
            crypto_pwhash_MEMLIMIT_INTERACTIVE, crypto_pwhash_ALG_ARGON2ID13) != 0) {
        throw std::runtime_error("out of memory while hashing a password");
    }
    return result;
}

bool PasswordHasher::verify(const std::string& storedHash, std::string_view password) {
    SlotGuard slot(slots_);
    return crypto_pwhash_str_verify(storedHash.c_str(), password.data(), password.size()) == 0;
}

void PasswordHasher::verifyNothing(std::string_view password) {
    verify(decoyHash_, password);
}
