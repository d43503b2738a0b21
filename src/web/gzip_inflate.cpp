#include "web/gzip_inflate.hpp"

#include <zlib.h>

#include <array>

namespace delist {

namespace {

enum class Outcome { ended, cut, bad_data };

// Inflates `input` with the given window setting, appending to `output`. A stream that ends
// early, or is followed by bytes that are not another GZIP member, keeps what came out.
Outcome inflate_stream(const Bytes& input, int window_bits, Bytes& output) {
    z_stream stream{};
    if (inflateInit2(&stream, window_bits) != Z_OK) return Outcome::bad_data;
    stream.next_in = const_cast<Bytef*>(input.data());
    stream.avail_in = static_cast<uInt>(input.size());

    std::array<Bytef, 65536> chunk;
    Outcome outcome = Outcome::cut;
    for (;;) {
        stream.next_out = chunk.data();
        stream.avail_out = chunk.size();
        const int rc = inflate(&stream, Z_NO_FLUSH);
        output.insert(output.end(), chunk.data(), chunk.data() + (chunk.size() - stream.avail_out));
        if (rc == Z_STREAM_END) {
            outcome = Outcome::ended;
            // Concatenated GZIP members make one body.
            const bool another_member =
                stream.avail_in >= 2 && stream.next_in[0] == 0x1f && stream.next_in[1] == 0x8b;
            if (!another_member || inflateReset(&stream) != Z_OK) break;
            continue;
        }
        if (rc == Z_DATA_ERROR || rc == Z_NEED_DICT || rc == Z_MEM_ERROR || rc == Z_STREAM_ERROR) {
            if (outcome != Outcome::ended) outcome = Outcome::bad_data;
            break;
        }
        // Z_BUF_ERROR, or all input used while the stream goes on: the stream was cut.
        if (rc == Z_BUF_ERROR || (stream.avail_in == 0 && stream.avail_out != 0)) break;
    }
    inflateEnd(&stream);
    return outcome;
}

}  // namespace

Bytes gzip_inflate(const Bytes& compressed) {
    if (compressed.empty()) return {};
    Bytes output;
    // 15 + 32: a GZIP or zlib header is recognised by itself.
    const Outcome outcome = inflate_stream(compressed, 15 + 32, output);
    if (outcome != Outcome::bad_data || !output.empty()) return output;
    // Neither header: raw deflate. Almost any bytes start a raw stream (plain text decodes as
    // garbage until its bytes run out), so only a stream that reaches its end counts.
    if (inflate_stream(compressed, -15, output) != Outcome::ended) output.clear();
    return output;
}

}  // namespace delist
