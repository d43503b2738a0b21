#pragma once
// One row of the data list: ten text cells in column order.

#include "text/text.hpp"

namespace delist {

struct ItemRow {
    Text row_no;
    Text title;
    Text nick;
    Text level;
    Text list_time;
    Text delist_time;
    Text time_left;
    Text price;
    Text sales;
    Text item_id;

    friend bool operator==(const ItemRow&, const ItemRow&) = default;
};

using ItemRows = std::vector<ItemRow>;

// The cell of column 0..9, in the order above.
const Text& item_row_cell(const ItemRow& row, int column);

}  // namespace delist
