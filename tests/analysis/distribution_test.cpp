#include "analysis/distribution.hpp"

#include <gtest/gtest.h>

#include <optional>
#include <utility>

namespace delist {
namespace {

const DateTime kNow{2013, 6, 1, 10, 0, 0};

ItemRow item(const Text& delist_time, const Text& sales, const Text& level = {},
             const Text& nick = {}, const Text& price = {}) {
    ItemRow row;
    row.delist_time = delist_time;
    row.sales = sales;
    row.level = level;
    row.nick = nick;
    row.price = price;
    return row;
}

// Every filled cell of the date columns, hour rows only.
std::vector<std::pair<int, int>> filled_date_cells(const Grid& grid) {
    std::vector<std::pair<int, int>> filled;
    for (int row = 0; row < Grid::kTotalsRow; ++row) {
        for (int column = 1; column <= 7; ++column) {
            if (!grid.cell_text(row, column).empty()) filled.emplace_back(row, column);
        }
    }
    return filled;
}

TEST(DateKey, MonthAndDayWithoutLeadingZeros) {
    EXPECT_EQ(date_key(DateTime{2013, 6, 1, 0, 0, 0}), "6-1");
    EXPECT_EQ(date_key(DateTime{2013, 12, 25, 23, 0, 0}), "12-25");
    EXPECT_EQ(date_key(DateTime{2014, 1, 9, 0, 0, 0}), "1-9");
}

TEST(TitleDateColumns, SevenDaysFromToday) {
    struct Case {
        DateTime now;
        std::array<Text, 7> titles;
    };
    const Case cases[] = {
        {{2013, 6, 1, 10, 0, 0}, {"6-1", "6-2", "6-3", "6-4", "6-5", "6-6", "6-7"}},
        {{2013, 12, 29, 23, 59, 59}, {"12-29", "12-30", "12-31", "1-1", "1-2", "1-3", "1-4"}},
        {{2012, 2, 27, 0, 0, 0}, {"2-27", "2-28", "2-29", "3-1", "3-2", "3-3", "3-4"}},
    };
    for (const Case& c : cases) {
        Grid grid;
        title_date_columns(grid, c.now);
        for (int column = 1; column <= 7; ++column) {
            EXPECT_EQ(grid.column_title(column), c.titles[column - 1]) << column;
        }
        EXPECT_EQ(grid.column_title(0), "");
        EXPECT_EQ(grid.column_title(8), "总计");
    }
}

TEST(FindDateColumn, OnlyDateColumnsMatch) {
    Grid grid;
    title_date_columns(grid, kNow);
    EXPECT_EQ(find_date_column(grid, "6-1"), 1);
    EXPECT_EQ(find_date_column(grid, "6-7"), 7);
    EXPECT_EQ(find_date_column(grid, "6-8"), 100);
    EXPECT_EQ(find_date_column(grid, "06-1"), 100);
    EXPECT_EQ(find_date_column(grid, ""), 100);      // column 0's title
    EXPECT_EQ(find_date_column(grid, "总计"), 100);  // column 8's title
    EXPECT_EQ(find_date_column(Grid(), "3"), 3);
}

TEST(HourRowIndex, HourTextsToRows) {
    const std::pair<Text, int> cases[] = {
        {"1", 0},    {"01", 0},   {"9", 8},    {"09", 8},   {"10", 9},  {"23", 22},
        {"24", 23},  {"0", 23},   {"00", 23},  {"25", 100}, {"", 100},  {"001", 100},
        {"-1", 100}, {"+1", 100}, {" 1", 100}, {"1 ", 100}, {"a", 100}, {"99", 100},
    };
    for (const auto& [hour, row] : cases) EXPECT_EQ(hour_row_index(hour), row) << hour;
}

TEST(FillGridBySales, PlacesARowByDelistingDateAndHour) {
    struct Case {
        DateTime now;
        Text delist_time;
        std::optional<std::pair<int, int>> cell;  // (row, column), none when skipped
    };
    const Case cases[] = {
        {kNow, "2013-06-01 00:30:00", std::pair{23, 1}},
        {kNow, "2013-06-01 23:59:00", std::pair{22, 1}},
        {kNow, "2013-06-01 08:15:00", std::pair{7, 1}},  // already past today
        {kNow, "2013-06-01 10:00:00", std::pair{9, 1}},
        {kNow, "2013-06-07 01:00:00", std::pair{0, 7}},
        {kNow, "2013-06-07 00:00:00", std::pair{23, 7}},
        {kNow, "2013-06-08 10:00:00", std::nullopt},  // seven days ahead
        {kNow, "2013-05-31 23:00:00", std::nullopt},
        {kNow, "2012-06-03 12:00:00", std::pair{11, 3}},  // the year takes no part
        {{2013, 12, 30, 9, 0, 0}, "2014-01-02 05:10:00", std::pair{4, 4}},
        // An unreadable time is the null time, 1 January: never placed there.
        {{2013, 12, 30, 9, 0, 0}, "not a time", std::nullopt},
        {{2013, 12, 30, 9, 0, 0}, "", std::nullopt},
    };
    for (const Case& c : cases) {
        Grid grid;
        fill_grid_by_sales({item(c.delist_time, "5")}, grid, c.now);
        const auto filled = filled_date_cells(grid);
        if (c.cell) {
            ASSERT_EQ(filled.size(), 1u) << c.delist_time;
            EXPECT_EQ(filled[0], *c.cell) << c.delist_time;
            EXPECT_EQ(grid.cell_text(c.cell->first, c.cell->second), "5");
        } else {
            EXPECT_TRUE(filled.empty()) << c.delist_time;
        }
    }
}

TEST(FillGridBySales, HighestSalesKeepsTheCellAndTiesKeepTheEarlierRow) {
    struct Case {
        Text first, second, shown;
    };
    const Case cases[] = {
        {"35", "120", "120"}, {"120", "35", "120"}, {"7件", "7", "7件"},
        {"7", "7件", "7"},    {"abc", "0", "abc"},  {"abc", "1", "1"},
    };
    for (const Case& c : cases) {
        Grid grid;
        const ItemRows rows = {item("2013-06-02 14:00:00", c.first),
                               item("2013-06-02 14:59:59", c.second)};
        fill_grid_by_sales(rows, grid, kNow);
        EXPECT_EQ(grid.cell_text(13, 2), c.shown) << c.first << " then " << c.second;
    }
}

TEST(FillGridBySales, WritesTheTotals) {
    Grid grid;
    const ItemRows rows = {
        item("2013-06-01 01:00:00", "10"), item("2013-06-01 02:00:00", "20"),
        item("2013-06-03 01:00:00", "5"),  item("2013-06-03 01:30:00", "3"),
        item("2013-06-07 00:10:00", "7"),
    };
    fill_grid_by_sales(rows, grid, kNow);
    const Text day_totals[7] = {"30", "0", "5", "0", "0", "0", "7"};
    for (int column = 1; column <= 7; ++column) {
        EXPECT_EQ(grid.cell_text(24, column), day_totals[column - 1]) << column;
    }
    EXPECT_EQ(grid.cell_text(0, 8), "15");
    EXPECT_EQ(grid.cell_text(1, 8), "20");
    EXPECT_EQ(grid.cell_text(23, 8), "7");
    EXPECT_EQ(grid.cell_text(12, 8), "0");
    EXPECT_EQ(grid.cell(24, 8), GridCell{});
    EXPECT_EQ(grid.cell_text(24, 0), "总计");
}

TEST(FillGridBySales, EmptyDataListTitlesAndWritesZeroTotals) {
    Grid grid;
    fill_grid_by_sales({}, grid, kNow);
    EXPECT_EQ(grid.column_title(1), "6-1");
    for (int column = 1; column <= 7; ++column) EXPECT_EQ(grid.cell_text(24, column), "0");
    for (int row = 0; row < 24; ++row) EXPECT_EQ(grid.cell_text(row, 8), "0");
    EXPECT_EQ(grid.cell_text(24, 8), "");
    EXPECT_TRUE(filled_date_cells(grid).empty());
}

TEST(FillGridBySales, TotalsOfLargeSalesDoNotWrap) {
    Grid grid;
    const ItemRows rows = {item("2013-06-02 03:00:00", "2000000000"),
                           item("2013-06-02 04:00:00", "2000000000"),
                           item("2013-06-03 04:00:00", "2000000000")};
    fill_grid_by_sales(rows, grid, kNow);
    EXPECT_EQ(grid.cell_text(24, 2), "4000000000");
    EXPECT_EQ(grid.cell_text(3, 8), "4000000000");
}

TEST(FillGridBySales, RunTwiceGivesTheSameGrid) {
    const ItemRows rows = {item("2013-06-01 01:00:00", "10"), item("2013-06-01 01:20:00", "40"),
                           item("2013-06-04 18:00:00", "9"), item("2013-06-06 23:00:00", "1")};
    Grid once;
    fill_grid_by_sales(rows, once, kNow);
    Grid twice = once;
    fill_grid_by_sales(rows, twice, kNow);
    EXPECT_EQ(twice, once);
    EXPECT_EQ(once.cell_text(24, 1), "40");
}

TEST(LevelIcon, NickAndLevelToIcon) {
    struct Case {
        Text nick, level;
        int icon;
    };
    const Case cases[] = {
        {"某某旗舰店", "三钻", kIconTmall}, {"某某旗舰店", "无等级", kIconTmall},
        {"小店", "三钻", kIconDiamond},     {"小店", "五金冠", kIconGoldCrown},
        {"小店", "二皇冠", kIconBlueCrown}, {"小店", "一心", kIconHeart},
        {"小店", "五心", kIconHeart},       {"小店", "一皇冠", kIconBlueCrown},
        {"小店", "无等级", kIconNone},      {"", "", kIconNone},
    };
    for (const Case& c : cases) EXPECT_EQ(level_icon(c.nick, c.level), c.icon) << c.level;
}

TEST(FillGridByLevel, ShowsTheWinnersLevelWithItsIcon) {
    Grid grid;
    const ItemRows rows = {
        item("2013-06-01 01:00:00", "10", "三钻", "某某旗舰店"),
        item("2013-06-01 02:00:00", "10", "三钻", "小店"),
        item("2013-06-01 03:00:00", "10", "五金冠", "小店"),
        item("2013-06-01 04:00:00", "10", "二皇冠", "小店"),
        item("2013-06-01 05:00:00", "10", "无等级", "小店"),
    };
    fill_grid_by_level(rows, grid, kNow);
    const GridCell expected[] = {{"三钻", kIconTmall},
                                 {"三钻", kIconDiamond},
                                 {"五金冠", kIconGoldCrown},
                                 {"二皇冠", kIconBlueCrown},
                                 {"无等级", kIconNone}};
    for (int row = 0; row < 5; ++row) EXPECT_EQ(grid.cell(row, 1), expected[row]) << row;
    EXPECT_EQ(grid.cell_text(24, 1), "");  // no totals in this view
}

TEST(FillGridByLevel, LaterWinnerOfACell) {
    struct Case {
        ItemRow first, second;
        GridCell shown;
    };
    const Case cases[] = {
        // The higher sales take the cell; a level without icon keeps the earlier icon.
        {item("2013-06-02 09:00:00", "10", "三钻", "甲"),
         item("2013-06-02 09:30:00", "20", "无等级", "乙"),
         {"无等级", kIconDiamond}},
        {item("2013-06-02 09:00:00", "20", "三钻", "甲"),
         item("2013-06-02 09:30:00", "10", "五金冠", "乙"),
         {"三钻", kIconDiamond}},
        {item("2013-06-02 09:00:00", "10", "一心", "甲"),
         item("2013-06-02 09:30:00", "10", "五金冠", "乙"),
         {"一心", kIconHeart}},
        {item("2013-06-02 09:00:00", "10", "三钻", "甲旗舰店"),
         item("2013-06-02 09:30:00", "11", "一心", "乙"),
         {"一心", kIconHeart}},
    };
    for (const Case& c : cases) {
        Grid grid;
        fill_grid_by_level({c.first, c.second}, grid, kNow);
        EXPECT_EQ(grid.cell(8, 2), c.shown) << c.first.level << " then " << c.second.level;
    }
}

TEST(FillGridByPrice, ShowsTheTopSellersPriceWithoutIcons) {
    Grid grid;
    const ItemRows rows = {
        item("2013-06-05 20:00:00", "10", "三钻", "甲旗舰店", "99.00"),
        item("2013-06-05 20:10:00", "30", "五金冠", "乙", "12.50"),
        item("2013-06-05 20:20:00", "20", "一心", "丙", "1.00"),
        item("2013-06-06 21:00:00", "0", "", "", "8.8"),
    };
    fill_grid_by_price(rows, grid, kNow);
    EXPECT_EQ(grid.cell(19, 5), (GridCell{"12.50", kIconNone}));
    EXPECT_EQ(grid.cell(20, 6), (GridCell{"8.8", kIconNone}));
    EXPECT_EQ(filled_date_cells(grid).size(), 2u);
    EXPECT_EQ(grid.cell_text(24, 5), "");
}

TEST(FillGridByLevelAndPrice, ChangeNothingAfterTheSalesViewUntilReset) {
    const ItemRows rows = {
        item("2013-06-01 01:00:00", "10", "三钻", "小店", "5.00"),
        item("2013-06-01 01:40:00", "40", "一心", "旗舰店", "6.00"),
        item("2013-06-03 12:00:00", "7", "五金冠", "乙", "7.00"),
    };
    Grid grid;
    fill_grid_by_sales(rows, grid, kNow);
    const Grid after_sales = grid;
    fill_grid_by_level(rows, grid, kNow);
    EXPECT_EQ(grid, after_sales);
    fill_grid_by_price(rows, grid, kNow);
    EXPECT_EQ(grid, after_sales);

    grid.reset();
    fill_grid_by_level(rows, grid, kNow);
    EXPECT_EQ(grid.cell(0, 1), (GridCell{"一心", kIconTmall}));
    EXPECT_EQ(grid.cell(11, 3), (GridCell{"五金冠", kIconGoldCrown}));
}

TEST(DistributionCaption, KeywordOrSearchCaption) {
    struct Case {
        Text link_text, search_caption, caption;
    };
    const Case cases[] = {
        {"连衣裙 夏", "搜索关键词为: 别的", "此表为 连衣裙 夏 的人气搜索 下架时间分布图"},
        {"http://s.taobao.com/search?q=x", "连衣裙", "此表为 连衣裙 的人气搜索 下架时间分布图"},
        {"a/b", "", "此表为  的人气搜索 下架时间分布图"},
        {"", "连衣裙", "此表为  的人气搜索 下架时间分布图"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(distribution_caption(c.link_text, c.search_caption), c.caption) << c.link_text;
    }
}

}  // namespace
}  // namespace delist
