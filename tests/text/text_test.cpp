#include "text/text.hpp"

#include <gtest/gtest.h>

namespace delist {
namespace {

// "宝贝" is B1 A6 B1 B4; the Greek capital rho "Ρ" is A6 B1 and straddles the two characters.
const Text baobei = "\xB1\xA6\xB1\xB4";
const Text rho = "\xA6\xB1";
// "啊、" is B0 A1 A1 A2: an ideographic-space byte pair straddles the two characters.
const Text straddled_space = "\xB0\xA1\xA1\xA2";

struct FindCase {
    Text text;
    Text sub;
    int start;
    bool ignore_case;
    int expected;
};

TEST(FindText, Cases) {
    const FindCase cases[] = {
        {"abcabc", "c", 1, false, 3},
        {"abcabc", "c", 4, false, 6},
        {"abcabc", "c", 7, false, -1},
        {"abcabc", "c", 100, false, -1},
        {"abcabc", "c", 0, false, 3},
        {"abcabc", "c", -5, false, 3},
        {"abcabc", "abcd", 1, false, -1},
        {"ab", "", 1, false, 1},
        {"ab", "", 2, false, 1},
        {"ab", "", 3, false, -1},
        {"", "", 1, false, -1},
        {"", "a", 1, false, -1},
        {baobei, rho, 1, false, -1},
        {"ab" + baobei, rho, 1, false, -1},
        {baobei, "\xB1\xB4", 1, false, 3},
        // A caller that starts on a trail byte is taken at its word.
        {baobei, rho, 2, false, 2},
        // A lead byte as the last byte ends the search.
        {"a\xB1", "x", 1, false, -1},
        {"Content-Type: x", "content-type: ", 1, true, 1},
        {"Content-Type: x", "content-type: ", 1, false, -1},
        {"xAB", "ab", 1, true, 2},
        {"xab", "AB", 1, true, 2},
        // Case folding is byte by byte, so a trail byte in A-Z folds as well.
        {"\x81\x41", "\x81\x61", 1, true, 1},
        {"\x81\x41", "\x81\x61", 1, false, -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(find_text(c.text, c.sub, c.start, c.ignore_case), c.expected)
            << "text '" << c.text << "' sub '" << c.sub << "' start " << c.start;
    }
}

TEST(TextCutting, LeftRightMid) {
    EXPECT_EQ(text_left("abcdef", 2), "ab");
    EXPECT_EQ(text_left("abc", 10), "abc");
    EXPECT_EQ(text_left("abc", 0), "");
    EXPECT_EQ(text_left("abc", -1), "");
    EXPECT_EQ(text_right("abcdef", 2), "ef");
    EXPECT_EQ(text_right("abc", 10), "abc");
    EXPECT_EQ(text_right("abc", 0), "");
    EXPECT_EQ(text_right("abc", -3), "");
    EXPECT_EQ(text_mid("abcdef", 0, 3), "");
    EXPECT_EQ(text_mid("abcdef", 5, 10), "ef");
    EXPECT_EQ(text_mid("abcdef", 2, 3), "bcd");
    EXPECT_EQ(text_mid("abcdef", 6, 1), "f");
    EXPECT_EQ(text_mid("abcdef", 7, 1), "");
    EXPECT_EQ(text_mid("abc", 2, -2), "");
    EXPECT_EQ(text_mid("abc", 2, 0), "");
    EXPECT_EQ(text_length(baobei), 4);
    EXPECT_EQ(text_length(""), 0);
}

struct BetweenCase {
    Text text;
    Text left;
    Text right;
    Text expected;
};

TEST(TextBetween, Cases) {
    const BetweenCase cases[] = {
        {"x<b>y</b>", "<b>", "</b>", "y"},
        {"x<b>y", "<b>", "</b>", ""},
        {"a=1&b=2", "b=", "&", ""},
        {"<b></b>", "<b>", "</b>", ""},
        // Only the first left marker counts.
        {"<b>1<b>2</b>", "<b>", "</b>", "1<b>2"},
        // The right marker is searched only after the left one.
        {"</b>x<b>y</b>", "<b>", "</b>", "y"},
        // A missing left marker gives nothing, whatever its length.
        {"abcdefgh&x", "href=", "&", ""},
        {"abc", "[", "]", ""},
        {"", "<b>", "</b>", ""},
        {"id=" + baobei + "&", "id=", "&", baobei},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(text_between(c.text, c.left, c.right), c.expected)
            << "text '" << c.text << "' left '" << c.left << "' right '" << c.right << "'";
    }
}

struct CollectCase {
    Text text;
    Text left;
    Text right;
    TextList expected;
};

TEST(CollectBetweenAll, Cases) {
    const CollectCase cases[] = {
        {"k:1,k:2,k:", "k:", ",", {"1", "2", ""}},
        // A marker right after the previous one is passed over.
        {"k:k:1,", "k:", ",", {"k:1"}},
        // A marker before the previous right marker is found, so the pieces overlap.
        {"k:a k:b,", "k:", ",", {"a k:b", "b"}},
        {"k:,", "k:", ",", {""}},
        {"no markers", "k:", ",", {}},
        {"", "k:", ",", {}},
        {"\"id\":\"1\",\"id\":\"22\"", "\"id\":\"", "\"", {"1", "22"}},
        // An empty left marker would match everywhere without moving on.
        {"abc", "", ",", {}},
    };
    for (const auto& c : cases) {
        TextList target = {"old", "contents"};
        collect_between_all(c.text, c.left, c.right, target);
        EXPECT_EQ(target, c.expected) << "text '" << c.text << "'";
    }
}

struct SplitCase {
    Text text;
    Text delimiter;
    TextList expected;
};

TEST(SplitText, Cases) {
    const SplitCase cases[] = {
        {"", ",", {}},
        {"abc", "", {"abc"}},
        {"a,,b,", ",", {"a", "", "b"}},
        {"a||b", "|", {"a", "", "b"}},
        {"a|b|", "|", {"a", "b"}},
        {"|a", "|", {"", "a"}},
        {",", ",", {""}},
        {"abc", ",", {"abc"}},
        {"1<>2<>3", "<>", {"1", "2", "3"}},
        {"a<", "<>", {"a<"}},
        {baobei, rho, {baobei}},
        {"a年b", "年", {"a", "b"}},
        {"a,\xB1", ",", {"a", "\xB1"}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(split_text(c.text, c.delimiter), c.expected)
            << "text '" << c.text << "' delimiter '" << c.delimiter << "'";
    }
}

struct ReplaceCase {
    Text text;
    Text sub;
    Text replacement;
    int start;
    int count;
    bool case_sensitive;
    Text expected;
};

TEST(ReplaceSubtext, Cases) {
    const ReplaceCase cases[] = {
        {"a-b-c", "-", "年", 1, 1, true, "a年b-c"},
        {"\\/x\\/", "\\/", "/", 1, -1, true, "/x/"},
        {"a-b-c", "-", "", 1, -1, true, "abc"},
        {"a-b-c", "-", "+", 3, -1, true, "a-b+c"},
        {"a-b-c", "-", "+", 0, -1, true, "a+b+c"},
        {"a-b-c", "-", "+", 6, -1, true, "a-b-c"},
        {"a-b-c", "-", "+", 1, 0, true, "a-b-c"},
        {"a-b-c", "", "+", 1, -1, true, "a-b-c"},
        {"", "-", "+", 1, -1, true, ""},
        {"aaa", "aa", "b", 1, -1, true, "ba"},
        // The inserted replacement is not searched again.
        {"aa", "a", "aa", 1, -1, true, "aaaa"},
        {"AbAB", "ab", "x", 1, -1, false, "xx"},
        {"AbAB", "ab", "x", 1, -1, true, "AbAB"},
        {baobei, rho, "X", 1, -1, true, baobei},
        {baobei + "-", "-", "+", 1, -1, true, baobei + "+"},
        // A dangling lead byte is dropped while characters are copied...
        {"ab\xB1", "x", "y", 1, -1, true, "ab"},
        // ...but kept when the sub-text no longer fits.
        {"ab\xB1", "xy", "z", 1, -1, true, "ab\xB1"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(replace_subtext(c.text, c.sub, c.replacement, c.start, c.count, c.case_sensitive),
                  c.expected)
            << "text '" << c.text << "' sub '" << c.sub << "' start " << c.start;
    }
    EXPECT_EQ(replace_subtext("a-b", "-"), "ab");
}

TEST(ReplaceAt, Cases) {
    EXPECT_EQ(replace_at("abcdef", 2, 3), "aef");
    EXPECT_EQ(replace_at("abc", 2, 0, "X"), "aXbc");
    EXPECT_EQ(replace_at("abc", 0, 1, "X"), "Xbc");
    EXPECT_EQ(replace_at("abc", 10, 5, "X"), "abcX");
    EXPECT_EQ(replace_at("abc", 2, 10), "a");
    EXPECT_EQ(replace_at("abc", 2, -1, "X"), "aXbc");
    EXPECT_EQ(replace_at("Set-Cookie: a=1", 1, 12), "a=1");
}

TEST(Spaces, TrimAndRemove) {
    const Text ideo = "\xA1\xA1";
    const struct {
        Text text;
        Text trimmed;
        Text removed;
    } cases[] = {
        {"\t x \t", "\t x \t", "\tx\t"},
        {ideo + "x" + ideo, "x", "x"},
        {"  a b  ", "a b", "ab"},
        {" " + ideo + "a" + ideo + " b " + ideo, "a" + ideo + " b", "ab"},
        {"   ", "", ""},
        {"", "", ""},
        {"\r\nx\n", "\r\nx\n", "\r\nx\n"},
        {" " + straddled_space + " ", straddled_space, straddled_space},
        {"x\xB1", "x", "x"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(trim_spaces(c.text), c.trimmed) << "text '" << c.text << "'";
        EXPECT_EQ(remove_spaces(c.text), c.removed) << "text '" << c.text << "'";
    }
}

TEST(Case, OnlyAsciiLettersChange) {
    EXPECT_EQ(to_upper("abC-z9"), "ABC-Z9");
    EXPECT_EQ(to_lower("ABc-Z9"), "abc-z9");
    // Trail bytes in the letter range belong to two-byte characters.
    EXPECT_EQ(to_upper("a\x81\x61"), "A\x81\x61");
    EXPECT_EQ(to_lower("A\x81\x41"), "a\x81\x41");
    EXPECT_EQ(to_upper(baobei), baobei);
}

TEST(CompareText, UnsignedBytesThenLength) {
    const struct {
        Text a;
        Text b;
        int expected;
    } cases[] = {
        {"a", "b", -1},    {"b", "a", 1},
        {"a", "a", 0},     {"a", "ab", -1},
        {"ab", "a", 1},    {"", "", 0},
        {"", "a", -1},     {"\xB1", "a", 1},
        {"a", "\xB1", -1}, {"sign", "sign_method", -1},
        {"Z", "a", -1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(compare_text(c.a, c.b), c.expected) << "'" << c.a << "' vs '" << c.b << "'";
    }
}

TEST(JoinTexts, ConcatenatesInOrder) {
    EXPECT_EQ(join_texts("a", "b"), "ab");
    EXPECT_EQ(join_texts(Text("a"), Text(), Text("b"), Text("c")), "abc");
}

}  // namespace
}  // namespace delist
