#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace quelmaro::bench {

// A TCP relay on a loopback port in front of a server on another loopback port. Every chunk that crosses it
// waits the one-way delay before it goes on, in the order it came. Counts the messages each way: a message
// is a run of chunks in one direction, so one request the client sends and waits on counts once however
// the network splits it; and the bytes. Frozen, it takes what comes and passes nothing on, as a link that
// goes silent without a reset. Connect the client to `localhost/<port()>:<path>`.
class LatencyRelay {
public:
    struct Counts {
        std::uint64_t toServer = 0; // messages
        std::uint64_t toClient = 0;
        std::uint64_t bytesToServer = 0;
        std::uint64_t bytesToClient = 0;
    };

    explicit LatencyRelay(std::chrono::milliseconds oneWay, std::uint16_t serverPort = 3050,
                          std::uint16_t listenPort = 0); // 0: any free port
    ~LatencyRelay();
    LatencyRelay(const LatencyRelay&) = delete;
    LatencyRelay& operator=(const LatencyRelay&) = delete;

    std::uint16_t port() const { return port_; }
    Counts counts() const;
    void resetCounts();
    void setFrozen(bool frozen) { frozen_ = frozen; }

    struct Link;

private:
    void acceptLoop();

    std::chrono::milliseconds delay_;
    std::uint16_t serverPort_;
    std::uint16_t port_ = 0;
    int listener_ = -1;
    std::atomic<bool> stopping_{false};
    std::atomic<std::uint64_t> toServer_{0};
    std::atomic<std::uint64_t> toClient_{0};
    std::atomic<std::uint64_t> bytesToServer_{0};
    std::atomic<std::uint64_t> bytesToClient_{0};
    std::atomic<bool> frozen_{false};
    std::mutex linksMutex_;
    std::vector<std::unique_ptr<Link>> links_;
    std::thread acceptor_;
};

} // namespace quelmaro::bench
