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
};

class CurlConnections : public RunLoopSource {
public:
    explicit CurlConnections(CurlOptions options);
    ~CurlConnections() override;
    CurlConnections(const CurlConnections&) = delete;
    CurlConnections& operator=(const CurlConnections&) = delete;

    // Null when the URL does not parse or libcurl cannot make a handle.
    std::unique_ptr<UrlConnection> create(UrlRequest request, UrlConnectionDelegate& delegate);

    bool isBusy() const override { return !transfers_.empty(); }
    void waitAndHandle(double seconds) override;

    // For the connections: start and stop a transfer.
    void add(const std::shared_ptr<CurlTransfer>& transfer);
    void remove(CurlTransfer& transfer);

private:
    void deliver(const std::shared_ptr<CurlTransfer>& transfer);

    CurlOptions options_;
    void* multi_ = nullptr;  // CURLM*
    std::vector<std::shared_ptr<CurlTransfer>> transfers_;
};
