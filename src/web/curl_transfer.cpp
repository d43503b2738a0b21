#include "web/curl_transfer.hpp"

#include <array>
#include <mutex>
#include <string>
#include <string_view>

#include "web/request_abort.hpp"

namespace delist {

namespace {

// The process-wide share: keep-alive connections and DNS answers are reused by every request on
// any thread, and the direct routine's cookies live here. Never freed: worker threads may still
// be inside a request while the program ends.
struct SharedState {
    CURLSH* share = nullptr;
    std::array<std::mutex, CURL_LOCK_DATA_LAST> locks;
};

void lock_share(CURL*, curl_lock_data data, curl_lock_access, void* state) {
    static_cast<SharedState*>(state)->locks[data].lock();
}

void unlock_share(CURL*, curl_lock_data data, void* state) {
    static_cast<SharedState*>(state)->locks[data].unlock();
}

SharedState* shared_state() {
    static SharedState* state = [] {
        curl_global_init(CURL_GLOBAL_ALL);
        auto* s = new SharedState;
        s->share = curl_share_init();
        if (s->share != nullptr) {
            curl_share_setopt(s->share, CURLSHOPT_LOCKFUNC, lock_share);
            curl_share_setopt(s->share, CURLSHOPT_UNLOCKFUNC, unlock_share);
            curl_share_setopt(s->share, CURLSHOPT_USERDATA, s);
            curl_share_setopt(s->share, CURLSHOPT_SHARE, CURL_LOCK_DATA_CONNECT);
            curl_share_setopt(s->share, CURLSHOPT_SHARE, CURL_LOCK_DATA_DNS);
            // Sharing cookies does not switch an easy handle's cookie engine on; only the
            // direct routine does that.
            curl_share_setopt(s->share, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
        }
        return s;
    }();
    return state;
}

int on_progress(void*, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
    return requests_aborted() ? 1 : 0;
}

}  // namespace

HeaderList::~HeaderList() {
    curl_slist_free_all(list_);
}

void HeaderList::add(const Text& line) {
    curl_slist* grown = curl_slist_append(list_, line.c_str());
    if (grown != nullptr) list_ = grown;
}

CurlTransfer::CurlTransfer(Cookies cookies, const RequestLimits& limits) {
    SharedState* state = shared_state();
    handle_ = curl_easy_init();
    if (handle_ == nullptr) return;
    if (state->share != nullptr) curl_easy_setopt(handle_, CURLOPT_SHARE, state->share);
    if (cookies == Cookies::shared_store) curl_easy_setopt(handle_, CURLOPT_COOKIEFILE, "");
    curl_easy_setopt(handle_, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle_, CURLOPT_CONNECTTIMEOUT, limits.connect_seconds);
    curl_easy_setopt(handle_, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(handle_, CURLOPT_LOW_SPEED_TIME, limits.idle_seconds);
    curl_easy_setopt(handle_, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(handle_, CURLOPT_XFERINFOFUNCTION, on_progress);
    curl_easy_setopt(handle_, CURLOPT_WRITEFUNCTION, on_body);
    curl_easy_setopt(handle_, CURLOPT_WRITEDATA, this);
    curl_easy_setopt(handle_, CURLOPT_HEADERFUNCTION, on_header);
    curl_easy_setopt(handle_, CURLOPT_HEADERDATA, this);
    // No proxy unless the caller names one: the environment's proxy settings do not apply.
    curl_easy_setopt(handle_, CURLOPT_PROXY, "");
}

CurlTransfer::~CurlTransfer() {
    if (handle_ != nullptr) curl_easy_cleanup(handle_);
}

CURLcode CurlTransfer::perform() {
    body_.clear();
    header_block_.clear();
    if (requests_aborted()) return CURLE_ABORTED_BY_CALLBACK;
    return curl_easy_perform(handle_);
}

size_t CurlTransfer::on_body(char* data, size_t size, size_t count, void* self) {
    auto* transfer = static_cast<CurlTransfer*>(self);
    const size_t n = size * count;
    transfer->body_.insert(transfer->body_.end(), data, data + n);
    return n;
}

size_t CurlTransfer::on_header(char* data, size_t size, size_t count, void* self) {
    auto* transfer = static_cast<CurlTransfer*>(self);
    const size_t n = size * count;
    const std::string_view line(data, n);
    // Every status line opens a new response (a redirect, an interim 100): keep only the last.
    if (line.starts_with("HTTP/")) transfer->header_block_.clear();
    for (char c : line) {
        if (c != '\0') transfer->header_block_ += c;
    }
    return n;
}

bool valid_http_origin(const Text& host, int port) {
    if (host.empty() || port < 1 || port > 65535) return false;
    shared_state();
    CURLU* url = curl_url();
    if (url == nullptr) return false;
    const Text origin = "http://" + host + ":" + std::to_string(port) + "/";
    bool ok = curl_url_set(url, CURLUPART_URL, origin.c_str(), 0) == CURLUE_OK;
    // The host must be the whole host part, not something read as user, query or fragment.
    char* parsed = nullptr;
    ok = ok && curl_url_get(url, CURLUPART_HOST, &parsed, 0) == CURLUE_OK && parsed == host;
    curl_free(parsed);
    curl_url_cleanup(url);
    return ok;
}

}  // namespace delist
