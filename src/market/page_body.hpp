#pragma once
// The text of a page read with compression asked for.

#include "text/text.hpp"

namespace delist {

// Inflated when the answer is compressed (a gzip or deflate Content-Encoding, or a gzip or zlib
// stream header); otherwise the body as it came, since a server may ignore the request.
Text page_text(const Bytes& body, const Text& response_headers);

// Reads a page through the request-object routine with compression asked for.
Text read_compressed_page(const Text& address);

}  // namespace delist
