#include "closing/format/format_image.h"

#include <QtEndian>

namespace quelmaro {

namespace {

constexpr qsizetype kHeaderSize = 8;

bool hasStorageHeader(const QByteArray& column) {
    if (column.size() < kHeaderSize)
        return false;
    const auto* bytes = reinterpret_cast<const uchar*>(column.constData());
    return qFromLittleEndian<quint16>(bytes) == 1 && qFromLittleEndian<quint16>(bytes + 2) == 256 &&
           qFromLittleEndian<qint32>(bytes + 4) == column.size() - kHeaderSize;
}

} // namespace

QImage loadFormatImage(const QByteArray& column) {
    if (column.isEmpty())
        return QImage();
    const QByteArray bitmap = hasStorageHeader(column) ? column.mid(kHeaderSize) : column;
    // Only a bitmap is accepted: a PNG or JPEG stored by mistake must not pass for one.
    QImage image = QImage::fromData(bitmap, "BMP");
    if (image.isNull())
        throw FormatImageError(
            QStringLiteral("La imagen del formato de impresión no es un mapa de bits válido."));
    return image;
}

} // namespace quelmaro
