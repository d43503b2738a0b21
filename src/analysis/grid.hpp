#pragma once
// What an analysis list shows: 25 rows (24 hour rows, then the totals row) by 9 columns (the hour
// label, seven date columns, the totals column), each cell a text and an icon index, and the nine
// column titles.

#include <array>

#include "text/text.hpp"

namespace delist {

// Icons of the analysis lists' image list.
enum GridIcon : int {
    kIconNone = -1,
    kIconYellowWarning = 0,
    kIconRedWarning = 1,
    kIconGreenCheck = 2,
    kIconHeart = 3,
    kIconDiamond = 4,
    kIconBlueCrown = 5,
    kIconGoldCrown = 6,
    kIconTmall = 7,
};

struct GridCell {
    Text text;
    int icon = kIconNone;

    friend bool operator==(const GridCell&, const GridCell&) = default;
};

class Grid {
  public:
    static constexpr int kRows = 25;
    static constexpr int kColumns = 9;
    static constexpr int kTotalsRow = 24;
    static constexpr int kTotalsColumn = 8;

    Grid();        // the design state
    void reset();  // back to the design state

    const GridCell& cell(int row, int column) const;
    const Text& cell_text(int row, int column) const { return cell(row, column).text; }
    int cell_icon(int row, int column) const { return cell(row, column).icon; }
    void set_cell_text(int row, int column, const Text& text);
    void set_cell_icon(int row, int column, int icon);

    const Text& column_title(int column) const;
    void set_column_title(int column, const Text& title);

    friend bool operator==(const Grid&, const Grid&) = default;

  private:
    std::array<std::array<GridCell, kColumns>, kRows> cells_;
    std::array<Text, kColumns> titles_;
};

}  // namespace delist
