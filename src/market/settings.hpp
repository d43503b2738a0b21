#pragma once
// The marketplace's hosts. Each defaults to the live marketplace and can be overridden from the
// environment (read when first needed): DELIST_SEARCH_HOST, DELIST_ITEM_HOST, DELIST_GATEWAY_HOST
// (host or host:port) and DELIST_NOTICE_URL (a full http:// address).

#include <functional>

#include "text/text.hpp"

namespace delist {

struct MarketSettings {
    Text search_host;   // host[:port] of the search result pages
    Text item_host;     // host[:port] of the item pages
    Text gateway_host;  // host[:port] of the Open Platform gateway
    Text notice_url;    // full address of the notice file
};

// Read from the environment once, on first use; safe from any thread.
const MarketSettings& market_settings();

// The settings a given environment lookup yields (for tests).
MarketSettings read_market_settings(const std::function<const char*(const char*)>& lookup);

}  // namespace delist
