// Conversions between texts, numbers and byte arrays, and the byte-array operations.

#include <locale.h>
#include <stdlib.h>

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>

#include "text/text.hpp"

namespace delist {

namespace {

bool is_digit(char c) {
    return c >= '0' && c <= '9';
}

bool is_white(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

std::size_t skip_white(const Text& text, std::size_t i) {
    while (i < text.size() && is_white(text[i])) ++i;
    return i;
}

std::size_t skip_digits(const Text& text, std::size_t i) {
    while (i < text.size() && is_digit(text[i])) ++i;
    return i;
}

// Numbers are read and written the same way whatever locale the program runs in.
locale_t c_locale() {
    static const locale_t locale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return locale;
}

}  // namespace

Text fold_full_width(const Text& text) {
    Text out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80 || i + 1 == text.size()) {
            out += text[i];
            ++i;
            continue;
        }
        const auto trail = static_cast<unsigned char>(text[i + 1]);
        if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
            out += static_cast<char>(trail - 0x80);
        } else if (lead == 0xA1 && trail == 0xA1) {
            out += ' ';
        } else if (lead == 0xA1 && trail == 0xAB) {
            out += '~';
        } else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
            out += '*';
        } else {
            out.append(text, i, 2);
        }
        i += 2;
    }
    return out;
}

int text_to_int(const Text& text) {
    const Text folded = fold_full_width(text);
    std::size_t i = skip_white(folded, 0);
    bool negative = false;
    if (i < folded.size() && (folded[i] == '+' || folded[i] == '-')) {
        negative = folded[i] == '-';
        ++i;
    }
    // Unsigned arithmetic wraps modulo 2^32 without undefined behaviour.
    std::uint32_t value = 0;
    for (; i < folded.size() && is_digit(folded[i]); ++i) {
        value = value * 10u + static_cast<std::uint32_t>(folded[i] - '0');
    }
    if (negative) value = 0u - value;
    return static_cast<int>(value);
}

double text_to_number(const Text& text) {
    const Text folded = fold_full_width(text);
    const std::size_t begin = skip_white(folded, 0);
    std::size_t i = begin;
    if (i < folded.size() && (folded[i] == '+' || folded[i] == '-')) ++i;
    const std::size_t int_end = skip_digits(folded, i);
    bool any_digit = int_end > i;
    i = int_end;
    if (i < folded.size() && folded[i] == '.') {
        const std::size_t frac_end = skip_digits(folded, i + 1);
        any_digit = any_digit || frac_end > i + 1;
        i = frac_end;
    }
    if (!any_digit) return 0.0;
    if (i < folded.size() && (folded[i] == 'e' || folded[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < folded.size() && (folded[j] == '+' || folded[j] == '-')) ++j;
        const std::size_t exp_end = skip_digits(folded, j);
        if (exp_end > j) i = exp_end;
    }
    // The span holds only sign, digits, point and exponent, so strtod reads exactly it.
    const std::string number = folded.substr(begin, i - begin);
    return strtod_l(number.c_str(), nullptr, c_locale());
}

// Truncates toward zero. Values outside the int32 range keep the low 32 bits of the truncated
// value while that fits in int64; beyond that, and for NaN, the result is INT_MIN.
int real_to_int(double value) {
    if (std::isnan(value)) return INT_MIN;
    const double t = std::trunc(value);
    if (t >= -2147483648.0 && t <= 2147483647.0) return static_cast<int>(t);
    if (t >= -9223372036854775808.0 && t < 9223372036854775808.0) {
        return static_cast<int>(static_cast<std::uint32_t>(static_cast<long long>(t)));
    }
    return INT_MIN;
}

Text int_to_text(int value) {
    return std::to_string(value);
}

Text real_to_text(double value) {
    char buffer[64];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 13);
    Text out(buffer, result.ptr);
    // The exponent is written with at least three digits: 1e+015.
    const std::size_t e = out.find('e');
    if (e != Text::npos && e + 2 < out.size()) {
        const std::size_t digits = out.size() - (e + 2);
        if (digits < 3) out.insert(e + 2, 3 - digits, '0');
    }
    return out;
}

Text hex_text(int value) {
    char buffer[16];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, static_cast<std::uint32_t>(value), 16);
    Text out(buffer, result.ptr);
    std::transform(out.begin(), out.end(), out.begin(),
                   [](char c) { return (c >= 'a' && c <= 'f') ? static_cast<char>(c - 32) : c; });
    return out;
}

Text char_from_code(int code) {
    const auto byte = static_cast<unsigned char>(code);
    if (byte == 0) return {};
    return Text(1, static_cast<char>(byte));
}

Text blank_text(int n) {
    return n < 1 ? Text{} : Text(static_cast<std::size_t>(n), ' ');
}

Bytes text_to_bytes(const Text& text) {
    return Bytes(text.begin(), text.end());
}

Text bytes_to_text(const Bytes& bytes) {
    const auto zero = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
    return Text(bytes.begin(), zero);
}

int bytes_length(const Bytes& bytes) {
    return static_cast<int>(bytes.size());
}

Bytes blank_bytes(int n) {
    return n < 1 ? Bytes{} : Bytes(static_cast<std::size_t>(n), 0);
}

Bytes bytes_left(const Bytes& bytes, int n) {
    const std::size_t k =
        std::min<std::size_t>(static_cast<std::size_t>(std::max(n, 0)), bytes.size());
    return Bytes(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(k));
}

Bytes bytes_mid(const Bytes& bytes, int position, int n) {
    const std::size_t len = bytes.size();
    const auto s = static_cast<std::size_t>(std::clamp<long long>(
        static_cast<long long>(position) - 1, 0, static_cast<long long>(len)));
    const std::size_t k = std::min<std::size_t>(static_cast<std::size_t>(std::max(n, 0)), len - s);
    const auto first = bytes.begin() + static_cast<std::ptrdiff_t>(s);
    return Bytes(first, first + static_cast<std::ptrdiff_t>(k));
}

int find_bytes(const Bytes& bytes, const Bytes& pattern) {
    if (pattern.empty()) return -1;
    const auto it = std::search(bytes.begin(), bytes.end(), pattern.begin(), pattern.end());
    if (it == bytes.end()) return -1;
    return static_cast<int>(it - bytes.begin()) + 1;
}

}  // namespace delist
