#pragma once

#include <QDialog>

class QLabel;

namespace quelmaro {

// Shown while pages are generated: a centred status line and a "Cancel" button.
class StatusWindow : public QDialog {
    Q_OBJECT
public:
    explicit StatusWindow(const QString& caption, QWidget* parent = nullptr);

    // Shows the line at once.
    void setStatus(const QString& line);
    QString status() const;
    bool cancelled() const { return cancelled_; }

private:
    QLabel* statusLabel_;
    bool cancelled_ = false;
};

} // namespace quelmaro
