// One request to the web service and its reply: the connection, a buffer of its own (so a
// reply can never be read into another request's) and the HTTP status. The handler runs once,
// when the reply is whole or the transfer failed (refused, reset, cut short, timed out), and
// never after the call is destroyed or cancelled, so an owner that goes away hears nothing.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "platform/UrlConnection.h"

struct ServiceReply {
    bool complete = false;  // false: the transfer failed; body holds what had arrived
    int status = 0;         // HTTP status, 0 when none arrived
    std::string body;
    std::string error;  // why the transfer failed

    // A whole reply with a 2xx status.
    bool succeeded() const { return complete && status >= 200 && status < 300; }
};

class ServiceCall : public UrlConnectionDelegate {
public:
    using Handler = std::function<void(const ServiceReply&)>;

    ServiceCall() = default;
    ~ServiceCall() override;
    ServiceCall(const ServiceCall&) = delete;
    ServiceCall& operator=(const ServiceCall&) = delete;

    // Sends REQUEST, dropping any request still under way. False when no connection could be
    // made: nothing was sent and the handler will not run.
    bool start(UrlRequest request, Handler handler);
    // Sends REQUEST with nobody holding the call: it lives until its handler has run.
    static bool send(UrlRequest request, Handler handler);

    void cancel();
    bool isUnderWay() const { return connection_ != nullptr; }

    void connectionDidReceiveResponse(UrlConnection& connection, int statusCode) override;
    void connectionDidReceiveData(UrlConnection& connection, std::string_view data) override;
    void connectionDidFinishLoading(UrlConnection& connection) override;
    void connectionDidFail(UrlConnection& connection, const std::string& error) override;

private:
    void finish(bool complete, const std::string& error);

    std::unique_ptr<UrlConnection> connection_;
    Handler handler_;
    ServiceReply reply_;
    std::function<void()> onFinished_;  // releases a call made by send()
};
