// An HTTP GET request with one header field, loaded without blocking: the delegate hears the
// reply's status, its data in chunks and then either the end of loading or a failure, each on
// the main thread through the run loop. A failed transfer (refused, reset, cut short, timed
// out) ends with connectionDidFail and never with connectionDidFinishLoading. Destroying or
// cancelling the connection stops all further calls to the delegate.
#pragma once

#include <memory>
#include <string>
#include <string_view>

struct UrlRequest {
    std::string url;
    std::string headerField;  // e.g. "Accept"; empty for none
    std::string headerValue;
};

class UrlConnection;

class UrlConnectionDelegate {
public:
    virtual ~UrlConnectionDelegate() = default;
    // The HTTP status, once, before the first data chunk or the end of loading.
    virtual void connectionDidReceiveResponse(UrlConnection& connection, int statusCode) = 0;
    virtual void connectionDidReceiveData(UrlConnection& connection, std::string_view data) = 0;
    virtual void connectionDidFinishLoading(UrlConnection& connection) = 0;
    virtual void connectionDidFail(UrlConnection& connection, const std::string& error) = 0;
};

class UrlConnection {
public:
    virtual ~UrlConnection() = default;

    // A connection of the active platform; nothing is sent before start(). Null when no
    // connection can be made for the request (a URL that does not parse, say). The delegate
    // must outlive the connection (or cancel it).
    // Drops every cookie connections were given so far.
    static void forgetCookies();
    static std::unique_ptr<UrlConnection> create(UrlRequest request,
                                                 UrlConnectionDelegate& delegate);

    virtual void start() = 0;
    virtual void cancel() = 0;
    virtual const UrlRequest& request() const = 0;
};
