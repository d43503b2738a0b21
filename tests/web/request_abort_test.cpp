#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "raw_server.hpp"
#include "web/http_object_request.hpp"
#include "web/http_request.hpp"
#include "web/request_abort.hpp"

namespace delist {
namespace {

using testing::http_reply;
using testing::RawReply;
using testing::RawServer;

class RequestAbort : public ::testing::Test {
  protected:
    void TearDown() override { set_requests_aborted(false); }
};

TEST_F(RequestAbort, EndsStalledRequestsOfBothRoutines) {
    RawServer stalled([](const std::string&) {
        return RawReply{"HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\nhalf",
                        std::chrono::seconds(25)};
    });
    auto direct = std::async(std::launch::async, [&] { return http_request(stalled.url("/d")); });
    auto object = std::async(std::launch::async, [&] {
        ObjectRequestOptions options;
        options.timeout_seconds = -1;
        return http_object_request(stalled.url("/o"), options);
    });
    while (stalled.requests().size() < 2)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::milliseconds(200));

    EXPECT_FALSE(requests_aborted());
    set_requests_aborted(true);
    EXPECT_TRUE(requests_aborted());
    // Both would otherwise wait for the 30-second idle limit.
    ASSERT_EQ(direct.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    ASSERT_EQ(object.wait_for(std::chrono::seconds(10)), std::future_status::ready);
    EXPECT_EQ(direct.get(), (Bytes{'h', 'a', 'l', 'f'}));
    EXPECT_EQ(object.get(), (Bytes{'h', 'a', 'l', 'f'}));
}

TEST_F(RequestAbort, NewRequestsFailAtOnceUntilTheSwitchIsReleased) {
    RawServer server([](const std::string&) { return http_reply("live"); });
    set_requests_aborted(true);
    Text response_headers = "old";
    EXPECT_EQ(http_request(server.url("/"), "", "", nullptr, "", &response_headers), Bytes{});
    EXPECT_EQ(response_headers, "");
    EXPECT_EQ(http_object_request_text(server.url("/")), "");
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_TRUE(server.requests().empty());

    set_requests_aborted(false);
    EXPECT_EQ(http_request_text(server.url("/")), "live");
    EXPECT_EQ(http_object_request_text(server.url("/")), "live");
}

}  // namespace
}  // namespace delist
