#pragma once
// Private to the web layer: how long a request may wait, and the direct routine with its limits
// open, so that the idle rule can be exercised without waiting half a minute.

#include "text/text.hpp"

namespace delist {

struct RequestLimits {
    long connect_seconds = 15;  // no connection after this long: give up
    long idle_seconds = 30;     // no byte arriving for this long: give up
};

Bytes http_request_limited(const RequestLimits& limits, const Text& url, const Text& method,
                           const Text& proxy, Text* headers, const Text& body,
                           Text* response_headers);

}  // namespace delist
