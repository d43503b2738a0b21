// Local date and time values: reading, the clock, stepping, differences and the derived texts.

#include "text/time.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <ctime>
#include <optional>

namespace delist {

namespace {

constexpr std::int64_t seconds_per_day = 86400;

bool is_leap(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int month_length(int year, int month) {
    static constexpr int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && is_leap(year) ? 29 : lengths[month - 1];
}

// Days since 1970-01-01 of a proleptic Gregorian date.
std::int64_t days_from_civil(std::int64_t y, int m, int d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yoe = y - era * 400;
    const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civil_from_days(std::int64_t z, int& year, int& month, int& day) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const std::int64_t doe = z - era * 146097;
    const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const std::int64_t mp = (5 * doy + 2) / 153;
    day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    year = static_cast<int>(yoe + era * 400 + (month <= 2 ? 1 : 0));
}

std::int64_t to_seconds(const DateTime& t) {
    return days_from_civil(t.year, t.month, t.day) * seconds_per_day + t.hour * 3600LL +
           t.minute * 60LL + t.second;
}

const DateTime earliest{100, 1, 1, 0, 0, 0};
const DateTime latest_day{9999, 12, 31, 0, 0, 0};

DateTime from_seconds(std::int64_t s) {
    if (s < to_seconds(earliest)) return earliest;
    if (s >= to_seconds(latest_day) + seconds_per_day) return latest_day;
    const std::int64_t days = (s >= 0 ? s : s - (seconds_per_day - 1)) / seconds_per_day;
    const std::int64_t rest = s - days * seconds_per_day;
    DateTime t;
    civil_from_days(days, t.year, t.month, t.day);
    t.hour = static_cast<int>(rest / 3600);
    t.minute = static_cast<int>(rest % 3600 / 60);
    t.second = static_cast<int>(rest % 60);
    return t;
}

int clamp_unit(int unit) {
    return std::clamp(unit, 1, 8);
}

// 0 = Sunday.
int weekday(const DateTime& t) {
    const std::int64_t days = days_from_civil(t.year, t.month, t.day);
    return static_cast<int>(((days + 4) % 7 + 7) % 7);
}

class TimeReader {
  public:
    explicit TimeReader(const Text& text) : text_(text) {}

    int digits(std::size_t max) {
        int value = 0;
        for (std::size_t n = 0; n < max && at_digit(); ++n)
            value = value * 10 + (text_[i_++] - '0');
        return value;
    }

    // Skips one separator: one of the ASCII characters, or the two-byte unit character.
    void separator(const char* ascii, const Text& unit) {
        if (i_ >= text_.size()) return;
        for (const char* c = ascii; *c != '\0'; ++c) {
            if (text_[i_] == *c) {
                ++i_;
                return;
            }
        }
        if (text_.compare(i_, unit.size(), unit) == 0) i_ += unit.size();
    }

    bool at_end() const { return i_ >= text_.size(); }
    bool at(const Text& s) const { return text_.compare(i_, s.size(), s) == 0; }

  private:
    bool at_digit() const { return i_ < text_.size() && text_[i_] >= '0' && text_[i_] <= '9'; }

    const Text& text_;
    std::size_t i_ = 0;
};

std::optional<DateTime> read_time(const Text& text) {
    const Text folded = fold_full_width(text);
    TimeReader reader(folded);
    DateTime t;
    t.year = reader.digits(4);
    reader.separator("-./:", "年");
    t.month = reader.digits(2);
    reader.separator("-./:", "月");
    t.day = reader.digits(2);
    reader.separator(" -./:", "日");
    t.hour = reader.digits(2);
    reader.separator("-./:", "时");
    t.minute = reader.digits(2);
    reader.separator("-./:", "分");
    t.second = reader.digits(2);
    if (!reader.at_end() && !reader.at("秒")) return std::nullopt;
    if (t.year < 100 || t.year > 9999 || t.month < 1 || t.month > 12 || t.day < 1 ||
        t.day > month_length(t.year, t.month) || t.hour > 23 || t.minute > 59 || t.second > 59)
        return std::nullopt;
    return t;
}

Text replace_first(const Text& text, const Text& sub, const Text& replacement) {
    return replace_subtext(text, sub, replacement, 1, 1);
}

}  // namespace

DateTime current_time() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    return DateTime{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                    local.tm_hour,        local.tm_min,     std::min(local.tm_sec, 59)};
}

DateTime parse_time(const Text& text) {
    return read_time(text).value_or(DateTime{});
}

DateTime add_to_time(const DateTime& t, int unit, int n) {
    if (n == 0) return t;
    unit = clamp_unit(unit);
    if (unit <= 3) {
        const std::int64_t months = unit == 1 ? 12LL * n : unit == 2 ? 3LL * n : n;
        const std::int64_t index = t.year * 12LL + (t.month - 1) + months;
        const std::int64_t year = (index >= 0 ? index : index - 11) / 12;
        if (year < earliest.year) return earliest;
        if (year > latest_day.year) return latest_day;
        DateTime r = t;
        r.year = static_cast<int>(year);
        r.month = static_cast<int>(index - year * 12) + 1;
        r.day = std::min(t.day, month_length(r.year, r.month));
        return r;
    }
    static constexpr std::int64_t unit_seconds[] = {7 * seconds_per_day, seconds_per_day, 3600, 60,
                                                    1};
    return from_seconds(to_seconds(t) + unit_seconds[unit - 4] * n);
}

double time_difference(const DateTime& a, const DateTime& b, int unit) {
    if (a == b) return 0.0;
    unit = clamp_unit(unit);
    switch (unit) {
        case 1:
            return a.year - b.year;
        case 2:
            return (a.year - b.year) * 4.0 + (a.month - 1) / 3 - (b.month - 1) / 3;
        case 3:
            return (a.year - b.year) * 12.0 + a.month - b.month;
        default:
            break;
    }
    const std::int64_t span = to_seconds(a) - to_seconds(b);
    const double days = static_cast<double>(span) / static_cast<double>(seconds_per_day);
    if (unit == 5) return days;
    if (unit == 4) {
        double weeks = std::trunc(std::trunc(days) / 7.0);
        if (a > b && weekday(a) < weekday(b)) weeks += 1.0;
        if (a < b && weekday(b) < weekday(a)) weeks -= 1.0;
        return weeks;
    }
    static constexpr double per_day[] = {24.0, 1440.0, 86400.0};
    // The small lift puts a positive span that rounding left just below a whole unit back over
    // it; a negative span of exactly n units therefore reads as -(n - 1).
    const auto whole = static_cast<std::int64_t>(days * per_day[unit - 6] + 5.787037037037037e-6);
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(whole));
}

int year_of(const DateTime& t) {
    return t.year;
}
int month_of(const DateTime& t) {
    return t.month;
}
int day_of(const DateTime& t) {
    return t.day;
}
int hour_of(const DateTime& t) {
    return t.hour;
}
int minute_of(const DateTime& t) {
    return t.minute;
}
int second_of(const DateTime& t) {
    return t.second;
}

Text cn_time_text(const Text& time_text) {
    if (find_text(time_text, "-") == -1) return "0";
    Text t = replace_first(time_text, "-", "年");
    t = replace_first(t, "-", "月");
    t = replace_first(t, " ", "日");
    t = replace_first(t, ":", "时");
    t = replace_first(t, ":", "分");
    return t + "秒";
}

Text remaining_time_text(const Text& time_text) {
    return remaining_time_text(time_text, current_time());
}

Text remaining_time_text(const Text& time_text, const DateTime& now) {
    const std::optional<DateTime> delist = read_time(cn_time_text(time_text));
    if (!delist) return {};
    // In 64 bits, so that the one span whose magnitude is 2^31 seconds does not turn negative.
    const auto s = static_cast<std::int64_t>(std::fabs(time_difference(*delist, now, 8)));
    const std::int64_t rest = s % seconds_per_day;
    return std::to_string(s / seconds_per_day) + "天" + std::to_string(rest / 3600) + "时" +
           std::to_string(rest % 3600 / 60) + "分" + std::to_string(rest % 60) + "秒";
}

}  // namespace delist
