// Mail messages written as files, one per message, readable by their owner only.
#include "Outbox.h"

#include <sodium.h>

#include <chrono>
#include <fstream>
#include <stdexcept>
#include <system_error>

namespace {

std::string randomHex(size_t bytes) {
    std::string raw(bytes, '\0');
    randombytes_buf(raw.data(), raw.size());
    std::string hex(bytes * 2 + 1, '\0');
    sodium_bin2hex(hex.data(), hex.size(), reinterpret_cast<const unsigned char*>(raw.data()),
                   raw.size());
    hex.pop_back();
    return hex;
}

}  // namespace

Outbox::Draft::Draft(std::filesystem::path temporary, std::filesystem::path final)
    : temporary_(std::move(temporary)), final_(std::move(final)) {}

Outbox::Draft::~Draft() {
    if (!temporary_.empty()) {
        std::error_code ignored;
        std::filesystem::remove(temporary_, ignored);
    }
}

Outbox::Draft::Draft(Draft&& other) noexcept
    : temporary_(std::move(other.temporary_)), final_(std::move(other.final_)) {
    other.temporary_.clear();
}

void Outbox::Draft::deliver() {
    std::filesystem::rename(temporary_, final_);
    temporary_.clear();
}

Outbox::Outbox(std::filesystem::path directory) : directory_(std::move(directory)) {
    std::filesystem::create_directories(directory_);
}

Outbox::Draft Outbox::prepare(const MailMessage& message, const std::string& recipientName) {
    auto seconds = std::chrono::duration_cast<std::chrono::seconds>(
                       std::chrono::system_clock::now().time_since_epoch())
                       .count();
    std::string stem = std::to_string(seconds) + "-" + recipientName + "-" + randomHex(6);
    std::filesystem::path temporary = directory_ / ("." + stem + ".tmp");
    Draft draft(temporary, directory_ / (stem + ".txt"));
    {
        std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
        file << "To: " << message.to << "\n"
             << "Subject: " << message.subject << "\n\n"
             << message.text;
        file.flush();
        if (!file) {
            throw std::runtime_error("could not write " + temporary.string());
        }
    }
    std::filesystem::permissions(
        temporary, std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    return draft;
}
