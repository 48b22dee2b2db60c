#include "shell/date_field.h"

#include "data/dm/formats.h"
#include "platform/messages.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTimer>
#include <QValidator>

namespace quelmaro {

namespace {

// "yyyy/m/d" with separators, or the eight digits "yyyymmdd" without them; any other text is no date.
QDate parseTyped(const QString& text) {
    const QStringList parts = text.split(u'/');
    if (parts.size() == 1 && text.size() == 8)
        return parseTyped(text.left(4) + u'/' + text.mid(4, 2) + u'/' + text.right(2));
    if (parts.size() != 3 || parts[0].size() != 4 || parts[1].isEmpty() || parts[1].size() > 2 ||
        parts[2].isEmpty() || parts[2].size() > 2)
        return {};
    return QDate(parts[0].toInt(), parts[1].toInt(), parts[2].toInt());
}

// Digits typed without separators are shown with them, as the date will read.
QString shown(const QString& typed) {
    if (typed.contains(u'/'))
        return typed;
    QString text = typed.left(4);
    if (typed.size() > 4)
        text += u'/' + typed.mid(4, 2);
    if (typed.size() > 6)
        text += u'/' + typed.mid(6);
    return text;
}

bool leavesTheField(Qt::FocusReason reason) {
    // Losing the window's activation (a message box, another program) or opening a popup is no leaving.
    return reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
}

} // namespace

DateField::DateField(QWidget* parent) : QDateEdit(parent) {
    setCalendarPopup(true);
    setDisplayFormat(formats::qtShortDateFormat());
    // The date changes when a typed one is taken, not at every digit.
    setKeyboardTracking(false);
}

bool DateField::focusNextPrevChild(bool next) {
    // Tab leaves the field instead of walking its year, month and day.
    return QWidget::focusNextPrevChild(next);
}

void DateField::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers held = event->modifiers() & (Qt::ControlModifier | Qt::AltModifier);
    if ((event->key() == Qt::Key_F4 && held == Qt::NoModifier) ||
        (event->key() == Qt::Key_Down && held == Qt::AltModifier)) {
        openCalendar();
        return;
    }
    const QString text = event->text();
    const bool character = held == Qt::NoModifier && text.size() == 1;
    if (character && (text[0].isDigit() || text[0] == u'/')) {
        type((typing_ ? typed_ : QString()) + text);
        return;
    }
    if (typing_ && event->key() == Qt::Key_Backspace) {
        type(typed_.chopped(qMin<qsizetype>(1, typed_.size())));
        return;
    }
    if (character && text[0].isPrint())
        return; // nothing else belongs in a date
    commitTyped();
    QDateEdit::keyPressEvent(event);
}

void DateField::type(const QString& typed) {
    if (!typing_) {
        // The picker's own checks would take the text apart section by section while it is typed.
        validator_ = lineEdit()->validator();
        lineEdit()->setValidator(nullptr);
        typing_ = true;
    }
    typed_ = typed.left(10);
    lineEdit()->setText(shown(typed_));
}

bool DateField::commitTyped() {
    if (!typing_)
        return true;
    typing_ = false;
    const QString text = lineEdit()->text();
    const QDate typed = parseTyped(typed_);
    lineEdit()->setValidator(validator_);
    lineEdit()->setText(textFromDateTime(date().startOfDay()));
    if (typed.isValid() && typed >= minimumDate() && typed <= maximumDate()) {
        setDate(typed);
        return true;
    }
    platform::messages().error(QStringLiteral("La fecha %1 no es válida.").arg(text));
    return false;
}

void DateField::focusOutEvent(QFocusEvent* event) {
    if (leavesTheField(event->reason()) && !commitTyped())
        QTimer::singleShot(0, this, [this] {
            setFocus(Qt::OtherFocusReason);
            selectAll();
        });
    QDateEdit::focusOutEvent(event);
}

void DateField::openCalendar() {
    commitTyped();
    // The calendar opens where the mouse opens it: on the arrow at the right end.
    const QPointF arrow(width() - 4, height() / 2.0);
    QMouseEvent press(QEvent::MouseButtonPress, arrow, mapToGlobal(arrow), Qt::LeftButton, Qt::LeftButton,
                      Qt::NoModifier);
    mousePressEvent(&press);
    QMouseEvent release(QEvent::MouseButtonRelease, arrow, mapToGlobal(arrow), Qt::LeftButton, Qt::NoButton,
                        Qt::NoModifier);
    mouseReleaseEvent(&release);
}

} // namespace quelmaro
