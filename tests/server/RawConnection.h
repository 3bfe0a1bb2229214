// A plain TCP connection to a loopback port, for sending bytes exactly as a hostile client would
// and reading what comes back within bounded times.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <functional>
#include <string>

class RawConnection {
public:
    // From `source` (a loopback address such as 127.0.0.2) when given, else from 127.0.0.1.
    explicit RawConnection(int port, const char* source = nullptr) {
        fd_ = socket(AF_INET, SOCK_STREAM, 0);
        if (source) {
            sockaddr_in local{};
            local.sin_family = AF_INET;
            inet_pton(AF_INET, source, &local.sin_addr);
            bind(fd_, reinterpret_cast<sockaddr*>(&local), sizeof local);
        }
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(static_cast<uint16_t>(port));
        timeval timeout{0, 200'000};
        setsockopt(fd_, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
        connected_ = connect(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    }
    ~RawConnection() { close(fd_); }
    RawConnection(const RawConnection&) = delete;
    RawConnection& operator=(const RawConnection&) = delete;

    bool connected() const { return connected_; }
    bool send(const std::string& bytes) {
        return ::send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) ==
               static_cast<ssize_t>(bytes.size());
    }

    // Reads until `enough` says the text is complete, the server closes, or the time is up.
    std::string readUntil(std::chrono::steady_clock::duration limit,
                          const std::function<bool(const std::string&)>& enough) {
        std::string text;
        auto deadline = std::chrono::steady_clock::now() + limit;
        while (std::chrono::steady_clock::now() < deadline && !enough(text)) {
            char buffer[4096];
            ssize_t read = recv(fd_, buffer, sizeof buffer, 0);
            if (read == 0) {
                closedByPeer_ = true;
                break;
            }
            if (read > 0) {
                text.append(buffer, static_cast<size_t>(read));
            } else if (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) {
                closedByPeer_ = true;
                break;
            }
        }
        return text;
    }
    std::string readAll(std::chrono::steady_clock::duration limit) {
        return readUntil(limit, [](const std::string&) { return false; });
    }
    bool closedByPeer() const { return closedByPeer_; }

private:
    int fd_ = -1;
    bool connected_ = false;
    bool closedByPeer_ = false;
};
