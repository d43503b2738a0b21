#include "web/request_abort.hpp"

#include <atomic>

namespace delist {

namespace {
std::atomic<bool> aborted_flag{false};
}

void set_requests_aborted(bool aborted) {
    aborted_flag.store(aborted);
}

bool requests_aborted() {
    return aborted_flag.load();
}

}  // namespace delist
