// Connections, timeouts, limits, TLS and the orderly stop of the HTTP front.
#include "HttpFront.h"

#include <utility>  // needed before Asio in this Boost

#include <boost/asio.hpp>
#include <boost/asio/ssl.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <boost/beast/ssl.hpp>

#include <atomic>
#include <iostream>
#include <mutex>
#include <optional>
#include <stdexcept>
#include <type_traits>
#include <unordered_set>
#include <vector>

#include "ClientAddress.h"
#include "QueryLog.h"

namespace {

namespace asio = boost::asio;
namespace beast = boost::beast;
namespace http = beast::http;
using tcp = asio::ip::tcp;
using PlainStream = beast::tcp_stream;
using TlsStream = beast::ssl_stream<beast::tcp_stream>;
using Clock = std::chrono::steady_clock;
using namespace std::chrono_literals;

// Writes wait for their group's sync on these threads: as many as may share one commit, and
// enough that requests waiting for the two password-hash slots leave others to serve the rest.
constexpr int kWorkerThreads = 128;
// Reads never wait for anything but the CPU.
constexpr int kReaderThreads = 2;
constexpr size_t kHeaderLimit = 8192;
constexpr size_t kBodyLimit = 64 * 1024;
// Room for a request and some pipelined ones behind it; a client sending more is cut off.
constexpr size_t kBufferLimit = 128 * 1024;
constexpr auto kWriteTimeout = 5s;
// How long a TLS client has to answer the close_notify that ends its connection.
constexpr auto kCloseTimeout = 1s;
constexpr auto kStopGrace = 4500ms;
// Refused connections get their 503 within this time or are dropped; at most this many at once.
constexpr auto kRefusalTimeout = 1s;
constexpr int kMaxRefusals = 256;

// The threads requests are handled on.
struct Workers {
    asio::thread_pool reads{kReaderThreads};
    asio::thread_pool others{kWorkerThreads};
};

// A served connection, as the front's stop sees it.
class Connection {
public:
    // On the I/O thread, when the front stops: a connection that waits for a request (or for
    // the rest of one) is closed; one whose request is being handled is answered first.
    virtual void stopIfWaiting() = 0;

protected:
    ~Connection() = default;
};

std::unique_ptr<asio::ssl::context> makeTlsContext(const FrontSettings& settings) {
    if (settings.tlsCertificate.empty()) {
        return nullptr;
    }
    using Context = asio::ssl::context;
    auto context = std::make_unique<Context>(Context::tls_server);
    context->set_options(Context::default_workarounds | Context::no_sslv2 | Context::no_sslv3 |
                         Context::no_tlsv1 | Context::no_tlsv1_1 | Context::single_dh_use);
    auto load = [](const std::filesystem::path& file, const char* what, auto&& use) {
        try {
            use(file.string());
        } catch (const boost::system::system_error& error) {
            throw std::runtime_error(std::string("cannot use the TLS ") + what + " " +
                                     file.string() + ": " + error.code().message());
        }
    };
    load(settings.tlsCertificate, "certificate",
         [&](const std::string& file) { context->use_certificate_chain_file(file); });
    // OpenSSL also checks here that the key belongs to the certificate.
    load(settings.tlsKey, "key",
         [&](const std::string& file) { context->use_private_key_file(file, Context::pem); });
    return context;
}

// What every connection of one front shares. Only the I/O thread starts and ends connections;
// the set is locked because a session may be destroyed while the front stops.
struct FrontState {
    FrontState(const FrontSettings& frontSettings, HttpFront::Handler requestHandler)
        : settings(frontSettings),
          handler(std::move(requestHandler)),
          limits(frontSettings.limits),
          trustedProxies(frontSettings.trustedProxies.begin(), frontSettings.trustedProxies.end()),
          tls(makeTlsContext(frontSettings)) {}

    FrontSettings settings;
    HttpFront::Handler handler;
    ConnectionLimits limits;
    std::unordered_set<std::string> trustedProxies;
    std::unique_ptr<asio::ssl::context> tls;  // null: plain HTTP
    std::mutex sessionsMutex;
    std::unordered_set<Connection*> sessions;
    std::atomic<bool> stopping = false;
    std::atomic<int> refusals = 0;
    std::mutex logMutex;
};

void logLine(FrontState& state, RequestLogEntry entry) {
    std::string line = requestLogLine(entry) + "\n";
    std::lock_guard lock(state.logMutex);
    std::cerr << line << std::flush;
}

// Errors after which a connection is just closed: the client left, stopped half-way, was too
// slow, or broke its TLS session (nothing can be answered on that).
bool clientGone(const beast::error_code& error) {
    return error == http::error::end_of_stream || error == beast::error::timeout ||
           error == asio::error::operation_aborted || error == asio::error::eof ||
           error == asio::error::connection_reset ||
           error.category() == asio::error::get_ssl_category() ||
           error.category() == asio::ssl::error::get_stream_category();
}

std::vector<std::string> fieldValues(const http::request<http::string_body>& request,
                                     beast::string_view name) {
    std::vector<std::string> values;
    for (auto [field, end] = request.equal_range(name); field != end; ++field) {
        values.emplace_back(field->value());
    }
    return values;
}

// Calls `next` once the connection is ready for HTTP: at once on plain TCP, after the handshake
// on TLS. The handshake is bounded by the stream's deadline like any read.
template <typename Next>
void whenReady(PlainStream&, Next next) {
    next();
}

template <typename Next>
void whenReady(TlsStream& stream, Next next) {
    stream.async_handshake(asio::ssl::stream_base::server,
                           [next = std::move(next)](beast::error_code error) mutable {
                               if (!error) {
                                   next();
                               }
                           });
}

// Tells the client that nothing more comes: a TCP half-close, or TLS's close_notify, whose answer
// is awaited within the stream's deadline while `owner` keeps the connection.
void endSending(PlainStream& stream, const std::shared_ptr<void>&) {
    beast::error_code ignored;
    stream.socket().shutdown(tcp::socket::shutdown_send, ignored);
}

void endSending(TlsStream& stream, std::shared_ptr<void> owner) {
    stream.async_shutdown([owner = std::move(owner)](beast::error_code) {});
}

template <typename Stream>
class Session final : public Connection, public std::enable_shared_from_this<Session<Stream>> {
public:
    template <typename... StreamArguments>
    Session(FrontState& state, asio::io_context& io, Workers& workers, std::string address,
            bool viaProxy, StreamArguments&&... streamArguments)
        : state_(state),
          io_(io),
          workers_(workers),
          stream_(std::forward<StreamArguments>(streamArguments)...),
          buffer_(kBufferLimit),
          address_(std::move(address)),
          viaProxy_(viaProxy) {}

    ~Session() {
        {
            std::lock_guard lock(state_.sessionsMutex);
            state_.sessions.erase(this);
        }
        state_.limits.close(address_);
    }

    void start() {
        {
            std::lock_guard lock(state_.sessionsMutex);
            state_.sessions.insert(this);
        }
        deadline().expires_after(state_.settings.requestTimeout);
        whenReady(stream_, [self = this->shared_from_this()] { self->waitForRequest(); });
    }

    void stopIfWaiting() override {
        if (!busy_) {
            deadline().close();
        }
    }

private:
    beast::tcp_stream& deadline() { return beast::get_lowest_layer(stream_); }

    void waitForRequest() {
        if (state_.stopping) {
            return;
        }
        if (buffer_.size() > 0) {
            readRequest();  // pipelined behind the last one
            return;
        }
        deadline().expires_after(state_.settings.idleTimeout);
        stream_.async_read_some(buffer_.prepare(4096), [self = this->shared_from_this()](
                                                           beast::error_code error, size_t read) {
            if (error) {
                return;
            }
            self->buffer_.commit(read);
            self->readRequest();
        });
    }

    void readRequest() {
        parser_.emplace();
        parser_->header_limit(kHeaderLimit);
        parser_->body_limit(kBodyLimit);
        deadline().expires_after(state_.settings.requestTimeout);
        http::async_read(stream_, buffer_, *parser_,
                         [self = this->shared_from_this()](beast::error_code error, size_t) {
                             self->onRequest(error);
                         });
    }

    void onRequest(beast::error_code error) {
        if (clientGone(error)) {
            return;
        }
        started_ = Clock::now();
        busy_ = true;
        client_ = address_;
        if (error) {
            // Nothing after a malformed request can be trusted to start where it seems to.
            keepAlive_ = false;
            int status = error == http::error::header_limit ? 431
                         : error == http::error::body_limit ? 413
                                                            : 400;
            answer({status, "text/plain; charset=utf-8", "Bad request\n", {}}, {}, "-");
            return;
        }
        auto request = parser_->release();
        parser_.reset();
        if (viaProxy_) {
            // Without a usable forwarded address the request counts as the proxy's own.
            client_ = forwardedClientAddress(fieldValues(request, "X-Forwarded-For"),
                                             fieldValues(request, "X-Real-IP"))
                          .value_or(address_);
        }
        version_ = request.version();
        keepAlive_ = request.keep_alive();
        std::string method(request.method_string());
        auto rawTarget = request.target();
        RequestTarget target = parseRequestTarget({rawTarget.data(), rawTarget.size()});
        if (!state_.limits.tryRequest(client_, started_)) {
            answer({429, "text/plain; charset=utf-8", "Too many requests\n", {}}, std::move(target),
                   method);
            return;
        }
        if (request.method() != http::verb::get) {
            bool head = request.method() == http::verb::head;
            answer({405, "text/plain; charset=utf-8", head ? "" : "Only GET is served\n", {}},
                   std::move(target), method);
            return;
        }
        const auto& onlyReads = state_.settings.onlyReads;
        asio::thread_pool& pool = onlyReads && onlyReads(target) ? workers_.reads : workers_.others;
        std::string cookies(request[http::field::cookie]);
        asio::post(pool, [self = this->shared_from_this(), target = std::move(target),
                          cookies = std::move(cookies)]() mutable {
            FrontReply reply = self->handle(target, cookies);
            asio::io_context& io = self->io_;
            // The session goes back to the I/O thread with the reply, so it ends there.
            asio::post(io, [self = std::move(self), target = std::move(target),
                            reply = std::move(reply)]() mutable {
                self->answer(std::move(reply), std::move(target), "GET");
            });
        });
    }

    FrontReply handle(const RequestTarget& target, const std::string& cookies) {
        try {
            return state_.handler(target, cookies);
        } catch (const std::exception& failure) {
            std::cerr << "kalvorn-server: " << failure.what() << "\n";
            return {500, "text/plain; charset=utf-8", "Internal error\n", {}};
        }
    }

    void answer(FrontReply reply, RequestTarget target, const std::string& method) {
        response_.emplace(static_cast<http::status>(reply.status), version_ ? version_ : 11);
        response_->set(http::field::content_type, reply.contentType);
        if (reply.status == 405) {
            response_->set(http::field::allow, "GET");
        }
        if (!reply.setCookie.empty()) {
            response_->set(http::field::set_cookie, reply.setCookie);
        }
        if (reply.status == 429) {
            response_->set(http::field::retry_after, "1");
        }
        response_->body() = std::move(reply.body);
        response_->keep_alive(keepAlive_ && !state_.stopping);
        response_->prepare_payload();
        deadline().expires_after(kWriteTimeout);
        http::async_write(
            stream_, *response_,
            [self = this->shared_from_this(), target = std::move(target), method](
                beast::error_code error, size_t) { self->onAnswered(error, target, method); });
    }

    void onAnswered(beast::error_code error, const RequestTarget& target,
                    const std::string& method) {
        double milliseconds =
            std::chrono::duration<double, std::milli>(Clock::now() - started_).count();
        logLine(state_, {client_, method, target.path, target.query,
                         static_cast<int>(response_->result_int()), response_->body().size(),
                         milliseconds});
        busy_ = false;
        bool keepAlive = response_->keep_alive();
        response_.reset();
        if (error) {
            return;
        }
        if (!keepAlive) {
            deadline().expires_after(kCloseTimeout);
            endSending(stream_, this->shared_from_this());
            return;
        }
        waitForRequest();
    }

    FrontState& state_;
    asio::io_context& io_;
    Workers& workers_;
    Stream stream_;
    beast::flat_buffer buffer_;
    std::string address_;  // the peer's: what the connection counts against
    bool viaProxy_;
    std::string client_;  // the current request's: what its rate and log line count against
    std::optional<http::request_parser<http::string_body>> parser_;
    std::optional<http::response<http::string_body>> response_;
    unsigned version_ = 11;
    bool keepAlive_ = true;
    bool busy_ = false;
    Clock::time_point started_;
};

// A connection past a connection limit: told so at once (after the TLS handshake, if any), then
// closed. What it sent is read and dropped meanwhile, so closing does not reset the connection
// before the reply is read.
template <typename Stream>
class Refusal : public std::enable_shared_from_this<Refusal<Stream>> {
public:
    template <typename... StreamArguments>
    Refusal(FrontState& state, StreamArguments&&... streamArguments)
        : state_(state), stream_(std::forward<StreamArguments>(streamArguments)...) {
        ++state_.refusals;
        response_.set(http::field::content_type, "text/plain; charset=utf-8");
        response_.body() = "Too many connections\n";
        response_.keep_alive(false);
        response_.prepare_payload();
    }
    ~Refusal() { --state_.refusals; }

    void start() {
        beast::get_lowest_layer(stream_).expires_after(kRefusalTimeout);
        whenReady(stream_, [self = this->shared_from_this()] { self->refuse(); });
    }

private:
    void refuse() {
        http::async_write(stream_, response_,
                          [self = this->shared_from_this()](beast::error_code error, size_t) {
                              if (error) {
                                  return;
                              }
                              endSending(self->stream_, self);
                              // TLS's close_notify reads what the client sends until its own.
                              if constexpr (std::is_same_v<Stream, PlainStream>) {
                                  self->drain();
                              }
                          });
    }

    void drain() {
        stream_.async_read_some(asio::buffer(scratch_),
                                [self = this->shared_from_this()](beast::error_code error, size_t) {
                                    if (!error) {
                                        self->drain();
                                    }
                                });
    }

    FrontState& state_;
    Stream stream_;
    http::response<http::string_body> response_{http::status::service_unavailable, 11};
    char scratch_[1024];
};

}  // namespace

class HttpFront::Implementation {
public:
    Implementation(const FrontSettings& settings, Handler handler)
        : state_(settings, std::move(handler)),
          acceptor_(io_),
          retryTimer_(io_),
          stopTimer_(io_),
          signals_(io_, SIGINT, SIGTERM) {
        std::string where = settings.host + ":" + std::to_string(settings.port);
        try {
            tcp::endpoint endpoint(asio::ip::make_address(settings.host),
                                   static_cast<unsigned short>(settings.port));
            acceptor_.open(endpoint.protocol());
            // Lets a restarted service bind while old connections linger in TIME_WAIT; unlike
            // SO_REUSEPORT it never lets a second process listen on the same port.
            acceptor_.set_option(tcp::acceptor::reuse_address(true));
            acceptor_.bind(endpoint);
            acceptor_.listen(asio::socket_base::max_listen_connections);
        } catch (const boost::system::system_error& error) {
            throw std::runtime_error("cannot listen on " + where + ": " + error.code().message());
        }
    }

    int port() const { return acceptor_.local_endpoint().port(); }

    void run() {
        signals_.async_wait([this](beast::error_code error, int) {
            if (!error) {
                beginStop();
            }
        });
        accept();
        io_.run();
        workers_.reads.join();
        workers_.others.join();
    }

private:
    void accept() {
        acceptor_.async_accept(io_, [this](beast::error_code error, tcp::socket socket) {
            if (!acceptor_.is_open()) {
                return;
            }
            if (error) {
                // Out of file descriptors, most likely: try again shortly instead of spinning.
                retryTimer_.expires_after(50ms);
                retryTimer_.async_wait([this](beast::error_code waitError) {
                    if (!waitError) {
                        accept();
                    }
                });
                return;
            }
            admit(std::move(socket));
            accept();
        });
    }

    void admit(tcp::socket socket) {
        beast::error_code error;
        tcp::endpoint remote = socket.remote_endpoint(error);
        if (error) {
            return;
        }
        // Replies are small and written in pieces; without this, Nagle's algorithm holds the
        // body back until the client's delayed acknowledgement.
        socket.set_option(tcp::no_delay(true), error);
        std::string peer = remote.address().to_string();
        std::string address = canonicalAddress(peer).value_or(peer);
        bool viaProxy = state_.trustedProxies.count(address) != 0;
        if (!state_.limits.tryOpen(address, !viaProxy)) {
            if (state_.refusals < kMaxRefusals) {
                startConnection<Refusal>(std::move(socket));
            }
            return;
        }
        startConnection<Session>(std::move(socket), io_, workers_, std::move(address), viaProxy);
    }

    template <template <typename> class Kind, typename... Arguments>
    void startConnection(tcp::socket socket, Arguments&&... arguments) {
        if (state_.tls) {
            std::make_shared<Kind<TlsStream>>(state_, std::forward<Arguments>(arguments)...,
                                              std::move(socket), *state_.tls)
                ->start();
        } else {
            std::make_shared<Kind<PlainStream>>(state_, std::forward<Arguments>(arguments)...,
                                                std::move(socket))
                ->start();
        }
    }

    void beginStop() {
        state_.stopping = true;
        beast::error_code ignored;
        acceptor_.close(ignored);
        retryTimer_.cancel();
        {
            std::lock_guard lock(state_.sessionsMutex);
            for (Connection* session : state_.sessions) {
                session->stopIfWaiting();
            }
        }
        stopDeadline_ = Clock::now() + kStopGrace;
        waitForSessions();
    }

    void waitForSessions() {
        bool done = false;
        {
            std::lock_guard lock(state_.sessionsMutex);
            done = state_.sessions.empty() && state_.refusals == 0;
        }
        if (done || Clock::now() >= stopDeadline_) {
            io_.stop();
            return;
        }
        stopTimer_.expires_after(20ms);
        stopTimer_.async_wait([this](beast::error_code) { waitForSessions(); });
    }

    // Declared before the I/O context, so it outlives the sessions the context still holds.
    FrontState state_;
    Workers workers_;
    asio::io_context io_{1};
    tcp::acceptor acceptor_;
    asio::steady_timer retryTimer_;
    asio::steady_timer stopTimer_;
    asio::signal_set signals_;
    Clock::time_point stopDeadline_;
};

HttpFront::HttpFront(const FrontSettings& settings, Handler handler)
    : implementation_(std::make_unique<Implementation>(settings, std::move(handler))) {}

HttpFront::~HttpFront() = default;

int HttpFront::port() const {
    return implementation_->port();
}

void HttpFront::run() {
    implementation_->run();
}
