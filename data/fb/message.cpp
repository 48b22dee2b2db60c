#include "data/fb/message.h"

#include <cstring>

namespace quelmaro::fb {

namespace {

ColumnType columnType(unsigned type, int subType, int scale) {
    switch (type) {
    case SQL_SHORT:
    case SQL_LONG:
    case SQL_INT64:
        return scale < 0 ? ColumnType::Fixed : ColumnType::Integer;
    case SQL_FLOAT:
    case SQL_DOUBLE:
    case SQL_D_FLOAT:
        return ColumnType::Double;
    case SQL_TYPE_DATE:
        return ColumnType::Date;
    case SQL_TYPE_TIME:
        return ColumnType::Time;
    case SQL_TIMESTAMP:
        return ColumnType::Timestamp;
    case SQL_BLOB:
        return subType == isc_blob_text ? ColumnType::TextBlob : ColumnType::Blob;
    case SQL_BOOLEAN:
        return ColumnType::Boolean;
    default:
        return ColumnType::Text;
    }
}

} // namespace

unsigned bytesPerCharacter(unsigned charSet) {
    constexpr unsigned kCharSetUnicodeFss = 3;
    switch (charSet) {
    case kCharSetUnicodeFss:
        return 3;
    case kCharSetUtf8:
        return 4;
    default:
        return 1;
    }
}

Message::Message(Firebird::IMessageMetadata* metadata) : metadata_(shared(metadata)) {
    Status status;
    const unsigned count = metadata->getCount(&status);
    fields_.reserve(count);
    for (unsigned i = 0; i < count; ++i) {
        fields_.append(Field{
            metadata->getType(&status, i) & ~1u,
            metadata->getSubType(&status, i),
            metadata->getScale(&status, i),
            metadata->getLength(&status, i),
            metadata->getCharSet(&status, i),
            metadata->getOffset(&status, i),
            metadata->getNullOffset(&status, i),
        });
    }
    buffer_.assign(metadata->getMessageLength(&status), 0);
}

bool Message::isNull(qsizetype index) const {
    short indicator;
    std::memcpy(&indicator, buffer_.data() + fields_[index].nullOffset, sizeof indicator);
    return indicator != 0;
}

void Message::setNull(qsizetype index, bool null) {
    const short indicator = null ? -1 : 0;
    std::memcpy(buffer_.data() + fields_[index].nullOffset, &indicator, sizeof indicator);
}

QList<Column> describeColumns(Firebird::IMessageMetadata* metadata) {
    Status status;
    QList<Column> columns;
    const unsigned count = metadata->getCount(&status);
    for (unsigned i = 0; i < count; ++i) {
        const unsigned type = metadata->getType(&status, i) & ~1u;
        const int scale = metadata->getScale(&status, i);
        Column column;
        column.name = QString::fromUtf8(metadata->getAlias(&status, i));
        column.field = QString::fromUtf8(metadata->getField(&status, i));
        column.relation = QString::fromUtf8(metadata->getRelation(&status, i));
        column.type = columnType(type, metadata->getSubType(&status, i), scale);
        if (column.type == ColumnType::Text)
            column.size =
                int(metadata->getLength(&status, i) / bytesPerCharacter(metadata->getCharSet(&status, i)));
        column.scale = scale < 0 ? -scale : 0;
        column.nullable = metadata->isNullable(&status, i);
        columns.append(column);
    }
    return columns;
}

Owned<Firebird::IMessageMetadata> withWideNumbers(Firebird::IMessageMetadata* declared) {
    Status status;
    Owned<Firebird::IMetadataBuilder> builder(declared->getBuilder(&status));
    const unsigned count = declared->getCount(&status);
    for (unsigned i = 0; i < count; ++i) {
        const unsigned type = declared->getType(&status, i);
        const unsigned nullable = type & 1u;
        switch (type & ~1u) {
        case SQL_SHORT:
        case SQL_LONG:
            builder->setType(&status, i, SQL_INT64 | nullable);
            builder->setLength(&status, i, sizeof(ISC_INT64));
            break;
        case SQL_FLOAT:
        case SQL_D_FLOAT:
            builder->setType(&status, i, SQL_DOUBLE | nullable);
            builder->setLength(&status, i, sizeof(double));
            break;
        default:
            break;
        }
    }
    return Owned<Firebird::IMessageMetadata>(builder->getMetadata(&status));
}

} // namespace quelmaro::fb
