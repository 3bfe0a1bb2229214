// A request to the web service with a buffer of its own.
#include "online/ServiceCall.h"

#include <utility>

#include "platform/Platform.h"

ServiceCall::~ServiceCall() {
    cancel();
}

bool ServiceCall::start(UrlRequest request, Handler handler) {
    cancel();
    reply_ = {};
    connection_ = UrlConnection::create(std::move(request), *this);
    if (!connection_) {
        return false;
    }
    handler_ = std::move(handler);
    connection_->start();
    return true;
}

bool ServiceCall::send(UrlRequest request, Handler handler) {
    auto call = std::make_shared<ServiceCall>();
    if (!call->start(std::move(request), std::move(handler))) {
        return false;
    }
    Platform& platform = Platform::current();
    ServiceCall* raw = call.get();
    call->onFinished_ = [&platform, raw] { platform.release(raw); };
    platform.retain(std::move(call));
    return true;
}

void ServiceCall::cancel() {
    if (connection_) {
        connection_->cancel();
        connection_.reset();
    }
    handler_ = nullptr;
}

void ServiceCall::connectionDidReceiveResponse(UrlConnection&, int statusCode) {
    reply_.status = statusCode;
}

void ServiceCall::connectionDidReceiveData(UrlConnection&, std::string_view data) {
    reply_.body.append(data);
}

void ServiceCall::connectionDidFinishLoading(UrlConnection&) {
    finish(true, {});
}

void ServiceCall::connectionDidFail(UrlConnection&, const std::string& error) {
    finish(false, error);
}

void ServiceCall::finish(bool complete, const std::string& error) {
    // The handler may destroy this call (its owner pops, or a sent call is released), so
    // everything it needs is moved out first and nothing of this object is touched afterwards.
    reply_.complete = complete;
    reply_.error = error;
    ServiceReply reply = std::move(reply_);
    Handler handler = std::move(handler_);
    std::function<void()> onFinished = std::move(onFinished_);
    std::unique_ptr<UrlConnection> finished = std::move(connection_);
    if (handler) {
        handler(reply);
    }
    if (onFinished) {
        onFinished();
    }
}
