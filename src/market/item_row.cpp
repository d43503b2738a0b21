#include "market/item_row.hpp"

namespace delist {

const Text& item_row_cell(const ItemRow& row, int column) {
    static const Text empty;
    switch (column) {
        case 0:
            return row.row_no;
        case 1:
            return row.title;
        case 2:
            return row.nick;
        case 3:
            return row.level;
        case 4:
            return row.list_time;
        case 5:
            return row.delist_time;
        case 6:
            return row.time_left;
        case 7:
            return row.price;
        case 8:
            return row.sales;
        case 9:
            return row.item_id;
        default:
            return empty;
    }
}

}  // namespace delist
