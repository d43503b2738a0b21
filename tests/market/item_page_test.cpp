#include "market/item_page.hpp"

#include <gtest/gtest.h>

#include "sim_environment.hpp"

namespace delist {
namespace {

// The first shop items and Tmall items a keyword lists.
TextList items_of_kind(bool tmall, std::size_t n) {
    TextList ids;
    for (const Text& id : test_sim().catalog().keyword_ids("运动鞋")) {
        if (test_sim().catalog().item(id)->tmall == tmall) ids.push_back(id);
        if (ids.size() == n) break;
    }
    return ids;
}

TEST(ReadItemPageTest, SalesOfShopAndTmallItemsWithAndWithoutGzip) {
    for (bool tmall : {false, true}) {
        for (const Text& id : items_of_kind(tmall, 4)) {
            const Text sales = int_to_text(test_sim().catalog().item(id)->sales);
            for (bool gzip : {false, true}) {
                EXPECT_EQ(read_item_page(id, gzip), sales)
                    << id << (tmall ? " tmall" : " shop") << (gzip ? " gzip" : "");
            }
        }
    }
}

TEST(ReadItemPageTest, MakesOnlyTheSelectedReading) {
    const Text id = items_of_kind(false, 1)[0];
    for (bool gzip : {false, true}) {
        const long pages = test_sim().requests(sim::SimCounter::kItem);
        const long infos = test_sim().requests(sim::SimCounter::kInfo);
        read_item_page(id, gzip);
        EXPECT_EQ(test_sim().requests(sim::SimCounter::kItem) - pages, 1);
        EXPECT_EQ(test_sim().requests(sim::SimCounter::kInfo) - infos, 1);
    }
}

TEST(ReadItemPageTest, UncompressedAnswerToGzipReadingIsUsedAsItCame) {
    test_sim().set_gzip(false);
    for (bool tmall : {false, true}) {
        const Text id = items_of_kind(tmall, 1)[0];
        EXPECT_EQ(read_item_page(id, true), int_to_text(test_sim().catalog().item(id)->sales));
    }
    test_sim().set_gzip(true);
}

TEST(ReadItemPageTest, UnknownItemGivesNoSales) {
    EXPECT_EQ(read_item_page("100000000002", false), "");
    EXPECT_EQ(read_item_page("100000000002", true), "");
}

TEST(ItemPageAddressTest, NamesTheItemHost) {
    EXPECT_EQ(item_page_address("123"), "http://" + test_sim().host() + "/item.htm?id=123");
}

}  // namespace
}  // namespace delist
