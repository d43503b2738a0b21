#pragma once
// Spreading the data list over a grid: seven calendar days from today by the 24 hours, the
// strongest sales per cell, shown as sales, seller level (with a level icon) or price.

#include "analysis/grid.hpp"
#include "market/item_row.hpp"
#include "text/time.hpp"

namespace delist {

// "6-1" for June 1: month and day without leading zeros.
Text date_key(const DateTime& date);
// Columns 1..7 titled with today and the six days after it.
void title_date_columns(Grid& grid);
void title_date_columns(Grid& grid, const DateTime& now);
// The first column whose title equals key; 100 when none does or only column 0 does.
int find_date_column(const Grid& grid, const Text& key);
// "1".."23" (and "01".."09") give rows 0..22; "24", "0", "00" give 23; anything else 100.
int hour_row_index(const Text& hour);

// The three views. A fill never empties the grid: it compares against the cells as they stand.
void fill_grid_by_sales(const ItemRows& rows, Grid& grid);
void fill_grid_by_sales(const ItemRows& rows, Grid& grid, const DateTime& now);
void fill_grid_by_level(const ItemRows& rows, Grid& grid);
void fill_grid_by_level(const ItemRows& rows, Grid& grid, const DateTime& now);
void fill_grid_by_price(const ItemRows& rows, Grid& grid);
void fill_grid_by_price(const ItemRows& rows, Grid& grid, const DateTime& now);

// Day totals into row 24, hour totals into column 8 (the sales view's last step).
void grid_totals(Grid& grid);

// "此表为 " + keyword or search caption + " 的人气搜索 下架时间分布图".
Text distribution_caption(const Text& link_text, const Text& search_caption);

}  // namespace delist
