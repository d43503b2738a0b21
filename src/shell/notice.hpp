#pragma once
// The notice file read at start-up: a notice and a status between fixed marker lines.

#include "text/text.hpp"

namespace delist {

struct Notice {
    Text notice;  // between "////广告开始" and "////广告结束", as "广告=" ... "&"
    Text status;  // between "////开始" and "////结束", as "状态=" ... "&"
};

Notice parse_notice(const Text& file);

}  // namespace delist
