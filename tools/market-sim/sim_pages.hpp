#pragma once
// The GBK pages the sim serves: search result pages, item pages, the item-information answers
// those pages name, and the notice file. `host` is the host[:port] the request was sent to.

#include <string>

#include "sim_catalog.hpp"

namespace delist::sim {

constexpr int kItemsPerPage = 40;

std::string search_page(const SimCatalog& catalog, const std::string& keyword, int offset,
                        const std::string& host);
// Empty when the id is unknown.
std::string item_page(const SimCatalog& catalog, const std::string& id, const std::string& host);
std::string shop_info_answer(const SimItem& item);
std::string tmall_info_answer(const SimItem& item);
std::string notice_file(const std::string& status);

}  // namespace delist::sim
