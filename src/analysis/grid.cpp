#include "analysis/grid.hpp"

namespace delist {

namespace {

// Function-local so that a Grid built during static initialisation elsewhere still finds them.
const std::array<Text, Grid::kRows>& row_labels() {
    static const std::array<Text, Grid::kRows> labels = {
        "凌晨1点",  "凌晨2点",  "凌晨3点",  "凌晨4点",  "凌晨5点",  "早上6点",  "早上7点",
        "早上8点",  "上午9点",  "上午10点", "上午11点", "中午12点", "中午13点", "中午14点",
        "下午15点", "下午16点", "下午17点", "晚上18点", "晚上19点", "晚上20点", "晚上21点",
        "午夜22点", "午夜23点", "午夜0点",  "总计",
    };
    return labels;
}

const std::array<Text, Grid::kColumns>& design_titles() {
    static const std::array<Text, Grid::kColumns> titles = {"",  "1", "2", "3",   "4",
                                                            "5", "6", "7", "总计"};
    return titles;
}

bool in_grid(int row, int column) {
    return row >= 0 && row < Grid::kRows && column >= 0 && column < Grid::kColumns;
}

}  // namespace

Grid::Grid() {
    reset();
}

void Grid::reset() {
    for (int row = 0; row < kRows; ++row) {
        for (int column = 0; column < kColumns; ++column) {
            cells_[row][column] = GridCell{};
        }
        cells_[row][0].text = row_labels()[row];
    }
    titles_ = design_titles();
}

const GridCell& Grid::cell(int row, int column) const {
    // Reads outside the grid see an empty cell, as an absent list cell would.
    static const GridCell empty;
    return in_grid(row, column) ? cells_[row][column] : empty;
}

void Grid::set_cell_text(int row, int column, const Text& text) {
    if (in_grid(row, column)) cells_[row][column].text = text;
}

void Grid::set_cell_icon(int row, int column, int icon) {
    if (in_grid(row, column)) cells_[row][column].icon = icon;
}

const Text& Grid::column_title(int column) const {
    static const Text empty;
    return column >= 0 && column < kColumns ? titles_[column] : empty;
}

void Grid::set_column_title(int column, const Text& title) {
    if (column >= 0 && column < kColumns) titles_[column] = title;
}

}  // namespace delist
