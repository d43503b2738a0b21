#include "market/settings.hpp"

#include <cstdlib>

namespace delist {

namespace {

Text setting(const std::function<const char*(const char*)>& lookup, const char* name,
             const char* fallback) {
    const char* value = lookup(name);
    return value != nullptr && *value != '\0' ? Text(value) : Text(fallback);
}

}  // namespace

MarketSettings read_market_settings(const std::function<const char*(const char*)>& lookup) {
    MarketSettings settings;
    settings.search_host = setting(lookup, "DELIST_SEARCH_HOST", "s.taobao.com");
    settings.item_host = setting(lookup, "DELIST_ITEM_HOST", "item.taobao.com");
    settings.gateway_host = setting(lookup, "DELIST_GATEWAY_HOST", "gw.api.taobao.com");
    settings.notice_url = setting(lookup, "DELIST_NOTICE_URL", "http://www.tovik.com/notice.txt");
    return settings;
}

const MarketSettings& market_settings() {
    static const MarketSettings settings =
        read_market_settings([](const char* name) { return std::getenv(name); });
    return settings;
}

}  // namespace delist
