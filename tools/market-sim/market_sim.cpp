#include "market_sim.hpp"

#include <httplib.h>

#include <array>
#include <chrono>
#include <cstdlib>
#include <ctime>
#include <stdexcept>

#include "sim_catalog.hpp"
#include "sim_gateway.hpp"
#include "sim_pages.hpp"

namespace delist::sim {

namespace {

constexpr const char* kPageType = "text/html; charset=gbk";
constexpr const char* kScriptType = "text/javascript; charset=gbk";
constexpr const char* kGatewayType = "text/javascript;charset=UTF-8";

// The query part of a raw request target, without any fragment.
std::string raw_query(const std::string& target) {
    const std::size_t mark = target.find('?');
    if (mark == std::string::npos) return {};
    std::string query = target.substr(mark + 1);
    const std::size_t hash = query.find('#');
    if (hash != std::string::npos) query.resize(hash);
    return query;
}

std::string param(const httplib::Request& req, const std::string& key) {
    for (const auto& [k, v] : parse_form(raw_query(req.target))) {
        if (k == key) return v;
    }
    return {};
}

}  // namespace

struct MarketSim::State {
    State(const MarketSimOptions& options)
        : options(options), catalog(options.seed, std::time(nullptr)) {}

    MarketSimOptions options;
    SimCatalog catalog;
    httplib::Server server;
    std::array<std::atomic<long>, static_cast<std::size_t>(SimCounter::kCount)> counters{};

    void count(SimCounter counter) {
        ++counters[static_cast<std::size_t>(SimCounter::kAll)];
        ++counters[static_cast<std::size_t>(counter)];
    }
};

MarketSim::MarketSim(const MarketSimOptions& options)
    : state_(std::make_unique<State>(options)), gzip_(options.gzip) {
    httplib::Server& svr = state_->server;
    State& state = *state_;
    svr.new_task_queue = [] { return new httplib::ThreadPool(64); };
    // Stopping waits for idle keep-alive connections; keep that wait short.
    svr.set_keep_alive_timeout(1);
    // Headers and body go out in separate writes; without this, delayed ACKs stall each answer.
    svr.set_tcp_nodelay(true);

    // An uncompressed answer: httplib leaves answers from a sized content provider alone.
    auto send = [this](httplib::Response& res, std::string body, const char* type) {
        if (gzip_) {
            res.set_content(body, type);
            return;
        }
        auto shared = std::make_shared<std::string>(std::move(body));
        res.set_content_provider(
            shared->size(), type,
            [shared](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
                sink.write(shared->data() + offset, length);
                return true;
            });
    };
    auto host_of = [this](const httplib::Request& req) {
        const std::string host = req.get_header_value("Host");
        return host.empty() ? this->host() : host;
    };

    svr.set_pre_routing_handler([&state](const httplib::Request& req, httplib::Response&) {
        if (state.options.latency_ms > 0 && req.path.rfind("/stats", 0) != 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(state.options.latency_ms));
        }
        return httplib::Server::HandlerResponse::Unhandled;
    });

    svr.Get("/search",
            [&state, send, host_of](const httplib::Request& req, httplib::Response& res) {
                state.count(SimCounter::kSearch);
                const std::string offset = param(req, "s");
                const int s = offset.empty() ? 0 : std::atoi(offset.c_str());
                send(res, search_page(state.catalog, param(req, "q"), s, host_of(req)), kPageType);
            });
    svr.Get("/item.htm",
            [&state, send, host_of](const httplib::Request& req, httplib::Response& res) {
                state.count(SimCounter::kItem);
                std::string page = item_page(state.catalog, param(req, "id"), host_of(req));
                if (page.empty()) {
                    res.status = 404;
                    return;
                }
                send(res, std::move(page), kPageType);
            });
    auto info = [&state, send](const httplib::Request& req, httplib::Response& res, bool tmall) {
        state.count(SimCounter::kInfo);
        const auto item = state.catalog.item(param(req, "itemId"));
        if (!item) {
            res.status = 404;
            return;
        }
        send(res, tmall ? tmall_info_answer(*item) : shop_info_answer(*item), kScriptType);
    };
    svr.Get("/info/item",
            [info](const httplib::Request& req, httplib::Response& res) { info(req, res, false); });
    svr.Get("/tmall/init",
            [info](const httplib::Request& req, httplib::Response& res) { info(req, res, true); });
    auto gateway = [&state, send](const httplib::Request& req, httplib::Response& res) {
        state.count(SimCounter::kGateway);
        SimParams params = parse_form(raw_query(req.target));
        for (auto& pair : parse_form(req.body)) params.push_back(std::move(pair));
        send(res, gateway_answer(state.catalog, params), kGatewayType);
    };
    svr.Get("/router/rest", gateway);
    svr.Post("/router/rest", gateway);
    svr.Get("/notice.txt", [&state, send](const httplib::Request&, httplib::Response& res) {
        state.count(SimCounter::kNotice);
        send(res, notice_file(state.options.notice_status), "text/plain; charset=gbk");
    });
    svr.Get("/stats", [this](const httplib::Request&, httplib::Response& res) {
        res.set_content(std::to_string(requests()) + "\n", "text/plain");
    });
    svr.Get(R"(/stats/(\w+))", [this](const httplib::Request& req, httplib::Response& res) {
        static const std::array<const char*, 6> names{"all",  "search",  "item",
                                                      "info", "gateway", "notice"};
        const std::string name = req.matches[1];
        if (name == "reset") {
            reset_requests();
            res.set_content("0\n", "text/plain");
            return;
        }
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (name == names[i]) {
                res.set_content(std::to_string(requests(static_cast<SimCounter>(i))) + "\n",
                                "text/plain");
                return;
            }
        }
        res.status = 404;
    });

    port_ = options.port == 0 ? svr.bind_to_any_port("127.0.0.1")
                              : (svr.bind_to_port("127.0.0.1", options.port) ? options.port : -1);
    if (port_ <= 0) throw std::runtime_error("market-sim: cannot bind 127.0.0.1");
    thread_ = std::thread([&svr] { svr.listen_after_bind(); });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!svr.is_running() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

MarketSim::~MarketSim() {
    state_->server.stop();
    if (thread_.joinable()) thread_.join();
}

std::string MarketSim::host() const {
    return "127.0.0.1:" + std::to_string(port_);
}

const SimCatalog& MarketSim::catalog() const {
    return state_->catalog;
}

long MarketSim::requests(SimCounter counter) const {
    return state_->counters[static_cast<std::size_t>(counter)];
}

void MarketSim::reset_requests() {
    for (auto& counter : state_->counters) counter = 0;
}

void MarketSim::export_environment() const {
    const std::string address = host();
    setenv("DELIST_SEARCH_HOST", address.c_str(), 1);
    setenv("DELIST_ITEM_HOST", address.c_str(), 1);
    setenv("DELIST_GATEWAY_HOST", address.c_str(), 1);
    setenv("DELIST_NOTICE_URL", ("http://" + address + "/notice.txt").c_str(), 1);
}

}  // namespace delist::sim
