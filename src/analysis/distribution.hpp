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
// The first date column (1..7) whose title equals key; 100 when none does. The hour-label and
// totals columns are never a date column, whatever their titles.
int find_date_column(const Grid& grid, const Text& key);
// "1".."23" (and "01".."09") give rows 0..22; "24", "0", "00" give 23; anything else 100.
int hour_row_index(const Text& hour);

// The level icon of a cell won by a seller: 7 for a nick holding "旗舰", else by the level text
// (heart 3, diamond 4, blue crown 5, gold crown 6), kIconNone when the level names none.
int level_icon(const Text& seller_nick, const Text& level);

// The three views. A fill never empties the grid: it compares against the cells as they stand.
// A row is placed by the date and hour of its delist_time (hour 0 in row 23); a row whose
// delist_time does not read as a time, or whose date is not a column's, is skipped.
void fill_grid_by_sales(const ItemRows& rows, Grid& grid);
void fill_grid_by_sales(const ItemRows& rows, Grid& grid, const DateTime& now);
void fill_grid_by_level(const ItemRows& rows, Grid& grid);
void fill_grid_by_level(const ItemRows& rows, Grid& grid, const DateTime& now);
void fill_grid_by_price(const ItemRows& rows, Grid& grid);
void fill_grid_by_price(const ItemRows& rows, Grid& grid, const DateTime& now);

// Day totals into row 24, hour totals into column 8 (the sales view's last step); cell (24, 8)
// is left as it is.
void grid_totals(Grid& grid);

// The caption under a sales view: names the typed keyword, or for a pasted search link (it holds
// a "/") the search caption.
Text distribution_caption(const Text& link_text, const Text& search_caption);

}  // namespace delist
