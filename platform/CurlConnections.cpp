// Connections on the libcurl multi interface, driven by the run loop.
#include "platform/CurlConnections.h"

#include <curl/curl.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <utility>

// One transfer's state, shared by its connection and, while it runs, by the multi handle's list.
// libcurl's callbacks only collect; the delegate hears everything later from deliver(), where it
// may cancel or destroy any connection safely.
struct CurlTransfer {
    CURL* easy = nullptr;
    curl_slist* headers = nullptr;
    UrlConnection* connection = nullptr;
    UrlConnectionDelegate* delegate = nullptr;
    bool running = false;    // in the multi handle
    bool cancelled = false;  // the connection was cancelled or destroyed
    bool statusSent = false;
    int status = 0;
    std::string pending;  // data received and not yet delivered
    bool done = false;
    CURLcode result = CURLE_OK;
    char errorText[CURL_ERROR_SIZE] = {};

    ~CurlTransfer() {
        if (easy) {
            curl_easy_cleanup(easy);
        }
        curl_slist_free_all(headers);
    }
};

namespace {

size_t collectBody(char* data, size_t size, size_t count, void* user) {
    auto* transfer = static_cast<CurlTransfer*>(user);
    transfer->pending.append(data, size * count);
    return size * count;
}

class CurlUrlConnection : public UrlConnection {
public:
    CurlUrlConnection(CurlConnections& owner, UrlRequest request,
                      std::shared_ptr<CurlTransfer> transfer)
        : owner_(owner), request_(std::move(request)), transfer_(std::move(transfer)) {
        transfer_->connection = this;
    }
    ~CurlUrlConnection() override { cancel(); }

    void start() override {
        if (!started_) {
            started_ = true;
            owner_.add(transfer_);
        }
    }
    void cancel() override {
        transfer_->cancelled = true;
        owner_.remove(*transfer_);
    }
    const UrlRequest& request() const override { return request_; }

private:
    CurlConnections& owner_;
    UrlRequest request_;
    std::shared_ptr<CurlTransfer> transfer_;
    bool started_ = false;
};

bool urlParses(const std::string& url) {
    CURLU* parsed = curl_url();
    const bool ok = parsed && curl_url_set(parsed, CURLUPART_URL, url.c_str(), 0) == CURLUE_OK;
    curl_url_cleanup(parsed);
    return ok;
}

std::string failureText(const CurlTransfer& transfer) {
    return transfer.errorText[0] ? transfer.errorText : curl_easy_strerror(transfer.result);
}

}  // namespace

CurlConnections::CurlConnections(CurlOptions options) : options_(std::move(options)) {
    curl_global_init(CURL_GLOBAL_DEFAULT);
    multi_ = curl_multi_init();
    CURLSH* cookies = curl_share_init();
    curl_share_setopt(cookies, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
    cookies_ = cookies;
    CURL* keeper = curl_easy_init();
    curl_easy_setopt(keeper, CURLOPT_SHARE, cookies);
    curl_easy_setopt(keeper, CURLOPT_COOKIEFILE, options_.cookieFile.c_str());
    if (!options_.cookieFile.empty()) {
        curl_easy_setopt(keeper, CURLOPT_COOKIELIST, "RELOAD");
    }
    cookieKeeper_ = keeper;
}

CurlConnections::~CurlConnections() {
    for (const auto& transfer : transfers_) {
        curl_multi_remove_handle(static_cast<CURLM*>(multi_), transfer->easy);
        curl_easy_setopt(transfer->easy, CURLOPT_SHARE, nullptr);
        transfer->running = false;
    }
    transfers_.clear();
    curl_multi_cleanup(static_cast<CURLM*>(multi_));
    curl_easy_cleanup(static_cast<CURL*>(cookieKeeper_));
    curl_share_cleanup(static_cast<CURLSH*>(cookies_));
}

// A cookie a reply set is on disk before anyone hears of the reply. The file is named only for
// the moment of writing: libcurl would write it again when the handle goes, which may be after
// the process has shut its TLS library down.
void CurlConnections::writeCookieFile() {
    if (options_.cookieFile.empty()) {
        return;
    }
    auto* keeper = static_cast<CURL*>(cookieKeeper_);
    curl_easy_setopt(keeper, CURLOPT_COOKIEJAR, options_.cookieFile.c_str());
    curl_easy_setopt(keeper, CURLOPT_COOKIELIST, "FLUSH");
    curl_easy_setopt(keeper, CURLOPT_COOKIEJAR, nullptr);
    // The file holds a session that writes as the player: no one else on the machine reads it.
    std::error_code ignored;
    std::filesystem::permissions(
        options_.cookieFile,
        std::filesystem::perms::owner_read | std::filesystem::perms::owner_write, ignored);
}

std::vector<std::string> CurlConnections::cookieLines() const {
    curl_slist* list = nullptr;
    curl_easy_getinfo(static_cast<CURL*>(cookieKeeper_), CURLINFO_COOKIELIST, &list);
    std::vector<std::string> lines;
    for (curl_slist* item = list; item != nullptr; item = item->next) {
        lines.emplace_back(item->data);
    }
    curl_slist_free_all(list);
    return lines;
}

void CurlConnections::forgetCookies() {
    keepingCookies_.assign(transfers_.begin(), transfers_.end());
    for (std::string& line : cookieLines()) {
        cookiesToForget_.push_back(std::move(line));
    }
    if (transfers_.empty()) {
        dropCookies();
    }
}

// Only the cookies there were when forgetCookies() was called go: one that a reply set since (a
// new log-in answered before the last transfer of the old session ended) stays.
void CurlConnections::dropCookies() {
    std::vector<std::string> kept = cookieLines();
    std::erase_if(kept, [this](const std::string& line) {
        return std::find(cookiesToForget_.begin(), cookiesToForget_.end(), line) !=
               cookiesToForget_.end();
    });
    cookiesToForget_.clear();
    keepingCookies_.clear();
    auto* keeper = static_cast<CURL*>(cookieKeeper_);
    curl_easy_setopt(keeper, CURLOPT_COOKIELIST, "ALL");
    for (const std::string& line : kept) {
        curl_easy_setopt(keeper, CURLOPT_COOKIELIST, line.c_str());
    }
    if (options_.cookieFile.empty()) {
        return;
    }
    if (kept.empty()) {
        std::error_code ignored;
        std::filesystem::remove(options_.cookieFile, ignored);
    } else {
        writeCookieFile();
    }
}

std::unique_ptr<UrlConnection> CurlConnections::create(UrlRequest request,
                                                       UrlConnectionDelegate& delegate) {
    if (!multi_ || !urlParses(request.url)) {
        return nullptr;
    }
    auto transfer = std::make_shared<CurlTransfer>();
    transfer->easy = curl_easy_init();
    if (!transfer->easy) {
        return nullptr;
    }
    transfer->delegate = &delegate;
    CURL* easy = transfer->easy;
    curl_easy_setopt(easy, CURLOPT_URL, request.url.c_str());
    curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS,
                     static_cast<long>(std::ceil(options_.requestTimeoutSeconds * 1000)));
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, transfer->errorText);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, collectBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, transfer.get());
    // The service on this machine is never reached through a proxy from the environment.
    curl_easy_setopt(easy, CURLOPT_NOPROXY, "localhost,127.0.0.1,::1");
    // Turns the cookie engine on without a file of its own: the cookies are the shared ones.
    curl_easy_setopt(easy, CURLOPT_COOKIEFILE, "");
    if (!options_.caFile.empty()) {
        curl_easy_setopt(easy, CURLOPT_CAINFO, options_.caFile.c_str());
    }
    // The request carries its one header field and nothing else: libcurl's own "Accept: */*"
    // goes when no Accept field is given.
    if (!request.headerField.empty()) {
        const std::string header = request.headerField + ": " + request.headerValue;
        transfer->headers = curl_slist_append(transfer->headers, header.c_str());
    }
    if (request.headerField != "Accept") {
        transfer->headers = curl_slist_append(transfer->headers, "Accept:");
    }
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, transfer->headers);
    return std::make_unique<CurlUrlConnection>(*this, std::move(request), std::move(transfer));
}

void CurlConnections::add(const std::shared_ptr<CurlTransfer>& transfer) {
    if (transfer->cancelled || transfer->running) {
        return;
    }
    // Shared only while it runs, so a transfer that outlives these connections holds nothing of
    // theirs.
    curl_easy_setopt(transfer->easy, CURLOPT_SHARE, static_cast<CURLSH*>(cookies_));
    if (curl_multi_add_handle(static_cast<CURLM*>(multi_), transfer->easy) != CURLM_OK) {
        transfer->done = true;
        transfer->result = CURLE_FAILED_INIT;
    } else {
        transfer->running = true;
    }
    transfers_.push_back(transfer);
}

void CurlConnections::remove(CurlTransfer& transfer) {
    if (transfer.running) {
        curl_multi_remove_handle(static_cast<CURLM*>(multi_), transfer.easy);
        transfer.running = false;
    }
    curl_easy_setopt(transfer.easy, CURLOPT_SHARE, nullptr);
    std::erase_if(transfers_, [&transfer](const auto& item) { return item.get() == &transfer; });
    if (!cookiesToForget_.empty()) {
        std::erase_if(keepingCookies_, [this](const std::weak_ptr<CurlTransfer>& kept) {
            auto waited = kept.lock();
            return !waited ||
                   std::find(transfers_.begin(), transfers_.end(), waited) == transfers_.end();
        });
        if (keepingCookies_.empty()) {
            dropCookies();
        }
    }
}

void CurlConnections::waitAndHandle(double seconds) {
    auto* multi = static_cast<CURLM*>(multi_);
    const int milliseconds = static_cast<int>(std::clamp(seconds * 1000, 0.0, 1000.0));
    if (milliseconds > 0) {
        curl_multi_poll(multi, nullptr, 0, milliseconds, nullptr);
    }
    int stillRunning = 0;
    curl_multi_perform(multi, &stillRunning);
    int queued = 0;
    while (CURLMsg* message = curl_multi_info_read(multi, &queued)) {
        if (message->msg != CURLMSG_DONE) {
            continue;
        }
        for (const auto& transfer : transfers_) {
            if (transfer->easy == message->easy_handle) {
                transfer->done = true;
                transfer->result = message->data.result;
            }
        }
        writeCookieFile();
    }
    // Delegates may cancel or destroy connections, so walk a copy and skip the cancelled.
    const std::vector<std::shared_ptr<CurlTransfer>> snapshot = transfers_;
    for (const auto& transfer : snapshot) {
        deliver(transfer);
    }
}

void CurlConnections::deliver(const std::shared_ptr<CurlTransfer>& transfer) {
    if (transfer->cancelled) {
        return;
    }
    UrlConnection& connection = *transfer->connection;
    if (!transfer->statusSent && (!transfer->pending.empty() || transfer->done)) {
        long status = 0;
        curl_easy_getinfo(transfer->easy, CURLINFO_RESPONSE_CODE, &status);
        transfer->status = static_cast<int>(status);
        if (status != 0) {
            transfer->statusSent = true;
            transfer->delegate->connectionDidReceiveResponse(connection, transfer->status);
            if (transfer->cancelled) {
                return;
            }
        }
    }
    if (!transfer->pending.empty()) {
        const std::string data = std::move(transfer->pending);
        transfer->pending.clear();
        transfer->delegate->connectionDidReceiveData(connection, data);
        if (transfer->cancelled) {
            return;
        }
    }
    if (!transfer->done) {
        return;
    }
    remove(*transfer);
    if (transfer->result == CURLE_OK) {
        transfer->delegate->connectionDidFinishLoading(connection);
    } else {
        transfer->delegate->connectionDidFail(connection, failureText(*transfer));
    }
}
