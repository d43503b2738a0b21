#pragma once
// An item's sales, read from its page and the item-information address the page names.

#include "text/text.hpp"

namespace delist {

// "http://" + item host + "/item.htm?id=" + id.
Text item_page_address(const Text& item_id);
// gzip chooses the compressed reading of the page; only that one reading is made.
Text read_item_page(const Text& item_id, bool gzip);

}  // namespace delist
