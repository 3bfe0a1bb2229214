// An HTTP GET request with one header field, loaded without blocking: the delegate hears the
// reply's data in chunks and then either the end of loading or a failure, each through the run
// loop. Destroying or cancelling the connection stops all further calls to the delegate.
#pragma once

#include <memory>
#include <string>
#include <string_view>

struct UrlRequest {
    std::string url;
    std::string headerField;  // e.g. "Content-Type"; empty for none
    std::string headerValue;
};

class UrlConnection;

class UrlConnectionDelegate {
public:
    virtual ~UrlConnectionDelegate() = default;
    virtual void connectionDidReceiveData(UrlConnection& connection, std::string_view data) = 0;
    virtual void connectionDidFinishLoading(UrlConnection& connection) = 0;
    virtual void connectionDidFail(UrlConnection& connection, const std::string& error) = 0;
};

class UrlConnection {
public:
    virtual ~UrlConnection() = default;

    // A connection of the active platform; nothing is sent before start(). The delegate must
    // outlive the connection (or cancel it).
    static std::unique_ptr<UrlConnection> create(UrlRequest request,
                                                 UrlConnectionDelegate& delegate);

    virtual void start() = 0;
    virtual void cancel() = 0;
    virtual const UrlRequest& request() const = 0;
};
