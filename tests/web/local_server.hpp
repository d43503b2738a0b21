#pragma once
// A cpp-httplib server on loopback, running on its own thread for the life of the object.

#include <httplib.h>

#include <string>
#include <thread>

namespace delist::testing {

class LocalServer {
  public:
    httplib::Server server;

    // Call after the handlers are registered.
    void start() {
        port_ = server.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server.listen_after_bind(); });
        for (int i = 0; i < 400 && !server.is_running(); ++i) {
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
    }
    ~LocalServer() {
        server.stop();
        if (thread_.joinable()) thread_.join();
    }

    int port() const { return port_; }
    std::string url(const std::string& path) const {
        return "http://127.0.0.1:" + std::to_string(port_) + path;
    }

  private:
    int port_ = 0;
    std::thread thread_;
};

}  // namespace delist::testing
