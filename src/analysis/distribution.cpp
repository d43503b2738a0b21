#include "analysis/distribution.hpp"

#include <string>
#include <vector>

namespace delist {

namespace {

constexpr int kNotFound = 100;
constexpr int kDayUnit = 5;

// The text a level or price view writes over a cell once the first pass is done.
struct CellWinner {
    Text shown_text;
    int column;
    int row;
    Text seller_nick;
};

// What a level or price view shows in place of the sales.
struct ShownField {
    const Text ItemRow::*text;
    bool with_nick;
};

// The first pass: every row into its cell, the highest sales keeping it (the earlier row on a
// tie). With shown, each write is recorded for the view's second pass.
std::vector<CellWinner> place_rows(const ItemRows& rows, Grid& grid,
                                   const ShownField* shown = nullptr) {
    std::vector<CellWinner> winners;
    const DateTime null_time{};
    for (const ItemRow& item : rows) {
        const DateTime delist = parse_time(item.delist_time);
        // An unreadable time would otherwise land on 1 January at midnight.
        if (delist == null_time) continue;
        const int column = find_date_column(grid, date_key(delist));
        const int row = hour_row_index(int_to_text(hour_of(delist)));
        if (column == kNotFound || row == kNotFound) continue;

        const Text& current = grid.cell_text(row, column);
        if (!current.empty() && text_to_int(current) >= text_to_int(item.sales)) continue;
        grid.set_cell_text(row, column, item.sales);
        if (shown != nullptr) {
            winners.push_back(CellWinner{item.*(shown->text), column, row,
                                         shown->with_nick ? item.nick : Text{}});
        }
    }
    return winners;
}

bool contains(const Text& text, const Text& sub) {
    return find_text(text, sub) != -1;
}

}  // namespace

Text date_key(const DateTime& date) {
    return join_texts(int_to_text(month_of(date)), "-", int_to_text(day_of(date)));
}

void title_date_columns(Grid& grid) {
    title_date_columns(grid, current_time());
}

void title_date_columns(Grid& grid, const DateTime& now) {
    DateTime day = now;
    for (int column = 1; column <= 7; ++column) {
        grid.set_column_title(column, date_key(day));
        day = add_to_time(day, kDayUnit, 1);
    }
}

int find_date_column(const Grid& grid, const Text& key) {
    for (int column = 1; column <= 7; ++column) {
        if (compare_text(grid.column_title(column), key) == 0) return column;
    }
    return kNotFound;
}

int hour_row_index(const Text& hour) {
    if (hour.empty() || hour.size() > 2) return kNotFound;
    int value = 0;
    for (const char c : hour) {
        if (c < '0' || c > '9') return kNotFound;
        value = value * 10 + (c - '0');
    }
    if (value >= 1 && value <= 23) return value - 1;
    if (value == 0 || value == 24) return 23;
    return kNotFound;
}

int level_icon(const Text& seller_nick, const Text& level) {
    if (contains(seller_nick, "旗舰")) return kIconTmall;
    int icon = kIconNone;
    if (contains(level, "心")) icon = kIconHeart;
    if (contains(level, "钻")) icon = kIconDiamond;
    if (contains(level, "皇")) icon = kIconBlueCrown;
    if (contains(level, "金")) icon = kIconGoldCrown;
    return icon;
}

void fill_grid_by_sales(const ItemRows& rows, Grid& grid) {
    fill_grid_by_sales(rows, grid, current_time());
}

void fill_grid_by_sales(const ItemRows& rows, Grid& grid, const DateTime& now) {
    title_date_columns(grid, now);
    place_rows(rows, grid);
    grid_totals(grid);
}

void fill_grid_by_level(const ItemRows& rows, Grid& grid) {
    fill_grid_by_level(rows, grid, current_time());
}

void fill_grid_by_level(const ItemRows& rows, Grid& grid, const DateTime& now) {
    title_date_columns(grid, now);
    const ShownField level{&ItemRow::level, true};
    for (const CellWinner& winner : place_rows(rows, grid, &level)) {
        grid.set_cell_text(winner.row, winner.column, winner.shown_text);
        // "无等级" names no icon: the cell keeps the one an earlier winner gave it.
        const int icon = level_icon(winner.seller_nick, winner.shown_text);
        if (icon != kIconNone) grid.set_cell_icon(winner.row, winner.column, icon);
    }
}

void fill_grid_by_price(const ItemRows& rows, Grid& grid) {
    fill_grid_by_price(rows, grid, current_time());
}

void fill_grid_by_price(const ItemRows& rows, Grid& grid, const DateTime& now) {
    title_date_columns(grid, now);
    const ShownField price{&ItemRow::price, false};
    for (const CellWinner& winner : place_rows(rows, grid, &price)) {
        grid.set_cell_text(winner.row, winner.column, winner.shown_text);
    }
}

void grid_totals(Grid& grid) {
    // Summed wide: a day of large sales must not wrap around.
    for (int column = 1; column <= 7; ++column) {
        long long sum = 0;
        for (int row = 0; row < Grid::kTotalsRow; ++row)
            sum += text_to_int(grid.cell_text(row, column));
        grid.set_cell_text(Grid::kTotalsRow, column, std::to_string(sum));
    }
    for (int row = 0; row < Grid::kTotalsRow; ++row) {
        long long sum = 0;
        for (int column = 1; column <= 7; ++column) sum += text_to_int(grid.cell_text(row, column));
        grid.set_cell_text(row, Grid::kTotalsColumn, std::to_string(sum));
    }
}

Text distribution_caption(const Text& link_text, const Text& search_caption) {
    const Text& subject = contains(link_text, "/") ? search_caption : link_text;
    return join_texts("此表为 ", subject, " 的人气搜索 下架时间分布图");
}

}  // namespace delist
