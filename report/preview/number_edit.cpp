#include "report/preview/number_edit.h"

#include "data/types/errors.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QRegularExpressionValidator>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace quelmaro {

namespace {

double roundToCents(double value) {
    return std::round(value * 100.0) / 100.0;
}

// The shortest plain text of a value: 110 as "110", 12.5 as "12.5".
QString plainText(double value) {
    return QString::number(value, 'g', 15);
}

} // namespace

NumberEdit::NumberEdit(QWidget* parent)
    : QLineEdit(parent), validator_(new QRegularExpressionValidator(this)) {
    setValidator(validator_);
    setDisplayFormat(QString());
}

void NumberEdit::setDisplayFormat(const QString& format) {
    displayFormat_ = format;
    // A number, and the format's own characters after it as they are shown ("110%").
    const QString number = QStringLiteral(R"(\d*\.?\d*)");
    const QString literal = QRegularExpression::escape(literalText());
    validator_->setRegularExpression(
        QRegularExpression(literal.isEmpty() ? number : number + QStringLiteral("(%1)?").arg(literal)));
}

QString NumberEdit::literalText() const {
    QString literal = displayFormat_;
    literal.remove(u'#');
    if (const qsizetype point = literal.indexOf(u'.'); point >= 0)
        literal.remove(point, 1);
    return literal;
}

void NumberEdit::setLimits(double minimum, double maximum) {
    minimum_ = minimum;
    maximum_ = maximum;
}

double NumberEdit::value() const {
    if (!value_)
        throw ConversionError(QStringLiteral("'%1' is not a valid floating point value").arg(text()));
    return *value_;
}

void NumberEdit::setValue(double value) {
    value_ = value;
    showValue();
    emit valueChanged();
}

void NumberEdit::focusInEvent(QFocusEvent* event) {
    showValue();
    QLineEdit::focusInEvent(event);
}

void NumberEdit::focusOutEvent(QFocusEvent* event) {
    // Losing the window's activation (a message box, another program) is not leaving the field.
    const bool leaves =
        event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason;
    QLineEdit::focusOutEvent(event);
    if (leaves)
        commitTyped();
    showValue();
}

void NumberEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        commitTyped();
        // The value taken is shown as it will stay, ready to be typed over.
        if (value_) {
            setText(formatted());
            selectAll();
        }
    }
    QLineEdit::keyPressEvent(event);
}

void NumberEdit::wheelEvent(QWheelEvent* event) {
    const int notches = event->angleDelta().y() / QWheelEvent::DefaultDeltasPerStep;
    if (notches == 0 || !value_)
        return QLineEdit::wheelEvent(event);
    event->accept();
    applyOperatorValue(*value_ + notches * step_);
}

void NumberEdit::commitTyped() {
    if (!isModified())
        return;
    setModified(false);
    bool ok = false;
    QString plain = text();
    if (const QString literal = literalText(); !literal.isEmpty() && plain.endsWith(literal))
        plain.chop(literal.size());
    const double typed = plain.toDouble(&ok);
    applyOperatorValue(ok ? std::optional<double>(typed) : std::nullopt);
}

void NumberEdit::applyOperatorValue(std::optional<double> typed) {
    if (typed)
        typed = roundToCents(std::clamp(*typed, minimum_, maximum_));
    value_ = typed;
    showValue();
    emit valueChanged();
}

void NumberEdit::showValue() {
    if (!value_)
        setText(QString());
    else
        setText(hasFocus() ? plainText(*value_) : formatted());
}

QString NumberEdit::formatted() const {
    const qsizetype point = displayFormat_.indexOf(u'.');
    int decimals = 0;
    if (point >= 0)
        while (point + 1 + decimals < displayFormat_.size() && displayFormat_[point + 1 + decimals] == u'#')
            ++decimals;
    return QString::number(*value_, 'f', decimals) + literalText();
}

} // namespace quelmaro
