#pragma once

#include <QDateEdit>
#include <QPointer>
#include <QString>

class QValidator;

namespace quelmaro {

// A date picker that the keyboard treats as one field. Tab leaves it, as Enter does through the window.
// Digits typed replace the date shown and are taken with or without "/" ("20260315", "2026/3/15"); a date
// that does not exist is refused with a message, the last good date is kept and the focus comes back.
// Alt+Down or F4 opens the calendar.
class DateField : public QDateEdit {
public:
    explicit DateField(QWidget* parent = nullptr);

    void openCalendar();

protected:
    bool focusNextPrevChild(bool next) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void type(const QString& typed);
    // Takes what was typed; false when it is no date, which has then been refused.
    bool commitTyped();

    bool typing_ = false;
    QString typed_;
    QPointer<const QValidator> validator_;
};

} // namespace quelmaro
