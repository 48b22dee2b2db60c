// A latency relay in front of the local Firebird server, for trying the program by hand over a slow link:
//   latency_relay <listen port> <one-way delay in ms> [server port, 3050]
// Connect with localhost/<listen port>:<database path>. Prints the messages counted each way on every Enter
// and ends at the end of its input.
#include "bench/relay/latency_relay.h"

#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <listen port> <one-way delay ms> [server port]\n", argv[0]);
        return 2;
    }
    const auto listenPort = std::uint16_t(std::atoi(argv[1]));
    const auto delay = std::chrono::milliseconds(std::atoi(argv[2]));
    const auto serverPort = std::uint16_t(argc > 3 ? std::atoi(argv[3]) : 3050);
    quelmaro::bench::LatencyRelay relay(delay, serverPort, listenPort);
    std::printf("relay on 127.0.0.1:%u to 127.0.0.1:%u, %lld ms each way\n", relay.port(), serverPort,
                static_cast<long long>(delay.count()));
    std::fflush(stdout);
    for (std::string line; std::getline(std::cin, line);) {
        const auto counts = relay.counts();
        std::printf("to server %llu, to client %llu\n", static_cast<unsigned long long>(counts.toServer),
                    static_cast<unsigned long long>(counts.toClient));
        std::fflush(stdout);
    }
    return 0;
}
