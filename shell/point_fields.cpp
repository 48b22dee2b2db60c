#include "shell/point_fields.h"

#include "platform/messages.h"

#include <QApplication>
#include <QFocusEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QTimer>

namespace quelmaro::shell {

namespace {

// As wide as the fields show and as the transmission's widest range, "999999".
constexpr int kDigits = 6;

} // namespace

PointRangeFields::PointRangeFields(QLineEdit& first, QLineEdit& last, QObject* parent)
    : QObject(parent), first_(first), last_(last) {
    for (QLineEdit* field : {&first_, &last_}) {
        field->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(kDigits)), field));
        field->installEventFilter(this);
    }
}

bool PointRangeFields::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        // Losing the window's activation (a message box, another program) or opening a popup is no leaving.
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            checkLeft(watched == &first_ ? first_ : last_);
    }
    return QObject::eventFilter(watched, event);
}

void PointRangeFields::checkLeft(QLineEdit& left) {
    // The application already names the control the focus goes to.
    QWidget* next = QApplication::focusWidget();
    if (next == &first_ || next == &last_ || first_.text().isEmpty() || last_.text().isEmpty())
        return;
    if (last_.text().toInt() >= first_.text().toInt())
        return;
    platform::messages().error(QStringLiteral("El último punto de venta (%1) es menor que el primero (%2).")
                                   .arg(last_.text(), first_.text()));
    // Once the focus has arrived where it was going.
    QTimer::singleShot(0, &left, [&left] {
        left.setFocus(Qt::OtherFocusReason);
        left.selectAll();
    });
}

} // namespace quelmaro::shell
