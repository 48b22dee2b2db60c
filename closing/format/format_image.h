#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <stdexcept>

namespace quelmaro {

// A format's image column holds something that is not a Windows bitmap.
class FormatImageError : public std::runtime_error {
public:
    explicit FormatImageError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromUtf8(what()); }
};

// The bitmap of an image element. The column holds a Windows BMP file, possibly behind an 8-byte header
// (count 1, type 256, length of the rest; little-endian), which is skipped only when all three match.
// An empty column gives a null image, which draws nothing. Throws FormatImageError for anything else.
QImage loadFormatImage(const QByteArray& column);

} // namespace quelmaro
