#include "analysis/grid.hpp"

#include <gtest/gtest.h>

namespace delist {
namespace {

TEST(Grid, NewGridIsInTheDesignState) {
    const Grid grid;
    const Text titles[Grid::kColumns] = {"", "1", "2", "3", "4", "5", "6", "7", "总计"};
    for (int column = 0; column < Grid::kColumns; ++column) {
        EXPECT_EQ(grid.column_title(column), titles[column]) << column;
    }
    const std::pair<int, Text> labels[] = {
        {0, "凌晨1点"},   {4, "凌晨5点"},   {5, "早上6点"},   {8, "上午9点"},
        {11, "中午12点"}, {14, "下午15点"}, {17, "晚上18点"}, {20, "晚上21点"},
        {21, "午夜22点"}, {22, "午夜23点"}, {23, "午夜0点"},  {24, "总计"},
    };
    for (const auto& [row, label] : labels) {
        EXPECT_EQ(grid.cell(row, 0), (GridCell{label, kIconNone})) << row;
    }

    for (int row = 0; row < Grid::kRows; ++row) {
        EXPECT_FALSE(grid.cell_text(row, 0).empty()) << row;
        for (int column = 1; column < Grid::kColumns; ++column) {
            EXPECT_EQ(grid.cell(row, column), GridCell{}) << row << "," << column;
        }
    }
}

TEST(Grid, ResetRestoresTheDesignState) {
    Grid grid;
    grid.set_column_title(1, "6-1");
    grid.set_column_title(8, "x");
    grid.set_cell_text(3, 2, "120");
    grid.set_cell_icon(3, 2, kIconRedWarning);
    grid.set_cell_text(0, 0, "changed");
    grid.set_cell_icon(24, 8, kIconTmall);
    ASSERT_NE(grid, Grid());

    grid.reset();
    EXPECT_EQ(grid, Grid());
}

TEST(Grid, AccessOutsideTheGridIsHarmless) {
    const std::pair<int, int> outside[] = {{-1, 0}, {25, 0}, {0, -1}, {0, 9}, {1000, 1000}};
    Grid grid;
    for (const auto& [row, column] : outside) {
        grid.set_cell_text(row, column, "x");
        grid.set_cell_icon(row, column, kIconHeart);
        EXPECT_EQ(grid.cell(row, column), GridCell{}) << row << "," << column;
    }
    grid.set_column_title(-1, "x");
    grid.set_column_title(9, "x");
    EXPECT_EQ(grid, Grid());
    EXPECT_EQ(grid.column_title(-1), "");
    EXPECT_EQ(grid.column_title(9), "");
}

}  // namespace
}  // namespace delist
