// The format's fixed drawing elements: lines, boxes and images in a first pass, fixed texts over them in
// a second, positions on the grid, the settlement mark, and images that are not bitmaps.
#include "closing/format/format_image.h"
#include "tests/closing/render/render_fixture.h"

#include <QBuffer>

namespace quelmaro {
namespace {

using test::ElementRow;

constexpr float kTolerance = 1e-5f;

QByteArray bitmapFile(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

QImage smallImage() {
    QImage image(12, 6, QImage::Format_RGB32);
    image.fill(qRgb(10, 120, 200));
    return image;
}

// One line per command, "Line 0.228 1.4575 8.322 1.4575", so a whole page compares at once.
QStringList describe(const Page& page) {
    QStringList lines;
    const auto n = [](float v) { return QString::number(v, 'f', 4); };
    for (const DrawCommand& command : page.commands) {
        if (const auto* line = std::get_if<LineCommand>(&command))
            lines
                << QStringLiteral("Line %1 %2 %3 %4").arg(n(line->x1), n(line->y1), n(line->x2), n(line->y2));
        else if (const auto* box = std::get_if<RectangleCommand>(&command))
            lines << QStringLiteral("Box %1 %2 %3 %4").arg(n(box->x1), n(box->y1), n(box->x2), n(box->y2));
        else if (const auto* bitmap = std::get_if<BitmapCommand>(&command))
            lines << QStringLiteral("Bitmap %1 %2 %3x%4")
                         .arg(n(bitmap->x), n(bitmap->y))
                         .arg(bitmap->image.width())
                         .arg(bitmap->image.height());
        else if (const auto* text = std::get_if<TextCommand>(&command))
            lines << QStringLiteral("Text %1 %2 %3").arg(n(text->x), n(text->y), text->text);
        else if (const auto* font = std::get_if<FontCommand>(&command))
            lines << QStringLiteral("Font %1 %2").arg(font->name).arg(font->size);
        else if (const auto* pen = std::get_if<PenCommand>(&command))
            lines << QStringLiteral("Pen %1").arg(n(pen->width));
    }
    return lines;
}

class DrawingElements : public test::RenderingTest {};

TEST_F(DrawingElements, ShapesComeFirstInFormatOrderAndFixedTextsOverThem) {
    addFormat(200, "Arial", 7);
    addElement(
        {.tipo = "T", .posx = 400, .posy = 105, .cadena = "RESUMEN DIARIO", .font = "Times", .fsize = 16});
    addElement({.tipo = "L", .posx = 40, .posy = 265, .x = 1420, .y = 0});
    addElement({.tipo = "C", .posx = 40, .posy = 40, .x = 1420, .y = 150});
    addElement({.tipo = "G", .posx = 55, .posy = 55, .imagen = bitmapFile(smallImage())});
    addElement({.tipo = "T", .posx = 1000, .posy = 80, .cadena = "Fecha:"});
    addElement({.tipo = "X", .posx = 10, .posy = 10, .x = 100, .y = 100, .cadena = "nada"});
    addElement({.tipo = "L", .posx = 430, .posy = 235, .x = 0, .y = 1030});
    addElement({.tipo = "C", .posx = 800, .posy = 800, .x = -200, .y = -100});
    addElement({.tipo = "T",
                .posx = 50,
                .posy = 1880,
                .cadena = "Un texto fijo de sesenta letras se imprime entero, siempre!!"});

    const QStringList expected{
        // Pen width 2 device pixels at 600 dots per inch.
        "Pen 0.0033",
        "Line 0.2280 1.4575 8.3220 1.4575", // horizontal: FOLI_Y 0
        "Box 0.2280 0.2200 8.3220 1.0450",
        "Bitmap 0.3135 0.3025 12x6",
        "Line 2.4510 1.2925 2.4510 6.9575", // vertical: FOLI_X 0
        "Box 4.5600 4.4000 3.4200 3.8500",  // a negative extent goes left and up
        "Font Times 16",
        "Text 2.2800 0.5775 RESUMEN DIARIO",
        "Font Arial 7",
        "Text 5.7000 0.4400 Fecha:",
        "Text 0.2850 10.3400 Un texto fijo de sesenta letras se imprime entero, siempre!!",
    };
    EXPECT_EQ(describe(render()), expected);
}

TEST_F(DrawingElements, TheSettlementMarkChoosesTheElementsDrawn) {
    addFormat(0);
    addElement({.tipo = "L", .posx = 100, .posy = 100, .x = 100, .liquida = "S"});
    addElement({.tipo = "L", .posx = 200, .posy = 200, .x = 100, .liquida = "N"});
    addElement({.tipo = "L", .posx = 300, .posy = 300, .x = 100});
    addElement({.tipo = "T", .posx = 100, .posy = 400, .cadena = "liquidacion", .liquida = "S"});
    addElement({.tipo = "T", .posx = 100, .posy = 500, .cadena = "cierre", .liquida = "N"});

    const auto drawn = [](const Page& page) {
        QStringList items;
        for (const DrawCommand& command : page.commands) {
            if (const auto* line = std::get_if<LineCommand>(&command))
                items << QString::number(line->y1 / 0.0055, 'f', 0);
            else if (const auto* text = std::get_if<TextCommand>(&command))
                items << text->text;
        }
        return items;
    };
    EXPECT_EQ(drawn(render(false)), QStringList({"200", "300", "cierre"}));
    EXPECT_EQ(drawn(render(true)), QStringList({"100", "liquidacion"}));
}

TEST_F(DrawingElements, AnImageIsDrawnAtItsCornerOnePixelPerDevicePixel) {
    addFormat(0);
    const QImage logo = smallImage();
    addElement({.tipo = "G", .posx = 1000, .posy = 1000, .imagen = bitmapFile(logo)});
    addElement({.tipo = "G", .posx = 1200, .posy = 1000}); // no image stored: nothing to draw
    const Page& page = render();
    std::vector<const BitmapCommand*> bitmaps;
    for (const DrawCommand& command : page.commands)
        if (const auto* bitmap = std::get_if<BitmapCommand>(&command))
            bitmaps.push_back(bitmap);
    ASSERT_EQ(bitmaps.size(), 1u);
    EXPECT_NEAR(bitmaps[0]->x, gx(1000), kTolerance);
    EXPECT_NEAR(bitmaps[0]->y, gy(1000), kTolerance);
    EXPECT_FLOAT_EQ(bitmaps[0]->width, 12.0f / 600);
    EXPECT_FLOAT_EQ(bitmaps[0]->height, 6.0f / 600);
    EXPECT_EQ(bitmaps[0]->image.convertToFormat(QImage::Format_RGB32), logo);
}

TEST_F(DrawingElements, AnImageThatIsNoBitmapEndsTheDrawing) {
    addFormat(0);
    addElement({.tipo = "L", .posx = 100, .posy = 100, .x = 100});
    addElement({.tipo = "G", .posx = 55, .posy = 55, .imagen = QByteArray("GIF89a, not a bitmap")});
    addElement({.tipo = "T", .posx = 100, .posy = 400, .cadena = "never printed"});
    EXPECT_THROW(render(), FormatImageError);
}

} // namespace
} // namespace quelmaro
