#include "market/search_reader.hpp"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <set>

#include "market/lookups.hpp"
#include "market/settings.hpp"
#include "sim_environment.hpp"
#include "text/encoding.hpp"

namespace delist {
namespace {

TEST(SearchReaderTest, PageCountAndMode) {
    const int counts[][2] = {{-1, 0}, {0, 2}, {1, 3}, {2, 4}, {3, 5}, {4, 6}, {5, 0}};
    for (const auto& c : counts) EXPECT_EQ(page_count_from_selection(c[0]), c[1]) << c[0];
    EXPECT_FALSE(is_search_link("连衣裙 夏"));
    EXPECT_TRUE(is_search_link("T恤/短袖"));
    EXPECT_TRUE(is_search_link("http://s.taobao.com/search?q=a"));
}

TEST(SearchReaderTest, KeywordAddressesCountOffsetsAndEncodeInGbk) {
    const Text base = "http://" + market_settings().search_host +
                      "/search?spm=a230r.1.16.2.OEsInA&promote=0&sort=renqi-desc&q=";
    EXPECT_EQ(search_base(), base);
    EXPECT_EQ(keyword_page_address("宝贝 a", 0),
              base + "%B1%A6%B1%B4%20a&bcoffset=1&s=0#J_relative");
    EXPECT_EQ(keyword_page_address("宝贝 a", 1),
              base + "%B1%A6%B1%B4%20a&bcoffset=1&s=40#J_relative");
    EXPECT_EQ(keyword_page_address("宝贝 a", 2),
              base + "%B1%A6%B1%B4%20a&bcoffset=1&s=80#J_relative");
}

TEST(SearchReaderTest, CollectItemIds) {
    struct Case {
        const char* page;
        TextList ids;
    } cases[] = {
        {R"(x "nid":"11" y "nid":"22" "nid":"" "nid":"11")", {"11", "22", "11"}},
        // No "nid": the summary/link form, skipping ids with "_", "=" or "%" and empty ones.
        {R"(<a href="http://h/style.css">head summary <a href="http://h/item.htm?id=5&x=1">)"
         R"( summary <a href="http://h/item.htm?id=6">summary <a href="http://h/i?id=a_b&">)"
         R"(summary <a href="http://h/i?id=7%20">summary no link here)",
         {"5", "6"}},
        {"", {}},
    };
    for (const auto& c : cases) {
        TextList target = {"old"};
        collect_item_ids(c.page, target);
        EXPECT_EQ(target, c.ids) << c.page;
    }
    TextList collected = {"1", "2"};
    merge_ids(collected, {"2", "3"});
    EXPECT_EQ(collected, (TextList{"1", "2", "2", "3"}));
}

TEST(SearchReaderTest, PagerAndCaption) {
    const Text host = "http://" + market_settings().search_host;
    EXPECT_EQ(next_page_address(R"(page-start <a href="/search?q=a&s=40">2</a> page-next)"),
              host + "/search?q=a&s=40");
    EXPECT_EQ(next_page_address("page-start <span>2</span> page-next"), " <span>2</span> ");
    EXPECT_EQ(next_page_address("no pager"), "");
    const Text page = "<html><title>连衣裙_淘宝搜索</title>";
    EXPECT_EQ(search_caption_of(page, false), "搜索关键词为: 连衣裙");
    EXPECT_EQ(search_caption_of(page, true), "连衣裙");
    EXPECT_EQ(search_caption_of("<title>x</title>", true), "");
}

struct ReadResult {
    std::vector<ItemRow> rows;
    Text caption;
    SearchProgress last_progress;
    SearchOutcome outcome;
};

ReadResult read(const Text& entry, int pages, bool gzip,
                const std::atomic<bool>* cancel = nullptr) {
    ReadResult result;
    std::mutex mutex;
    SearchCallbacks callbacks;
    callbacks.caption = [&](const Text& caption) { result.caption = caption; };
    callbacks.row = [&](const ItemRow& row) {
        std::lock_guard lock(mutex);
        result.rows.push_back(row);
    };
    callbacks.progress = [&](const SearchProgress& progress) {
        std::lock_guard lock(mutex);
        result.last_progress = progress;
    };
    SearchRequest request;
    request.entry = entry;
    request.page_count = pages;
    request.gzip = gzip;
    request.cancel = cancel;
    result.outcome = read_search(request, callbacks);
    return result;
}

TextList ids_of(const std::vector<ItemRow>& rows) {
    TextList ids;
    for (const auto& row : rows) ids.push_back(row.item_id);
    return ids;
}

TextList expected_ids(const Text& keyword, int count) {
    const auto all = test_sim().catalog().keyword_ids(keyword);
    return TextList(all.begin(), all.begin() + count);
}

TEST(SearchReaderTest, KeywordReadGivesCompleteRowsInIdOrder) {
    for (bool gzip : {false, true}) {
        test_sim().reset_requests();
        const ReadResult result = read("连衣裙", 3, gzip);
        EXPECT_EQ(result.caption, "搜索关键词为: 连衣裙");
        ASSERT_EQ(ids_of(result.rows), expected_ids("连衣裙", 120)) << gzip;
        EXPECT_EQ(result.outcome.rows_added, 120);
        EXPECT_EQ(result.outcome.ids_left_out, 0);
        EXPECT_EQ(result.last_progress.rows_complete, 120);
        EXPECT_EQ(result.last_progress.pages_read, 3);
        EXPECT_EQ(test_sim().requests(sim::SimCounter::kSearch), 3);

        std::set<Text> nicks;
        for (const ItemRow& row : result.rows) {
            const auto item = test_sim().catalog().item(row.item_id);
            ASSERT_TRUE(item.has_value());
            EXPECT_EQ(row.title, item->title);
            EXPECT_EQ(row.price, item->price);
            EXPECT_EQ(row.delist_time, item->delist_time);
            EXPECT_EQ(row.list_time, item->list_time);
            EXPECT_EQ(row.sales, std::to_string(item->sales));
            EXPECT_EQ(row.nick, test_sim().catalog().seller(item->seller).nick);
            EXPECT_FALSE(row.level.empty());
            EXPECT_FALSE(row.time_left.empty());
            EXPECT_TRUE(row.row_no.empty());
            nicks.insert(row.nick);
        }
        // Six item-list calls, and one level call per seller however many items it has.
        EXPECT_EQ(test_sim().requests(sim::SimCounter::kGateway), 6 + long(nicks.size()));
    }
}

TEST(SearchReaderTest, LinkReadFollowsThePager) {
    const Text link =
        "http://" + market_settings().search_host + "/search?q=" + url_encode("连衣裙") + "&s=0";
    const ReadResult result = read(link, 3, false);
    EXPECT_EQ(result.caption, "连衣裙");
    EXPECT_EQ(ids_of(result.rows), expected_ids("连衣裙", 120));
}

TEST(SearchReaderTest, PagesWithoutIdMarkersUseTheLinkForm) {
    const ReadResult result = read("无货", 2, false);
    EXPECT_EQ(ids_of(result.rows), expected_ids("无货", 80));
}

TEST(SearchReaderTest, BatchesThatDoNotLineUpAddNoRowsButTheOthersDo) {
    // Positions 7, 57 and 107 are withheld by the gateway: batches 0, 2 and 5 come back short.
    const ReadResult result = read("缺货", 3, false);
    const auto all = test_sim().catalog().keyword_ids("缺货");
    TextList expected;
    for (int i = 0; i < 120; ++i) {
        const int batch = i / 20;
        if (batch != 0 && batch != 2 && batch != 5) expected.push_back(all[i]);
    }
    EXPECT_EQ(ids_of(result.rows), expected);
    EXPECT_EQ(result.outcome.ids_left_out, 60);
    EXPECT_EQ(result.outcome.ids_collected, 120);
    EXPECT_EQ(result.last_progress.rows_total, 60);
}

TEST(SearchReaderTest, ReadThatFindsNothingAddsNoRows) {
    const ReadResult result = read("http://127.0.0.1:1/nothing", 2, false);
    EXPECT_TRUE(result.rows.empty());
    EXPECT_EQ(result.outcome.ids_collected, 0);
}

TEST(SearchReaderTest, CancelledReadHandsOnNothing) {
    std::atomic<bool> cancel{true};
    const ReadResult result = read("连衣裙", 2, false, &cancel);
    EXPECT_TRUE(result.rows.empty());
    EXPECT_EQ(result.outcome.rows_added, 0);
}

}  // namespace
}  // namespace delist
