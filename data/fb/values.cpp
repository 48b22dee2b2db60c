#include "data/fb/values.h"

#include <QDateTime>

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace quelmaro::fb {

namespace {

// The longest text a VARCHAR parameter can carry.
constexpr qsizetype kLongestText = 32765;

template <typename Native> Native load(const unsigned char* at) {
    Native value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

template <typename Native> void store(unsigned char* at, Native value) {
    std::memcpy(at, &value, sizeof value);
}

QDate dateOf(ISC_DATE date) {
    unsigned year = 0, month = 0, day = 0;
    util()->decodeDate(date, &year, &month, &day);
    return QDate(int(year), int(month), int(day));
}

QTime timeOf(ISC_TIME time) {
    unsigned hours = 0, minutes = 0, seconds = 0, fractions = 0; // fractions of 1/10000 s
    util()->decodeTime(time, &hours, &minutes, &seconds, &fractions);
    return QTime(int(hours), int(minutes), int(seconds), int(fractions / 10));
}

ISC_DATE encode(const QDate& date) {
    if (date.year() < 1 || date.year() > 9999)
        throw ConversionError(QStringLiteral("La fecha %1 está fuera del rango de la base de datos")
                                  .arg(date.toString(Qt::ISODate)));
    return util()->encodeDate(unsigned(date.year()), unsigned(date.month()), unsigned(date.day()));
}

ISC_TIME encode(const QTime& time) {
    return util()->encodeTime(unsigned(time.hour()), unsigned(time.minute()), unsigned(time.second()),
                              unsigned(time.msec()) * 10);
}

// CHAR comes padded with spaces to its length in bytes; a multi-byte text keeps only the padding that
// fills its declared characters.
QString fixedLengthText(const Field& field, const unsigned char* at) {
    QString text = QString::fromUtf8(reinterpret_cast<const char*>(at), field.length);
    const qsizetype characters = field.length / bytesPerCharacter(field.charSet);
    while (text.size() > characters && text.endsWith(u' '))
        text.chop(1);
    return text;
}

Value readValue(const Field& field, const unsigned char* at, BlobScope blobs) {
    switch (field.type) {
    case SQL_INT64: {
        const auto number = load<ISC_INT64>(at);
        return field.scale < 0 ? Value(Fixed::fromScaled(number, field.scale)) : Value(number);
    }
    case SQL_DOUBLE:
        return Fixed::fromDouble(load<double>(at));
    case SQL_TEXT:
        if (field.charSet == kCharSetOctets)
            return QByteArray(reinterpret_cast<const char*>(at), field.length);
        return fixedLengthText(field, at);
    case SQL_VARYING: {
        const QByteArray bytes(reinterpret_cast<const char*>(at) + sizeof(ISC_USHORT), load<ISC_USHORT>(at));
        return field.charSet == kCharSetOctets ? Value(bytes) : Value(QString::fromUtf8(bytes));
    }
    case SQL_TYPE_DATE:
        return dateOf(load<ISC_DATE>(at));
    case SQL_TYPE_TIME:
        return timeOf(load<ISC_TIME>(at));
    case SQL_TIMESTAMP: {
        const auto stamp = load<ISC_TIMESTAMP>(at);
        return QDateTime(dateOf(stamp.timestamp_date), timeOf(stamp.timestamp_time), Qt::UTC);
    }
    case SQL_BLOB: {
        const QByteArray content = readBlob(blobs, load<ISC_QUAD>(at));
        return field.subType == isc_blob_text ? Value(QString::fromUtf8(content)) : Value(content);
    }
    case SQL_BOOLEAN:
        return int(load<FB_BOOLEAN>(at) != FB_FALSE);
    case SQL_NULL:
        return {};
    default:
        throw ConversionError(QStringLiteral("Tipo de dato de Firebird no soportado: %1").arg(field.type));
    }
}

void writeValue(Message& message, qsizetype index, const Value& value, const QByteArray& text,
                BlobScope blobs) {
    message.setNull(index, value.isNull());
    if (value.isNull())
        return;
    const Field& field = message.fields()[index];
    unsigned char* at = message.at(index);
    switch (field.type) {
    case SQL_INT64:
        store<ISC_INT64>(at, field.scale < 0 ? value.toFixed().toScaled(field.scale) : value.toInt());
        break;
    case SQL_DOUBLE:
        store<double>(at, value.toFixed().toDouble());
        break;
    case SQL_VARYING:
        store<ISC_USHORT>(at, ISC_USHORT(text.size()));
        std::memcpy(at + sizeof(ISC_USHORT), text.constData(), size_t(text.size()));
        break;
    case SQL_TYPE_DATE:
        store<ISC_DATE>(at, encode(value.toDate()));
        break;
    case SQL_TYPE_TIME:
        store<ISC_TIME>(at, encode(value.toTime()));
        break;
    case SQL_TIMESTAMP: {
        const QDateTime when = value.toDateTime();
        store<ISC_TIMESTAMP>(at, ISC_TIMESTAMP{encode(when.date()), encode(when.time())});
        break;
    }
    case SQL_BLOB:
        store<ISC_QUAD>(at, writeBlob(blobs, value.toBytes()));
        break;
    case SQL_BOOLEAN:
        store<FB_BOOLEAN>(at, value.toInt() != 0 ? FB_TRUE : FB_FALSE);
        break;
    case SQL_NULL: // only the indicator matters
        break;
    default:
        throw ConversionError(
            QStringLiteral("Tipo de parámetro de Firebird no soportado: %1").arg(field.type));
    }
}

// `layout` with every parameter nullable, numbers as BIGINT or DOUBLE PRECISION and text as UTF-8 VARCHAR of
// its declared length or the one in `textLengths`, whichever is longer.
Owned<Firebird::IMessageMetadata> parameterLayout(Firebird::IMessageMetadata* layout,
                                                  const QList<unsigned>& textLengths = {}) {
    Status status;
    Owned<Firebird::IMessageMetadata> wide = withWideNumbers(layout);
    Owned<Firebird::IMetadataBuilder> builder(wide->getBuilder(&status));
    const unsigned count = wide->getCount(&status);
    for (unsigned i = 0; i < count; ++i) {
        const unsigned type = wide->getType(&status, i) & ~1u;
        if (type != SQL_TEXT && type != SQL_VARYING) {
            builder->setType(&status, i, type | 1u);
            continue;
        }
        builder->setType(&status, i, SQL_VARYING | 1u);
        builder->setLength(&status, i, std::max(wide->getLength(&status, i), textLengths.value(i)));
        if (wide->getCharSet(&status, i) != kCharSetOctets)
            builder->setCharSet(&status, i, kCharSetUtf8);
    }
    return Owned<Firebird::IMessageMetadata>(builder->getMetadata(&status));
}

} // namespace

Row readRow(const Message& row, BlobScope blobs) {
    Row values;
    values.reserve(row.fields().size());
    for (qsizetype i = 0; i < row.fields().size(); ++i)
        values.append(row.isNull(i) ? Value() : readValue(row.fields()[i], row.at(i), blobs));
    return values;
}

ParameterMessage::ParameterMessage(Firebird::IMessageMetadata* declared)
    : declared_(parameterLayout(declared).get()) {}

Message& ParameterMessage::bind(const QList<Value>& values, BlobScope blobs) {
    const QList<Field>& fields = declared_.fields();
    if (fields.size() != values.size())
        throw std::invalid_argument(QStringLiteral("La sentencia espera %1 parámetros y recibió %2")
                                        .arg(fields.size())
                                        .arg(values.size())
                                        .toStdString());
    QList<QByteArray> texts(values.size());
    QList<unsigned> textLengths(values.size());
    bool textFits = true;
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (fields[i].type != SQL_VARYING)
            continue;
        texts[i] = values[i].toBytes();
        if (texts[i].size() > kLongestText)
            throw ConversionError(
                QStringLiteral("El texto de %1 bytes es más largo que el máximo de %2 de un parámetro")
                    .arg(texts[i].size())
                    .arg(kLongestText));
        textLengths[i] = unsigned(texts[i].size());
        textFits = textFits && textLengths[i] <= fields[i].length;
    }
    // Text longer than its parameter still goes as it is, so that the server reports the truncation.
    Message* message = &declared_;
    if (!textFits)
        message = &longer_.emplace(parameterLayout(declared_.metadata(), textLengths).get());
    for (qsizetype i = 0; i < values.size(); ++i)
        writeValue(*message, i, values[i], texts[i], blobs);
    return *message;
}

} // namespace quelmaro::fb
