#include "text/time.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <string>

namespace delist {
namespace {

const DateTime null_time{100, 1, 1, 0, 0, 0};

std::string show(const DateTime& t) {
    return std::to_string(t.year) + "-" + std::to_string(t.month) + "-" + std::to_string(t.day) +
           " " + std::to_string(t.hour) + ":" + std::to_string(t.minute) + ":" +
           std::to_string(t.second);
}

TEST(DateTimeValue, DefaultIsTheNullTime) {
    const DateTime t;
    EXPECT_EQ(t, null_time);
    EXPECT_EQ(year_of(t), 100);
    EXPECT_EQ(month_of(t), 1);
    EXPECT_EQ(day_of(t), 1);
    EXPECT_EQ(hour_of(t), 0);
    EXPECT_EQ(minute_of(t), 0);
    EXPECT_EQ(second_of(t), 0);
    const DateTime u{2013, 6, 8, 12, 30, 5};
    EXPECT_EQ(year_of(u) * 10000 + month_of(u) * 100 + day_of(u), 20130608);
    EXPECT_EQ(hour_of(u) * 10000 + minute_of(u) * 100 + second_of(u), 123005);
    EXPECT_LT((DateTime{2013, 12, 31, 23, 59, 59}), (DateTime{2014, 1, 1, 0, 0, 0}));
}

TEST(ParseTime, Accepted) {
    const struct {
        Text text;
        DateTime expected;
    } cases[] = {
        {"2013-06-01 12:30:05", {2013, 6, 1, 12, 30, 5}},
        {"2013-6-1", {2013, 6, 1, 0, 0, 0}},
        {"2013/6/1 8:05", {2013, 6, 1, 8, 5, 0}},
        {"2013.06.01", {2013, 6, 1, 0, 0, 0}},
        {"20130601123005", {2013, 6, 1, 12, 30, 5}},
        {"2013年6月1日12时30分5秒", {2013, 6, 1, 12, 30, 5}},
        {"2013年6月1日12时30分5秒 later", {2013, 6, 1, 12, 30, 5}},
        {"２０１３－０６－０１　１２：３０：０５", {2013, 6, 1, 12, 30, 5}},
        {"2012-02-29", {2012, 2, 29, 0, 0, 0}},
        {"2000-02-29", {2000, 2, 29, 0, 0, 0}},
        {"0100-01-01", {100, 1, 1, 0, 0, 0}},
        {"9999-12-31 23:59:59", {9999, 12, 31, 23, 59, 59}},
        {"2013-06-01 ", {2013, 6, 1, 0, 0, 0}},
        {"2013-06-08秒", {2013, 6, 8, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parse_time(c.text), c.expected) << "text '" << c.text << "'";
    }
}

TEST(ParseTime, RejectedGiveTheNullTime) {
    const Text cases[] = {
        "",
        " 2013-06-01",
        "13-06-01",
        "2013-06-01T12:30:05",
        "2013 06 01",
        "2013-02-30",
        "2013-02-29",
        "1900-02-29",
        "2013-06-01 24:00:00",
        "2013-06-01 12:60:00",
        "2013-06-01 12:30:60",
        "2013-13-01",
        "2013-00-01",
        "2013-06-00",
        "0099-12-31",
        "2013-06-01 12:30:05x",
        "2013--06-01",
        "abc",
    };
    for (const auto& text : cases) {
        EXPECT_EQ(parse_time(text), null_time) << "text '" << text << "'";
    }
}

TEST(AddToTime, Cases) {
    const struct {
        DateTime t;
        int unit;
        int n;
        DateTime expected;
    } cases[] = {
        {{2013, 12, 31, 23, 0, 0}, 5, 1, {2014, 1, 1, 23, 0, 0}},
        {{2013, 1, 31, 10, 0, 0}, 3, 1, {2013, 2, 28, 10, 0, 0}},
        {{2012, 1, 31, 10, 0, 0}, 3, 1, {2012, 2, 29, 10, 0, 0}},
        {{2012, 2, 29, 10, 0, 0}, 1, 1, {2013, 2, 28, 10, 0, 0}},
        {{2013, 11, 30, 0, 0, 0}, 2, 1, {2014, 2, 28, 0, 0, 0}},
        {{2013, 3, 31, 0, 0, 0}, 3, -1, {2013, 2, 28, 0, 0, 0}},
        {{2013, 1, 15, 0, 0, 0}, 3, -13, {2011, 12, 15, 0, 0, 0}},
        {{2013, 6, 1, 0, 0, 0}, 4, 1, {2013, 6, 8, 0, 0, 0}},
        {{2013, 3, 1, 0, 0, 0}, 5, -1, {2013, 2, 28, 0, 0, 0}},
        {{2013, 6, 1, 23, 0, 0}, 6, 2, {2013, 6, 2, 1, 0, 0}},
        {{2013, 6, 1, 0, 0, 0}, 7, -1, {2013, 5, 31, 23, 59, 0}},
        {{2013, 12, 31, 23, 59, 59}, 8, 1, {2014, 1, 1, 0, 0, 0}},
        {{2013, 6, 1, 1, 2, 3}, 5, 0, {2013, 6, 1, 1, 2, 3}},
        // Unit codes outside 1-8 count as the nearest one.
        {{2013, 6, 1, 0, 0, 0}, 0, 1, {2014, 6, 1, 0, 0, 0}},
        {{2013, 6, 1, 0, 0, 0}, 42, 1, {2013, 6, 1, 0, 0, 1}},
        // Results beyond the valid range are held at its ends.
        {{9999, 12, 31, 23, 0, 0}, 6, 2, {9999, 12, 31, 0, 0, 0}},
        {{100, 1, 1, 0, 0, 0}, 8, -1, {100, 1, 1, 0, 0, 0}},
        {{9999, 6, 15, 8, 0, 0}, 1, 1, {9999, 12, 31, 0, 0, 0}},
        {{2013, 6, 15, 8, 0, 0}, 3, -2147483647 - 1, {100, 1, 1, 0, 0, 0}},
        {{2013, 6, 15, 8, 0, 0}, 4, 2147483647, {9999, 12, 31, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(show(add_to_time(c.t, c.unit, c.n)), show(c.expected))
            << show(c.t) << " unit " << c.unit << " n " << c.n;
    }
}

TEST(TimeDifference, Cases) {
    const struct {
        DateTime a;
        DateTime b;
        int unit;
        double expected;
    } cases[] = {
        {{2013, 6, 2, 0, 0, 0}, {2013, 6, 1, 23, 59, 59}, 8, 1},
        {{2013, 6, 1, 23, 59, 59}, {2013, 6, 2, 0, 0, 0}, 8, 0},
        {{2013, 6, 2, 0, 0, 0}, {2013, 6, 1, 23, 0, 0}, 8, 3600},
        {{2013, 6, 1, 23, 0, 0}, {2013, 6, 2, 0, 0, 0}, 8, -3599},
        {{2013, 6, 2, 0, 0, 0}, {2013, 6, 1, 23, 0, 0}, 6, 1},
        {{2013, 6, 1, 23, 0, 0}, {2013, 6, 2, 0, 0, 0}, 6, 0},
        {{2013, 6, 1, 22, 30, 0}, {2013, 6, 2, 0, 0, 0}, 7, -89},
        {{2013, 6, 3, 3, 4, 5}, {2013, 6, 1, 0, 0, 0}, 8, 183845},
        {{2013, 6, 3, 3, 4, 5}, {2013, 6, 3, 3, 4, 5}, 8, 0},
        // Spans in seconds wrap at 32 bits.
        {{2100, 1, 1, 0, 0, 0}, {2000, 1, 1, 0, 0, 0}, 8, -1139207296},
        {{2013, 6, 2, 12, 0, 0}, {2013, 6, 1, 0, 0, 0}, 5, 1.5},
        {{2013, 6, 1, 0, 0, 0}, {2013, 6, 2, 12, 0, 0}, 5, -1.5},
        {{2013, 1, 1, 0, 0, 0}, {2012, 12, 31, 23, 59, 59}, 1, 1},
        {{2013, 12, 31, 0, 0, 0}, {2013, 1, 1, 0, 0, 0}, 1, 0},
        {{2013, 4, 1, 0, 0, 0}, {2013, 3, 31, 0, 0, 0}, 2, 1},
        {{2014, 1, 1, 0, 0, 0}, {2013, 12, 31, 0, 0, 0}, 2, 1},
        {{2013, 6, 30, 0, 0, 0}, {2013, 4, 1, 0, 0, 0}, 2, 0},
        {{2013, 2, 1, 0, 0, 0}, {2012, 12, 31, 0, 0, 0}, 3, 2},
        {{2012, 12, 31, 0, 0, 0}, {2013, 2, 1, 0, 0, 0}, 3, -2},
        // Weeks count the Sundays passed: 2013-06-01 is a Saturday.
        {{2013, 6, 2, 0, 0, 0}, {2013, 6, 1, 23, 0, 0}, 4, 1},
        {{2013, 6, 1, 0, 0, 0}, {2013, 5, 31, 0, 0, 0}, 4, 0},
        {{2013, 6, 1, 0, 0, 0}, {2013, 6, 2, 0, 0, 0}, 4, -1},
        {{2013, 6, 15, 0, 0, 0}, {2013, 6, 1, 0, 0, 0}, 4, 2},
        {{2013, 6, 16, 0, 0, 0}, {2013, 6, 3, 0, 0, 0}, 4, 2},
        {{2013, 6, 3, 0, 0, 0}, {2013, 6, 16, 0, 0, 0}, 4, -2},
        // Unit codes outside 1-8 count as the nearest one.
        {{2014, 1, 1, 0, 0, 0}, {2013, 12, 31, 0, 0, 0}, -3, 1},
        {{2013, 6, 1, 0, 0, 2}, {2013, 6, 1, 0, 0, 0}, 99, 2},
    };
    for (const auto& c : cases) {
        EXPECT_DOUBLE_EQ(time_difference(c.a, c.b, c.unit), c.expected)
            << show(c.a) << " - " << show(c.b) << " unit " << c.unit;
    }
}

TEST(CurrentTime, ReadsTheLocalClock) {
    const char* old = std::getenv("TZ");
    const std::string saved = old != nullptr ? old : "";
    setenv("TZ", "UTC-8", 1);
    tzset();
    const std::time_t now = std::time(nullptr);
    const DateTime local = current_time();
    std::tm utc{};
    gmtime_r(&now, &utc);
    const DateTime utc_time{utc.tm_year + 1900, utc.tm_mon + 1, utc.tm_mday,
                            utc.tm_hour,        utc.tm_min,     utc.tm_sec};
    if (old != nullptr) {
        setenv("TZ", saved.c_str(), 1);
    } else {
        unsetenv("TZ");
    }
    tzset();
    const double offset = time_difference(local, utc_time, 8);
    EXPECT_GE(offset, 8 * 3600);
    EXPECT_LE(offset, 8 * 3600 + 2);
}

TEST(CnTimeText, Cases) {
    EXPECT_EQ(cn_time_text("2013-06-08 12:30:05"), "2013年06月08日12时30分05秒");
    EXPECT_EQ(cn_time_text("2013-06-08"), "2013年06月08秒");
    EXPECT_EQ(cn_time_text("2013-06-08 12:30:05 -x"), "2013年06月08日12时30分05 -x秒");
    EXPECT_EQ(cn_time_text("20130608"), "0");
    EXPECT_EQ(cn_time_text(""), "0");
}

TEST(RemainingTimeText, AgainstAFixedNow) {
    const DateTime now{2013, 6, 1, 0, 0, 0};
    const struct {
        Text delist;
        Text expected;
    } cases[] = {
        {"2013-06-03 03:04:05", "2天3时4分5秒"},
        {"2013-06-01 00:00:59", "0天0时0分59秒"},
        {"2013-06-01 00:00:00", "0天0时0分0秒"},
        {"2013-06-08", "7天0时0分0秒"},
        // Times already past count one second short of the exact span.
        {"2013-05-29 20:55:55", "2天3时4分4秒"},
        {"2013-05-31 23:59:59", "0天0时0分0秒"},
        {"2013-05-31 23:00:00", "0天0时59分59秒"},
        // Texts that do not read as a time give nothing.
        {"", ""},
        {"abc", ""},
        {"2013-02-30 00:00:00", ""},
        {"2013-06-01T00:00:00", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(remaining_time_text(c.delist, now), c.expected) << "delist '" << c.delist << "'";
    }
}

TEST(RemainingTimeText, FromTheClock) {
    const DateTime in_two_days = add_to_time(current_time(), 5, 2);
    const Text delist =
        std::to_string(in_two_days.year) + "-" + std::to_string(in_two_days.month) + "-" +
        std::to_string(in_two_days.day) + " " + std::to_string(in_two_days.hour) + ":" +
        std::to_string(in_two_days.minute) + ":" + std::to_string(in_two_days.second);
    const Text shown = remaining_time_text(delist);
    EXPECT_TRUE(shown == "2天0时0分0秒" || shown == "1天23时59分59秒") << shown;
}

}  // namespace
}  // namespace delist
