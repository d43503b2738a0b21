#pragma once
// market-sim in-process: a loopback marketplace on its own threads, for tests, benchmarks and
// the command-line tool.

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <thread>

namespace delist::sim {

class SimCatalog;

struct MarketSimOptions {
    int port = 0;                            // 0 picks a free port
    int latency_ms = 0;                      // delay before every answer
    std::uint64_t seed = 1;                  // the data follow from keyword and seed
    std::string notice_status = "\xD5\xE6";  // GBK for the default status, which shows nothing
    bool gzip = true;                        // compress answers whose request accepts gzip
};

// What /stats counts, one counter each; kAll is every request.
enum class SimCounter { kAll, kSearch, kItem, kInfo, kGateway, kNotice, kCount };

class MarketSim {
  public:
    // Binds 127.0.0.1 and serves until destroyed. Throws std::runtime_error when it cannot bind.
    explicit MarketSim(const MarketSimOptions& options = {});
    ~MarketSim();
    MarketSim(const MarketSim&) = delete;
    MarketSim& operator=(const MarketSim&) = delete;

    int port() const { return port_; }
    std::string host() const;  // "127.0.0.1:<port>"

    // The data this sim serves, for checking what a client read.
    const SimCatalog& catalog() const;

    long requests(SimCounter counter = SimCounter::kAll) const;
    void reset_requests();
    // Switched off, every answer goes out uncompressed whatever the request accepts.
    void set_gzip(bool gzip) { gzip_ = gzip; }

    // Points DELIST_SEARCH_HOST, DELIST_ITEM_HOST, DELIST_GATEWAY_HOST and DELIST_NOTICE_URL at
    // this sim (setenv; call before the program's settings are first read).
    void export_environment() const;

  private:
    struct State;
    std::unique_ptr<State> state_;
    std::atomic<bool> gzip_;
    int port_ = 0;
    std::thread thread_;
};

}  // namespace delist::sim
