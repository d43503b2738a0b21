#pragma once
// Private to the web layer: one libcurl easy handle on the process-wide share (connections and
// DNS for every request, the cookie store only for the direct routine), with the limits, the
// abort switch and the body and header sinks in place.

#include <curl/curl.h>

#include "text/text.hpp"
#include "web/request_limits.hpp"

namespace delist {

// Owns a curl_slist of request header lines.
class HeaderList {
  public:
    HeaderList() = default;
    HeaderList(const HeaderList&) = delete;
    HeaderList& operator=(const HeaderList&) = delete;
    ~HeaderList();

    void add(const Text& line);
    curl_slist* get() const { return list_; }

  private:
    curl_slist* list_ = nullptr;
};

class CurlTransfer {
  public:
    enum class Cookies { shared_store, none };

    CurlTransfer(Cookies cookies, const RequestLimits& limits);
    CurlTransfer(const CurlTransfer&) = delete;
    CurlTransfer& operator=(const CurlTransfer&) = delete;
    ~CurlTransfer();

    // False when libcurl could not give a handle.
    explicit operator bool() const { return handle_ != nullptr; }
    CURL* handle() const { return handle_; }

    // Runs the request; fails at once while requests are aborted. The body and the header block
    // are those of the last response received, as far as they arrived.
    CURLcode perform();
    Bytes& body() { return body_; }
    // The raw header block of the last response: status line, header lines, blank line, each
    // ending with CR LF.
    const Text& header_block() const { return header_block_; }

  private:
    static size_t on_body(char* data, size_t size, size_t count, void* self);
    static size_t on_header(char* data, size_t size, size_t count, void* self);

    CURL* handle_ = nullptr;
    Bytes body_;
    Text header_block_;
};

// True when libcurl accepts "http://" + host + ":" + port + "/" as an address.
bool valid_http_origin(const Text& host, int port);

}  // namespace delist
