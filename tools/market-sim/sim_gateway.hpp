#pragma once
// The Open Platform gateway of the sim: checks the application key and the MD5 signature of a
// call and answers its method in the gateway's JSON form (UTF-8).

#include <string>
#include <utility>
#include <vector>

#include "sim_catalog.hpp"

namespace delist::sim {

using SimParams = std::vector<std::pair<std::string, std::string>>;  // decoded key, value

// The pairs of a form text ("k=v&k2=v2"), percent-decoded.
SimParams parse_form(const std::string& form);

// secret + every pair but "sign", sorted by key, as key then value + secret; MD5, upper hex.
std::string gateway_signature(const SimParams& params, const std::string& secret);

// The answer to one call.
std::string gateway_answer(const SimCatalog& catalog, const SimParams& params);

}  // namespace delist::sim
