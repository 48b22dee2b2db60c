#include "data/types/value.h"

#include "data/types/datetime.h"

#include <QRegularExpression>

namespace quelmaro {

namespace {

template <typename... Handlers> struct Overloaded : Handlers... { using Handlers::operator()...; };

ConversionError cannotConvert(const Value& value, const char* target) {
    return ConversionError(QStringLiteral("'%1' no se puede convertir en %2").arg(value.toString(), target));
}

std::int64_t parseInteger(const QString& text) {
    static const QRegularExpression pattern(QStringLiteral("^[+-]?[0-9]+$"));
    if (!pattern.match(text).hasMatch())
        throw ConversionError(QStringLiteral("'%1' no es un número entero válido").arg(text));
    bool inRange = false;
    const qlonglong number = text.toLongLong(&inRange);
    if (!inRange)
        throw ConversionError(QStringLiteral("'%1' está fuera del rango de los números").arg(text));
    return number;
}

} // namespace

Value::Value(const QDate& v) {
    if (v.isValid())
        storage_ = v;
}

Value::Value(const QTime& v) {
    if (v.isValid())
        storage_ = v;
}

Value::Value(const QDateTime& v) {
    if (v.isValid())
        storage_ = v;
}

std::int64_t Value::toInt() const {
    return std::visit(
        Overloaded{
            [](std::monostate) -> std::int64_t { return 0; },
            [](std::int64_t v) { return v; },
            [](Fixed v) {
                if (!v.isWhole())
                    throw ConversionError(
                        QStringLiteral("'%1' no es un número entero válido").arg(v.toString()));
                return v.toScaled(0);
            },
            [](const QString& v) { return parseInteger(v); },
            [this](const auto&) -> std::int64_t { throw cannotConvert(*this, "un número entero"); },
        },
        storage_);
}

Fixed Value::toFixed() const {
    return std::visit(Overloaded{
                          [](std::monostate) { return Fixed(); },
                          [](std::int64_t v) { return Fixed::fromInt(v); },
                          [](Fixed v) { return v; },
                          [](const QString& v) { return Fixed::parse(v); },
                          [this](const auto&) -> Fixed { throw cannotConvert(*this, "un número"); },
                      },
                      storage_);
}

QString Value::toString() const {
    return std::visit(Overloaded{
                          [](std::monostate) { return QString(); },
                          [](std::int64_t v) { return QString::number(v); },
                          [](Fixed v) { return v.toString(); },
                          [](const QString& v) { return v; },
                          [](const QDate& v) { return datetime::formatDate(v); },
                          [](const QTime& v) { return datetime::formatTime(v); },
                          [](const QDateTime& v) { return datetime::formatDateTime(v); },
                          [](const QByteArray& v) { return QString::fromUtf8(v); },
                      },
                      storage_);
}

QDate Value::toDate() const {
    return std::visit(Overloaded{
                          [](std::monostate) { return QDate(); },
                          [](const QDate& v) { return v; },
                          [](const QDateTime& v) { return v.date(); },
                          [](const QString& v) { return datetime::parseDate(v); },
                          [this](const auto&) -> QDate { throw cannotConvert(*this, "una fecha"); },
                      },
                      storage_);
}

QTime Value::toTime() const {
    return std::visit(Overloaded{
                          [](std::monostate) { return QTime(); },
                          [](const QTime& v) { return v; },
                          [](const QDateTime& v) { return v.time(); },
                          [](const QString& v) { return datetime::parseTime(v); },
                          [this](const auto&) -> QTime { throw cannotConvert(*this, "una hora"); },
                      },
                      storage_);
}

QDateTime Value::toDateTime() const {
    return std::visit(
        Overloaded{
            [](std::monostate) { return QDateTime(); },
            [](const QDateTime& v) { return v; },
            [](const QDate& v) { return QDateTime(v, QTime(0, 0), Qt::UTC); },
            [](const QString& v) { return datetime::parseDateTime(v); },
            [this](const auto&) -> QDateTime { throw cannotConvert(*this, "una fecha y hora"); },
        },
        storage_);
}

QByteArray Value::toBytes() const {
    if (const auto* bytes = std::get_if<QByteArray>(&storage_))
        return *bytes;
    return toString().toUtf8();
}

} // namespace quelmaro
