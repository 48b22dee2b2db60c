#include "shell/application.h"

#include "platform/guard.h"
#include "platform/program_look.h"

namespace quelmaro::shell {

Application::Application(int& argc, char** argv) : QApplication(argc, argv) {
    platform::useProgramLook();
}

bool Application::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        platform::reportCurrentError();
        return false;
    }
}

} // namespace quelmaro::shell
