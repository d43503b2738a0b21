#include <gtest/gtest.h>

#include <zlib.h>

#include "web/gzip_inflate.hpp"

namespace delist {
namespace {

// window_bits: 15 + 16 GZIP, 15 zlib, -15 raw deflate.
Bytes compress(const Bytes& plain, int window_bits) {
    z_stream stream{};
    deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, window_bits, 8, Z_DEFAULT_STRATEGY);
    Bytes out(deflateBound(&stream, plain.size()) + 32);
    stream.next_in = const_cast<Bytef*>(plain.data());
    stream.avail_in = static_cast<uInt>(plain.size());
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

// A page of many 8192-byte blocks that does not compress to nothing.
Bytes sample_page(size_t size) {
    Bytes page;
    unsigned seed = 12345;
    const std::string words[] = {"<li class=\"item\">", "宝贝", "</li>\r\n", "id=", "price"};
    while (page.size() < size) {
        seed = seed * 1103515245u + 12345u;
        const std::string& word = words[(seed >> 16) % 5];
        page.insert(page.end(), word.begin(), word.end());
        page.push_back(static_cast<std::uint8_t>('0' + (seed >> 8) % 10));
    }
    page.resize(size);
    return page;
}

Bytes bytes_of(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

TEST(GzipInflate, InflatesEveryFormatWhole) {
    const Bytes page = sample_page(20 * 8192 + 17);
    for (int window_bits : {15 + 16, 15, -15}) {
        SCOPED_TRACE(window_bits);
        EXPECT_EQ(gzip_inflate(compress(page, window_bits)), page);
    }
    // A body that inflates to many times its own size.
    const Bytes zeros(3 * 1024 * 1024, 0);
    EXPECT_EQ(gzip_inflate(compress(zeros, 15 + 16)), zeros);
}

TEST(GzipInflate, JoinsConcatenatedGzipMembers) {
    const Bytes first = bytes_of("<html>first half,");
    const Bytes second = bytes_of(" second half</html>");
    Bytes body = compress(first, 15 + 16);
    const Bytes tail = compress(second, 15 + 16);
    body.insert(body.end(), tail.begin(), tail.end());
    EXPECT_EQ(gzip_inflate(body), bytes_of("<html>first half, second half</html>"));
}

TEST(GzipInflate, UncompressedBodiesGiveNothing) {
    for (const std::string& plain :
         {std::string{}, std::string("<html><body>not compressed</body></html>"),
          std::string("{\"items_list_get_response\":{\"items\":{}}}"), std::string("hello"),
          std::string("\x1f\x8b garbage after a gzip magic")}) {
        SCOPED_TRACE(plain);
        EXPECT_EQ(gzip_inflate(bytes_of(plain)), Bytes{});
    }
}

TEST(GzipInflate, TruncatedStreamsGiveWhatCameBeforeTheCut) {
    const Bytes page = sample_page(10 * 8192);
    for (int window_bits : {15 + 16, 15}) {
        SCOPED_TRACE(window_bits);
        const Bytes whole = compress(page, window_bits);
        for (size_t keep : {whole.size() / 2, whole.size() - 1, size_t{12}}) {
            SCOPED_TRACE(keep);
            const Bytes cut(whole.begin(), whole.begin() + static_cast<long>(keep));
            const Bytes inflated = gzip_inflate(cut);
            ASSERT_LE(inflated.size(), page.size());
            EXPECT_TRUE(std::equal(inflated.begin(), inflated.end(), page.begin()));
            if (keep == whole.size() / 2) {
                EXPECT_GT(inflated.size(), page.size() / 4);
            }
        }
    }
}

TEST(GzipInflate, RawDeflateCountsOnlyWhenItEnds) {
    // Without a header, a cut stream cannot be told from plain bytes read as deflate.
    const Bytes whole = compress(sample_page(4 * 8192), -15);
    EXPECT_EQ(
        gzip_inflate(Bytes(whole.begin(), whole.begin() + static_cast<long>(whole.size() / 2))),
        Bytes{});
}

}  // namespace
}  // namespace delist
