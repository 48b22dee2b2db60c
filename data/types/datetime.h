#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

// The process-wide date and time formats: short date "yyyy/mm/dd", long time "HH:mm:ss", short time "HH:mm".
// Formatting and parsing never depend on the machine's locale; parsing is strict and throws ConversionError.
namespace quelmaro::datetime {

QString formatDate(const QDate& date);         // "2020/01/24"
QString formatTime(const QTime& time);         // "09:05:07"
QString formatShortTime(const QTime& time);    // "09:05"
QString formatDateTime(const QDateTime& when); // "2020/01/24 09:05:07"

QDate parseDate(const QString& text);         // exactly yyyy/mm/dd, a real calendar day
QTime parseTime(const QString& text);         // "HH:mm:ss" or "HH:mm"
QDateTime parseDateTime(const QString& text); // date, optionally followed by a space and a time

} // namespace quelmaro::datetime
