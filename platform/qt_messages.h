#pragma once

#include "platform/messages.h"
#include "platform/unattended_messages.h"

namespace quelmaro::platform {

// Qt's modal boxes and the system's dialogs, over the active window. Without a QApplication (a program that
// never opened a window) there is nothing to show a box on: messages then go to standard error as in the
// unattended layer and dialogs are cancelled.
class QtMessages : public Messages {
public:
    void information(const QString& text) override;
    void error(const QString& text) override;
    void beep() override;
    std::optional<SaveFileChoice> saveFileName(const SaveFileRequest& request) override;
    std::optional<QString> openFileName(const OpenFileRequest& request) override;
    bool printerSetup(QPrinter& printer) override;
    bool print(QPrinter& printer, int minPage, int maxPage) override;

private:
    UnattendedMessages withoutWindows_;
};

} // namespace quelmaro::platform
