#include "analysis/precise.hpp"

namespace delist {

bool is_item_link(const Text& link) {
    return find_text(link, "com") != -1;
}

Text item_id_from_link(const Text& link) {
    // The appended "&" ends an id that stands at the end of the link.
    return text_between(link + "&", "id=", "&");
}

Text precise_first_line(const OwnItem& item) {
    return join_texts("亲爱的 ", item.nick, " 您好! 您此款宝贝的销量为 ", item.sales,
                      " 件  您的宝贝是在 ", item.list_time, " 上架的");
}

Text precise_second_line(const OwnItem& item) {
    return precise_second_line(item, current_time());
}

Text precise_second_line(const OwnItem& item, const DateTime& now) {
    return join_texts("您的宝贝的下架时间为: ", item.delist_time,
                      "  离现在还剩:", remaining_time_text(item.delist_time, now));
}

int danger_threshold(int own_sales, int percentage) {
    const double own = own_sales;
    return real_to_int(own + (own * percentage) / 100.0);
}

void mark_grid(Grid& grid, int own_sales, int threshold) {
    for (int row = 0; row < Grid::kTotalsRow; ++row) {
        for (int column = 1; column <= 7; ++column) {
            const Text& text = grid.cell_text(row, column);
            if (text.empty()) continue;
            const int value = text_to_int(text);
            // Each test replaces the icon of the one before (one of them always holds): with a
            // negative percentage the green of a cell below the own sales turns red.
            int icon = kIconNone;
            if (value <= own_sales) icon = kIconGreenCheck;
            if (own_sales <= value && value <= threshold) icon = kIconYellowWarning;
            if (value > threshold) icon = kIconRedWarning;
            grid.set_cell_icon(row, column, icon);
        }
    }
}

}  // namespace delist
