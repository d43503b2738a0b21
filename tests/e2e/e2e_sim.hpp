#pragma once

#include "market_sim.hpp"
#include "sim_catalog.hpp"

namespace delist {

sim::MarketSim& e2e_sim();

}  // namespace delist
