#include "tests/shell/modal_closer.h"

#include <QApplication>

namespace quelmaro::test {

ModalCloser::ModalCloser(int result) : result_(result) {
    connect(&timer_, &QTimer::timeout, this, &ModalCloser::poll);
    timer_.start(10);
}

void ModalCloser::poll() {
    auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (!modal || !modal->isVisible())
        return;
    closed_ << QString::fromLatin1(modal->metaObject()->className()).section(QStringLiteral("::"), -1) +
                   QStringLiteral(": ") + modal->windowTitle();
    modal->done(result_);
}

} // namespace quelmaro::test
