// market-sim: the local marketplace. Prints its port on the first line, then serves until killed.

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <stdexcept>
#include <string>

#include "market_sim.hpp"
#include "sim_encoding.hpp"

namespace {

int usage() {
    std::cerr << "usage: market-sim [--port N] [--latency-ms N] [--seed N] [--notice-status TEXT]"
                 " [--no-gzip]\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    delist::sim::MarketSimOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool has_value = i + 1 < argc;
        if (arg == "--no-gzip") {
            options.gzip = false;
        } else if (!has_value) {
            return usage();
        } else if (arg == "--port") {
            options.port = std::atoi(argv[++i]);
        } else if (arg == "--latency-ms") {
            options.latency_ms = std::atoi(argv[++i]);
        } else if (arg == "--seed") {
            options.seed = std::strtoull(argv[++i], nullptr, 10);
        } else if (arg == "--notice-status") {
            // Given in the terminal's UTF-8; the notice file is GBK.
            options.notice_status = delist::sim::gbk_from_utf8(argv[++i]);
        } else {
            return usage();
        }
    }

    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);  // the server threads inherit the mask

    try {
        delist::sim::MarketSim sim(options);
        std::cout << sim.port() << std::endl;
        int received = 0;
        sigwait(&signals, &received);
    } catch (const std::exception& error) {
        std::cerr << error.what() << "\n";
        return 1;
    }
    return 0;
}
