#include "market/page_body.hpp"

#include <gtest/gtest.h>
#include <zlib.h>

namespace delist {
namespace {

// window_bits 31: gzip, 15: zlib, -15: raw deflate.
Bytes compress(const Text& text, int window_bits) {
    z_stream stream{};
    EXPECT_EQ(deflateInit2(&stream, 6, Z_DEFLATED, window_bits, 8, Z_DEFAULT_STRATEGY), Z_OK);
    Bytes out(text.size() + 128);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    stream.avail_in = static_cast<uInt>(text.size());
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    EXPECT_EQ(deflate(&stream, Z_FINISH), Z_STREAM_END);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

TEST(PageTextTest, InflatesOnlyCompressedAnswers) {
    const Text page = "<html><title>连衣裙_淘宝搜索</title></html>";
    const Text gzip_header = "HTTP/1.1 200 OK\r\nContent-Encoding: gzip\r\n";
    struct Case {
        const char* name;
        Bytes body;
        Text headers;
    };
    const Case cases[] = {
        {"gzip declared", compress(page, 31), gzip_header},
        {"gzip undeclared", compress(page, 31), "Content-Type: text/html\r\n"},
        {"zlib undeclared", compress(page, 15), ""},
        {"raw deflate declared", compress(page, -15), "content-encoding: deflate\r\n"},
        {"plain", text_to_bytes(page), "Content-Type: text/html; charset=gbk\r\n"},
        {"plain, no headers", text_to_bytes(page), ""},
    };
    for (const Case& c : cases) EXPECT_EQ(page_text(c.body, c.headers), page) << c.name;
}

TEST(PageTextTest, PlainBodyEndsAtZeroByteAndEmptyStaysEmpty) {
    EXPECT_EQ(page_text(Bytes{'a', 'b', 0, 'c'}, ""), "ab");
    EXPECT_EQ(page_text({}, ""), "");
    // Bytes that only claim to be compressed inflate to nothing.
    EXPECT_EQ(page_text(text_to_bytes("not compressed"), "Content-Encoding: gzip\r\n"), "");
}

}  // namespace
}  // namespace delist
