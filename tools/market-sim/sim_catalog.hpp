#pragma once
// The sim's deterministic marketplace: which items a keyword lists and what each item and seller
// looks like. Everything follows from the keyword, the item id and the seed; times count from the
// sim's start.

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

namespace delist::sim {

struct SimItem {
    std::string id;  // decimal item id
    int seller = 0;  // index into the seller table
    std::string title;
    std::string price;        // "12.00"
    std::string list_time;    // "YYYY-MM-DD HH:MM:SS", local time
    std::string delist_time;  // list_time + 7 days
    int sales = 0;
    bool tmall = false;     // sold in a flagship (Tmall) shop
    bool withheld = false;  // listed by the out-of-stock keyword: gateway answers may drop it
};

struct SimSeller {
    std::string nick;  // GBK
    int good_num = 0;
};

// Texts are GBK unless named otherwise.
class SimCatalog {
  public:
    static constexpr int kItemsPerKeyword = 240;
    static constexpr int kSellerCount = 60;

    SimCatalog(std::uint64_t seed, std::time_t clock_base);

    // Every item id the keyword lists, in result order.
    std::vector<std::string> keyword_ids(const std::string& keyword) const;
    // Pages of this keyword carry their items only in the summary/link form.
    static bool is_linkless_keyword(const std::string& keyword);

    std::optional<SimItem> item(const std::string& id) const;
    const SimSeller& seller(int index) const { return sellers_[index]; }
    std::optional<int> seller_by_nick(const std::string& nick) const;

  private:
    std::uint64_t seed_;
    std::time_t clock_base_;
    std::vector<SimSeller> sellers_;
};

}  // namespace delist::sim
