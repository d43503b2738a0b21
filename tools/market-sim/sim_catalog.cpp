#include "sim_catalog.hpp"

#include <array>
#include <cstdio>

namespace delist::sim {

namespace {

constexpr std::uint64_t kIdBase = 10000000000ULL;  // ids are this 11-digit base plus a check digit
constexpr std::time_t kWeek = 7 * 24 * 3600;

std::uint64_t mix(std::uint64_t x) {
    x += 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

std::uint64_t hash_text(const std::string& text, std::uint64_t seed) {
    std::uint64_t h = 1469598103934665603ULL ^ mix(seed);
    for (unsigned char c : text) {
        h ^= c;
        h *= 1099511628211ULL;
    }
    return mix(h);
}

int digit_sum(std::uint64_t n) {
    int sum = 0;
    for (; n > 0; n /= 10) sum += static_cast<int>(n % 10);
    return sum;
}

// The last digit tells a regular id from an out-of-stock one; any other digit is unknown.
int check_digit(std::uint64_t base, bool withheld) {
    return (digit_sum(base) + (withheld ? 5 : 0)) % 10;
}

std::string time_text(std::time_t t) {
    std::tm local{};
    localtime_r(&t, &local);
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d", local.tm_year + 1900,
                  local.tm_mon + 1, local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec);
    return buffer;
}

// Credit scores spread over every level of the credit table: [low, high] of each level.
constexpr std::array<std::array<int, 2>, 21> kLevelRanges{{
    {0, 3},
    {4, 10},
    {11, 40},
    {41, 90},
    {91, 150},
    {151, 250},
    {251, 500},
    {501, 1000},
    {1001, 2000},
    {2001, 5000},
    {5001, 10000},
    {10001, 20000},
    {20001, 50000},
    {50001, 100000},
    {100001, 200000},
    {200001, 500000},
    {500001, 1000000},
    {1000001, 2000000},
    {2000001, 5000000},
    {5000001, 10000000},
    {10000001, 20000000},
}};

const std::array<const char*, 12> kSurnames{"王", "李", "张", "刘", "陈", "杨",
                                            "黄", "赵", "吴", "周", "徐", "孙"};
const std::array<const char*, 5> kShopWords{"小美", "阿福", "星星", "云朵", "好运"};
const std::array<const char*, 12> kBrands{"森马", "七匹狼", "波司登", "李宁",
                                          "安踏", "美特斯", "太平鸟", "百丽",
                                          "骆驼", "南极人", "恒源祥", "优衣"};
const std::array<const char*, 8> kAdjectives{"新款", "韩版", "修身", "加厚",
                                             "夏季", "秋冬", "包邮", "特价"};
const std::array<const char*, 10> kNouns{"连衣裙", "T恤",  "牛仔裤", "羽绒服", "衬衫",
                                         "运动鞋", "卫衣", "外套",   "短裙",   "毛衣"};

}  // namespace

SimCatalog::SimCatalog(std::uint64_t seed, std::time_t clock_base)
    : seed_(seed), clock_base_(clock_base) {
    sellers_.reserve(kSellerCount);
    for (int i = 0; i < kSellerCount; ++i) {
        SimSeller seller;
        if (i % 5 == 0) {
            seller.nick = std::string(kBrands[i / 5]) + "旗舰店";
        } else {
            seller.nick = std::string(kSurnames[i % 12]) + kShopWords[i / 12] + "的小店";
        }
        // 8 and 21 share no factor, so the sellers cover every level.
        const auto& range = kLevelRanges[static_cast<std::size_t>((i * 8 + seed) % 21)];
        const std::uint64_t span = static_cast<std::uint64_t>(range[1] - range[0]) + 1;
        seller.good_num =
            range[0] + static_cast<int>(mix(seed * 131 + static_cast<unsigned>(i)) % span);
        sellers_.push_back(seller);
    }
}

bool SimCatalog::is_linkless_keyword(const std::string& keyword) {
    return keyword == "无货";
}

// Of the out-of-stock keyword's items only a few are withheld, so that some batches of 20 come
// back short and the others complete.
constexpr int kWithheldEvery = 50;
constexpr int kWithheldAt = 7;

std::vector<std::string> SimCatalog::keyword_ids(const std::string& keyword) const {
    const bool withheld = keyword == "缺货";
    const std::uint64_t block = kIdBase + hash_text(keyword, seed_) % 8999999ULL * 1000ULL;
    std::vector<std::string> ids;
    ids.reserve(kItemsPerKeyword);
    for (int i = 0; i < kItemsPerKeyword; ++i) {
        const std::uint64_t base = block + static_cast<std::uint64_t>(i);
        ids.push_back(
            std::to_string(base * 10 + static_cast<std::uint64_t>(check_digit(
                                           base, withheld && i % kWithheldEvery == kWithheldAt))));
    }
    return ids;
}

std::optional<SimItem> SimCatalog::item(const std::string& id) const {
    if (id.size() != 12 || id.find_first_not_of("0123456789") != std::string::npos) return {};
    const std::uint64_t number = std::stoull(id);
    const std::uint64_t base = number / 10;
    const int check = static_cast<int>(number % 10);
    SimItem item;
    if (check == check_digit(base, false)) {
        item.withheld = false;
    } else if (check == check_digit(base, true)) {
        item.withheld = true;
    } else {
        return {};
    }
    const std::uint64_t g = mix(number ^ mix(seed_));
    item.id = id;
    item.seller = static_cast<int>(g % kSellerCount);
    item.tmall =
        sellers_[static_cast<std::size_t>(item.seller)].nick.find("旗舰") != std::string::npos;
    item.sales = static_cast<int>((g >> 8) % 5001);
    const std::uint64_t cents = 100 + (g >> 22) % 99900;
    item.price = std::to_string(cents / 100) + "." + (cents % 100 < 10 ? "0" : "") +
                 std::to_string(cents % 100);
    const std::time_t delist = clock_base_ + 60 + static_cast<std::time_t>((g >> 34) % kWeek);
    item.delist_time = time_text(delist);
    item.list_time = time_text(delist - kWeek);
    const std::uint64_t t = mix(g);
    item.title =
        std::string(kAdjectives[t % kAdjectives.size()]) + kNouns[(t >> 4) % kNouns.size()];
    if ((t >> 12) % 3 == 0) item.title += " 尺码S,M,L,XL";
    if ((t >> 16) % 3 == 0) item.title += " 1/2袖";
    item.title += " 款" + id.substr(8);
    return item;
}

std::optional<int> SimCatalog::seller_by_nick(const std::string& nick) const {
    for (int i = 0; i < kSellerCount; ++i) {
        if (sellers_[static_cast<std::size_t>(i)].nick == nick) return i;
    }
    return {};
}

}  // namespace delist::sim
