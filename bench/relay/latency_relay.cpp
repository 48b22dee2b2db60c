#include "bench/relay/latency_relay.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <deque>
#include <stdexcept>
#include <string>

namespace quelmaro::bench {

namespace {

using Clock = std::chrono::steady_clock;

enum Direction { kToServer = 0, kToClient = 1, kNone = 2 };

sockaddr_in loopback(std::uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

// Small requests go out at once instead of waiting for more to send with them.
void noDelay(int socket) {
    const int on = 1;
    setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

bool sendAll(int socket, const std::string& data) {
    std::size_t sent = 0;
    while (sent < data.size()) {
        const ssize_t n = ::send(socket, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        sent += std::size_t(n);
    }
    return true;
}

} // namespace

// One direction of a link: a reader stamps each chunk with the time it may leave, a writer sends it then.
struct Pipe {
    int from = -1;
    int to = -1;
    Direction direction = kNone;
    std::mutex mutex;
    std::condition_variable ready;
    std::deque<std::pair<Clock::time_point, std::string>> chunks;
    bool ended = false;
    std::thread reader;
    std::thread writer;
};

struct LatencyRelay::Link {
    int client = -1;
    int server = -1;
    std::atomic<int> lastDirection{kNone};
    const std::atomic<bool>* frozen = nullptr;
    std::atomic<bool> closing{false};
    Pipe pipes[2];

    ~Link() {
        closing = true;
        shutdownBoth();
        for (Pipe& pipe : pipes) {
            if (pipe.reader.joinable())
                pipe.reader.join();
            if (pipe.writer.joinable())
                pipe.writer.join();
        }
        ::close(client);
        ::close(server);
    }
    void shutdownBoth() {
        ::shutdown(client, SHUT_RDWR);
        ::shutdown(server, SHUT_RDWR);
    }
};

namespace {

void readLoop(LatencyRelay::Link& link, Pipe& pipe, std::chrono::milliseconds delay,
              std::atomic<std::uint64_t>& messages, std::atomic<std::uint64_t>& bytes) {
    std::string buffer(64 * 1024, '\0');
    for (;;) {
        const ssize_t n = ::recv(pipe.from, buffer.data(), buffer.size(), 0);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            break;
        if (link.lastDirection.exchange(pipe.direction) != pipe.direction)
            ++messages;
        bytes += std::uint64_t(n);
        {
            const std::lock_guard lock(pipe.mutex);
            pipe.chunks.emplace_back(Clock::now() + delay, buffer.substr(0, std::size_t(n)));
        }
        pipe.ready.notify_one();
    }
    {
        const std::lock_guard lock(pipe.mutex);
        pipe.ended = true;
    }
    pipe.ready.notify_one();
}

void writeLoop(LatencyRelay::Link& link, Pipe& pipe) {
    for (;;) {
        std::unique_lock lock(pipe.mutex);
        pipe.ready.wait(lock, [&] { return pipe.ended || !pipe.chunks.empty(); });
        if (pipe.chunks.empty())
            break; // ended, and everything it read has gone on
        auto [due, data] = std::move(pipe.chunks.front());
        pipe.chunks.pop_front();
        lock.unlock();
        std::this_thread::sleep_until(due);
        while (*link.frozen && !link.closing)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        if (!sendAll(pipe.to, data)) {
            link.shutdownBoth();
            return;
        }
    }
    ::shutdown(pipe.to, SHUT_WR);
}

} // namespace

LatencyRelay::LatencyRelay(std::chrono::milliseconds oneWay, std::uint16_t serverPort,
                           std::uint16_t listenPort)
    : delay_(oneWay), serverPort_(serverPort) {
    listener_ = ::socket(AF_INET, SOCK_STREAM, 0);
    const int on = 1;
    setsockopt(listener_, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    sockaddr_in address = loopback(listenPort);
    socklen_t length = sizeof address;
    if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::listen(listener_, 16) != 0 ||
        ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        if (listener_ >= 0)
            ::close(listener_);
        throw std::runtime_error("the relay cannot listen on the loopback port");
    }
    port_ = ntohs(address.sin_port);
    acceptor_ = std::thread([this] { acceptLoop(); });
}

LatencyRelay::~LatencyRelay() {
    stopping_ = true;
    ::shutdown(listener_, SHUT_RDWR); // wakes the accept
    acceptor_.join();
    ::close(listener_);
    const std::lock_guard lock(linksMutex_);
    links_.clear();
}

LatencyRelay::Counts LatencyRelay::counts() const {
    return {toServer_.load(), toClient_.load(), bytesToServer_.load(), bytesToClient_.load()};
}

void LatencyRelay::resetCounts() {
    toServer_ = 0;
    toClient_ = 0;
    bytesToServer_ = 0;
    bytesToClient_ = 0;
}

void LatencyRelay::acceptLoop() {
    while (!stopping_) {
        const int client = ::accept(listener_, nullptr, nullptr);
        if (client < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            return; // the listener was shut down
        }
        const int server = ::socket(AF_INET, SOCK_STREAM, 0);
        const sockaddr_in address = loopback(serverPort_);
        if (server < 0 ||
            ::connect(server, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
            ::close(client);
            if (server >= 0)
                ::close(server);
            continue;
        }
        noDelay(client);
        noDelay(server);
        auto link = std::make_unique<Link>();
        link->client = client;
        link->server = server;
        link->frozen = &frozen_;
        Link& started = *link;
        const std::pair<int, int> ends[2] = {{client, server}, {server, client}};
        std::atomic<std::uint64_t>* counters[2] = {&toServer_, &toClient_};
        std::atomic<std::uint64_t>* byteCounters[2] = {&bytesToServer_, &bytesToClient_};
        for (int direction : {kToServer, kToClient}) {
            Pipe& pipe = started.pipes[direction];
            pipe.from = ends[direction].first;
            pipe.to = ends[direction].second;
            pipe.direction = Direction(direction);
            std::atomic<std::uint64_t>& messages = *counters[direction];
            std::atomic<std::uint64_t>& bytes = *byteCounters[direction];
            pipe.reader = std::thread([&started, &pipe, &messages, &bytes, this] {
                readLoop(started, pipe, delay_, messages, bytes);
            });
            pipe.writer = std::thread([&started, &pipe] { writeLoop(started, pipe); });
        }
        const std::lock_guard lock(linksMutex_);
        links_.push_back(std::move(link));
    }
}

} // namespace quelmaro::bench
