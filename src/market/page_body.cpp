#include "market/page_body.hpp"

#include "web/gzip_inflate.hpp"
#include "web/http_object_request.hpp"

namespace delist {

namespace {

bool declares_compression(const Text& response_headers) {
    for (const Text& line : split_text(response_headers, "\r\n")) {
        if (find_text(line, "content-encoding:", 1, true) != 1) continue;
        return find_text(line, "gzip", 1, true) != -1 || find_text(line, "deflate", 1, true) != -1;
    }
    return false;
}

bool has_stream_header(const Bytes& body) {
    if (body.size() < 2) return false;
    if (body[0] == 0x1f && body[1] == 0x8b) return true;
    // zlib: deflate method, no preset dictionary, and the two header bytes a multiple of 31.
    return (body[0] & 0x0f) == 8 && (body[1] & 0x20) == 0 && (body[0] * 256 + body[1]) % 31 == 0;
}

}  // namespace

Text page_text(const Bytes& body, const Text& response_headers) {
    if (declares_compression(response_headers) || has_stream_header(body)) {
        return bytes_to_text(gzip_inflate(body));
    }
    return bytes_to_text(body);
}

Text read_compressed_page(const Text& address) {
    ObjectRequestOptions options;
    options.gzip = 1;
    const Bytes body = http_object_request(address, options);
    return page_text(body, options.response_headers);
}

}  // namespace delist
