// A small HTTP server on 127.0.0.1 for tests: serves registered bodies by path, 404 for anything else, and
// counts the requests of every path. Listens on a free port from construction to destruction.
#pragma once

#include <winsock2.h>

#include <map>
#include <mutex>
#include <string>
#include <thread>

class LoopbackHttpServer {
public:
    LoopbackHttpServer();
    ~LoopbackHttpServer();
    LoopbackHttpServer(const LoopbackHttpServer&) = delete;
    LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

    // path starts with "/".
    void serve(const std::string& path, std::string body);
    void remove(const std::string& path);
    int requests(const std::string& path) const;
    // "http://127.0.0.1:<port>/"
    std::wstring baseAddress() const;

private:
    void run();
    void answer(SOCKET client);

    SOCKET listener_ = INVALID_SOCKET;
    int port_ = 0;
    mutable std::mutex mutex_;
    std::map<std::string, std::string> bodies_;
    std::map<std::string, int> requests_;
    std::thread thread_;
};
