#include <gtest/gtest.h>
#include <httplib.h>

#include <cstdlib>
#include <string>
#include <thread>

#include <unistd.h>

#include "analysis/precise.hpp"

namespace delist {
namespace {

// One loopback server standing in for the gateway and the item host; the settings are read
// once per process, so it serves the whole program.
class OwnItemServer {
  public:
    OwnItemServer() {
        server_.Get("/router/rest",
                    [this](const httplib::Request& request, httplib::Response& response) {
                        gateway_item_id_ = request.get_param_value("num_iid");
                        response.set_content(
                            R"({"item_get_response":{"item":{"delist_time":"2013-06-03 13:04:05",)"
                            R"("list_time":"2013-05-27 13:04:05","nick":"tester"}}})",
                            "application/json");
                    });
        server_.Get("/item.htm", [this](const httplib::Request& request,
                                        httplib::Response& response) {
            page_item_id_ = request.get_param_value("id");
            response.set_content(
                "<title>item</title> \"apiItemInfo\":\"http://" + host() + "/info\" ", "text/html");
        });
        server_.Get("/info", [](const httplib::Request&, httplib::Response& response) {
            response.set_content("{quanity:35,total:1}", "text/plain");
        });
        // One request per connection, so stop() need not wait out idle keep-alive clients.
        server_.set_keep_alive_max_count(1);
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        // stop() before the accept loop runs would leave it running; wait for it, boundedly.
        for (int i = 0; i < 500 && !server_.is_running(); ++i) {
            usleep(10000);
        }
        setenv("DELIST_GATEWAY_HOST", host().c_str(), 1);
        setenv("DELIST_ITEM_HOST", host().c_str(), 1);
    }
    ~OwnItemServer() {
        server_.stop();
        thread_.join();
    }

    std::string host() const { return "127.0.0.1:" + std::to_string(port_); }

    std::string gateway_item_id_;
    std::string page_item_id_;

  private:
    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
};

TEST(LookupOwnItem, TimesFromTheGatewayAndSalesFromTheItemPage) {
    OwnItemServer server;
    const OwnItem item =
        lookup_own_item(item_id_from_link("http://item.x.com/item.htm?id=4711"), false);
    EXPECT_EQ(server.gateway_item_id_, "4711");
    EXPECT_EQ(server.page_item_id_, "4711");
    EXPECT_EQ(item.nick, "tester");
    EXPECT_EQ(item.list_time, "2013-05-27 13:04:05");
    EXPECT_EQ(item.delist_time, "2013-06-03 13:04:05");
    EXPECT_EQ(item.sales, "35");
    EXPECT_EQ(precise_first_line(item),
              "亲爱的 tester 您好! 您此款宝贝的销量为 35 件  您的宝贝是在 2013-05-27 13:04:05 "
              "上架的");
}

}  // namespace
}  // namespace delist
