#pragma once

#include "platform/messages.h"

#include <exception>

namespace quelmaro {

// Runs an event handler of a report window; an error it raises is shown to the operator and ends the
// handler there, so no error crosses the event loop.
template <typename Operation> void guarded(Operation&& operation) {
    try {
        operation();
    } catch (const std::exception& error) {
        platform::messages().error(QString::fromUtf8(error.what()));
    }
}

} // namespace quelmaro
