#include <gtest/gtest.h>

#include "web/http_request.hpp"

namespace delist {
namespace {

struct UrlCase {
    Text url;
    Text host;
    Text host_with_port;
    int port;
    Text path;
};

TEST(UrlParts, SplitsAddresses) {
    const UrlCase cases[] = {
        {"http://WWW.Example.COM:8080/a/b?x=1#y", "www.example.com", "www.example.com:8080", 8080,
         "/a/b?x=1#y"},
        {"http://example.com", "example.com", "example.com", 80, "/"},
        {"example.com/a", "example.com", "example.com", 80, "/a"},
        {"http://example.com:/x", "example.com", "example.com:", 0, "/x"},
        {"http://s.example.com/search?q=a/b&s=40#J_relative", "s.example.com", "s.example.com", 80,
         "/search?q=a/b&s=40#J_relative"},
        // The scheme is looked for anywhere; the path starts after the host's first occurrence.
        {"go http://Shop.Example.com:81/p", "shop.example.com", "shop.example.com:81", 81, "/p"},
        {"http://h:12ab/", "h", "h:12ab", 12, "/"},
        {"http://tp/x", "tp", "tp", 80, "/x"},
        {"", "", "", 80, "/"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url);
        EXPECT_EQ(url_host(c.url), c.host);
        EXPECT_EQ(url_host(c.url, 1), c.host_with_port);
        EXPECT_EQ(url_port(c.url), c.port);
        EXPECT_EQ(url_path(c.url), c.path);
    }
}

TEST(UrlParts, KeepsThePortOnlyForFlagOne) {
    EXPECT_EQ(url_host("http://h:8080/", 2), "h");
    EXPECT_EQ(url_host("http://h:8080/", -1), "h");
}

}  // namespace
}  // namespace delist
