// Real HTTP connections on the libcurl multi interface. No thread of ours: the run loop waits
// on the transfers through this source while any is in flight (RunLoopSource), and every
// delegate call is made from there, on the main thread. Name look-ups run in libcurl's own
// resolver so that nothing blocks the loop.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/RunLoop.h"
#include "platform/UrlConnection.h"

struct CurlTransfer;

struct CurlOptions {
    double requestTimeoutSeconds = 30;  // a whole reply must arrive within this time
    std::string caFile;                 // certificate authorities for https; system ones if empty
    // Every connection shares one set of cookies. With a file they are read from it at the start
    // and written back after each reply, so they outlive the process; empty: kept in memory.
    std::string cookieFile;
};

class CurlConnections : public RunLoopSource {
public:
    explicit CurlConnections(CurlOptions options);
    ~CurlConnections() override;
    CurlConnections(const CurlConnections&) = delete;
    CurlConnections& operator=(const CurlConnections&) = delete;

    // Null when the URL does not parse or libcurl cannot make a handle.
    std::unique_ptr<UrlConnection> create(UrlRequest request, UrlConnectionDelegate& delegate);

    // Drops every cookie there is now, in memory and in the cookie file, once the transfers
    // under way now have ended, so they still carry the cookies they were started with.
    void forgetCookies();

    bool isBusy() const override { return !transfers_.empty(); }
    void waitAndHandle(double seconds) override;

    // For the connections: start and stop a transfer.
    void add(const std::shared_ptr<CurlTransfer>& transfer);
    void remove(CurlTransfer& transfer);

private:
    void deliver(const std::shared_ptr<CurlTransfer>& transfer);
    void dropCookies();
    void writeCookieFile();
    // The cookies in libcurl's listing, one Netscape cookie-file line each.
    std::vector<std::string> cookieLines() const;

    CurlOptions options_;
    void* multi_ = nullptr;    // CURLM*
    void* cookies_ = nullptr;  // CURLSH* sharing the cookies between every transfer
    // CURL* that only lists the cookies and reads and writes the cookie file.
    void* cookieKeeper_ = nullptr;
    std::vector<std::shared_ptr<CurlTransfer>> transfers_;
    // The transfers forgetCookies() waits for, and the cookies it will drop.
    std::vector<std::weak_ptr<CurlTransfer>> keepingCookies_;
    std::vector<std::string> cookiesToForget_;
};
