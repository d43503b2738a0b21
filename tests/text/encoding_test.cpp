#include "text/encoding.hpp"

#include <gtest/gtest.h>

namespace delist {
namespace {

Bytes bytes(const Text& text) {
    return Bytes(text.begin(), text.end());
}

// UTF-8 spelled out in bytes, since the literals of this file are GBK at run time.
const Text utf8_baobei = "\xE5\xAE\x9D\xE8\xB4\x9D";
const Text utf8_emoji = "\xF0\x9F\x98\x80";
const Text gbk_e_acute = "\xA8\xA6";

TEST(UrlEncode, Cases) {
    const struct {
        Text text;
        Text expected;
    } cases[] = {
        {"a b", "a%20b"},
        {"-_.~", "%2D%5F%2E%7E"},
        {"Ab9", "Ab9"},
        {"azAZ09", "azAZ09"},
        {"+*/=&", "%2B%2A%2F%3D%26"},
        {"宝", "%B1%A6"},
        {"\xB1\xA6", "%B1%A6"},
        {utf8_baobei, "%E5%AE%9D%E8%B4%9D"},
        {"\n", "%0A"},
        {"\x01\x7F\xFF", "%01%7F%FF"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(url_encode(c.text), c.expected) << "text '" << c.text << "'";
    }
}

TEST(Utf8ToText, Cases) {
    const struct {
        Text utf8;
        Text expected;
    } cases[] = {
        {"", "转换失败"},
        {utf8_baobei, "宝贝"},
        {"abc", "abc"},
        {"\xC3\xA9", gbk_e_acute},
        {"a" + utf8_emoji + "b", "a?b"},
        // Broken sequences are replaced and the rest comes through.
        {"a\xFF"
         "b",
         "a?b"},
        {"\xE5\xAE\x9D\xE8\xB4", "宝?"},
        {"\x80"
         "abc",
         "?abc"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(utf8_to_text(c.utf8), c.expected) << "utf8 '" << url_encode(c.utf8) << "'";
    }
}

TEST(Utf8BytesToGbk, Cases) {
    const struct {
        Text utf8;
        Text expected;
    } cases[] = {
        {"", ""},
        {utf8_baobei, "宝贝"},
        {"\xC3\xA9", gbk_e_acute},
        // A base letter and a combining acute compose to the one GBK character.
        {"e\xCC\x81", gbk_e_acute},
        {"x" + utf8_emoji, "x?"},
        {"a\xFF"
         "b" +
             utf8_baobei,
         "a?b宝贝"},
        {"\xE3\x80\x80", "\xA1\xA1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(utf8_bytes_to_gbk(bytes(c.utf8)), bytes(c.expected))
            << "utf8 '" << url_encode(c.utf8) << "'";
    }
    // Zero bytes are characters like any other.
    EXPECT_EQ(utf8_bytes_to_gbk(Bytes{'a', 0, 'b'}), (Bytes{'a', 0, 'b'}));
}

TEST(TextToUtf8, Cases) {
    EXPECT_EQ(text_to_utf8("宝贝"), (Bytes{0xE5, 0xAE, 0x9D, 0xE8, 0xB4, 0x9D}));
    EXPECT_EQ(text_to_utf8(""), Bytes{});
    EXPECT_EQ(text_to_utf8("abc"), bytes("abc"));
    EXPECT_EQ(text_to_utf8("\xA1\xA1"), (Bytes{0xE3, 0x80, 0x80}));
}

TEST(Encodings, GbkRoundTripsThroughUtf8) {
    const Text samples[] = {
        "宝贝",          "年月日时分秒",          "\xA6\xB1",         "\xA1\xA1\xA1\xAB", "Ａｂ１",
        "数据读取完成!", "mixed 文本 with ASCII", "\x81\x40\xFE\x4F",
    };
    for (const auto& text : samples) {
        const Bytes utf8 = text_to_utf8(text);
        EXPECT_EQ(utf8_to_text(Text(utf8.begin(), utf8.end())), text) << url_encode(text);
        EXPECT_EQ(utf8_bytes_to_gbk(utf8), bytes(text)) << url_encode(text);
    }
}

}  // namespace
}  // namespace delist
