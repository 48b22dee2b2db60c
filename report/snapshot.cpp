#include "report/snapshot.h"

#include "report/atomic_file.h"
#include "report/report_errors.h"

#include <QFile>
#include <QIODevice>
#include <QStringDecoder>
#include <QtEndian>

#include <cmath>
#include <cstring>
#include <span>

namespace quelmaro {

namespace {

// "QMNDR", then bytes that a text-mode transfer or a text editor would change.
constexpr char kMagic[8] = {'Q', 'M', 'N', 'D', 'R', '\r', '\n', '\x1a'};
constexpr quint16 kVersion = 1;

enum class Code : quint8 { Text = 1, Line = 2, Rectangle = 3, Bitmap = 4, Font = 5, Pen = 6 };

// The smallest encodings, to bound counts by the bytes that are left.
constexpr qsizetype kMinPageBytes = 2 * 4 + 4;
constexpr qsizetype kMinCommandBytes = 1 + 1 + 4;

class Encoder {
public:
    void bytes(const void* data, qsizetype size) { out_.append(static_cast<const char*>(data), size); }
    void u8(quint8 v) { out_.append(char(v)); }
    void u16(quint16 v) {
        v = qToLittleEndian(v);
        bytes(&v, sizeof v);
    }
    void u32(quint32 v) {
        v = qToLittleEndian(v);
        bytes(&v, sizeof v);
    }
    void f32(float v) {
        quint32 raw;
        std::memcpy(&raw, &v, sizeof raw);
        u32(raw);
    }
    void text(const QString& s) {
        const QByteArray utf8 = s.toUtf8();
        u32(quint32(utf8.size()));
        out_.append(utf8);
    }
    void code(Code c) { u8(quint8(c)); }

    void command(const TextCommand& c) {
        code(Code::Text);
        f32(c.x);
        f32(c.y);
        u8(quint8(c.align));
        text(c.text);
    }
    void command(const LineCommand& c) {
        code(Code::Line);
        corners(c.x1, c.y1, c.x2, c.y2);
    }
    void command(const RectangleCommand& c) {
        code(Code::Rectangle);
        corners(c.x1, c.y1, c.x2, c.y2);
    }
    void command(const BitmapCommand& c) {
        code(Code::Bitmap);
        corners(c.x, c.y, c.width, c.height);
        // A larger image keeps its place and size on the sheet with fewer pixels.
        const QImage fitting = c.image.width() > kMaxBitmapSide || c.image.height() > kMaxBitmapSide
                                   ? c.image.scaled(kMaxBitmapSide, kMaxBitmapSide, Qt::KeepAspectRatio)
                                   : c.image;
        const QImage image = fitting.convertToFormat(QImage::Format_ARGB32);
        u32(quint32(image.width()));
        u32(quint32(image.height()));
        for (int row = 0; row < image.height(); ++row)
            for (const QRgb pixel :
                 std::span(reinterpret_cast<const QRgb*>(image.constScanLine(row)), size_t(image.width())))
                u32(pixel);
    }
    void command(const FontCommand& c) {
        code(Code::Font);
        text(c.name);
        f32(c.size);
    }
    void command(const PenCommand& c) {
        code(Code::Pen);
        u8(quint8(c.style));
        f32(c.width);
    }

    QByteArray take() { return std::move(out_); }

private:
    void corners(float a, float b, float c, float d) {
        f32(a);
        f32(b);
        f32(c);
        f32(d);
    }

    QByteArray out_;
};

// Reads a snapshot it does not trust: every count and length is checked against the bytes left.
class Decoder {
public:
    explicit Decoder(QByteArrayView in) : in_(in) {}

    PageStore store() {
        if (take(sizeof kMagic).compare(QByteArrayView(kMagic, sizeof kMagic)) != 0 || u16() != kVersion)
            fail();
        PageStore result;
        result.title = text();
        const quint32 pages = count(kMinPageBytes);
        if (pages == 0)
            fail();
        result.pages.reserve(pages);
        for (quint32 i = 0; i < pages; ++i)
            result.pages.push_back(page());
        if (!in_.isEmpty())
            fail();
        return result;
    }

private:
    [[noreturn]] static void fail() { throw ReportFileError(); }

    QByteArrayView take(qsizetype size) {
        if (size < 0 || size > in_.size())
            fail();
        const QByteArrayView part = in_.first(size);
        in_ = in_.sliced(size);
        return part;
    }
    quint8 u8() { return quint8(take(1)[0]); }
    quint16 u16() { return qFromLittleEndian<quint16>(take(2).data()); }
    quint32 u32() { return qFromLittleEndian<quint32>(take(4).data()); }
    float f32(float limit = kMaxCoordinate) {
        const quint32 raw = u32();
        float v;
        std::memcpy(&v, &raw, sizeof v);
        if (!std::isfinite(v) || std::fabs(v) > limit)
            fail();
        return v;
    }
    QString text() {
        const quint32 size = u32();
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString decoded = utf8(take(qsizetype(size)));
        if (utf8.hasError())
            fail();
        return decoded;
    }
    // A count of items each at least itemBytes long.
    quint32 count(qsizetype itemBytes) {
        const quint32 n = u32();
        if (qsizetype(n) > in_.size() / itemBytes)
            fail();
        return n;
    }

    Page page() {
        Page p;
        p.paperWidth = f32(kMaxPaperSide);
        p.paperHeight = f32(kMaxPaperSide);
        if (p.paperWidth <= 0 || p.paperHeight <= 0)
            fail();
        const quint32 commands = count(kMinCommandBytes);
        p.commands.reserve(commands);
        for (quint32 i = 0; i < commands; ++i)
            p.commands.push_back(command());
        return p;
    }

    DrawCommand command() {
        switch (Code(u8())) {
        case Code::Text: {
            TextCommand c;
            c.x = f32();
            c.y = f32();
            const quint8 align = u8();
            if (align > quint8(TextAlign::Right))
                fail();
            c.align = TextAlign(align);
            c.text = text();
            return c;
        }
        case Code::Line: {
            LineCommand c;
            corners(c.x1, c.y1, c.x2, c.y2);
            return c;
        }
        case Code::Rectangle: {
            RectangleCommand c;
            corners(c.x1, c.y1, c.x2, c.y2);
            return c;
        }
        case Code::Bitmap:
            return bitmap();
        case Code::Font: {
            FontCommand c;
            c.name = text();
            c.size = f32(kMaxFontSize);
            if (c.size <= 0)
                fail();
            return c;
        }
        case Code::Pen: {
            PenCommand c;
            const quint8 style = u8();
            if (style > quint8(TPenStyle::psClear))
                fail();
            c.style = TPenStyle(style);
            c.width = f32();
            if (c.width < 0)
                fail();
            return c;
        }
        }
        fail();
    }

    BitmapCommand bitmap() {
        BitmapCommand c;
        corners(c.x, c.y, c.width, c.height);
        const quint32 width = u32();
        const quint32 height = u32();
        if (width == 0 || height == 0 || width > quint32(kMaxBitmapSide) ||
            height > quint32(kMaxBitmapSide) || qint64(width) * height * 4 > in_.size())
            fail();
        const QByteArrayView pixels = take(qsizetype(width) * height * 4);
        c.image = QImage(int(width), int(height), QImage::Format_ARGB32);
        if (c.image.isNull())
            fail();
        for (quint32 row = 0; row < height; ++row) {
            auto* line = reinterpret_cast<QRgb*>(c.image.scanLine(int(row)));
            for (quint32 col = 0; col < width; ++col)
                line[col] = qFromLittleEndian<quint32>(pixels.data() + (qsizetype(row) * width + col) * 4);
        }
        return c;
    }

    void corners(float& a, float& b, float& c, float& d) {
        a = f32();
        b = f32();
        c = f32();
        d = f32();
    }

    QByteArrayView in_;
};

} // namespace

QByteArray encodeSnapshot(const PageStore& store) {
    Encoder out;
    out.bytes(kMagic, sizeof kMagic);
    out.u16(kVersion);
    out.text(store.title);
    out.u32(quint32(store.pages.size()));
    for (const Page& page : store.pages) {
        out.f32(page.paperWidth);
        out.f32(page.paperHeight);
        out.u32(quint32(page.commands.size()));
        for (const DrawCommand& command : page.commands)
            std::visit([&out](const auto& c) { out.command(c); }, command);
    }
    return out.take();
}

PageStore decodeSnapshot(QByteArrayView bytes) {
    return Decoder(bytes).store();
}

void writeSnapshot(const PageStore& store, QIODevice& device) {
    const QByteArray bytes = encodeSnapshot(store);
    if (device.write(bytes) != bytes.size())
        throw ReportError(QStringLiteral("No se pudo escribir el reporte: %1").arg(device.errorString()));
}

void saveSnapshot(const PageStore& store, const QString& fileName) {
    AtomicFile file(fileName);
    file.write(encodeSnapshot(store));
    file.commit();
}

PageStore readSnapshot(QIODevice& device) {
    // In chunks, so a huge or endless device costs no more memory than the largest snapshot.
    QByteArray bytes;
    for (QByteArray chunk; !(chunk = device.read(qint64(1) << 20)).isEmpty();) {
        if (bytes.size() + chunk.size() > kMaxSnapshotBytes)
            throw ReportFileError();
        bytes += chunk;
    }
    return decodeSnapshot(bytes);
}

PageStore loadSnapshot(const QString& fileName) {
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        throw ReportError(
            QStringLiteral("No se pudo abrir el archivo %1: %2").arg(fileName, file.errorString()));
    return readSnapshot(file);
}

} // namespace quelmaro
