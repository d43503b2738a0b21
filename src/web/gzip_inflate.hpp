#pragma once

#include "text/text.hpp"

namespace delist {

// Inflates a GZIP, zlib or raw deflate stream whole. Bytes that are not a compressed stream give
// empty bytes; a truncated stream gives what was inflated before the cut.
Bytes gzip_inflate(const Bytes& compressed);

}  // namespace delist
