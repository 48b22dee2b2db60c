#pragma once

#include "data/types/fixed.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

// The number, currency, date and time formats of the whole program. Every date, time and number the program
// formats or parses goes through the settings in force, never through the machine's regional settings; only
// the names of days and months (and the currency symbol) still come from the system locale.
namespace quelmaro::formats {

struct Settings {
    int currencyFormat = 0;         // symbol before a positive amount, no space
    int negativeCurrencyFormat = 1; // minus sign, symbol, amount
    QChar thousandSeparator = u',';
    QChar decimalSeparator = u'.';
    int currencyDecimals = 2;
    QChar dateSeparator = u'/';
    QString shortDateFormat = QStringLiteral("yyyy/mm/dd");
    QString longDateFormat = QStringLiteral("dddd, MMMM dd, yyyy");
    QChar timeSeparator = u':';
    QString shortTimeFormat = QStringLiteral("HH:mm");
    QString longTimeFormat = QStringLiteral("HH:mm:ss");

    bool operator==(const Settings&) const = default;
};

// The program's own eleven values; the program starts with them in force and sets them again at start-up.
Settings programSettings();
const Settings& settings();
void setSettings(const Settings& settings);

// A date and time written with a pattern, letters in either case: d dd (day), dddd (day name), m mm (month),
// mmmm (month name), yy yyyy (year), h hh (hour), n nn (minute; m and mm right after an hour are minutes
// too), s ss (second). "/" and ":" give the date and time separators; text in single or double quotes is
// copied. Three or more d or m letters give the full name.
QString formatDateTime(const QString& pattern, const QDateTime& when);

QString shortDate(const QDate& date); // "2020/01/24"; "" for an invalid date
QString longTime(const QTime& time);  // "09:05:07"; "" for an invalid time

// A date written in the short date format, the month and day with one or two digits. Throws
// ConversionError naming the text when it is not a real calendar day.
QDate parseShortDate(const QString& text);

// `value` with `decimals` places, the thousand and decimal separators in force, rounded half to even.
QString number(Fixed value, int decimals);

// The short date format in the notation of Qt's date editors ("yyyy/MM/dd").
QString qtShortDateFormat();

} // namespace quelmaro::formats
