#pragma once

#include "data/fb/client.h"

#include <QByteArray>

namespace quelmaro::fb {

// Where blobs are read and written: the attachment and the transaction of the statement that uses them.
struct BlobScope {
    Firebird::IAttachment* attachment = nullptr;
    Firebird::ITransaction* transaction = nullptr;
    Link* link = nullptr;
};

// The whole content of a blob, however large.
QByteArray readBlob(BlobScope scope, ISC_QUAD id);
// A new blob holding `content`; its id goes into a parameter.
ISC_QUAD writeBlob(BlobScope scope, const QByteArray& content);

} // namespace quelmaro::fb
