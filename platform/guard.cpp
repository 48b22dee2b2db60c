#include "platform/guard.h"

#include "data/types/errors.h"
#include "platform/messages.h"

#include <stdexcept>

namespace quelmaro::platform {

namespace {

UnhandledErrorHandler installed;

void report(const std::exception& error) {
    if (installed)
        installed(error);
    else // nothing installed yet: the operator still learns of it
        platform::messages().error(QString::fromUtf8(error.what()));
}

} // namespace

UnhandledErrorScope::UnhandledErrorScope(UnhandledErrorHandler handler) : previous_(std::move(installed)) {
    installed = std::move(handler);
}

UnhandledErrorScope::~UnhandledErrorScope() {
    installed = std::move(previous_);
}

void reportCurrentError() {
    try {
        throw;
    } catch (const OperationAborted&) {
        // already reported where it happened
    } catch (const std::exception& error) {
        report(error);
    } catch (...) {
        report(std::runtime_error("Error desconocido"));
    }
}

bool guarded(const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (...) {
        reportCurrentError();
        return false;
    }
}

} // namespace quelmaro::platform
