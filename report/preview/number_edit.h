#pragma once

#include <QLineEdit>

class QRegularExpressionValidator;

#include <optional>

namespace quelmaro {

// A line edit holding a number. What the operator types is checked against the limits and rounded to
// two decimals when it is committed (Enter or leaving the field); a value the program sets passes
// unchanged. Without the focus the value is shown through the display format ("###%" shows 110 as
// "110%"); with the focus it is shown plain for typing.
class NumberEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit NumberEdit(QWidget* parent = nullptr);

    void setLimits(double minimum, double maximum);
    void setStep(double step) { step_ = step; }
    // '#' stands for the whole part, a '.' followed by '#'s for the shown decimals; other characters
    // are shown as they are.
    void setDisplayFormat(const QString& format);

    // The current value; an empty field has none and throws ConversionError.
    double value() const;
    // A value set by the program: not limited.
    void setValue(double value);

    double minimum() const { return minimum_; }
    double maximum() const { return maximum_; }

signals:
    void valueChanged();

protected:
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void commitTyped();
    void applyOperatorValue(std::optional<double> typed);
    void showValue();
    QString formatted() const;
    // The format's characters other than the digits' places ("%" of "###%").
    QString literalText() const;

    QRegularExpressionValidator* validator_;
    std::optional<double> value_;
    double minimum_ = 0;
    double maximum_ = 0;
    double step_ = 1;
    QString displayFormat_;
};

} // namespace quelmaro
