#include "report/status_window.h"

#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace quelmaro {

StatusWindow::StatusWindow(const QString& caption, QWidget* parent)
    : QDialog(parent), statusLabel_(new QLabel(this)) {
    setObjectName(QStringLiteral("StatusWindow"));
    setWindowTitle(caption);
    // Events are processed while pages are generated; only this window may take input meanwhile, or a
    // second print could start inside the first.
    setWindowModality(Qt::ApplicationModal);
    statusLabel_->setAlignment(Qt::AlignCenter);
    statusLabel_->setMinimumWidth(240);
    auto* cancelButton = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton->setObjectName(QStringLiteral("CancelButton"));
    connect(cancelButton, &QPushButton::clicked, this, [this] { cancelled_ = true; });
    // Esc and the close box cancel as the button does.
    connect(this, &QDialog::rejected, this, [this] { cancelled_ = true; });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(statusLabel_);
    layout->addWidget(cancelButton, 0, Qt::AlignHCenter);
}

void StatusWindow::setStatus(const QString& line) {
    statusLabel_->setText(line);
    // Generation runs inside an event handler: let the window paint and its button take a click.
    QCoreApplication::processEvents();
}

QString StatusWindow::status() const {
    return statusLabel_->text();
}

} // namespace quelmaro
