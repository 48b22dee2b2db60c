// The image column of a drawing element: a Windows bitmap, bare or behind the 8-byte storage header.
#include "closing/format/format_image.h"
#include "tests/closing/format/company_database.h"

#include <QBuffer>
#include <QtEndian>

#include <gtest/gtest.h>

namespace quelmaro {
namespace {

QImage sampleImage() {
    QImage image(7, 3, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 30, y * 80, 200 - x * 20));
    return image;
}

QByteArray encoded(const QImage& image, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QByteArray withHeader(const QByteArray& bitmap, quint16 count, quint16 type, qint32 length) {
    QByteArray header(8, '\0');
    auto* bytes = reinterpret_cast<uchar*>(header.data());
    qToLittleEndian(count, bytes);
    qToLittleEndian(type, bytes + 2);
    qToLittleEndian(length, bytes + 4);
    return header + bitmap;
}

TEST(FormatImage, ReadsABareBitmapAndOneBehindTheStorageHeader) {
    const QImage image = sampleImage();
    const QByteArray bitmap = encoded(image, "BMP");
    const qint32 length = qint32(bitmap.size());
    for (const QByteArray& column : {bitmap, withHeader(bitmap, 1, 256, length)}) {
        const QImage loaded = loadFormatImage(column);
        ASSERT_FALSE(loaded.isNull());
        EXPECT_EQ(loaded.convertToFormat(QImage::Format_RGB32), image);
    }
}

TEST(FormatImage, AHeaderThatDoesNotMatchInEveryFieldIsReadAsPartOfTheBitmap) {
    const QByteArray bitmap = encoded(sampleImage(), "BMP");
    const qint32 length = qint32(bitmap.size());
    for (const QByteArray& column :
         {withHeader(bitmap, 2, 256, length), withHeader(bitmap, 1, 255, length),
          withHeader(bitmap, 1, 256, length + 1), withHeader(bitmap, 1, 256, length - 1)})
        EXPECT_THROW(loadFormatImage(column), FormatImageError);
}

TEST(FormatImage, AnythingButABitmapIsAnError) {
    const QImage image = sampleImage();
    const QByteArray png = encoded(image, "PNG");
    const QByteArray bitmap = encoded(image, "BMP");
    for (const QByteArray& column :
         {png, withHeader(png, 1, 256, qint32(png.size())), QByteArray("not a picture at all"),
          bitmap.left(20), QByteArray(8, '\0')})
        EXPECT_THROW(loadFormatImage(column), FormatImageError);
    try {
        loadFormatImage(png);
    } catch (const FormatImageError& error) {
        EXPECT_EQ(error.message(), "La imagen del formato de impresión no es un mapa de bits válido.");
    }
}

TEST(FormatImage, AnEmptyColumnIsNoImage) {
    EXPECT_TRUE(loadFormatImage(QByteArray()).isNull());
}

TEST(FormatImage, TheCompanysLogoReadsTheSameStoredEitherWay) {
    test::CompanyDatabase company;
    const auto logo = [&](const char* header) {
        return company.connection()
            .query(QStringLiteral("select imagen from logotipo_bmp(?)"), {QString::fromLatin1(header)})
            .rows.at(0)
            .at(0)
            .toBytes();
    };
    const QByteArray stored = logo("S");
    const QByteArray bare = logo("N");
    EXPECT_EQ(stored.size(), bare.size() + 8);
    const QImage fromStored = loadFormatImage(stored);
    ASSERT_FALSE(fromStored.isNull());
    EXPECT_EQ(fromStored.size(), QSize(160, 64));
    EXPECT_EQ(fromStored, loadFormatImage(bare));
}

} // namespace
} // namespace quelmaro
