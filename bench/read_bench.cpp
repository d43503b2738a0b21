// A 6-page keyword read (240 items) against market-sim with 50 ms latency per answer: the wall
// time with one request in flight and with the default, the requests made, and both ratios.

#include <chrono>
#include <cstdio>

#include "market/search_reader.hpp"
#include "market_sim.hpp"

namespace {

struct Run {
    double seconds = 0;
    long requests = 0;
    int rows = 0;
};

Run timed_read(delist::sim::MarketSim& sim, int in_flight) {
    delist::SearchRequest request;
    request.entry = "\xC1\xAC\xD2\xC2\xC8\xB9";  // a Chinese keyword, in GBK
    request.page_count = 6;
    request.max_in_flight = in_flight;
    int rows = 0;
    delist::SearchCallbacks callbacks;
    callbacks.row = [&rows](const delist::ItemRow&) { ++rows; };
    sim.reset_requests();
    const auto start = std::chrono::steady_clock::now();
    delist::read_search(request, callbacks);
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    return {took.count(), sim.requests(), rows};
}

}  // namespace

int main() {
    constexpr int kLatencyMs = 50;
    delist::sim::MarketSimOptions options;
    options.latency_ms = kLatencyMs;
    delist::sim::MarketSim sim(options);
    sim.export_environment();

    const Run serial = timed_read(sim, 1);
    const Run parallel = timed_read(sim, delist::SearchRequest{}.max_in_flight);
    const int in_flight = delist::SearchRequest{}.max_in_flight;
    const double ideal = parallel.requests * kLatencyMs / 1000.0 / in_flight;

    std::printf("rows read:                        %d (1 in flight), %d (default)\n", serial.rows,
                parallel.rows);
    std::printf("requests per read:                %ld\n", parallel.requests);
    std::printf("wall time, 1 request in flight:   %.2f s\n", serial.seconds);
    std::printf("wall time, %d requests in flight:  %.2f s\n", in_flight, parallel.seconds);
    std::printf("ideal (requests x %d ms / %d):     %.2f s\n", kLatencyMs, in_flight, ideal);
    std::printf("default / ideal:                  %.2f (target at most 1.25)\n",
                parallel.seconds / ideal);
    std::printf("1 in flight / default:            %.2f (target at least 6)\n",
                serial.seconds / parallel.seconds);
    return 0;
}
