// Outgoing e-mail as files: the service does not talk to a mail server; each message becomes one
// file in the outbox directory, for a mail transfer agent (or a person) to pick up.
#pragma once

#include <filesystem>
#include <string>

struct MailMessage {
    std::string to;
    std::string subject;
    std::string text;
};

class Outbox {
public:
    // A message written under a temporary name, not yet visible as part of the outbox. deliver()
    // gives it its final name; a draft that is never delivered is removed. This lets a caller
    // write the message first and publish it only once the change it announces is committed.
    class Draft {
    public:
        Draft(std::filesystem::path temporary, std::filesystem::path final);
        ~Draft();
        Draft(Draft&& other) noexcept;
        Draft(const Draft&) = delete;
        Draft& operator=(const Draft&) = delete;
        Draft& operator=(Draft&&) = delete;

        void deliver();

    private:
        std::filesystem::path temporary_;
        std::filesystem::path final_;
    };

    explicit Outbox(std::filesystem::path directory);

    // The draft is synced to disk, with its directory, before this returns. Throws
    // std::runtime_error when the file cannot be written.
    Draft prepare(const MailMessage& message, const std::string& recipientName);

private:
    std::filesystem::path directory_;
};
