// A small HTTP server on 127.0.0.1 for tests: serves registered bodies by path, 404 for anything else, and
// counts the requests of every path. Listens on a free port from construction to destruction.
#pragma once

#include <winsock2.h>

#include <map>
#include <mutex>
#include <string>
#include <thread>

// Owns one socket.
class Socket {
public:
    explicit Socket(SOCKET s = INVALID_SOCKET) : s_(s) {}
    ~Socket() { close(); }
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;
    SOCKET get() const { return s_; }
    bool valid() const { return s_ != INVALID_SOCKET; }
    SOCKET release() {
        const SOCKET s = s_;
        s_ = INVALID_SOCKET;
        return s;
    }
    void reset(SOCKET s) {
        close();
        s_ = s;
    }
    void close() {
        if (valid()) closesocket(s_);
        s_ = INVALID_SOCKET;
    }

private:
    SOCKET s_;
};

class LoopbackHttpServer {
public:
    LoopbackHttpServer();
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    // How a body is sent: all at once with its length announced, or in chunks with a pause after each and no
    // length (the client learns the size only at the end).
    struct Pacing {
        bool announceLength = true;
        std::size_t chunk = 64 * 1024;
        int pauseMs = 0;
    };
    // path starts with "/".
    void serve(const std::string& path, std::string body, Pacing pacing);
    void serve(const std::string& path, std::string body) { serve(path, std::move(body), Pacing()); }
    void remove(const std::string& path);
    int requests(const std::string& path) const;
    // Bytes of body sent for the path so far, over all its requests (what the client accepted into its socket).
    std::size_t bodyBytesSent(const std::string& path) const;
    // "http://127.0.0.1:<port>/"
    std::wstring baseAddress() const;

private:
    void run(SOCKET listener);  // the accept loop; ends when the listener is closed
    void answer(SOCKET client);

    Socket listener_;
    int port_ = 0;
    mutable std::mutex mutex_;
    struct Resource {
        std::string body;
        Pacing pacing;
    };
    std::map<std::string, Resource> bodies_;
    std::map<std::string, std::size_t> sent_;
    std::map<std::string, int> requests_;
    std::thread thread_;
};
