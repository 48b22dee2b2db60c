#pragma once

#include "data/fb/blob.h"
#include "data/fb/connection.h"
#include "data/fb/message.h"

namespace quelmaro::fb {

// One output row as values: NUMERIC and DECIMAL as Fixed, other integers as int64, CHAR without the padding
// the client adds beyond the column's characters, text blobs as QString, other blobs and text in character
// set OCTETS as QByteArray.
Row readRow(const Message& row, BlobScope blobs);

// The input message for a statement whose parameters the client describes as `declared`, each value converted
// to its parameter's type (text becomes a number or date by the program's formats; decimals round half to
// even to the parameter's scale).
Message bindParameters(Firebird::IMessageMetadata* declared, const QList<Value>& values, BlobScope blobs);

} // namespace quelmaro::fb
