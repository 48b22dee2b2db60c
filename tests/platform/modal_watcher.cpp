#include "modal_watcher.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace quelmaro::platform::test {

ModalWatcher::ModalWatcher(QList<Action> actions, int deadlineMs) : actions_(std::move(actions)) {
    connect(&timer_, &QTimer::timeout, this, &ModalWatcher::poll);
    timer_.start(10);
    deadline_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this, [this] {
        ADD_FAILURE() << actions_.size() << " modal window(s) never appeared or never closed";
        actions_.clear();
        while (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    deadline_.start(deadlineMs);
}

ModalWatcher::~ModalWatcher() {
    EXPECT_TRUE(done()) << actions_.size() << " modal window(s) expected but not seen";
}

void ModalWatcher::poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || actions_.isEmpty())
        return;
    // The window just answered may still be on its way out: wait until something else is on top.
    if (modal == lastAnswered_)
        return;
    lastAnswered_ = modal;
    // Act outside this slot: an action may open a nested modal window, and a timer does not fire again
    // while its own slot is still running.
    QTimer::singleShot(0, this, [modal = QPointer<QWidget>(modal), action = actions_.takeFirst()] {
        if (modal)
            action(modal);
    });
}

} // namespace quelmaro::platform::test
