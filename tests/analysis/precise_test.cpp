#include "analysis/precise.hpp"

#include <gtest/gtest.h>

#include <utility>

namespace delist {
namespace {

TEST(IsItemLink, LowerCaseComAnywhere) {
    const std::pair<Text, bool> cases[] = {
        {"http://item.taobao.com/item.htm?id=123", true},
        {"HTTP://ITEM.TAOBAO.COM/ITEM.HTM?ID=123", false},
        {"welcome", true},
        {"http://item.taobao.cn/item.htm?id=1", false},
        {"", false},
    };
    for (const auto& [link, passes] : cases) EXPECT_EQ(is_item_link(link), passes) << link;
}

TEST(ItemIdFromLink, FirstIdEqualsUpToTheNextAmpersand) {
    const std::pair<Text, Text> cases[] = {
        {"http://item.taobao.com/item.htm?sid=abc&id=123", "abc"},
        {"http://item.taobao.com/item.htm?id=123", "123"},
        {"http://item.taobao.com/item.htm?id=123&spm=x", "123"},
        {"http://item.taobao.com/item.htm?id=&spm=x", ""},
        {"http://item.taobao.com/item.htm", ""},
        {"", ""},
    };
    for (const auto& [link, id] : cases) EXPECT_EQ(item_id_from_link(link), id) << link;
}

TEST(DangerThreshold, PercentageInRealsTruncated) {
    struct Case {
        int own_sales, percentage, threshold;
    };
    const Case cases[] = {
        {100, 20, 120}, {7, 20, 8}, {100, -50, 50}, {100, 0, 100},
        {0, 20, 0},     {3, 33, 3}, {-7, 20, -8},   {1, 150, 2},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(danger_threshold(c.own_sales, c.percentage), c.threshold)
            << c.own_sales << " " << c.percentage;
    }
}

TEST(MarkGrid, IconByCellSales) {
    struct Case {
        int own_sales, percentage;
        Text cell;
        int icon;
    };
    const Case cases[] = {
        {100, 20, "99", kIconGreenCheck},     {100, 20, "100", kIconYellowWarning},
        {100, 20, "120", kIconYellowWarning}, {100, 20, "121", kIconRedWarning},
        {7, 20, "8", kIconYellowWarning},     {7, 20, "9", kIconRedWarning},
        {100, -50, "50", kIconGreenCheck},    {100, -50, "51", kIconRedWarning},
        {100, -50, "100", kIconRedWarning},   {100, -50, "101", kIconRedWarning},
        {0, 20, "0", kIconYellowWarning},     {0, 20, "1", kIconRedWarning},
        {5, 20, "三钻", kIconGreenCheck},     {100, 20, "120件", kIconYellowWarning},
    };
    for (const Case& c : cases) {
        Grid grid;
        grid.set_cell_text(6, 3, c.cell);
        grid.set_cell_icon(6, 3, kIconDiamond);  // an earlier icon is replaced
        mark_grid(grid, c.own_sales, danger_threshold(c.own_sales, c.percentage));
        EXPECT_EQ(grid.cell(6, 3), (GridCell{c.cell, c.icon}))
            << c.own_sales << "/" << c.percentage << " cell " << c.cell;
    }
}

TEST(MarkGrid, OnlyFilledDateCellsOfTheHourRows) {
    Grid grid;
    grid.set_cell_text(0, 1, "500");
    grid.set_cell_text(23, 7, "1");
    grid.set_cell_text(0, 8, "500");
    grid.set_cell_text(24, 1, "500");
    grid.set_cell_icon(5, 5, kIconHeart);  // empty cell: its icon stays
    Grid expected = grid;
    expected.set_cell_icon(0, 1, kIconRedWarning);
    expected.set_cell_icon(23, 7, kIconGreenCheck);

    mark_grid(grid, 10, 12);
    EXPECT_EQ(grid, expected);
}

TEST(PreciseLines, FirstLineGreetsWithSalesAndListingTime) {
    const OwnItem item{"小明", "2013-05-25 10:00:00", "2013-06-01 10:00:00", "35"};
    EXPECT_EQ(precise_first_line(item),
              "亲爱的 小明 您好! 您此款宝贝的销量为 35 件  您的宝贝是在 2013-05-25 10:00:00 "
              "上架的");
    EXPECT_EQ(precise_first_line(OwnItem{}),
              "亲爱的  您好! 您此款宝贝的销量为  件  您的宝贝是在  上架的");
}

TEST(PreciseLines, SecondLineTellsTheTimeLeft) {
    const DateTime now{2013, 6, 1, 10, 0, 0};
    const std::pair<Text, Text> cases[] = {
        {"2013-06-03 13:04:05", "2天3时4分5秒"},
        {"2013-06-01 10:00:59", "0天0时0分59秒"},
        // Past: the time since, one second short of the exact span.
        {"2013-05-30 06:55:55", "2天3时4分4秒"},
    };
    for (const auto& [delist_time, left] : cases) {
        OwnItem item;
        item.delist_time = delist_time;
        EXPECT_EQ(precise_second_line(item, now),
                  "您的宝贝的下架时间为: " + delist_time + "  离现在还剩:" + left);
    }
}

}  // namespace
}  // namespace delist
