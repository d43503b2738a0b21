#pragma once
// A process-wide switch that ends every request in flight, and every later one, at once (as a
// failed read does). The program throws it when it closes during a read.

namespace delist {

void set_requests_aborted(bool aborted);
bool requests_aborted();

}  // namespace delist
