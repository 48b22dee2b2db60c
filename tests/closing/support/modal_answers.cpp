#include "tests/closing/support/modal_answers.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace quelmaro::test {

ModalAnswers::ModalAnswers(QList<Answer> answers, int deadlineMs) : answers_(std::move(answers)) {
    connect(&timer_, &QTimer::timeout, this, &ModalAnswers::poll);
    timer_.start(10);
    deadline_.setSingleShot(true);
    connect(&deadline_, &QTimer::timeout, this, [this] {
        ADD_FAILURE() << answers_.size() << " modal window(s) never appeared or never closed";
        answers_.clear();
        while (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    deadline_.start(deadlineMs);
}

ModalAnswers::~ModalAnswers() {
    EXPECT_TRUE(answers_.isEmpty()) << answers_.size() << " modal window(s) expected but not seen, the first "
                                    << answers_.front().windowClass;
}

void ModalAnswers::poll() {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || answers_.isEmpty() || modal == answered_ ||
        qstrcmp(modal->metaObject()->className(), answers_.front().windowClass) != 0)
        return;
    answered_ = modal;
    // Acted on outside this slot: the action may open a nested modal window, and a timer does not fire again
    // while its own slot runs.
    QTimer::singleShot(0, this, [modal = QPointer<QWidget>(modal), action = answers_.takeFirst().action] {
        if (modal)
            action(modal);
    });
}

} // namespace quelmaro::test
