#include "platform/messages.h"

#include "platform/qt_messages.h"
#include "platform/unattended_messages.h"

#include <QtGlobal>

#include <memory>

namespace quelmaro::platform {

namespace {

Messages* overridden = nullptr;

Messages& defaultLayer() {
    static const std::unique_ptr<Messages> layer =
        qEnvironmentVariable("QUELMARO_NO_DIALOGS") == QLatin1String("1")
            ? std::unique_ptr<Messages>(std::make_unique<UnattendedMessages>())
            : std::unique_ptr<Messages>(std::make_unique<QtMessages>());
    return *layer;
}

} // namespace

Messages& messages() {
    return overridden ? *overridden : defaultLayer();
}

MessagesOverride::MessagesOverride(Messages& layer) : previous_(overridden) {
    overridden = &layer;
}

MessagesOverride::~MessagesOverride() {
    overridden = previous_;
}

} // namespace quelmaro::platform
