#pragma once
// A loopback HTTP listener that records every request byte for byte and answers with scripted
// bytes, possibly stalling afterwards: for checking what goes over the wire.

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace delist::testing {

struct RawReply {
    std::string data;                    // sent as is
    std::chrono::milliseconds stall{0};  // then the connection stays silent this long
};

class RawServer {
  public:
    using Responder = std::function<RawReply(const std::string& request)>;

    explicit RawServer(Responder responder);
    RawServer(const RawServer&) = delete;
    RawServer& operator=(const RawServer&) = delete;
    ~RawServer();

    int port() const { return port_; }
    std::string url(const std::string& path) const;
    // Every request received so far: header block and body.
    std::vector<std::string> requests() const;

  private:
    void accept_loop();
    void serve(int client);

    Responder responder_;
    int listener_ = -1;
    int port_ = 0;
    std::atomic<bool> stopping_{false};
    mutable std::mutex mutex_;
    std::condition_variable stopped_;
    std::vector<std::string> requests_;
    std::vector<std::thread> connections_;
    std::thread acceptor_;
};

// A fixed answer with the body and extra header lines (each ending with CR LF).
RawReply http_reply(const std::string& body, const std::string& extra_headers = {},
                    const std::string& status = "200 OK");

// Received bytes as a text, zero bytes included.
inline std::string as_text(const std::vector<std::uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

// A responder that always gives the same answer.
RawServer::Responder fixed(const std::string& body, const std::string& extra_headers = {},
                           const std::string& status = "200 OK");

// The header lines of a recorded request (without the request line), in order.
std::vector<std::string> request_header_lines(const std::string& request);
std::string request_line(const std::string& request);
std::string request_body(const std::string& request);

// A port on loopback on which nothing listens.
int closed_port();

}  // namespace delist::testing
