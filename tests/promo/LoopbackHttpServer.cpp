#include "LoopbackHttpServer.h"

#include <ws2tcpip.h>

#include <algorithm>
#include <stdexcept>

namespace {

struct WinsockSession {
    WinsockSession() {
        WSADATA data;
        if (WSAStartup(MAKEWORD(2, 2), &data) != 0) throw std::runtime_error("WSAStartup failed");
    }
    ~WinsockSession() { WSACleanup(); }
};

// Sends what it can; returns the number of bytes sent (fewer when the client went away).
std::size_t sendAll(SOCKET s, const char* data, std::size_t size) {
    std::size_t sent = 0;
    while (sent < size) {
        const int n = send(s, data + sent, static_cast<int>(size - sent), 0);
        if (n <= 0) break;
        sent += static_cast<std::size_t>(n);
    }
    return sent;
}

}  // namespace

LoopbackHttpServer::LoopbackHttpServer() {
    static WinsockSession session;
    Socket listener(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    if (!listener.valid()) throw std::runtime_error("socket failed");
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;  // a free port
    int len = sizeof addr;
    if (bind(listener.get(), reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 || listen(listener.get(), 8) != 0 ||
        getsockname(listener.get(), reinterpret_cast<sockaddr*>(&addr), &len) != 0)
        throw std::runtime_error("cannot listen on 127.0.0.1");
    port_ = ntohs(addr.sin_port);
    listener_.reset(listener.release());
    thread_ = std::thread([this, l = listener_.get()] { run(l); });
}

LoopbackHttpServer::~LoopbackHttpServer() {
    listener_.close();  // ends the accept loop
    thread_.join();
}

void LoopbackHttpServer::serve(const std::string& path, std::string body, Pacing pacing) {
    std::lock_guard lock(mutex_);
    bodies_[path] = {std::move(body), pacing};
}

void LoopbackHttpServer::remove(const std::string& path) {
    std::lock_guard lock(mutex_);
    bodies_.erase(path);
}

int LoopbackHttpServer::requests(const std::string& path) const {
    std::lock_guard lock(mutex_);
    const auto it = requests_.find(path);
    return it == requests_.end() ? 0 : it->second;
}

std::size_t LoopbackHttpServer::bodyBytesSent(const std::string& path) const {
    std::lock_guard lock(mutex_);
    const auto it = sent_.find(path);
    return it == sent_.end() ? 0 : it->second;
}

std::wstring LoopbackHttpServer::baseAddress() const { return L"http://127.0.0.1:" + std::to_wstring(port_) + L"/"; }

void LoopbackHttpServer::run(SOCKET listener) {
    for (;;) {
        const Socket client(accept(listener, nullptr, nullptr));
        if (!client.valid()) return;
        answer(client.get());
        shutdown(client.get(), SD_SEND);
    }
}

void LoopbackHttpServer::answer(SOCKET client) {
    std::string request;
    char buf[1024];
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < 16384) {
        const int n = recv(client, buf, sizeof buf, 0);
        if (n <= 0) return;
        request.append(buf, static_cast<std::size_t>(n));
    }
    // "GET /path HTTP/1.1"
    const std::size_t sp1 = request.find(' ');
    const std::size_t sp2 = sp1 == std::string::npos ? sp1 : request.find(' ', sp1 + 1);
    if (sp2 == std::string::npos) return;
    const std::string method = request.substr(0, sp1);
    const std::string path = request.substr(sp1 + 1, sp2 - sp1 - 1);

    std::string status = "404 Not Found", body = "not found";
    Pacing pacing;
    {
        std::lock_guard lock(mutex_);
        ++requests_[path];
        const auto it = bodies_.find(path);
        if (it != bodies_.end()) {
            status = "200 OK";
            body = it->second.body;
            pacing = it->second.pacing;
        }
    }
    std::string head = "HTTP/1.1 " + status + "\r\nContent-Type: application/octet-stream\r\n";
    if (pacing.announceLength) head += "Content-Length: " + std::to_string(body.size()) + "\r\n";
    head += "Cache-Control: no-cache, no-store\r\nPragma: no-cache\r\nConnection: close\r\n\r\n";
    if (sendAll(client, head.data(), head.size()) < head.size() || method == "HEAD") return;
    for (std::size_t at = 0; at < body.size();) {
        const std::size_t n = std::min(pacing.chunk, body.size() - at);
        const std::size_t sent = sendAll(client, body.data() + at, n);
        {
            std::lock_guard lock(mutex_);
            sent_[path] += sent;
        }
        if (sent < n) return;  // the client gave up
        at += n;
        if (pacing.pauseMs > 0 && at < body.size()) Sleep(static_cast<DWORD>(pacing.pauseMs));
    }
}
