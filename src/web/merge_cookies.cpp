#include <algorithm>

#include "text/text.hpp"
#include "web/http_object_request.hpp"

namespace delist {

namespace {

Text cookie_name(const Text& piece) {
    const int equals = find_text(piece, "=");
    return trim_spaces(equals == -1 ? piece : text_left(piece, equals - 1));
}

}  // namespace

Text merge_cookies(Text& cookies, Text& new_cookies) {
    cookies = remove_spaces(cookies);
    new_cookies = remove_spaces(new_cookies);

    TextList merged = split_text(new_cookies, ";");
    for (const Text& old_piece : split_text(cookies, ";")) {
        const Text name = cookie_name(old_piece);
        const bool replaced = std::any_of(merged.begin(), merged.end(), [&](const Text& entry) {
            return cookie_name(entry) == name;
        });
        if (!replaced) merged.push_back(old_piece);
    }

    Text joined;
    for (const Text& entry : merged) {
        if (text_right(entry, 8) != "=deleted") joined += entry + "; ";
    }
    joined = text_left(joined, text_length(joined) - 2);

    TextList kept;
    for (const Text& piece : split_text(joined, "; ")) {
        if (std::find(kept.begin(), kept.end(), piece) == kept.end()) kept.push_back(piece);
    }
    Text result;
    for (size_t i = 0; i < kept.size(); ++i) {
        if (i > 0) result += "; ";
        result += kept[i];
    }
    cookies = result;
    return result;
}

}  // namespace delist
