#pragma once
// The precise analysis of the user's own item: its details, the two result lines and the danger
// marks on a grid.

#include "analysis/grid.hpp"
#include "text/time.hpp"

namespace delist {

struct OwnItem {
    Text nick;
    Text list_time;
    Text delist_time;
    Text sales;
};

// The link box passes the check when it holds "com" anywhere (case-sensitive).
bool is_item_link(const Text& link);
// The text between the first "id=" of link + "&" and the next "&".
Text item_id_from_link(const Text& link);
// Looks the item up on the Open Platform and reads its sales from its page (blocking).
OwnItem lookup_own_item(const Text& item_id, bool gzip);

Text precise_first_line(const OwnItem& item);
Text precise_second_line(const OwnItem& item);
Text precise_second_line(const OwnItem& item, const DateTime& now);

// own_sales + own_sales * percentage / 100 in reals, truncated.
int danger_threshold(int own_sales, int percentage);
// Marks every filled date cell of rows 0..23: green below, yellow up to the threshold, red above.
void mark_grid(Grid& grid, int own_sales, int threshold);

}  // namespace delist
