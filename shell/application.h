#pragma once

#include <QApplication>

namespace quelmaro::shell {

// The program's application object, with the look all its windows share. Errors must not cross Qt's event
// loop: every handler runs inside the data module's guard, and whatever still escapes an event's delivery is
// reported here the same way.
class Application : public QApplication {
    Q_OBJECT
public:
    Application(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace quelmaro::shell
