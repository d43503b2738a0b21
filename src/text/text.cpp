// Searching, cutting, space and case handling of GBK texts.

#include "text/text.hpp"

#include <algorithm>
#include <cstring>

namespace delist {

namespace {

bool is_lead(unsigned char c) {
    return c >= 0x80;
}

unsigned char fold_ascii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

// Whether sub occurs in text at byte index i; the caller guarantees the bytes are there.
bool matches_at(const Text& text, std::size_t i, const Text& sub, bool ignore_case) {
    if (!ignore_case) return std::memcmp(text.data() + i, sub.data(), sub.size()) == 0;
    for (std::size_t k = 0; k < sub.size(); ++k) {
        if (fold_ascii(static_cast<unsigned char>(text[i + k])) !=
            fold_ascii(static_cast<unsigned char>(sub[k])))
            return false;
    }
    return true;
}

// Length of the character starting at byte i: 1, or 2 for a lead byte with its trail byte.
// A dangling lead byte at the end reports 0.
std::size_t char_size(const Text& text, std::size_t i) {
    if (!is_lead(static_cast<unsigned char>(text[i]))) return 1;
    return i + 1 < text.size() ? 2 : 0;
}

bool is_space_at(const Text& text, std::size_t i, std::size_t size) {
    if (size == 1) return text[i] == ' ';
    return size == 2 && text[i] == '\xA1' && text[i + 1] == '\xA1';
}

}  // namespace

int text_length(const Text& text) {
    return static_cast<int>(text.size());
}

int find_text(const Text& text, const Text& sub, int start, bool ignore_case) {
    if (start < 1) start = 1;
    const std::size_t len = text.size();
    std::size_t i = static_cast<std::size_t>(start) - 1;
    if (i >= len) return -1;
    if (sub.empty()) return 1;
    const std::size_t n = sub.size();
    while (len - i >= n) {
        if (matches_at(text, i, sub, ignore_case)) return static_cast<int>(i) + 1;
        if (is_lead(static_cast<unsigned char>(text[i]))) {
            if (i + 1 == len) return -1;
            i += 2;
        } else {
            i += 1;
        }
    }
    return -1;
}

Text text_left(const Text& text, int n) {
    if (n <= 0) return {};
    return text.substr(0, std::min<std::size_t>(static_cast<std::size_t>(n), text.size()));
}

Text text_right(const Text& text, int n) {
    if (n <= 0) return {};
    const std::size_t k = std::min<std::size_t>(static_cast<std::size_t>(n), text.size());
    return text.substr(text.size() - k);
}

Text text_mid(const Text& text, int position, int n) {
    if (position < 1 || static_cast<std::size_t>(position) > text.size() || n <= 0) return {};
    return text.substr(static_cast<std::size_t>(position) - 1, static_cast<std::size_t>(n));
}

Text text_between(const Text& text, const Text& left, const Text& right) {
    const int p = find_text(text, left);
    if (p == -1) return {};
    const Text rest = text_mid(text, p + text_length(left), text_length(text));
    const int q = find_text(rest, right);
    if (q == -1) return {};
    return text_left(rest, q - 1);
}

void collect_between_all(const Text& text, const Text& left, const Text& right, TextList& target) {
    TextList found;
    // An empty left marker "occurs" at position 1 whatever the start, so the scan would never
    // advance.
    if (!left.empty()) {
        int s = 1;
        for (;;) {
            const int p = find_text(text, left, s);
            if (p == -1) break;
            const int a = p + text_length(left);
            const int q = find_text(text, right, a);
            if (q == -1 || q <= a) {
                found.emplace_back();
            } else {
                found.push_back(
                    text.substr(static_cast<std::size_t>(a) - 1, static_cast<std::size_t>(q - a)));
            }
            s = a + 1;
        }
    }
    target = std::move(found);
}

TextList split_text(const Text& text, const Text& delimiter) {
    TextList parts;
    if (text.empty()) return parts;
    if (delimiter.empty()) {
        parts.push_back(text);
        return parts;
    }
    const std::size_t len = text.size();
    const std::size_t n = delimiter.size();
    std::size_t cut = 0;
    std::size_t i = 0;
    while (i <= len && len - i >= n) {
        if (matches_at(text, i, delimiter, false)) {
            parts.push_back(text.substr(cut, i - cut));
            i += n;
            cut = i;
        } else {
            i += is_lead(static_cast<unsigned char>(text[i])) ? 2 : 1;
        }
    }
    if (cut < len) parts.push_back(text.substr(cut));
    return parts;
}

Text replace_subtext(const Text& text, const Text& sub, const Text& replacement, int start,
                     int count, bool case_sensitive) {
    if (start < 1) start = 1;
    const std::size_t len = text.size();
    std::size_t i = static_cast<std::size_t>(start) - 1;
    if (text.empty() || sub.empty() || i >= len || count == 0) return text;
    const std::size_t n = sub.size();
    Text out = text.substr(0, i);
    out.reserve(len);
    int remaining = count;  // negative: no limit
    while (i < len) {
        if (len - i < n) {
            out.append(text, i, Text::npos);
            break;
        }
        if (remaining != 0 && matches_at(text, i, sub, !case_sensitive)) {
            out += replacement;
            i += n;
            if (remaining > 0) --remaining;
            continue;
        }
        const std::size_t size = char_size(text, i);
        if (size == 0) break;  // dangling lead byte
        out.append(text, i, size);
        i += size;
    }
    return out;
}

Text replace_at(const Text& text, int position, int length, const Text& insertion) {
    const std::size_t len = text.size();
    const std::size_t s = static_cast<std::size_t>(std::clamp<long long>(
        static_cast<long long>(position) - 1, 0, static_cast<long long>(len)));
    Text out = text;
    if (length > 0) out.erase(s, std::min<std::size_t>(static_cast<std::size_t>(length), len - s));
    out.insert(s, insertion);
    return out;
}

Text trim_spaces(const Text& text) {
    const std::size_t len = text.size();
    std::size_t begin = 0;
    while (begin < len) {
        const std::size_t size = char_size(text, begin);
        if (!is_space_at(text, begin, size)) break;
        begin += size;
    }
    std::size_t end = begin;
    std::size_t i = begin;
    while (i < len) {
        const std::size_t size = char_size(text, i);
        if (size == 0) break;  // dangling lead byte
        i += size;
        if (!is_space_at(text, i - size, size)) end = i;
    }
    return text.substr(begin, end - begin);
}

Text remove_spaces(const Text& text) {
    Text out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t size = char_size(text, i);
        if (size == 0) break;  // dangling lead byte
        if (!is_space_at(text, i, size)) out.append(text, i, size);
        i += size;
    }
    return out;
}

namespace {

// Changes ASCII letters only; trail bytes of two-byte characters may lie in the letter range and
// must be left alone.
template <typename Change>
Text change_case(const Text& text, Change change) {
    Text out = text;
    std::size_t i = 0;
    while (i < out.size()) {
        const auto c = static_cast<unsigned char>(out[i]);
        if (is_lead(c)) {
            i += 2;
        } else {
            out[i] = static_cast<char>(change(c));
            i += 1;
        }
    }
    return out;
}

}  // namespace

Text to_upper(const Text& text) {
    return change_case(text, [](unsigned char c) {
        return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - ('a' - 'A')) : c;
    });
}

Text to_lower(const Text& text) {
    return change_case(text, fold_ascii);
}

int compare_text(const Text& a, const Text& b) {
    const std::size_t n = std::min(a.size(), b.size());
    const int c = n == 0 ? 0 : std::memcmp(a.data(), b.data(), n);
    if (c != 0) return c < 0 ? -1 : 1;
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

}  // namespace delist
