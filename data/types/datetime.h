#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

// The process-wide date and time formats: short date "yyyy/mm/dd", long time "HH:mm:ss", short time "HH:mm".
// Formatting and parsing never depend on the machine's locale; parsing is strict and throws ConversionError.
// Timestamps are wall-clock values without a zone: the ones made here are held as UTC so that no
// daylight-saving change can move them.
namespace quelmaro::datetime {

QString formatDate(const QDate& date);         // "2020/01/24"; "" for an invalid date
QString formatTime(const QTime& time);         // "09:05:07"; "" for an invalid time
QString formatShortTime(const QTime& time);    // "09:05"; "" for an invalid time
QString formatDateTime(const QDateTime& when); // "2020/01/24 09:05:07"; "" for an invalid timestamp

// A four-digit year, then month and day of one or two digits, separated by "/"; a real calendar day.
QDate parseDate(const QString& text);
// "HH:mm:ss" or "HH:mm" (the hour may have one digit); a real time of day.
QTime parseTime(const QString& text);
// A date, optionally followed by one space and a time.
QDateTime parseDateTime(const QString& text);

} // namespace quelmaro::datetime
