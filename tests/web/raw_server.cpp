#include "raw_server.hpp"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

namespace delist::testing {

namespace {

int bound_socket(int& port) {
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) throw std::runtime_error("socket");
    const int one = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = 0;
    if (bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
        close(fd);
        throw std::runtime_error("bind");
    }
    socklen_t length = sizeof address;
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    port = ntohs(address.sin_port);
    return fd;
}

// Reads until the header block and the body its Content-Length names are in, the peer closes,
// or two seconds pass without a byte.
std::string read_request(int client) {
    std::string request;
    char buffer[4096];
    for (;;) {
        const size_t end = request.find("\r\n\r\n");
        if (end != std::string::npos) {
            size_t body_length = 0;
            const size_t at = request.find("\r\nContent-Length: ");
            if (at != std::string::npos && at < end) {
                body_length = std::strtoul(request.c_str() + at + 18, nullptr, 10);
            }
            if (request.size() >= end + 4 + body_length) return request;
        }
        pollfd waiting{client, POLLIN, 0};
        if (poll(&waiting, 1, 2000) <= 0) return request;
        const ssize_t n = recv(client, buffer, sizeof buffer, 0);
        if (n <= 0) return request;
        request.append(buffer, static_cast<size_t>(n));
    }
}

}  // namespace

RawServer::RawServer(Responder responder) : responder_(std::move(responder)) {
    listener_ = bound_socket(port_);
    listen(listener_, 16);
    acceptor_ = std::thread([this] { accept_loop(); });
}

RawServer::~RawServer() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    stopped_.notify_all();
    acceptor_.join();
    for (auto& connection : connections_) connection.join();
    close(listener_);
}

std::string RawServer::url(const std::string& path) const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::vector<std::string> RawServer::requests() const {
    std::lock_guard lock(mutex_);
    return requests_;
}

void RawServer::accept_loop() {
    while (!stopping_) {
        pollfd waiting{listener_, POLLIN, 0};
        if (poll(&waiting, 1, 50) <= 0) continue;
        const int client = accept(listener_, nullptr, nullptr);
        if (client < 0) continue;
        connections_.emplace_back([this, client] { serve(client); });
    }
}

void RawServer::serve(int client) {
    const std::string request = read_request(client);
    if (!request.empty()) {
        {
            std::lock_guard lock(mutex_);
            requests_.push_back(request);
        }
        const RawReply reply = responder_(request);
        send(client, reply.data.data(), reply.data.size(), MSG_NOSIGNAL);
        std::unique_lock lock(mutex_);
        stopped_.wait_for(lock, reply.stall, [this] { return stopping_.load(); });
    }
    close(client);
}

RawReply http_reply(const std::string& body, const std::string& extra_headers,
                    const std::string& status) {
    return {"HTTP/1.1 " + status + "\r\nContent-Length: " + std::to_string(body.size()) +
                "\r\nConnection: close\r\n" + extra_headers + "\r\n" + body,
            std::chrono::milliseconds{0}};
}

std::vector<std::string> request_header_lines(const std::string& request) {
    std::vector<std::string> lines;
    const size_t end = request.find("\r\n\r\n");
    size_t at = request.find("\r\n");
    while (at != std::string::npos && at < end) {
        const size_t next = request.find("\r\n", at + 2);
        lines.push_back(request.substr(at + 2, next - at - 2));
        at = next;
    }
    return lines;
}

std::string request_line(const std::string& request) {
    return request.substr(0, request.find("\r\n"));
}

std::string request_body(const std::string& request) {
    const size_t end = request.find("\r\n\r\n");
    return end == std::string::npos ? std::string{} : request.substr(end + 4);
}

int closed_port() {
    int port = 0;
    close(bound_socket(port));
    return port;
}

RawServer::Responder fixed(const std::string& body, const std::string& extra_headers,
                           const std::string& status) {
    return [=](const std::string&) { return http_reply(body, extra_headers, status); };
}

}  // namespace delist::testing
