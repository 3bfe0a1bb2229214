// The HTTP front of the service on Boost.Beast: one I/O thread runs every connection as a chain
// of asynchronous reads and writes, so an idle or slow client costs a little memory and no
// thread; the requests themselves are handled on worker threads, because hashing a password or
// syncing the database takes milliseconds, and reads on a pool apart from the rest. Only GET is
// served; pipelined requests are answered one after the other in their order. Given a certificate
// and key, every connection speaks TLS (OpenSSL) under the same limits and time-outs.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ConnectionLimits.h"
#include "QueryString.h"

struct FrontReply {
    int status = 200;
    std::string contentType;
    std::string body;
    std::string setCookie;  // a Set-Cookie value; empty: none
};

struct FrontSettings {
    std::string host;
    int port = 0;  // 0 picks a free one
    ConnectionLimits::Settings limits;
    // A request must arrive whole within this time of its first byte; a connection without a
    // request under way is closed after the idle time.
    std::chrono::milliseconds requestTimeout{5000};
    std::chrono::milliseconds idleTimeout{5000};
    // Canonical addresses of reverse proxies: on their connections the request's client is the
    // forwarded address, and the per-address connection limit does not apply.
    std::vector<std::string> trustedProxies;
    // Both set: HTTPS with this certificate chain and private key (PEM); both empty: HTTP.
    std::filesystem::path tlsCertificate;
    std::filesystem::path tlsKey;
    // Requests for which this holds only read, and quickly: they are handled on threads of their
    // own, so they never queue behind requests that wait for a write to be synced.
    std::function<bool(const RequestTarget& target)> onlyReads;
};

class HttpFront {
public:
    // Called on a worker thread for each GET request, with the request's Cookie header (empty
    // when it has none); must be safe to call from many at once.
    using Handler =
        std::function<FrontReply(const RequestTarget& target, const std::string& cookies)>;

    // Loads the certificate and key and binds the listening socket (never shared with another
    // process); throws std::runtime_error naming the file or the address when that fails.
    HttpFront(const FrontSettings& settings, Handler handler);
    ~HttpFront();

    int port() const;

    // Serves until SIGINT or SIGTERM, then stops accepting, closes connections that wait for a
    // request, lets the requests under way be answered and returns within 5 s of the signal.
    void run();

private:
    class Implementation;
    std::unique_ptr<Implementation> implementation_;
};
