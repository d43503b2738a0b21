#include "market/lookups.hpp"

#include <gtest/gtest.h>

#include "sim_environment.hpp"

namespace delist {
namespace {

const sim::SimCatalog& catalog() {
    return test_sim().catalog();
}

TextList first_ids(const Text& keyword, std::size_t n) {
    const std::vector<std::string> all = catalog().keyword_ids(keyword);
    return TextList(all.begin(), all.begin() + static_cast<long>(n));
}

struct Expected {
    TextList titles, list_times, delist_times, prices, nicks;
};

Expected expected_for(const TextList& ids) {
    Expected e;
    for (const Text& id : ids) {
        const auto item = catalog().item(id);
        if (!item) continue;
        e.titles.push_back(item->title);
        e.list_times.push_back(item->list_time);
        e.delist_times.push_back(item->delist_time);
        e.prices.push_back(item->price);
        e.nicks.push_back(catalog().seller(item->seller).nick);
    }
    return e;
}

long gateway_calls() {
    return test_sim().requests(sim::SimCounter::kGateway);
}

TEST(LookupItemsTest, BatchesOfTwentyInRequestOrder) {
    for (std::size_t n : {0u, 1u, 20u, 21u, 40u, 41u}) {
        const TextList ids = first_ids("连衣裙", n);
        const long before = gateway_calls();
        TextList titles{"stale"}, list_times, delist_times, prices, nicks{"stale"};
        lookup_items(ids, titles, list_times, delist_times, prices, nicks);
        EXPECT_EQ(gateway_calls() - before, static_cast<long>((n + 19) / 20)) << n << " ids";
        const Expected e = expected_for(ids);
        EXPECT_EQ(titles, e.titles) << n << " ids";
        EXPECT_EQ(list_times, e.list_times);
        EXPECT_EQ(delist_times, e.delist_times);
        EXPECT_EQ(prices, e.prices);
        EXPECT_EQ(nicks, e.nicks);
    }
}

TEST(LookupItemsTest, TitlesKeepCommasAndSlashesAndNicksAreChinese) {
    TextList ids;
    for (const Text& id : catalog().keyword_ids("毛衣")) {
        const Text title = catalog().item(id)->title;
        if (find_text(title, ",") != -1 && find_text(title, "/") != -1) ids.push_back(id);
        if (ids.size() == 3) break;
    }
    ASSERT_EQ(ids.size(), 3u);
    TextList titles, list_times, delist_times, prices, nicks;
    lookup_items(ids, titles, list_times, delist_times, prices, nicks);
    ASSERT_EQ(titles.size(), 3u);
    EXPECT_NE(find_text(titles[0], " 尺码S,M,L,XL 1/2袖 "), -1) << titles[0];
    EXPECT_EQ(titles, expected_for(ids).titles);
    EXPECT_EQ(nicks, expected_for(ids).nicks);
    EXPECT_TRUE(static_cast<unsigned char>(nicks[0][0]) >= 0x81);  // a GBK lead byte
}

TEST(LookupItemsTest, PerBatchFormKeepsEachBatchApart) {
    const TextList ids = first_ids("外套", 45);
    const std::vector<ItemBatch> batches = lookup_item_batches(ids);
    ASSERT_EQ(batches.size(), 3u);
    EXPECT_EQ(batches[0].ids, TextList(ids.begin(), ids.begin() + 20));
    EXPECT_EQ(batches[2].ids, TextList(ids.begin() + 40, ids.end()));
    EXPECT_EQ(batches[2].titles, expected_for(batches[2].ids).titles);
    EXPECT_EQ(batches[1].nicks, expected_for(batches[1].ids).nicks);
    EXPECT_TRUE(lookup_item_batches({}).empty());
}

TEST(LookupItemsTest, LeftOutItemsShortenTheLists) {
    // Unknown ids are left out by the gateway, and so are the out-of-stock keyword's withheld
    // items.
    TextList ids = first_ids("衬衫", 3);
    ids.insert(ids.begin() + 1, "100000000002");
    const ItemBatch mixed = lookup_item_batch(ids);
    EXPECT_EQ(mixed.titles, expected_for(first_ids("衬衫", 3)).titles);

    // Position 7 is out of stock: the first batch comes back one short, the others whole.
    const std::vector<ItemBatch> batches = lookup_item_batches(first_ids("缺货", 41));
    ASSERT_EQ(batches.size(), 3u);
    const std::size_t missing[] = {1, 0, 0};
    for (std::size_t b = 0; b < batches.size(); ++b) {
        EXPECT_EQ(batches[b].titles.size() + missing[b], batches[b].ids.size()) << b;
        EXPECT_EQ(batches[b].nicks.size() + missing[b], batches[b].ids.size()) << b;
    }
}

TEST(RequestItemsBatchTest, AnswerIsCleaned) {
    const TextList ids = first_ids("毛衣", 2);
    const Text answer = request_items_batch(ids[0] + "," + ids[1]);
    EXPECT_EQ(find_text(answer, "\""), -1);
    EXPECT_EQ(find_text(answer, "\\/"), -1);
    EXPECT_NE(find_text(answer, "{delist_time:"), -1) << answer;
    EXPECT_NE(find_text(answer, ",num_iid:" + ids[1] + ",price:"), -1);
}

TEST(CreditLevelTextTest, WholeTable) {
    struct Case {
        int score;
        const char* level;
    };
    const Case cases[] = {
        {-1, "请输入整数"},     {0, "无等级"},       {3, "无等级"},        {4, "一心"},
        {10, "一心"},           {11, "二心"},        {40, "二心"},         {41, "三心"},
        {91, "四心"},           {151, "五心"},       {250, "五心"},        {251, "一钻"},
        {501, "二钻"},          {1001, "三钻"},      {2001, "四钻"},       {5001, "五钻"},
        {10000, "五钻"},        {10001, "一皇冠"},   {20001, "二皇冠"},    {50001, "三皇冠"},
        {100001, "四皇冠"},     {200001, "五皇冠"},  {500001, "一金冠"},   {1000001, "二金冠"},
        {2000001, "三金冠"},    {5000001, "四金冠"}, {10000000, "四金冠"}, {10000001, "五金冠"},
        {2147483647, "五金冠"},
    };
    for (const Case& c : cases) EXPECT_EQ(credit_level_text(c.score), c.level) << c.score;
}

TEST(LookupSellerLevelTest, ChineseNicksGetTheirLevel) {
    // Flagship and ordinary sellers, over several levels.
    for (int seller : {0, 1, 5, 7, 13, 22, 59}) {
        const sim::SimSeller& s = catalog().seller(seller);
        EXPECT_EQ(lookup_seller_level(s.nick), credit_level_text(s.good_num)) << seller;
    }
    EXPECT_EQ(lookup_seller_level("没有这个人"), "无等级");
    EXPECT_EQ(lookup_seller_level(""), "无等级");
}

TEST(LookupItemTest, NickAndTimesOfOneItem) {
    for (const Text& id : first_ids("卫衣", 6)) {
        const auto item = catalog().item(id);
        Text nick = "x", list_time, delist_time;
        lookup_item(id, nick, list_time, delist_time);
        EXPECT_EQ(nick, catalog().seller(item->seller).nick);
        EXPECT_EQ(list_time, item->list_time);
        EXPECT_EQ(delist_time, item->delist_time);
    }
}

}  // namespace
}  // namespace delist
