#include <gtest/gtest.h>

#include "web/http_object_request.hpp"

namespace delist {
namespace {

TEST(MergeCookies, NewCookiesWinAndDeletedOnesGo) {
    struct Case {
        Text cookies;
        Text new_cookies;
        Text merged;
    };
    const Case cases[] = {
        {"a=1; b=2", "b=3; c=deleted; ", "b=3; a=1"},
        {"", "x=1; y=2; ", "x=1; y=2"},
        {"a=1; b=2", "", "a=1; b=2"},
        {"", "", ""},
        // Of two old pieces with one name only the first stays.
        {"a=1; a=2; b=1", "", "a=1; b=1"},
        // Names compare after the spaces are gone; a piece without "=" is its own name.
        {"flag; a = 1", "a=9; ", "a=9; flag"},
        {"a=1", "a=deleted; ", ""},
        {"a=deleted; b=1", "", "b=1"},
        // Exact duplicates among the new cookies collapse.
        {"", "n=1; n=1; m=2; ", "n=1; m=2"},
        // An empty cookie from a line without ";" stays as an empty piece.
        {"a=1", "; ", "; a=1"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cookies + " | " + c.new_cookies);
        Text cookies = c.cookies;
        Text new_cookies = c.new_cookies;
        EXPECT_EQ(merge_cookies(cookies, new_cookies), c.merged);
        EXPECT_EQ(cookies, c.merged);
        EXPECT_EQ(new_cookies.find(' '), std::string::npos);
    }
}

TEST(MergeCookies, RemovesSpacesFromBothArguments) {
    Text cookies =
        "a = 1;\xA1\xA1"
        "b=2";
    Text new_cookies = "c=3; d=4; ";
    merge_cookies(cookies, new_cookies);
    EXPECT_EQ(new_cookies, "c=3;d=4;");
    EXPECT_EQ(cookies, "c=3; d=4; a=1; b=2");
}

}  // namespace
}  // namespace delist
