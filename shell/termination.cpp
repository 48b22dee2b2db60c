#include "shell/termination.h"

#include <QtGlobal>

#include <csignal>

namespace quelmaro::shell {

#ifdef Q_OS_UNIX

namespace {

extern "C" void endBySignal(int signal) {
    // Both calls are safe in a signal handler; the process ends as the signal's default action ends it.
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

} // namespace

void endOnTerminationSignals() {
    struct sigaction action = {};
    action.sa_handler = endBySignal;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &action, nullptr);
}

#else

void endOnTerminationSignals() {}

#endif

} // namespace quelmaro::shell
