// A stand-in web service on a free loopback port for tests of real connections: it records
// every raw request and answers each by the first route whose path prefix its request line
// matches, as told: a whole reply, an error page, a reply cut short, a reply in two chunks, or
// none at all (a stall). Each connection is served on its own thread, so a stalled request
// does not hold up the others; every wait is bounded, and the destructor ends them all.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

enum class StubMode { Answer, Cut, Stall, Chunks };

class LoopbackStub {
public:
    // Longest a stalled request is held (the stub's end releases it sooner).
    static constexpr int kStallMilliseconds = 10000;

    // Answers every request as MODE with REPLY, "STATUS BODY" ("200 [1]").
    LoopbackStub(StubMode mode, std::string reply) : LoopbackStub() { route("/", mode, reply); }
    // Answers nothing routed with "404 not routed".
    LoopbackStub() {
        listener_ = socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        listen(listener_, 16);
        socklen_t length = sizeof address;
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length);
        port_ = ntohs(address.sin_port);
        thread_ = std::thread([this] { serve(); });
    }
    ~LoopbackStub() {
        stop_ = true;
        thread_.join();
        for (std::thread& client : clients_) {
            client.join();
        }
        close(listener_);
    }
    LoopbackStub(const LoopbackStub&) = delete;
    LoopbackStub& operator=(const LoopbackStub&) = delete;

    // Requests whose path starts with PREFIX ("/loginUser.php") are answered as MODE with REPLY
    // ("STATUS BODY"), after DELAY seconds. A route for the same prefix replaces the old one;
    // routes are tried newest first.
    // HEADER_LINE ("Set-Cookie: a=1"), when given, goes with each such reply.
    void route(const std::string& prefix, StubMode mode, std::string reply, double delay = 0,
               std::string headerLine = "") {
        std::lock_guard lock(mutex_);
        std::erase_if(routes_, [&](const Route& route) { return route.prefix == prefix; });
        routes_.insert(routes_.begin(),
                       Route{prefix, mode, std::move(reply), delay, std::move(headerLine)});
    }

    std::string url(const std::string& path) const {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }
    int port() const { return port_; }
    // Every raw request (request line and header fields), in arrival order.
    std::vector<std::string> requests() {
        std::lock_guard lock(mutex_);
        return requests_;
    }
    // The request lines' targets ("/loginUser.php?username=a+b"), in arrival order.
    std::vector<std::string> targets() {
        std::vector<std::string> found;
        for (const std::string& request : requests()) {
            const size_t start = request.find(' ') + 1;
            found.push_back(request.substr(start, request.find(' ', start) - start));
        }
        return found;
    }

private:
    struct Route {
        std::string prefix;
        StubMode mode;
        std::string reply;  // "STATUS BODY"
        double delay;
        std::string headerLine;  // empty: none
    };

    static bool readable(int fd, int milliseconds) {
        pollfd entry{fd, POLLIN, 0};
        return poll(&entry, 1, milliseconds) > 0;
    }

    void serve() {
        while (!stop_) {
            if (!readable(listener_, 50)) {
                continue;
            }
            const int client = accept(listener_, nullptr, nullptr);
            if (client >= 0) {
                clients_.emplace_back([this, client] {
                    handle(client);
                    close(client);
                });
            }
        }
    }

    void handle(int client) {
        std::string request;
        char buffer[4096];
        while (request.find("\r\n\r\n") == std::string::npos && readable(client, 2000)) {
            const ssize_t got = read(client, buffer, sizeof buffer);
            if (got <= 0) {
                break;
            }
            request.append(buffer, static_cast<size_t>(got));
        }
        Route route{"", StubMode::Answer, "404 not routed", 0, ""};
        {
            std::lock_guard lock(mutex_);
            requests_.push_back(request);
            const size_t start = request.find(' ') + 1;
            for (const Route& candidate : routes_) {
                if (request.compare(start, candidate.prefix.size(), candidate.prefix) == 0) {
                    route = candidate;
                    break;
                }
            }
        }
        pause(static_cast<int>(route.delay * 1000));
        answer(client, route);
    }

    // Sleeps up to MILLISECONDS, less when the stub ends.
    void pause(int milliseconds) {
        for (int slept = 0; slept < milliseconds && !stop_; slept += 20) {
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
    }

    void answer(int client, const Route& route) {
        const std::string head =
            "HTTP/1.1 " + route.reply.substr(0, 3) + " X\r\nConnection: close\r\n" +
            (route.headerLine.empty() ? "" : route.headerLine + "\r\n") + "Content-Length: ";
        const std::string body = route.reply.size() > 4 ? route.reply.substr(4) : "";
        switch (route.mode) {
            case StubMode::Answer:
                send(client, head + std::to_string(body.size()) + "\r\n\r\n" + body);
                break;
            case StubMode::Cut:
                send(client, head + std::to_string(body.size() + 50) + "\r\n\r\n" + body);
                break;
            case StubMode::Chunks:
                send(client, head + std::to_string(body.size()) + "\r\n\r\n" + body.substr(0, 1));
                pause(100);
                send(client, body.size() > 1 ? body.substr(1) : "");
                break;
            case StubMode::Stall:
                pause(kStallMilliseconds);
                break;
        }
    }

    static void send(int client, const std::string& data) {
        (void)!write(client, data.data(), data.size());
    }

    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stop_ = false;
    std::thread thread_;
    std::vector<std::thread> clients_;  // touched by the accepting thread and the destructor only
    std::mutex mutex_;
    std::vector<Route> routes_;
    std::vector<std::string> requests_;
};
