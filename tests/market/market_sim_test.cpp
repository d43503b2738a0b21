// market-sim as the clients see it: the pages' markers, the gateway's checks, compression.

#include <gtest/gtest.h>

#include "market/top_request.hpp"
#include "sim_environment.hpp"
#include "text/encoding.hpp"
#include "web/gzip_inflate.hpp"
#include "web/http_object_request.hpp"
#include "web/http_request.hpp"

namespace delist {
namespace {

Text sim_url(const Text& path) {
    return "http://" + test_sim().host() + path;
}

Text search_path(const Text& keyword, int offset) {
    return "/search?spm=a230r.1.16.2.OEsInA&promote=0&sort=renqi-desc&q=" + url_encode(keyword) +
           "&bcoffset=1&s=" + int_to_text(offset) + "#J_relative";
}

TEST(MarketSimTest, SearchPagesCarryIdsTitleAndAWorkingPager) {
    const std::vector<std::string> all = test_sim().catalog().keyword_ids("连衣裙");
    Text page = http_request_text(sim_url(search_path("连衣裙", 0)));
    EXPECT_GE(page.size(), 100u * 1024);
    EXPECT_EQ(text_between(page, "<title>", "_淘宝搜索"), "连衣裙");
    for (int offset = 0; offset < 240; offset += 40) {
        TextList ids;
        collect_between_all(page, "nid\":\"", "\"", ids);
        EXPECT_EQ(ids, TextList(all.begin() + offset, all.begin() + offset + 40)) << offset;
        const Text pager = text_between(page, "page-start", "page-next");
        if (offset + 40 < 240) {
            ASSERT_NE(find_text(pager, "href="), -1) << offset;
            page = http_request_text(sim_url(text_between(pager, "href=\"", "\"")));
        } else {
            EXPECT_EQ(find_text(pager, "href="), -1);
        }
    }
}

TEST(MarketSimTest, LinklessKeywordPagesUseTheSummaryForm) {
    const std::vector<std::string> all = test_sim().catalog().keyword_ids("无货");
    const Text page = http_request_text(sim_url(search_path("无货", 40)));
    EXPECT_EQ(find_text(page, "nid\":\""), -1);
    const TextList pieces = split_text(page, "summary");
    ASSERT_EQ(pieces.size(), 41u);
    // The piece before the first block links to no item.
    EXPECT_NE(find_text(text_between(pieces[0], "href=\"", "\""), "="), -1);
    for (std::size_t i = 1; i < pieces.size(); ++i) {
        const Text link = text_between(pieces[i], "href=\"", "\"") + "&";
        EXPECT_EQ(text_between(link, "id=", "&"), all[39 + i]);
    }
}

TEST(MarketSimTest, GatewayRefusesBadCalls) {
    struct Case {
        const char* name;
        Text key, secret, method;
        bool with_ids;
        const char* code;
    };
    const Case cases[] = {
        {"bad signature", "47395061", "00000000000000000000000000000000", "taobao.items.list.get",
         true, "\"code\":25"},
        {"key of the other application", "38094127", "7e41c9d05b28f3a6e17d4c90b25a8f3e",
         "taobao.items.list.get", true, "\"code\":25"},
        {"unknown key", "12345678", "7e41c9d05b28f3a6e17d4c90b25a8f3e", "taobao.items.list.get",
         true, "\"code\":29"},
        {"missing parameter", "47395061", "7e41c9d05b28f3a6e17d4c90b25a8f3e",
         "taobao.items.list.get", false, "\"code\":40"},
        {"unknown method", "47395061", "7e41c9d05b28f3a6e17d4c90b25a8f3e", "taobao.shop.get", true,
         "\"code\":22"},
    };
    for (const Case& c : cases) {
        TopRequest request;
        request.set_param("fields", "title,list_time,delist_time,price,nick");
        if (c.with_ids) request.set_param("num_iids", test_sim().catalog().keyword_ids("x")[0]);
        const Text answer = request.execute(c.key, c.secret, c.method);
        EXPECT_EQ(find_text(answer, "{\"error_response\":{"), 1) << c.name << ": " << answer;
        EXPECT_NE(find_text(answer, c.code), -1) << c.name << ": " << answer;
    }
}

TEST(MarketSimTest, CompressesWhenAskedUnlessSwitchedOff) {
    const Text address = sim_url("/item.htm?id=" + test_sim().catalog().keyword_ids("x")[0]);
    const Text plain = http_object_request_text(address);
    ASSERT_NE(find_text(plain, "</title>"), -1);
    for (bool gzip : {true, false}) {
        test_sim().set_gzip(gzip);
        ObjectRequestOptions options;
        options.gzip = 1;
        const Bytes body = http_object_request(address, options);
        EXPECT_EQ(find_text(options.response_headers, "Content-Encoding: gzip", 1, true) != -1,
                  gzip);
        EXPECT_EQ(gzip ? bytes_to_text(gzip_inflate(body)) : bytes_to_text(body), plain);
    }
    test_sim().set_gzip(true);
}

TEST(MarketSimTest, NoticeFileAndStats) {
    const Text notice = http_request_text(sim_url("/notice.txt"));
    EXPECT_EQ(text_between(text_between(notice, "////开始", "////结束"), "状态=", "&"), "真");
    EXPECT_NE(text_between(text_between(notice, "////广告开始", "////广告结束"), "广告=", "&"), "");

    EXPECT_EQ(http_request_text(sim_url("/stats/reset")), "0\n");
    http_request_text(sim_url("/notice.txt"));
    http_request_text(sim_url(search_path("a", 0)));
    EXPECT_EQ(http_request_text(sim_url("/stats")), "2\n");
    EXPECT_EQ(http_request_text(sim_url("/stats/search")), "1\n");
    EXPECT_EQ(test_sim().requests(sim::SimCounter::kNotice), 1);
}

TEST(SimCatalogTest, DataFollowFromKeywordAndSeed) {
    const sim::SimCatalog a(7, 1370000000), b(7, 1370000000), c(8, 1370000000);
    EXPECT_EQ(a.keyword_ids("鞋"), b.keyword_ids("鞋"));
    EXPECT_NE(a.keyword_ids("鞋"), c.keyword_ids("鞋"));
    EXPECT_NE(a.keyword_ids("鞋"), a.keyword_ids("帽"));
    const std::vector<std::string> ids = a.keyword_ids("鞋");
    EXPECT_EQ(ids.size(), 240u);
    int tmall = 0;
    for (const std::string& id : ids) {
        const auto item = a.item(id);
        ASSERT_TRUE(item) << id;
        EXPECT_EQ(item->tmall, a.seller(item->seller).nick.find("旗舰") != std::string::npos);
        EXPECT_LE(item->sales, 5000);
        tmall += item->tmall;
    }
    EXPECT_GT(tmall, 0);
    EXPECT_LT(tmall, 240);
    EXPECT_FALSE(a.item("123"));
}

}  // namespace
}  // namespace delist
