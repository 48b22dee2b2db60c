#pragma once

#include <QDialog>
#include <QStringList>
#include <QTimer>

namespace quelmaro::test {

// Closes every modal window that opens while it exists, with `result`, and notes each one as
// "<class>: <caption>". A test never waits on a modal window.
class ModalCloser : public QObject {
public:
    explicit ModalCloser(int result = QDialog::Rejected);
    const QStringList& closed() const { return closed_; }

private:
    void poll();

    int result_;
    QStringList closed_;
    QTimer timer_;
};

} // namespace quelmaro::test
