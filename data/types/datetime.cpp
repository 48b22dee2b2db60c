#include "data/types/datetime.h"

#include "data/types/errors.h"

#include <QRegularExpression>

namespace quelmaro::datetime {

namespace {

QString twoDigits(int value) {
    return QStringLiteral("%1").arg(value, 2, 10, QChar(u'0'));
}

// Digits are ASCII only: \d would also accept digits of other scripts.
const QRegularExpression& datePattern() {
    static const QRegularExpression pattern(QStringLiteral("^([0-9]{4})/([0-9]{1,2})/([0-9]{1,2})$"));
    return pattern;
}

const QRegularExpression& timePattern() {
    static const QRegularExpression pattern(QStringLiteral("^([0-9]{1,2}):([0-9]{2})(?::([0-9]{2}))?$"));
    return pattern;
}

int number(const QRegularExpressionMatch& match, int group) {
    return match.captured(group).toInt(); // an absent group gives 0
}

// The date, or an invalid date when the text is not one.
QDate dateFrom(const QString& text) {
    const QRegularExpressionMatch match = datePattern().match(text);
    return match.hasMatch() ? QDate(number(match, 1), number(match, 2), number(match, 3)) : QDate();
}

QTime timeFrom(const QString& text) {
    const QRegularExpressionMatch match = timePattern().match(text);
    return match.hasMatch() ? QTime(number(match, 1), number(match, 2), number(match, 3)) : QTime();
}

} // namespace

QString formatDate(const QDate& date) {
    if (!date.isValid())
        return {};
    return QStringLiteral("%1/%2/%3")
        .arg(date.year(), 4, 10, QChar(u'0'))
        .arg(twoDigits(date.month()), twoDigits(date.day()));
}

QString formatTime(const QTime& time) {
    return time.isValid() ? formatShortTime(time) + u':' + twoDigits(time.second()) : QString();
}

QString formatShortTime(const QTime& time) {
    return time.isValid() ? twoDigits(time.hour()) + u':' + twoDigits(time.minute()) : QString();
}

QString formatDateTime(const QDateTime& when) {
    return when.isValid() ? formatDate(when.date()) + u' ' + formatTime(when.time()) : QString();
}

QDate parseDate(const QString& text) {
    const QDate date = dateFrom(text);
    if (!date.isValid())
        throw ConversionError(QStringLiteral("'%1' no es una fecha válida").arg(text));
    return date;
}

QTime parseTime(const QString& text) {
    const QTime time = timeFrom(text);
    if (!time.isValid())
        throw ConversionError(QStringLiteral("'%1' no es una hora válida").arg(text));
    return time;
}

QDateTime parseDateTime(const QString& text) {
    const qsizetype space = text.indexOf(u' ');
    const QDate date = dateFrom(text.left(space));
    const QTime time = space < 0 ? QTime(0, 0) : timeFrom(text.mid(space + 1));
    if (!date.isValid() || !time.isValid())
        throw ConversionError(QStringLiteral("'%1' no es una fecha y hora válida").arg(text));
    return QDateTime(date, time, Qt::UTC);
}

} // namespace quelmaro::datetime
