#include "report/job_printer.h"
#include "report/page_store_writer.h"
#include "report/snapshot.h"
#include "tests/report/report_test_support.h"

#include <QFontMetricsF>

#include <limits>

#include <gtest/gtest.h>

// Runs where no printer is installed: the canvas draws at 600 dots per inch on the stored paper.
namespace quelmaro {
namespace {

class NoPrinterCanvas : public testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(printer.hasPrinters()) << "run with CUPS_SERVER pointing nowhere"; }

    TPageStoreWriter& open(const PrinterSettings& settings = {}) {
        writer = std::make_unique<TPageStoreWriter>(store, printer, settings);
        writer->open();
        return *writer;
    }
    const std::vector<DrawCommand>& commands(int page = 1) {
        return store.pages.at(size_t(page - 1)).commands;
    }
    template <typename T> const T& command(size_t index, int page = 1) {
        return std::get<T>(commands(page).at(index));
    }

    JobPrinter printer;
    PageStore store;
    std::unique_ptr<TPageStoreWriter> writer;
};

TEST_F(NoPrinterCanvas, DrawsAt600DpiOnLetterPaperUntilSetPaper) {
    TPageStoreWriter& canvas = open();
    EXPECT_FALSE(canvas.hasPrinter());
    EXPECT_EQ(canvas.XDPI(), 600);
    EXPECT_EQ(canvas.YDPI(), 600);
    EXPECT_DOUBLE_EQ(canvas.PaperWidth(), 8.5);
    EXPECT_DOUBLE_EQ(canvas.PaperHeight(), 11.0);

    canvas.SetPaper(7, 0); // both sides or nothing
    EXPECT_DOUBLE_EQ(canvas.PaperWidth(), 8.5);
    canvas.SetPaper(7, 9);
    canvas.SelectPrinter(0);
    canvas.SelectPrinter(-1);
    EXPECT_DOUBLE_EQ(canvas.PaperWidth(), 7.0);
    EXPECT_DOUBLE_EQ(canvas.PaperHeight(), 9.0);
    canvas.close();
    EXPECT_EQ(store.pages[0].paperWidth, 7.0f);
    EXPECT_EQ(store.pages[0].paperHeight, 9.0f);
}

TEST_F(NoPrinterCanvas, LandscapeTurnsTheStoredPaper) {
    PrinterSettings settings;
    settings.Orientation = TOrientation::poLandScape;
    TPageStoreWriter& canvas = open(settings);
    EXPECT_DOUBLE_EQ(canvas.PaperWidth(), 11.0);
    EXPECT_DOUBLE_EQ(canvas.PaperHeight(), 8.5);
}

TEST_F(NoPrinterCanvas, SelectFontIgnoresSizesOfZeroAndBelow) {
    TPageStoreWriter& canvas = open();
    EXPECT_EQ(canvas.FontName(), QStringLiteral("Arial"));
    EXPECT_EQ(canvas.FontSize(), 10);
    canvas.SelectFont(QStringLiteral("Courier New"), 12);
    canvas.SelectFont(QStringLiteral("Times New Roman"), 0);
    canvas.SelectFont(QStringLiteral("Times New Roman"), -3);
    EXPECT_EQ(canvas.FontName(), QStringLiteral("Courier New"));
    EXPECT_EQ(canvas.FontSize(), 12);
    canvas.PrintAt(1, 1, QStringLiteral("a"));
    canvas.PrintAt(1, 2, QStringLiteral("b"));
    // The font is recorded once, before the first text that uses it.
    ASSERT_EQ(commands().size(), 3u);
    EXPECT_EQ(command<FontCommand>(0).name, QStringLiteral("Courier New"));
    EXPECT_EQ(command<FontCommand>(0).size, 12.0f);
}

TEST_F(NoPrinterCanvas, PrintAtLeavesTheTextPositionAtTheEndOfTheText) {
    TPageStoreWriter& canvas = open();
    canvas.SelectFont(QStringLiteral("Arial"), 12);
    canvas.PrintAt(1.25, 2.5, QStringLiteral("MMMM"));
    const auto& text = command<TextCommand>(1);
    EXPECT_EQ(text.x, 1.25f);
    EXPECT_EQ(text.y, 2.5f);
    EXPECT_EQ(text.align, TextAlign::Left);
    EXPECT_EQ(canvas.YPos(), 2.5);
    // Arial's M is 0.833 em wide, and M has no kerning: 4 × 0.833 × 12 / 72 inches.
    EXPECT_NEAR(canvas.XPos() - 1.25, 0.5553, 0.002);
}

TEST_F(NoPrinterCanvas, PrintRightAtEndsAtXOnTheCurrentBaseline) {
    TPageStoreWriter& canvas = open();
    canvas.MoveToPosition(0.5, 3.0);
    canvas.PrintRightAt(QStringLiteral("1,234.50"), 5.0);
    const auto& text = std::get<TextCommand>(commands().back());
    EXPECT_EQ(text.align, TextAlign::Right);
    EXPECT_EQ(text.x, 5.0f);
    EXPECT_EQ(text.y, 3.0f);
}

TEST_F(NoPrinterCanvas, LinesAndRectanglesCarryThePenInForce) {
    TPageStoreWriter& canvas = open();
    canvas.Pen.Style = TPenStyle::psSolid;
    canvas.Pen.Width = 2;
    canvas.MovePen(1, 1);
    canvas.LineTo(2, 1);
    canvas.LineTo(2, 3); // from where the last line ended
    canvas.Pen.Style = TPenStyle::psDot;
    canvas.Rectangle(4, 4, 3, 3);

    ASSERT_EQ(commands().size(), 5u);
    EXPECT_FLOAT_EQ(command<PenCommand>(0).width, 2.0f / 600);
    const auto& second = command<LineCommand>(2);
    EXPECT_EQ(second.x1, 2.0f);
    EXPECT_EQ(second.y1, 1.0f);
    EXPECT_EQ(second.y2, 3.0f);
    EXPECT_EQ(command<PenCommand>(3).style, TPenStyle::psDot);
    EXPECT_EQ(command<RectangleCommand>(4).x1, 4.0f);
}

TEST_F(NoPrinterCanvas, BitmapCoversItsPixelsAtTheDeviceResolution) {
    TPageStoreWriter& canvas = open();
    canvas.DrawBitmap(1, 2, 1.0, 1.0, QImage(300, 150, QImage::Format_RGB32));
    canvas.DrawBitmap(1, 2, 1.0, 1.0, QImage()); // nothing to draw
    ASSERT_EQ(commands().size(), 1u);
    const auto& bitmap = command<BitmapCommand>(0);
    EXPECT_FLOAT_EQ(bitmap.width, 0.5f);
    EXPECT_FLOAT_EQ(bitmap.height, 0.25f);
    EXPECT_EQ(bitmap.x, 1.0f);
}

TEST_F(NoPrinterCanvas, UnitsAndScaleApplyAsCoordinatesAreStored) {
    PrinterSettings settings;
    settings.Units = TReportUnits::unMM;
    settings.ScaleX = 50;
    settings.ScaleY = 150;
    TPageStoreWriter& canvas = open(settings);
    EXPECT_NEAR(canvas.PaperWidth(), 215.9, 1e-9);
    canvas.PrintAt(50.8, 25.4, QStringLiteral("x"));
    const auto& text = command<TextCommand>(0);
    EXPECT_FLOAT_EQ(text.x, 1.0f); // 2 inches at half scale
    EXPECT_FLOAT_EQ(text.y, 1.5f); // 1 inch at one and a half
}

TEST_F(NoPrinterCanvas, EveryPageStartsAgainFromThePageDefaults) {
    TPageStoreWriter& canvas = open();
    canvas.SelectFont(QStringLiteral("Arial"), 14);
    canvas.PrintAt(1, 1, QStringLiteral("uno"));
    canvas.NewPage();
    canvas.SetPaper(7, 9);
    canvas.PrintAt(1, 1, QStringLiteral("dos"));
    canvas.Title = QStringLiteral("RESUMEN DIARIO.");
    canvas.close();

    ASSERT_EQ(store.pageCount(), 2);
    EXPECT_EQ(canvas.CurrentPage(), 2);
    EXPECT_EQ(command<FontCommand>(0, 2).size, 14.0f);
    EXPECT_EQ(store.pages[0].paperWidth, 8.5f);
    EXPECT_EQ(store.pages[1].paperWidth, 7.0f);
    EXPECT_EQ(store.title, QStringLiteral("RESUMEN DIARIO."));
}

// Whatever a report draws, the snapshot written from it opens again.
TEST_F(NoPrinterCanvas, KeepsWithinWhatASnapshotHolds) {
    TPageStoreWriter& canvas = open();
    canvas.SetPaper(200, 11);
    EXPECT_DOUBLE_EQ(canvas.PaperWidth(), 8.5);
    canvas.SelectFont(QStringLiteral("Arial"), 1e9);
    EXPECT_EQ(canvas.FontSize(), kMaxFontSize);
    canvas.PrintAt(1e12, std::numeric_limits<double>::quiet_NaN(), QStringLiteral("lejos"));
    canvas.Pen.Width = 1 << 30;
    canvas.MovePen(-1e12, 0);
    canvas.LineTo(0, 1e12);
    canvas.DrawBitmap(0, 0, 1e12, 1, QImage(2, 2, QImage::Format_RGB32));
    canvas.close();

    const auto& text = command<TextCommand>(1);
    EXPECT_EQ(text.x, kMaxCoordinate);
    EXPECT_EQ(text.y, 0.0f);
    EXPECT_EQ(command<LineCommand>(3).x1, -kMaxCoordinate);
    EXPECT_EQ(decodeSnapshot(encodeSnapshot(store)).pages[0].commands.size(), commands().size());
}

} // namespace
} // namespace quelmaro
