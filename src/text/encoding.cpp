// GBK <-> UTF-8 through ICU, and percent-encoding.

#include "text/encoding.hpp"

#include <unicode/normalizer2.h>
#include <unicode/ucnv.h>
#include <unicode/unistr.h>

#include <memory>
#include <string>

namespace delist {

namespace {

struct ConverterClose {
    void operator()(UConverter* c) const { ucnv_close(c); }
};
using Converter = std::unique_ptr<UConverter, ConverterClose>;

// One converter per thread: ICU converters carry state and must not be shared between threads.
UConverter* gbk_converter() {
    thread_local const Converter converter = [] {
        UErrorCode status = U_ZERO_ERROR;
        Converter c(ucnv_open("windows-936-2000", &status));
        if (U_SUCCESS(status)) ucnv_setSubstChars(c.get(), "?", 1, &status);
        return U_SUCCESS(status) ? std::move(c) : Converter{};
    }();
    return converter.get();
}

// Invalid UTF-8 sequences come through as U+FFFD, so the rest of the text survives.
icu::UnicodeString decode_utf8(const char* data, std::size_t size) {
    return icu::UnicodeString::fromUTF8(icu::StringPiece(data, static_cast<int32_t>(size)));
}

icu::UnicodeString compose(const icu::UnicodeString& wide) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(status);
    if (U_FAILURE(status)) return wide;
    icu::UnicodeString composed = nfc->normalize(wide, status);
    return U_SUCCESS(status) ? composed : wide;
}

// Characters GBK lacks become '?'.
std::string encode_gbk(const icu::UnicodeString& wide) {
    UConverter* converter = gbk_converter();
    if (converter == nullptr || wide.isEmpty()) return {};
    ucnv_resetFromUnicode(converter);
    // A GBK character takes at most two bytes per UTF-16 code unit.
    std::string out(static_cast<std::size_t>(wide.length()) * 2 + 1, '\0');
    UErrorCode status = U_ZERO_ERROR;
    const int32_t n = ucnv_fromUChars(converter, out.data(), static_cast<int32_t>(out.size()),
                                      wide.getBuffer(), wide.length(), &status);
    if (U_FAILURE(status)) return {};
    out.resize(static_cast<std::size_t>(n));
    return out;
}

}  // namespace

Text url_encode(const Text& text) {
    static constexpr char digits[] = "0123456789ABCDEF";
    Text out;
    out.reserve(text.size() * 3);
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) {
            out += ch;
        } else {
            out += '%';
            out += digits[c >> 4];
            out += digits[c & 0x0F];
        }
    }
    return out;
}

Text utf8_to_text(const Text& utf8) {
    Text text = encode_gbk(decode_utf8(utf8.data(), utf8.size()));
    if (text.empty()) return "转换失败";
    return text;
}

Bytes utf8_bytes_to_gbk(const Bytes& utf8) {
    const auto* data = reinterpret_cast<const char*>(utf8.data());
    const std::string gbk = encode_gbk(compose(decode_utf8(data, utf8.size())));
    return Bytes(gbk.begin(), gbk.end());
}

Bytes text_to_utf8(const Text& text) {
    UConverter* converter = gbk_converter();
    if (converter == nullptr || text.empty()) return {};
    ucnv_resetToUnicode(converter);
    UErrorCode status = U_ZERO_ERROR;
    const icu::UnicodeString wide(text.data(), static_cast<int32_t>(text.size()), converter,
                                  status);
    if (U_FAILURE(status)) return {};
    std::string utf8;
    wide.toUTF8String(utf8);
    return Bytes(utf8.begin(), utf8.end());
}

}  // namespace delist
