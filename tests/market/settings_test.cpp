#include "market/settings.hpp"

#include <gtest/gtest.h>

#include <map>
#include <string>

#include "sim_environment.hpp"

namespace delist {
namespace {

TEST(MarketSettingsTest, DefaultsAndOverrides) {
    const std::map<std::string, std::string> env{
        {"DELIST_SEARCH_HOST", "127.0.0.1:8080"},
        {"DELIST_ITEM_HOST", ""},  // empty counts as not set
        {"DELIST_NOTICE_URL", "http://127.0.0.1:9/n.txt"},
    };
    const MarketSettings s = read_market_settings([&](const char* name) -> const char* {
        const auto it = env.find(name);
        return it == env.end() ? nullptr : it->second.c_str();
    });
    EXPECT_EQ(s.search_host, "127.0.0.1:8080");
    EXPECT_EQ(s.item_host, "item.taobao.com");
    EXPECT_EQ(s.gateway_host, "gw.api.taobao.com");
    EXPECT_EQ(s.notice_url, "http://127.0.0.1:9/n.txt");

    const MarketSettings none = read_market_settings([](const char*) { return nullptr; });
    EXPECT_EQ(none.search_host, "s.taobao.com");
    EXPECT_EQ(none.notice_url, "http://www.tovik.com/notice.txt");
}

TEST(MarketSettingsTest, ProcessSettingsComeFromTheEnvironment) {
    const MarketSettings& s = market_settings();
    EXPECT_EQ(&s, &market_settings());
    EXPECT_EQ(s.gateway_host, test_sim().host());
    EXPECT_EQ(s.item_host, test_sim().host());
    EXPECT_EQ(s.search_host, test_sim().host());
    EXPECT_EQ(s.notice_url, "http://" + test_sim().host() + "/notice.txt");
}

}  // namespace
}  // namespace delist
