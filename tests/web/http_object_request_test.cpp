#include <gtest/gtest.h>

#include <zlib.h>
#include <thread>

#include "local_server.hpp"
#include "raw_server.hpp"
#include "text/encoding.hpp"
#include "web/gzip_inflate.hpp"
#include "web/http_object_request.hpp"
#include "web/http_request.hpp"

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

const Text object_agent =
    "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1; QW7RX; .NET CLR 2.0.50727; "
    ".NET CLR 3.0.04506.648; .NET CLR 3.5.21022)";

std::string gzip_of(const std::string& plain) {
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY);
    std::string out(deflateBound(&stream, plain.size()) + 32, '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(plain.data()));
    stream.avail_in = static_cast<uInt>(plain.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

TEST(HttpObjectRequest, DefaultsSendGetWithTheDefaultHeaderBlock) {
    RawServer server(fixed("plain"));
    const Text address = server.url("/item.htm?id=7");
    ObjectRequestOptions options;
    EXPECT_EQ(as_text(http_object_request(address, options)), "plain");

    EXPECT_EQ(options.headers,
              "Referer: " + address + "\r\nAccept: */*\r\nAccept-Language: zh-cn\r\nUser-Agent: " +
                  object_agent + "\r\nContent-Type: application/x-www-form-urlencoded");
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(request_line(requests[0]), "GET /item.htm?id=7 HTTP/1.1");
    const auto lines = request_header_lines(requests[0]);
    const std::vector<std::string> wanted = {
        "Referer: " + address, "Accept: */*", "Accept-Language: zh-cn",
        "User-Agent: " + object_agent, "Content-Type: application/x-www-form-urlencoded"};
    std::vector<std::string> ours;
    for (const auto& line : lines) {
        if (std::find(wanted.begin(), wanted.end(), line) != wanted.end()) ours.push_back(line);
        EXPECT_EQ(line.rfind("Cookie", 0), std::string::npos) << line;
        EXPECT_EQ(line.rfind("Expect", 0), std::string::npos) << line;
        EXPECT_EQ(line.rfind("Accept-Encoding", 0), std::string::npos) << line;
    }
    EXPECT_EQ(ours, wanted);
    EXPECT_EQ(options.response_headers, "Content-Length: 5\r\nConnection: close\r\n");
    EXPECT_EQ(options.redirect_address, options.response_headers);
    EXPECT_EQ(options.new_cookies, "");
    EXPECT_EQ(options.cookies, "");
}

TEST(HttpObjectRequest, CallerHeadersAreSetTrimmedAndKept) {
    RawServer server(fixed("ok"));
    ObjectRequestOptions options;
    options.headers = "X-A:  1 \r\n\r\nno colon here\r\n X-B :two:parts\r\nx-a: 3";
    options.cookies = "k=v; m=n";
    http_object_request(server.url("/h"), options);
    EXPECT_EQ(options.headers, "X-A:  1 \r\n\r\nno colon here\r\n X-B :two:parts\r\nx-a: 3");
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 1u);
    const auto lines = request_header_lines(requests[0]);
    // A name set twice keeps its first place and takes the later value.
    const auto cookie = std::find(lines.begin(), lines.end(), "Cookie: k=v; m=n");
    const auto a = std::find(lines.begin(), lines.end(), "X-A: 3");
    const auto b = std::find(lines.begin(), lines.end(), "X-B: two:parts");
    ASSERT_NE(cookie, lines.end());
    ASSERT_NE(a, lines.end());
    ASSERT_NE(b, lines.end());
    EXPECT_LT(cookie, a);
    EXPECT_LT(a, b);
    EXPECT_EQ(requests[0].find("Referer"), std::string::npos);
    EXPECT_EQ(requests[0].find("no colon"), std::string::npos);
}

TEST(HttpObjectRequest, PostSendsTheBodyOrTheByteBody) {
    struct Case {
        int method;
        Text body;
        Bytes body_bytes;
        std::string line;
        std::string sent;
    };
    const Case cases[] = {
        {1, "a=1&b=2", {}, "POST /p HTTP/1.1", "a=1&b=2"},
        {1, "ignored", {'x', 0, 'y'}, "POST /p HTTP/1.1", std::string("x\0y", 3)},
        {1, "", {}, "POST /p HTTP/1.1", ""},
        {2, "", {}, "GET /p HTTP/1.1", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line + " " + c.body);
        RawServer server(fixed("ok"));
        ObjectRequestOptions options;
        options.method = c.method;
        options.body = c.body;
        options.body_bytes = c.body_bytes;
        EXPECT_EQ(http_object_request_text(server.url("/p"), options), "ok");
        const auto requests = server.requests();
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_EQ(request_line(requests[0]), c.line);
        EXPECT_EQ(request_body(requests[0]), c.sent);
    }
}

TEST(HttpObjectRequest, GzipAsksForCompressionAndLeavesTheBodyAlone) {
    std::string page = "<html><meta charset=utf-8>";
    while (page.size() < 5 * 8192) page += "<li>item " + std::to_string(page.size()) + "</li>";
    const std::string compressed = gzip_of(page);
    RawServer server([&](const std::string& request) {
        const bool asked =
            request.find("\r\nAccept-Encoding: gzip, deflate\r\n") != std::string::npos;
        return asked ? http_reply(compressed,
                                  "Content-Encoding: gzip\r\n"
                                  "Content-Type: text/html; charset=utf-8\r\n")
                     : http_reply("not asked");
    });
    ObjectRequestOptions options;
    options.gzip = 1;
    const Bytes body = http_object_request(server.url("/s"), options);
    EXPECT_EQ(as_text(body), compressed);
    EXPECT_EQ(as_text(gzip_inflate(body)), page);
    EXPECT_EQ(text_right(options.headers, 32), "\r\nAccept-Encoding: gzip, deflate");
    EXPECT_EQ(find_text(options.headers, "Referer: "), 1);

    // The text form never asks for compression.
    ObjectRequestOptions text_options;
    text_options.gzip = 1;
    EXPECT_EQ(http_object_request_text(server.url("/s"), text_options), "not asked");
    EXPECT_EQ(text_options.gzip, 1);
}

TEST(HttpObjectRequest, ConvertsUtf8AnswersThatDeclareIt) {
    const Text gbk = "中文页面";
    const Bytes utf8_bytes = text_to_utf8(gbk);
    const std::string utf8(utf8_bytes.begin(), utf8_bytes.end());
    const std::string marker = "charset=utf-8";
    struct Case {
        const char* name;
        std::string body;
        std::string headers;
        int gzip;
        bool converted;
    };
    const Case cases[] = {
        {"marker at byte 1", marker + utf8, "", 0, true},
        {"marker at byte 499", std::string(498, ' ') + marker + utf8, "", 0, true},
        {"marker at byte 500", std::string(499, ' ') + marker + utf8, "", 0, false},
        {"marker in the headers", utf8, "Content-Type: text/html; charset=utf-8\r\n", 0, true},
        {"marker in capitals", "charset=UTF-8" + utf8, "", 0, false},
        {"gzip on", marker + utf8, "Content-Type: text/html; charset=utf-8\r\n", 1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RawServer server(fixed(c.body, c.headers));
        ObjectRequestOptions options;
        options.gzip = c.gzip;
        const Text got = as_text(http_object_request(server.url("/u"), options));
        const std::string prefix = c.body.substr(0, c.body.size() - utf8.size());
        EXPECT_EQ(got, prefix + (c.converted ? gbk : utf8));
    }
}

TEST(HttpObjectRequest, MergesTheCookiesOfTheAnswer) {
    RawServer server(fixed("ok",
                           "Set-Cookie: b=3; path=/\r\n"
                           "set-cookie: c=deleted; expires=Thu, 01 Jan 1970 00:00:00 GMT\r\n"
                           "Set-Cookie: d=4\r\n"
                           "Set-Cookie:e = 5 ;HttpOnly\r\n"));
    ObjectRequestOptions options;
    options.cookies = "a=1; b=2";
    http_object_request(server.url("/c"), options);
    const auto requests = server.requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_NE(requests[0].find("\r\nCookie: a=1; b=2\r\n"), std::string::npos);
    // Only the exact "Set-Cookie" counts; a line without ";" gives an empty cookie.
    // The merge leaves the new cookies without their spaces.
    EXPECT_EQ(options.new_cookies, "b=3;;e=5;");
    EXPECT_EQ(options.cookies, "b=3; ; e=5; a=1");
}

TEST(HttpObjectRequest, RedirectsAreFollowedUnlessSwitchedOff) {
    LocalServer local;
    local.server.Get("/from", [](const httplib::Request&, httplib::Response& response) {
        response.set_redirect("/to");
    });
    local.server.Get("/to", [](const httplib::Request&, httplib::Response& response) {
        response.set_content("arrived", "text/plain");
    });
    local.start();

    ObjectRequestOptions follow;
    EXPECT_EQ(http_object_request_text(local.url("/from"), follow), "arrived");
    EXPECT_EQ(follow.response_headers.find("Location"), std::string::npos);
    EXPECT_EQ(follow.redirect_address, follow.response_headers);
    EXPECT_NE(follow.response_headers.find("Content-Length: 7\r\n"), std::string::npos);

    ObjectRequestOptions stay;
    stay.no_redirect = 1;
    http_object_request(local.url("/from"), stay);
    EXPECT_EQ(stay.redirect_address, "/to");
    EXPECT_NE(stay.response_headers.find("Location: /to\r\n"), std::string::npos);
}

TEST(HttpObjectRequest, SendsProxyCredentialsToTheProxy) {
    struct Case {
        int flag;
        std::string wanted;
    };
    // dXNlcjpwdw== is "user:pw".
    const Case cases[] = {{1, "Proxy-Authorization: Basic dXNlcjpwdw=="},
                          {0, "Authorization: Basic dXNlcjpwdw=="}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.flag);
        RawServer proxy(fixed("through"));
        ObjectRequestOptions options;
        options.proxy = "127.0.0.1:" + std::to_string(proxy.port());
        options.proxy_user = "user";
        options.proxy_password = "pw";
        options.proxy_credential_flag = c.flag;
        EXPECT_EQ(http_object_request_text("http://item.example.invalid/i", options), "through");
        const auto requests = proxy.requests();
        ASSERT_EQ(requests.size(), 1u);
        EXPECT_EQ(request_line(requests[0]), "GET http://item.example.invalid/i HTTP/1.1");
        const auto lines = request_header_lines(requests[0]);
        EXPECT_NE(std::find(lines.begin(), lines.end(), c.wanted), lines.end());
    }
}

TEST(HttpObjectRequest, DoesNotUseTheDirectRoutinesCookies) {
    LocalServer local;
    local.server.Get("/set", [](const httplib::Request&, httplib::Response& response) {
        response.set_header("Set-Cookie", "direct_only=1; path=/");
        response.set_content("set", "text/plain");
    });
    local.server.Get("/echo", [](const httplib::Request& request, httplib::Response& response) {
        response.set_header("Set-Cookie", "object_only=1; path=/");
        response.set_content("[" + request.get_header_value("Cookie") + "]", "text/plain");
    });
    local.start();
    http_request(local.url("/set"));
    EXPECT_EQ(http_object_request_text(local.url("/echo")), "[]");
    // Other tests of this program may have left cookies for this host in the store too.
    const Text direct = http_request_text(local.url("/echo"));
    EXPECT_NE(direct.find("direct_only=1"), std::string::npos) << direct;
    EXPECT_EQ(direct.find("object_only"), std::string::npos) << direct;
}

TEST(HttpObjectRequest, FailedReadsGiveWhatArrived) {
    ObjectRequestOptions dead;
    dead.redirect_address = "old";
    dead.cookies = "a=1";
    const Text dead_address = "http://127.0.0.1:" + std::to_string(testing::closed_port()) + "/";
    EXPECT_EQ(http_object_request(dead_address, dead), Bytes{});
    EXPECT_EQ(dead.response_headers, "");
    EXPECT_EQ(dead.redirect_address, "");
    EXPECT_EQ(dead.cookies, "a=1");

    RawServer early([](const std::string&) {
        return RawReply{"HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\npartial", {}};
    });
    EXPECT_EQ(http_object_request_text(early.url("/")), "partial");

    RawServer stalled([](const std::string&) {
        return RawReply{"HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nslow",
                        std::chrono::seconds(20)};
    });
    ObjectRequestOptions quick;
    quick.timeout_seconds = 1;
    const auto started = std::chrono::steady_clock::now();
    EXPECT_EQ(http_object_request_text(stalled.url("/"), quick), "slow");
    EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(15));
    EXPECT_EQ(quick.response_headers, "Content-Length: 100\r\n");
}

}  // namespace
}  // namespace delist
