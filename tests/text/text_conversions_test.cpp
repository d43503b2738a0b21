#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

#include "text/text.hpp"

namespace delist {
namespace {

TEST(FoldFullWidth, Cases) {
    const struct {
        Text text;
        Text expected;
    } cases[] = {
        {"１２３", "123"},
        {"ＡＢｚ", "ABz"},
        {"\xA3\xA1\xA3\xFE", "!~"},
        {"\xA1\xA1", " "},
        {"\xA1\xAB", "~"},
        {"\xA1\xEE\xA1\xEF", "**"},
        {"宝贝", "宝贝"},
        {"a\xA3", "a\xA3"},
        // B0 A3 is one character; the A3 A3 pair across the two characters is no full-width '#'.
        {"\xB0\xA3\xA3\xB1",
         "\xB0\xA3"
         "1"},
        {"", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fold_full_width(c.text), c.expected) << "text '" << c.text << "'";
    }
}

TEST(TextToInt, Cases) {
    const struct {
        Text text;
        int expected;
    } cases[] = {
        {"12.9", 12},
        {"1,234", 1},
        {"-7件", -7},
        {"abc", 0},
        {"", 0},
        {"１２３", 123},
        {"－５", -5},
        {" \t+42", 42},
        {"\xA1\xA1"
         "8",
         8},
        {"- 5", 0},
        {"4294967297", 1},
        {"2147483648", INT_MIN},
        {"-2147483648", INT_MIN},
        {"99999999999", 1215752191},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(text_to_int(c.text), c.expected) << "text '" << c.text << "'";
    }
}

TEST(TextToNumber, Cases) {
    const struct {
        Text text;
        double expected;
    } cases[] = {
        {"3.5", 3.5}, {"-0.25x", -0.25}, {"1e3", 1000.0}, {"2.5E-2", 0.025}, {"1e", 1.0},
        {"1e+", 1.0}, {".5", 0.5},       {"5.", 5.0},     {"abc", 0.0},      {"", 0.0},
        {".", 0.0},   {"-", 0.0},        {"１．５", 1.5}, {"1,5", 1.0},      {"  +7", 7.0},
        {"inf", 0.0}, {"nan", 0.0},      {"0x10", 0.0},   {"12元", 12.0},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(text_to_number(c.text), c.expected) << "text '" << c.text << "'";
    }
    EXPECT_TRUE(std::isinf(text_to_number("1e999")));
}

TEST(RealToInt, TruncatesAndWrapsWithoutOverflow) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const struct {
        double value;
        int expected;
    } cases[] = {
        {3.9, 3},
        {-3.9, -3},
        {0.0, 0},
        {-0.5, 0},
        {2147483647.9, INT_MAX},
        {-2147483648.9, INT_MIN},
        {2147483648.0, INT_MIN},
        {4294967297.0, 1},
        {-4294967297.0, -1},
        {1e30, INT_MIN},
        {nan, INT_MIN},
        {inf, INT_MIN},
        {-inf, INT_MIN},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(real_to_int(c.value), c.expected) << "value " << c.value;
    }
}

TEST(NumberTexts, IntAndHex) {
    EXPECT_EQ(int_to_text(6), "6");
    EXPECT_EQ(int_to_text(0), "0");
    EXPECT_EQ(int_to_text(-12), "-12");
    EXPECT_EQ(int_to_text(INT_MIN), "-2147483648");
    EXPECT_EQ(hex_text(10), "A");
    EXPECT_EQ(hex_text(255), "FF");
    EXPECT_EQ(hex_text(0), "0");
    EXPECT_EQ(hex_text(0xABCDEF), "ABCDEF");
    EXPECT_EQ(hex_text(-1), "FFFFFFFF");
    EXPECT_EQ(hex_text(INT_MIN), "80000000");
}

TEST(RealToText, ThirteenSignificantDigits) {
    const struct {
        double value;
        Text expected;
    } cases[] = {
        {3.5, "3.5"},
        {100.0, "100"},
        {0.25, "0.25"},
        {0.0, "0"},
        {-2.5, "-2.5"},
        {1.0 / 3.0, "0.3333333333333"},
        {2.0 / 3.0, "0.6666666666667"},
        {1234567890123.0, "1234567890123"},
        {1e13, "1e+013"},
        {1e15, "1e+015"},
        {1.5e20, "1.5e+020"},
        {1e100, "1e+100"},
        {0.0001, "0.0001"},
        {0.00001, "1e-005"},
        {-2.5e-7, "-2.5e-007"},
        {1e-300, "1e-300"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(real_to_text(c.value), c.expected) << "value " << c.value;
    }
}

TEST(SmallTexts, CharFromCodeAndBlanks) {
    EXPECT_EQ(char_from_code(65), "A");
    EXPECT_EQ(char_from_code(0xB1), "\xB1");
    EXPECT_EQ(char_from_code(0), "");
    EXPECT_EQ(blank_text(3), "   ");
    EXPECT_EQ(blank_text(0), "");
    EXPECT_EQ(blank_text(-1), "");
    EXPECT_EQ(blank_bytes(3), Bytes(3, 0));
    EXPECT_EQ(blank_bytes(-2), Bytes{});
}

TEST(TextAndBytes, ConvertAndCutAtZero) {
    EXPECT_EQ(bytes_to_text(Bytes{0x61, 0x00, 0x62}), "a");
    EXPECT_EQ(bytes_to_text(Bytes{0xB1, 0xA6}), "\xB1\xA6");
    EXPECT_EQ(bytes_to_text(Bytes{}), "");
    EXPECT_EQ(text_to_bytes("\xB1\xA6z"), (Bytes{0xB1, 0xA6, 'z'}));
    EXPECT_EQ(text_to_bytes(""), Bytes{});
    EXPECT_EQ(bytes_length(Bytes{1, 0, 2}), 3);
}

TEST(ByteArrays, LeftMidFind) {
    const Bytes b{1, 2, 0, 3, 4};
    EXPECT_EQ(bytes_left(b, 2), (Bytes{1, 2}));
    EXPECT_EQ(bytes_left(b, 10), b);
    EXPECT_EQ(bytes_left(b, -1), Bytes{});
    EXPECT_EQ(bytes_mid(b, 2, 2), (Bytes{2, 0}));
    EXPECT_EQ(bytes_mid(b, 0, 2), (Bytes{1, 2}));
    EXPECT_EQ(bytes_mid(b, 4, 10), (Bytes{3, 4}));
    EXPECT_EQ(bytes_mid(b, 9, 1), Bytes{});
    EXPECT_EQ(bytes_mid(b, 2, -1), Bytes{});

    EXPECT_EQ(find_bytes(b, Bytes{0, 3}), 3);
    EXPECT_EQ(find_bytes(b, Bytes{1}), 1);
    EXPECT_EQ(find_bytes(b, Bytes{4}), 5);
    EXPECT_EQ(find_bytes(b, Bytes{4, 5}), -1);
    EXPECT_EQ(find_bytes(b, Bytes{}), -1);
    EXPECT_EQ(find_bytes(Bytes{}, Bytes{1}), -1);
}

}  // namespace
}  // namespace delist
