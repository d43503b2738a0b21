#pragma once
// Byte-level encodings of the sim: percent-encoding and GBK <-> UTF-8.

#include <string>

namespace delist::sim {

// Percent-encodes every byte but ASCII letters and digits.
std::string percent_encode(const std::string& text);
// "%XX" becomes its byte and "+" a blank, as form decoding does.
std::string percent_decode(const std::string& text);

// Empty when the text does not convert.
std::string utf8_from_gbk(const std::string& gbk);
std::string gbk_from_utf8(const std::string& utf8);

}  // namespace delist::sim
