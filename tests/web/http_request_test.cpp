#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "local_server.hpp"
#include "raw_server.hpp"
#include "web/http_object_request.hpp"
#include "web/http_request.hpp"
#include "web/request_limits.hpp"

namespace delist {
namespace {

using testing::as_text;
using testing::fixed;
using testing::http_reply;
using testing::LocalServer;
using testing::RawReply;
using testing::RawServer;
using testing::request_body;
using testing::request_header_lines;
using testing::request_line;

const Text accept_line =
    "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, application/x-shockwave-flash, "
    "application/vnd.ms-excel, application/vnd.ms-powerpoint, application/msword, */*";

// The positions of the wanted lines among the lines sent; -1 for a missing one.
std::vector<long> positions_of(const std::vector<std::string>& sent,
                               const std::vector<std::string>& wanted) {
    std::vector<long> at;
    for (const auto& line : wanted) {
        const auto found = std::find(sent.begin(), sent.end(), line);
        at.push_back(found == sent.end() ? -1 : found - sent.begin());
    }
    return at;
}

void expect_in_order(const std::vector<std::string>& sent, const std::vector<std::string>& wanted) {
    const auto at = positions_of(sent, wanted);
    for (size_t i = 0; i < wanted.size(); ++i) {
        EXPECT_NE(at[i], -1) << "missing: " << wanted[i];
        if (i > 0) {
            EXPECT_LT(at[i - 1], at[i]) << wanted[i - 1] << " before " << wanted[i];
        }
    }
}

TEST(HttpRequest, GetSendsThePathUnchangedWithTheDefaultHeaders) {
    RawServer server(fixed("page body", "Set-Cookie: g1=v; path=/\r\n"));
    const Text url = server.url("/a/b?x=1&k=%D6%D0#J_relative");
    Text headers = "X-Caller: 1\r\n";
    Text response_headers;
    const Bytes body = http_request(url, "", "", &headers, "", &response_headers);

    EXPECT_EQ(as_text(body), "page body");
    EXPECT_EQ(headers, "X-Caller: 1\r\n" + accept_line + "\r\nReferer: " + url +
                           "\r\nAccept-Language: zh-cn\r\n");
    EXPECT_EQ(response_headers,
              "HTTP/1.1 200 OK\r\nContent-Length: 9\r\nConnection: close\r\n"
              "Set-Cookie: g1=v; path=/\r\n\r\n");

    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(request_line(requests[0]), "GET /a/b?x=1&k=%D6%D0#J_relative HTTP/1.1");
    const auto lines = request_header_lines(requests[0]);
    expect_in_order(
        lines, {"Host: 127.0.0.1:" + std::to_string(server.port()),
                "User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)", "X-Caller: 1",
                accept_line, "Referer: " + url, "Accept-Language: zh-cn"});
    for (const auto& line : lines) {
        EXPECT_EQ(line.find("Expect"), std::string::npos) << line;
        EXPECT_EQ(line.find("Content-"), std::string::npos) << line;
    }
    EXPECT_EQ(request_body(requests[0]), "");
}

TEST(HttpRequest, AddsEachDefaultOnlyWhenItsNameIsMissing) {
    struct Case {
        Text given;
        Text expected;
    };
    const Text url = "http://127.0.0.1:1/";  // headers are completed before anything is sent
    const Case cases[] = {
        {"accept: text/html\r\n",
         "accept: text/html\r\nReferer: " + url + "\r\nAccept-Language: zh-cn\r\n"},
        {"REFERER: elsewhere\r\nACCEPT-LANGUAGE: en\r\n",
         "REFERER: elsewhere\r\nACCEPT-LANGUAGE: en\r\n" + accept_line + "\r\n"},
        // "Accept-Language: " does not hold "Accept: ", so the Accept default still comes.
        {"Accept-Language: en\r\n",
         "Accept-Language: en\r\n" + accept_line + "\r\nReferer: " + url + "\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.given);
        Text headers = c.given;
        http_request(url, "GET", "", &headers);
        EXPECT_EQ(headers, c.expected);
    }
}

TEST(HttpRequest, PostSendsTheBodyWithTypeAndLength) {
    struct Case {
        Text method;
        Text given_headers;
        Text body;
        std::vector<std::string> wanted_lines;
    };
    const Case cases[] = {
        {"POST",
         "",
         "hello=world",
         {accept_line, "Referer: ", "Accept-Language: zh-cn",
          "Content-Type: application/x-www-form-urlencoded", "Content-Length: 11"}},
        {"post",
         "Content-Type: text/plain\r\n",
         "abc",
         {"Content-Type: text/plain", accept_line, "Content-Length: 3"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.method + " " + c.body);
        RawServer server(fixed("ok"));
        const Text url = server.url("/gate");
        Text headers = c.given_headers;
        EXPECT_EQ(http_request_text(url, c.method, "", &headers, c.body), "ok");

        const auto requests = server.requests();
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_EQ(request_line(requests[0]), "POST /gate HTTP/1.1");
        EXPECT_EQ(request_body(requests[0]), c.body);
        auto wanted = c.wanted_lines;
        for (auto& line : wanted) {
            if (line == "Referer: ") line += url;
        }
        const auto lines = request_header_lines(requests[0]);
        expect_in_order(lines, wanted);
        EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                                [](const std::string& l) {
                                    return l.rfind("Content-Type", 0) == 0 ||
                                           l.rfind("Content-Length", 0) == 0;
                                }),
                  2);
    }
}

TEST(HttpRequest, PostWithoutBodyAddsNoContentLines) {
    RawServer server(fixed("ok"));
    Text headers;
    EXPECT_EQ(http_request_text(server.url("/p"), "POST", "", &headers), "ok");
    EXPECT_EQ(headers.find("Content-"), std::string::npos);
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(request_line(requests[0]), "POST /p HTTP/1.1");
    EXPECT_EQ(requests[0].find("Content-Type"), std::string::npos);
    EXPECT_EQ(request_body(requests[0]), "");
}

TEST(HttpRequest, OtherMethodsAndUnusableAddressesSendNothing) {
    RawServer server(fixed("never"));
    const Bytes no_request(255, 0);
    for (const Text method : {"PUT", "DELETE", "HEAD", "GETX"}) {
        SCOPED_TRACE(method);
        EXPECT_EQ(http_request(server.url("/x"), method, "", nullptr, "body"), no_request);
        EXPECT_EQ(http_request_text(server.url("/x"), method), "");
    }
    for (const Text url :
         {"http:///x", "http://bad host/", "http://h:70000/", "http://h:-1/", "http://user@h/"}) {
        SCOPED_TRACE(url);
        EXPECT_EQ(http_request(url), no_request);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_TRUE(server.requests().empty());
}

TEST(HttpRequest, CookiesWithAPathComeBackUnderThatPath) {
    LocalServer local;
    local.server.Get("/search/set", [](const httplib::Request&, httplib::Response& response) {
        response.set_header("Set-Cookie", "rt_deep=7; Path=/search");
        response.set_content("set", "text/plain");
    });
    auto echo = [](const httplib::Request& request, httplib::Response& response) {
        response.set_content("[" + request.get_header_value("Cookie") + "]", "text/plain");
    };
    local.server.Get("/search/next", echo);
    local.server.Get("/other", echo);
    local.start();
    http_request(local.url("/search/set"));
    EXPECT_NE(http_request_text(local.url("/search/next?q=1#top")).find("rt_deep=7"),
              std::string::npos);
    EXPECT_EQ(http_request_text(local.url("/other")).find("rt_deep"), std::string::npos);
}

TEST(HttpRequest, CookiesComeBackToTheSameHostFromAnyThread) {
    LocalServer local;
    local.server.Get(
        R"(/set/(\w+)/(\w+))", [](const httplib::Request& request, httplib::Response& response) {
            response.set_header("Set-Cookie", request.matches[1].str() + "=" +
                                                  request.matches[2].str() + "; path=/");
            response.set_content("set", "text/plain");
        });
    local.server.Get("/echo", [](const httplib::Request& request, httplib::Response& response) {
        response.set_content(request.get_header_value("Cookie"), "text/plain");
    });
    local.start();

    EXPECT_EQ(http_request_text(local.url("/set/rt_main/1")), "set");
    EXPECT_NE(http_request_text(local.url("/echo")).find("rt_main=1"), std::string::npos);

    // Cookies set on eight threads at once all land in the one store.
    std::vector<std::thread> threads;
    for (int i = 0; i < 8; ++i) {
        threads.emplace_back([&, i] {
            http_request(local.url("/set/rt_thread" + std::to_string(i) + "/" + std::to_string(i)));
        });
    }
    for (auto& t : threads) t.join();
    std::vector<Text> seen(8);
    threads.clear();
    for (int i = 0; i < 8; ++i) {
        threads.emplace_back([&, i] { seen[i] = http_request_text(local.url("/echo")); });
    }
    for (auto& t : threads) t.join();
    for (int i = 0; i < 8; ++i) {
        for (int j = 0; j < 8; ++j) {
            const Text cookie = "rt_thread" + std::to_string(j) + "=" + std::to_string(j);
            EXPECT_NE(seen[i].find(cookie), std::string::npos) << seen[i] << " lacks " << cookie;
        }
    }

    // Another host name for the same server is another host.
    const Text other = "http://localhost:" + std::to_string(local.port()) + "/echo";
    EXPECT_EQ(http_request_text(other).find("rt_main"), std::string::npos);
}

TEST(HttpRequest, LongHeaderBlocksComeBackWholeAndTheirCookiesAreKept) {
    LocalServer local;
    const std::string long_value(3000, 'v');
    local.server.Get("/long", [&](const httplib::Request&, httplib::Response& response) {
        response.set_header("X-Long", long_value);
        response.set_header("Set-Cookie", "rt_long=1; path=/");
        response.set_content("long", "text/plain");
    });
    local.server.Get("/echo", [](const httplib::Request& request, httplib::Response& response) {
        response.set_content(request.get_header_value("Cookie"), "text/plain");
    });
    local.start();

    Text response_headers;
    EXPECT_EQ(http_request_text(local.url("/long"), "", "", nullptr, "", &response_headers),
              "long");
    EXPECT_NE(response_headers.find("X-Long: " + long_value + "\r\n"), std::string::npos);
    EXPECT_NE(http_request_text(local.url("/echo")).find("rt_long=1"), std::string::npos);
}

TEST(HttpRequest, FollowsRedirects) {
    LocalServer local;
    local.server.Get("/from", [](const httplib::Request&, httplib::Response& response) {
        response.set_header("Set-Cookie", "rt_hop=1; path=/");
        response.set_redirect("/to?q=1");
    });
    local.server.Post("/from", [](const httplib::Request&, httplib::Response& response) {
        response.set_redirect("/to?q=2");
    });
    local.server.Post("/keep", [](const httplib::Request&, httplib::Response& response) {
        response.set_redirect("/to?q=3", 307);
    });
    local.server.Get("/loop", [](const httplib::Request&, httplib::Response& response) {
        response.set_redirect("/loop");
    });
    // Relative to the address asked for, not to the host's root.
    local.server.Get("/a/start", [](const httplib::Request&, httplib::Response& response) {
        response.status = 302;
        response.set_header("Location", "next?q=4");
    });
    local.server.Get("/a/next", [](const httplib::Request& request, httplib::Response& response) {
        response.set_content("a/next " + request.get_param_value("q"), "text/plain");
    });
    auto to = [](const httplib::Request& request, httplib::Response& response) {
        response.set_content(request.method + " " + request.get_param_value("q") + " [" +
                                 request.body + "] " + request.get_header_value("Cookie") +
                                 " length=" + request.get_header_value("Content-Length"),
                             "text/plain");
    };
    local.server.Get("/to", to);
    local.server.Post("/to", to);
    local.start();

    Text response_headers;
    const Text arrived =
        http_request_text(local.url("/from"), "", "", nullptr, "", &response_headers);
    EXPECT_EQ(arrived.rfind("GET 1 [] ", 0), 0u) << arrived;
    EXPECT_NE(arrived.find("rt_hop=1"), std::string::npos) << arrived;
    EXPECT_EQ(response_headers.rfind("HTTP/1.1 200 OK\r\n", 0), 0u) << response_headers;
    EXPECT_EQ(response_headers.find("Location"), std::string::npos);

    // The GET after a POST's 303 announces no body.
    const Text after_post = http_request_text(local.url("/from"), "POST", "", nullptr, "a=1");
    EXPECT_EQ(after_post.substr(0, 9), "GET 2 [] ") << after_post;
    EXPECT_EQ(after_post.substr(after_post.size() - 7), "length=") << after_post;
    EXPECT_EQ(http_request_text(local.url("/a/start")), "a/next 4");
    EXPECT_EQ(http_request_text(local.url("/keep"), "POST", "", nullptr, "a=1").substr(0, 12),
              "POST 3 [a=1]");

    // A redirect loop ends with the last answer.
    http_request(local.url("/loop"), "", "", nullptr, "", &response_headers);
    EXPECT_EQ(response_headers.rfind("HTTP/1.1 302", 0), 0u) << response_headers;
}

TEST(HttpRequest, SendsAbsoluteAddressesToAProxy) {
    RawServer proxy(fixed("via proxy"));
    const Text url = "http://shop.example.invalid/p?q=1#f";
    const Text proxy_text = "127.0.0.1:" + std::to_string(proxy.port());
    EXPECT_EQ(http_request_text(url, "", proxy_text), "via proxy");
    const auto requests = proxy.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(request_line(requests[0]), "GET http://shop.example.invalid/p?q=1#f HTTP/1.1");
    expect_in_order(request_header_lines(requests[0]), {"Host: shop.example.invalid"});

    // A proxy text of spaces only means a direct connection.
    RawServer direct(fixed("direct"));
    EXPECT_EQ(http_request_text(direct.url("/d"), "", "   "), "direct");
}

TEST(HttpRequest, FailedReadsGiveWhatArrived) {
    const Text dead = "http://127.0.0.1:" + std::to_string(testing::closed_port()) + "/";
    Text response_headers = "old";
    // No connection is no request at all.
    EXPECT_EQ(http_request(dead, "", "", nullptr, "", &response_headers), Bytes(255, 0));
    EXPECT_EQ(response_headers, "");
    EXPECT_EQ(http_request_text(dead), "");

    RawServer early([](const std::string&) {
        return RawReply{"HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\npartial", {}};
    });
    EXPECT_EQ(http_request_text(early.url("/")), "partial");

    RawServer stalled([](const std::string&) {
        return RawReply{"HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nslow",
                        std::chrono::seconds(20)};
    });
    RequestLimits limits;
    limits.idle_seconds = 1;
    const auto started = std::chrono::steady_clock::now();
    const Bytes body =
        http_request_limited(limits, stalled.url("/"), "", "", nullptr, "", &response_headers);
    EXPECT_EQ(as_text(body), "slow");
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(15));
    EXPECT_EQ(response_headers.rfind("HTTP/1.1 200 OK", 0), 0u);
}

TEST(HttpRequest, ReusesConnectionsAcrossCallsThreadsAndRoutines) {
    LocalServer local;
    local.server.Get("/port", [](const httplib::Request& request, httplib::Response& response) {
        response.set_content(std::to_string(request.remote_port), "text/plain");
    });
    local.start();
    const Text first = http_request_text(local.url("/port"));
    Text on_thread;
    std::thread([&] { on_thread = http_request_text(local.url("/port")); }).join();
    Text by_object;
    std::thread([&] { by_object = http_object_request_text(local.url("/port")); }).join();
    EXPECT_FALSE(first.empty());
    EXPECT_EQ(on_thread, first);
    EXPECT_EQ(by_object, first);
}

}  // namespace
}  // namespace delist
