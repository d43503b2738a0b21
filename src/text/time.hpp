#pragma once
// Local date and time to the second; unit codes 1 year, 2 quarter, 3 month, 4 week, 5 day,
// 6 hour, 7 minute, 8 second (below 1 counts as 1, above 8 as 8).

#include <compare>

#include "text/text.hpp"

namespace delist {

struct DateTime {
    int year = 100;  // the default value is the null time 100-01-01 00:00:00
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;

    friend bool operator==(const DateTime&, const DateTime&) = default;
    friend auto operator<=>(const DateTime&, const DateTime&) = default;
};

DateTime current_time();
DateTime parse_time(const Text& text);
DateTime add_to_time(const DateTime& t, int unit, int n);
double time_difference(const DateTime& a, const DateTime& b, int unit);

int year_of(const DateTime& t);
int month_of(const DateTime& t);
int day_of(const DateTime& t);
int hour_of(const DateTime& t);
int minute_of(const DateTime& t);
int second_of(const DateTime& t);

Text cn_time_text(const Text& time_text);
Text remaining_time_text(const Text& time_text);
Text remaining_time_text(const Text& time_text, const DateTime& now);

}  // namespace delist
