#pragma once
// The request-object routine: one request with fifteen options, an explicit cookie text, and the
// choice of a compressed answer.

#include "text/text.hpp"

namespace delist {

struct ObjectRequestOptions {
    int method = 0;           // 1 sends POST, anything else GET
    Text body;                // POST body
    Text cookies;             // in/out: sent as "Cookie"; on return the merged cookie text
    Text new_cookies;         // out: cookies set by this answer, each followed by "; "
    Text headers;             // in/out: extra header lines; empty gets the default block
    Text redirect_address;    // out: the "Location:" of the answer, else all response headers
    int no_redirect = 0;      // non-zero: redirects are not followed
    Bytes body_bytes;         // when not empty, sent instead of `body`
    Text proxy;               // proxy address; empty means none
    Text response_headers;    // out: all response header lines
    int timeout_seconds = 0;  // -1: library defaults; 0 or less: 15 s; else that many seconds
    Text proxy_user;          // empty means no proxy credentials
    Text proxy_password;
    int proxy_credential_flag = 1;
    int gzip = 0;  // non-zero asks for gzip/deflate and leaves the body undecoded
};

Bytes http_object_request(const Text& address, ObjectRequestOptions& options);
Bytes http_object_request(const Text& address);
// The same request without compression (gzip forced to 0), the body as text.
Text http_object_request_text(const Text& address, ObjectRequestOptions& options);
Text http_object_request_text(const Text& address);

// Merges the cookies of an answer into a cookie text; both arguments get their spaces removed.
Text merge_cookies(Text& cookies, Text& new_cookies);

}  // namespace delist
