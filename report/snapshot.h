#pragma once

#include "report/page_store.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

class QIODevice;

namespace quelmaro {

// Snapshot files (".ndr"): a page store in this program's own versioned binary format.

// Largest snapshot the reader accepts; a larger file is not one this program wrote.
inline constexpr qint64 kMaxSnapshotBytes = qint64(512) << 20;

QByteArray encodeSnapshot(const PageStore& store);
// Throws ReportFileError for anything but a complete, well-formed snapshot.
PageStore decodeSnapshot(QByteArrayView bytes);

// Throws ReportError when the file cannot be written.
void saveSnapshot(const PageStore& store, const QString& fileName);
void writeSnapshot(const PageStore& store, QIODevice& device);
// Throws ReportError when the file cannot be opened, ReportFileError when it is not a good snapshot.
PageStore loadSnapshot(const QString& fileName);
PageStore readSnapshot(QIODevice& device);

} // namespace quelmaro
