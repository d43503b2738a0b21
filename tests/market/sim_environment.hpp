#pragma once
// The one market-sim of the market tests: started before the first test, with DELIST_* pointed
// at it, so the settings (read once) name it.

#include "market_sim.hpp"
#include "sim_catalog.hpp"

namespace delist {

sim::MarketSim& test_sim();

}  // namespace delist
