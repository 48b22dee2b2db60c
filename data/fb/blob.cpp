#include "data/fb/blob.h"

#include <algorithm>
#include <vector>

namespace quelmaro::fb {

namespace {

// The client moves a blob in segments of at most 64 KiB - 1 bytes.
constexpr unsigned kSegmentSize = 65535;

void close(Owned<Firebird::IBlob>& blob, Link& link) {
    endWith(blob, link, [](Firebird::IBlob* open, Status* status) { open->close(status); });
}

} // namespace

QByteArray readBlob(BlobScope scope, ISC_QUAD id) {
    Status status(scope.link);
    Owned<Firebird::IBlob> blob(scope.attachment->openBlob(&status, scope.transaction, &id, 0, nullptr));
    QByteArray content;
    std::vector<char> segment(kSegmentSize);
    for (;;) {
        unsigned length = 0;
        const int result = blob->getSegment(&status, kSegmentSize, segment.data(), &length);
        content.append(segment.data(), length);
        if (result != Firebird::IStatus::RESULT_OK && result != Firebird::IStatus::RESULT_SEGMENT)
            break;
    }
    close(blob, *scope.link);
    return content;
}

ISC_QUAD writeBlob(BlobScope scope, const QByteArray& content) {
    Status status(scope.link);
    ISC_QUAD id{};
    Owned<Firebird::IBlob> blob(scope.attachment->createBlob(&status, scope.transaction, &id, 0, nullptr));
    for (qsizetype start = 0; start < content.size(); start += kSegmentSize) {
        const auto length = unsigned(std::min<qsizetype>(kSegmentSize, content.size() - start));
        blob->putSegment(&status, length, content.constData() + start);
    }
    close(blob, *scope.link);
    return id;
}

} // namespace quelmaro::fb
