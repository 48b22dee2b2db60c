#pragma once

#include "platform/messages.h"

namespace quelmaro::platform {

// For runs nobody watches: every message becomes one line on standard error ("INFO: text" or "ERROR: text",
// line breaks folded into spaces) and is answered OK at once; the beep is silent; every dialog is cancelled.
class UnattendedMessages : public Messages {
public:
    void information(const QString& text) override;
    void error(const QString& text) override;
    void beep() override {}
    std::optional<SaveFileChoice> saveFileName(const SaveFileRequest&) override { return std::nullopt; }
    std::optional<QString> openFileName(const OpenFileRequest&) override { return std::nullopt; }
    bool printerSetup(QPrinter&) override { return false; }
    bool print(QPrinter&, int, int) override { return false; }
};

} // namespace quelmaro::platform
