#pragma once

#include "data/types/fixed.h"

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

#include <concepts>
#include <cstdint>
#include <variant>

namespace quelmaro {

// One database value: null, integer, exact decimal, text, date, time, timestamp or binary data.
// Conversions follow the process-wide formats and throw ConversionError when the value cannot convert.
// Null converts to the empty value of the kind asked for: 0, "", an invalid date or time, empty data.
class Value {
public:
    using Storage =
        std::variant<std::monostate, std::int64_t, Fixed, QString, QDate, QTime, QDateTime, QByteArray>;

    Value() = default;
    // Any integer type (int, qint64, std::int64_t, bool ...) is held as a 64-bit integer.
    template <std::integral Integer> Value(Integer v) : storage_(std::int64_t(v)) {}
    Value(Fixed v) : storage_(v) {}
    Value(const QString& v) : storage_(v) {}
    Value(const char* v) : storage_(QString::fromUtf8(v)) {}
    // Invalid dates, times and timestamps are null.
    Value(const QDate& v);
    Value(const QTime& v);
    Value(const QDateTime& v);
    Value(const QByteArray& v) : storage_(v) {}

    bool isNull() const { return std::holds_alternative<std::monostate>(storage_); }
    const Storage& storage() const { return storage_; }

    std::int64_t toInt() const; // whole numbers only; text is parsed (optional sign, digits)
    Fixed toFixed() const;      // integers and decimal text convert exactly
    QString toString() const;   // null gives ""; decimals in plain text; dates "yyyy/mm/dd"; times "HH:mm:ss"
    QDate toDate() const;       // from a date, a timestamp or date text
    QTime toTime() const;       // from a time, a timestamp or time text
    QDateTime toDateTime() const; // from a timestamp, a date (midnight) or text
    QByteArray toBytes() const;   // binary data as stored; anything else as its text in UTF-8

    // Same kind and same content; null equals only null.
    bool operator==(const Value& other) const { return storage_ == other.storage_; }

private:
    Storage storage_;
};

} // namespace quelmaro
