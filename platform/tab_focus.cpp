#include "platform/tab_focus.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace quelmaro::platform {

void moveFocusLikeTab(QWidget& field) {
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QApplication::sendEvent(&field, &tab);
}

void showFocusFrames(QWidget& window) {
    window.setAttribute(Qt::WA_KeyboardFocusChange);
}

} // namespace quelmaro::platform
