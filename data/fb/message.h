#pragma once

#include "data/fb/client.h"
#include "data/fb/column.h"

#include <QList>

#include <vector>

namespace quelmaro::fb {

// Where one field of a message buffer lives and what the client keeps there.
struct Field {
    unsigned type = 0; // SQL_* without the nullable flag
    int subType = 0;
    int scale = 0;
    unsigned length = 0; // bytes
    unsigned charSet = 0;
    unsigned offset = 0;
    unsigned nullOffset = 0;
};

// A buffer laid out by client metadata: the input parameters of a statement, or one row of its output.
class Message {
public:
    explicit Message(Firebird::IMessageMetadata* metadata); // takes a reference of its own

    Firebird::IMessageMetadata* metadata() const { return metadata_.get(); }
    const QList<Field>& fields() const { return fields_; }
    unsigned char* data() { return buffer_.data(); }
    const unsigned char* data() const { return buffer_.data(); }

    bool isNull(qsizetype index) const;
    void setNull(qsizetype index, bool null);
    unsigned char* at(qsizetype index) { return buffer_.data() + fields_[index].offset; }
    const unsigned char* at(qsizetype index) const { return buffer_.data() + fields_[index].offset; }

private:
    Owned<Firebird::IMessageMetadata> metadata_;
    QList<Field> fields_;
    std::vector<unsigned char> buffer_;
};

constexpr unsigned kCharSetOctets = 1;
constexpr unsigned kCharSetUtf8 = 4;

// Text lengths come in bytes; a character of `charSet` takes up to this many.
unsigned bytesPerCharacter(unsigned charSet);

// The fields as the statement declares them.
QList<Column> describeColumns(Firebird::IMessageMetadata* metadata);

// The same fields with every integer and decimal carried as BIGINT with its own scale and every
// floating-point number as DOUBLE PRECISION, so values travel in fewer shapes; the client converts to and
// from the declared types and reports its own overflow errors.
Owned<Firebird::IMessageMetadata> withWideNumbers(Firebird::IMessageMetadata* declared);

} // namespace quelmaro::fb
