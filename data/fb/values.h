#pragma once

#include "data/fb/blob.h"
#include "data/fb/connection.h"
#include "data/fb/message.h"

#include <optional>

namespace quelmaro::fb {

// One output row as values: NUMERIC and DECIMAL as Fixed, other integers as int64, CHAR without the padding
// the client adds beyond the column's characters, text blobs as QString, other blobs and text in character
// set OCTETS as QByteArray.
Row readRow(const Message& row, BlobScope blobs);

// The input parameters of one statement, laid out once (numbers as BIGINT or DOUBLE PRECISION, text as UTF-8
// VARCHAR, so the server converts to the declared types and reports its own error when a value does not fit)
// and filled anew for every run.
class ParameterMessage {
public:
    explicit ParameterMessage(Firebird::IMessageMetadata* declared);

    // The message holding `values`, each converted to its parameter's type: text becomes a number or a date
    // by the program's formats, decimals round half to even to the parameter's scale.
    Message& bind(const QList<Value>& values, BlobScope blobs);

private:
    Message declared_;              // text as long as the parameters declare
    std::optional<Message> longer_; // for a run whose text is longer
};

} // namespace quelmaro::fb
