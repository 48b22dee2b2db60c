#include "shell/application.h"

#include "data/dm/guard.h"

namespace quelmaro::shell {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        dm::reportCurrentError();
        return false;
    }
}

} // namespace quelmaro::shell
