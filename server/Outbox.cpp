// Mail messages written as files, one per message, readable by their owner only.
#include "Outbox.h"

#include <sodium.h>

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
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

[[noreturn]] void fail(const std::string& what, const std::filesystem::path& path) {
    throw std::runtime_error(what + " " + path.string() + ": " + std::strerror(errno));
}

// Makes a file's name (a creation or a rename) as durable as its content.
void syncDirectory(const std::filesystem::path& directory) {
    int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        fail("could not open", directory);
    }
    int synced = fsync(fd);
    close(fd);
    if (synced != 0) {
        fail("could not sync", directory);
    }
}

// Writes the whole text to a new file readable by its owner only and syncs it to disk.
void writeDurably(const std::filesystem::path& path, const std::string& text) {
    int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        fail("could not create", path);
    }
    size_t written = 0;
    while (written < text.size()) {
        ssize_t count = write(fd, text.data() + written, text.size() - written);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            close(fd);
            fail("could not write", path);
        }
        written += static_cast<size_t>(count);
    }
    if (fsync(fd) != 0) {
        close(fd);
        fail("could not sync", path);
    }
    close(fd);
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
    syncDirectory(final_.parent_path());
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
    writeDurably(temporary, "To: " + message.to + "\n" + "Subject: " + message.subject + "\n\n" +
                                message.text);
    syncDirectory(directory_);
    return draft;
}
