#pragma once

#include <QList>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace quelmaro::test {

// Answers the modal windows of the given classes in the order given, one answer each, and lets any other
// modal window be (the report job's status window comes and goes by itself). Start it before the call that
// opens them. Windows still waiting after the deadline are closed and the test fails.
class ModalAnswers : public QObject {
public:
    struct Answer {
        const char* windowClass; // e.g. "quelmaro::TdtSetupForm"
        std::function<void(QWidget* window)> action;
    };
    explicit ModalAnswers(QList<Answer> answers, int deadlineMs = 20000);
    ~ModalAnswers() override;

private:
    void poll();

    QList<Answer> answers_;
    QPointer<QWidget> answered_;
    QTimer timer_;
    QTimer deadline_;
};

} // namespace quelmaro::test
