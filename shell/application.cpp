#include "shell/application.h"

#include "platform/guard.h"

namespace quelmaro::shell {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        platform::reportCurrentError();
        return false;
    }
}

} // namespace quelmaro::shell
