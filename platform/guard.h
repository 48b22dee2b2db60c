#pragma once

#include <exception>
#include <functional>

// C++ errors must never cross Qt's event loop: every handler the operator can trigger runs inside guarded(),
// which hands whatever escapes it to the program's handler of unhandled errors (the data module installs
// its own) and ends the handler there.
namespace quelmaro::platform {

using UnhandledErrorHandler = std::function<void(const std::exception& error)>;

// Makes `handler` the one every escaping error goes to, for the lifetime of this object; the previous one
// comes back afterwards.
class UnhandledErrorScope {
public:
    explicit UnhandledErrorScope(UnhandledErrorHandler handler);
    ~UnhandledErrorScope();
    UnhandledErrorScope(const UnhandledErrorScope&) = delete;
    UnhandledErrorScope& operator=(const UnhandledErrorScope&) = delete;

private:
    UnhandledErrorHandler previous_;
};

// Runs `handler`; an OperationAborted ends it silently, any other error goes to the unhandled-error handler.
// True when the handler ran to its end.
bool guarded(const std::function<void()>& handler);

// For a catch (...) block: reports the error being handled as guarded() does.
void reportCurrentError();

} // namespace quelmaro::platform
