#pragma once

#include <QList>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace quelmaro::platform::test {

// Answers the modal windows a call under test opens, one action per window in the order they appear
// (a window shown again after another one counts again). Start it before the call; it polls from its own
// timer. Windows still open after the deadline are closed, and the test fails.
class ModalWatcher : public QObject {
public:
    using Action = std::function<void(QWidget* modal)>;
    explicit ModalWatcher(QList<Action> actions, int deadlineMs = 10000);
    ~ModalWatcher() override;
    bool done() const { return actions_.isEmpty(); }

private:
    void poll();

    QList<Action> actions_;
    QPointer<QWidget> lastAnswered_;
    QTimer timer_;
    QTimer deadline_;
};

} // namespace quelmaro::platform::test
