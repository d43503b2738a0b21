#include "analysis/precise.hpp"
#include "market/item_page.hpp"
#include "market/lookups.hpp"

namespace delist {

OwnItem lookup_own_item(const Text& item_id, bool gzip) {
    OwnItem item;
    lookup_item(item_id, item.nick, item.list_time, item.delist_time);
    item.sales = read_item_page(item_id, gzip);
    return item;
}

}  // namespace delist
