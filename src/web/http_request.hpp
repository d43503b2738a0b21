#pragma once
// The direct request routine: one HTTP GET or POST, browser-like default headers, and one cookie
// store for the whole process (cookies set by an answer are sent again to that host, from any
// thread). Only plain http:// addresses.

#include "text/text.hpp"

namespace delist {

// The host of an address, lower case; with keep_port 1 the ":port" stays.
Text url_host(const Text& url, int keep_port = 0);
int url_port(const Text& url);
// The path with query and fragment unchanged, "/" when there is none.
Text url_path(const Text& url);

// The response body as received, or 255 zero bytes when no request could be made (including a
// method other than GET or POST). `headers` receives the complete request header block,
// `response_headers` the raw response header block.
Bytes http_request(const Text& url, const Text& method = {}, const Text& proxy = {},
                   Text* headers = nullptr, const Text& body = {},
                   Text* response_headers = nullptr);
// The body up to its first zero byte.
Text http_request_text(const Text& url, const Text& method = {}, const Text& proxy = {},
                       Text* headers = nullptr, const Text& body = {},
                       Text* response_headers = nullptr);

}  // namespace delist
