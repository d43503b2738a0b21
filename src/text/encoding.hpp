#pragma once
// Conversions between GBK texts and UTF-8, and the one percent-encoding rule.

#include "text/text.hpp"

namespace delist {

Text url_encode(const Text& text);
Text utf8_to_text(const Text& utf8);
Bytes utf8_bytes_to_gbk(const Bytes& utf8);
Bytes text_to_utf8(const Text& text);

}  // namespace delist
