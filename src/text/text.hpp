#pragma once
// Byte-exact text primitives on GBK texts. Positions count bytes from 1; not found is -1.
// Every function is pure and reentrant.

#include <cstdint>
#include <string>
#include <vector>

namespace delist {

using Text = std::string;  // GBK (code page 936) bytes, never a zero byte
using Bytes = std::vector<std::uint8_t>;
using TextList = std::vector<Text>;

// Searching and cutting.
int text_length(const Text& text);
int find_text(const Text& text, const Text& sub, int start = 1, bool ignore_case = false);
Text text_left(const Text& text, int n);
Text text_right(const Text& text, int n);
Text text_mid(const Text& text, int position, int n);
Text text_between(const Text& text, const Text& left, const Text& right);
void collect_between_all(const Text& text, const Text& left, const Text& right, TextList& target);
TextList split_text(const Text& text, const Text& delimiter);
// count -1 replaces every match.
Text replace_subtext(const Text& text, const Text& sub, const Text& replacement = {}, int start = 1,
                     int count = -1, bool case_sensitive = true);
Text replace_at(const Text& text, int position, int length, const Text& insertion = {});
Text trim_spaces(const Text& text);
Text remove_spaces(const Text& text);
Text to_upper(const Text& text);
Text to_lower(const Text& text);
int compare_text(const Text& a, const Text& b);

template <typename... More>
Text join_texts(const Text& first, const Text& second, const More&... more) {
    Text joined = first;
    joined += second;
    ((joined += more), ...);
    return joined;
}

// Conversions.
Text fold_full_width(const Text& text);
int text_to_int(const Text& text);
double text_to_number(const Text& text);
int real_to_int(double value);
Text int_to_text(int value);
Text real_to_text(double value);
Text hex_text(int value);
Text char_from_code(int code);
Text blank_text(int n);
Bytes text_to_bytes(const Text& text);
Text bytes_to_text(const Bytes& bytes);

// Byte arrays.
int bytes_length(const Bytes& bytes);
Bytes blank_bytes(int n);
Bytes bytes_left(const Bytes& bytes, int n);
Bytes bytes_mid(const Bytes& bytes, int position, int n);
int find_bytes(const Bytes& bytes, const Bytes& pattern);

}  // namespace delist
