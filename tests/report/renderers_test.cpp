#include "report/render_pdf.h"
#include "report/render_preview.h"
#include "report/render_printer.h"
#include "report/render_rtf.h"
#include "report/render_text.h"
#include "report/renderer_registry.h"
#include "report/report_errors.h"
#include "report/snapshot.h"
#include "tests/report/report_test_support.h"

#include <QFile>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

namespace quelmaro {
namespace {

QByteArray readFile(const QString& name) {
    QFile file(name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

PageStore onePage(std::vector<DrawCommand> commands) {
    PageStore store;
    store.title = QStringLiteral("Prueba");
    store.pages.push_back(Page{8.5f, 11.0f, std::move(commands)});
    return store;
}

TEST(RendererRegistry, OffersActiveFileRenderersInTheOrderTheyEntered) {
    TRenderRTF rtf;
    TRenderText text;
    TRenderPreview preview;
    TRenderPrinter printer;
    EXPECT_EQ(RendererRegistry::instance().fileTypeFilter(),
              QStringLiteral("Rich Text Format (RTF)|*.rtf|Plain Text (TXT)|*.txt"));
    {
        TRenderPdf pdf;
        EXPECT_EQ(RendererRegistry::instance().fileFormats(),
                  (std::vector<TFileRenderer*>{&rtf, &text, &pdf}));
    }
    // Naming a renderer again puts it last; an inactive one is no format.
    rtf.setDisplayName(QStringLiteral("RTF"));
    EXPECT_EQ(RendererRegistry::instance().fileFormats(), (std::vector<TFileRenderer*>{&text, &rtf}));
    text.setActive(false);
    EXPECT_EQ(RendererRegistry::instance().fileTypeFilter(), QStringLiteral("RTF|*.rtf"));
    EXPECT_EQ(RendererRegistry::instance().renderers().size(), 4u);
}

TEST(TextRenderer, PutsEachTextAtItsColumnAndLine) {
    QTemporaryDir dir;
    TRenderText renderer;
    renderer.OutputFile = dir.filePath(QStringLiteral("cierre.txt"));
    PageStore store = onePage({
        TextCommand{0.5f, 1.0f / 6, TextAlign::Left, QStringLiteral("Ventas")},
        TextCommand{5.0f, 1.0f / 6, TextAlign::Right, QStringLiteral("1,234.50")},
        TextCommand{0.0f, 0.5f, TextAlign::Left, QStringLiteral("Día")},
        TextCommand{8.0f, 0.5f, TextAlign::Left, QStringLiteral("fuera de la hoja")},
        TextCommand{1.0f, 20.0f, TextAlign::Left, QStringLiteral("debajo")},
    });
    store.pages.push_back(
        Page{8.5f, 11.0f, {TextCommand{0.0f, 1.0f / 6, TextAlign::Left, QStringLiteral("2")}}});
    renderer.RenderStream(store);
    const QString spaces31(31, QLatin1Char(' ')), spaces77(77, QLatin1Char(' '));
    EXPECT_EQ(QString::fromUtf8(readFile(renderer.OutputFile)),
              QStringLiteral("     Ventas") + spaces31 + QStringLiteral("1,234.50\n\nDía") + spaces77 +
                  QStringLiteral("fuera\n\f2\n"));
}

// Lines closer than the coarse grid's, numbers closer than their widths there, and two texts drawn at one
// place: each text still reads whole with blanks around it, in the order of the page.
TEST(TextRenderer, TextsThatWouldRunTogetherStayApart) {
    QTemporaryDir dir;
    TRenderText renderer;
    renderer.OutputFile = dir.filePath(QStringLiteral("cierre.txt"));
    renderer.RenderStream(onePage({
        TextCommand{0.5f, 1.0f, TextAlign::Left, QStringLiteral("Venta total")},
        TextCommand{0.5f, 1.08f, TextAlign::Left, QStringLiteral("Crédito")},
        TextCommand{2.0f, 2.0f, TextAlign::Right, QStringLiteral("943,966.21")},
        TextCommand{2.9f, 2.01f, TextAlign::Right, QStringLiteral("1,500,195.20")},
        TextCommand{1.0f, 3.0f, TextAlign::Left, QStringLiteral("A")},
        TextCommand{1.0f, 3.0f, TextAlign::Left, QStringLiteral("B")},
    }));
    const QStringList lines = QString::fromUtf8(readFile(renderer.OutputFile)).split(u'\n');
    // The line holding the text with a blank or the line's end on both sides, and where in it.
    const auto find = [&lines](const QString& text) {
        const QRegularExpression alone(QStringLiteral("(^| )") + QRegularExpression::escape(text) +
                                       QStringLiteral("( |$)"));
        for (qsizetype line = 0; line < lines.size(); ++line)
            if (const auto match = alone.match(lines[line]); match.hasMatch())
                return std::pair{line, match.capturedStart()};
        ADD_FAILURE() << text.toStdString() << " does not stand apart in\n"
                      << lines.join(u'\n').toStdString();
        return std::pair{qsizetype(-1), qsizetype(-1)};
    };
    EXPECT_EQ(find(QStringLiteral("Venta total")).first + 1, find(QStringLiteral("Crédito")).first);
    const auto first = find(QStringLiteral("943,966.21"));
    const auto second = find(QStringLiteral("1,500,195.20"));
    EXPECT_EQ(first.first, second.first) << "numbers of one printed line share a line";
    EXPECT_LT(first.second, second.second);
    EXPECT_EQ(find(QStringLiteral("A")).first + 1, find(QStringLiteral("B")).first)
        << "a text drawn over another goes to the line below";
}

TEST(RtfRenderer, PlacesTextsByTabStopsInTheirFonts) {
    QTemporaryDir dir;
    TRenderRTF renderer;
    renderer.OutputFile = dir.filePath(QStringLiteral("cierre.rtf"));
    PageStore store = onePage({
        FontCommand{QStringLiteral("Courier New"), 12},
        TextCommand{1.0f, 1.0f, TextAlign::Left, QStringLiteral("Año {1}")},
        TextCommand{5.0f, 1.0f, TextAlign::Right, QStringLiteral("99.00")},
    });
    store.pages.push_back(store.pages[0]);
    renderer.RenderStream(store);
    const QByteArray rtf = readFile(renderer.OutputFile);
    EXPECT_TRUE(rtf.startsWith("{\\rtf1"));
    EXPECT_TRUE(rtf.contains("{\\f1\\fnil Courier New;}"));
    EXPECT_TRUE(rtf.contains("\\sl-1440\\slmult0\\tx1440\\tqr\\tx7200\\tab{\\f1\\fs24 A\\u241?o \\{1\\}}"
                             "\\tab{\\f1\\fs24 99.00}\\par"));
    EXPECT_TRUE(rtf.contains("\\sect\\sectd\\sbkpage\\pgwsxn12240\\pghsxn15840"));
    EXPECT_TRUE(rtf.endsWith("}\n"));
}

TEST(PdfRenderer, EmbedsMetricCompatibleFontsAndKeepsTextsWhereDrawn) {
    QTemporaryDir dir;
    TRenderPdf renderer;
    renderer.OutputFile = dir.filePath(QStringLiteral("cierre.pdf"));
    PageStore store = onePage({
        FontCommand{QStringLiteral("Arial"), 12},
        TextCommand{1.0f, 2.0f, TextAlign::Left, QStringLiteral("Izquierda")},
        TextCommand{5.0f, 3.0f, TextAlign::Right, QStringLiteral("Derecha")},
    });
    store.pages.push_back(
        Page{7.0f, 9.0f, {TextCommand{1.0f, 1.0f, TextAlign::Left, QStringLiteral("Dos")}}});
    renderer.RenderStream(store);

    const auto pages = test::readPdfWords(renderer.OutputFile);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_NEAR(pages[0].width, 612, 0.5);
    EXPECT_NEAR(pages[1].width, 504, 0.5);
    EXPECT_NEAR(pages[1].height, 648, 0.5);
    test::expectWordAt(pages[0], QStringLiteral("Izquierda"), TextAlign::Left, 72, 144);
    test::expectWordAt(pages[0], QStringLiteral("Derecha"), TextAlign::Right, 360, 216);
    const QString fonts = test::runTool(QStringLiteral("pdffonts"), {renderer.OutputFile});
    EXPECT_TRUE(fonts.contains(QStringLiteral("LiberationSans"))) << fonts.toStdString();
    // The columns end with emb, sub, uni, object and generation.
    static const QRegularExpression notEmbedded(
        QStringLiteral("\\sno\\s+(yes|no)\\s+(yes|no)\\s+\\d+\\s+\\d+\\s*$"),
        QRegularExpression::MultilineOption);
    EXPECT_FALSE(notEmbedded.match(fonts).hasMatch()) << fonts.toStdString();
}

class PreviewRenderer : public testing::Test {
protected:
    void SetUp() override {
        scrollBox.resize(600, 400);
        preview.setScrollBox(&scrollBox);
        store = test::samplePageStore(3);
    }
    QColor pixelAt(double xInches, double yInches) {
        const QImage image = preview.pageImage();
        const double dpi = image.dotsPerMeterX() * 0.0254;
        return image.pixelColor(int(xInches * dpi), int(yInches * dpi));
    }

    QScrollArea scrollBox;
    TRenderPreview preview;
    PageStore store;
};

TEST_F(PreviewRenderer, PagesStayWithinTheStoreAndWrapAtTheEnds) {
    QSignalSpy changes(&preview, &TRenderPreview::OnPageChange);
    preview.RenderStream(store);
    EXPECT_EQ(preview.CurrentPage(), 1);
    EXPECT_EQ(preview.PageCount(), 3);
    preview.PreviousPage();
    EXPECT_EQ(preview.CurrentPage(), 3);
    preview.NextPage();
    EXPECT_EQ(preview.CurrentPage(), 1);
    preview.ShowPage(7);
    EXPECT_EQ(preview.CurrentPage(), 3);
    preview.ShowPage(0);
    EXPECT_EQ(preview.CurrentPage(), 1);
    EXPECT_EQ(changes.count(), 5);

    const PageStore single = test::samplePageStore(1);
    preview.RenderStream(single);
    preview.NextPage();
    preview.PreviousPage();
    EXPECT_EQ(preview.CurrentPage(), 1);
}

TEST_F(PreviewRenderer, ZoomIsKeptBetween10And200) {
    preview.RenderStream(store);
    const double dpi = QGuiApplication::primaryScreen()->logicalDotsPerInch();
    EXPECT_EQ(preview.pageImage().width(), int(std::ceil(8.5 * dpi)));
    preview.setZoomFactor(250);
    EXPECT_EQ(preview.ZoomFactor(), 200);
    EXPECT_EQ(preview.pageImage().width(), int(std::ceil(8.5 * dpi * 2)));
    EXPECT_EQ(scrollBox.widget()->height(), preview.pageImage().height());
    preview.setZoomFactor(5);
    EXPECT_EQ(preview.ZoomFactor(), 10);
}

TEST_F(PreviewRenderer, FilledRectangleHidesTheLineBeneath) {
    PageStore page = onePage({
        PenCommand{TPenStyle::psSolid, 0.05f},
        LineCommand{1.0f, 2.0f, 7.0f, 2.0f},
        RectangleCommand{3.0f, 1.0f, 5.0f, 3.0f},
    });
    preview.RenderStream(page);
    EXPECT_EQ(pixelAt(2.0, 2.0), QColor(Qt::black));
    EXPECT_EQ(pixelAt(4.0, 2.0), QColor(Qt::white));
    EXPECT_EQ(pixelAt(6.0, 2.0), QColor(Qt::black));
    EXPECT_EQ(pixelAt(3.0, 1.5), QColor(Qt::black)); // the outline
}

TEST_F(PreviewRenderer, DamagedFileLeavesThePageShownInView) {
    QTemporaryDir dir;
    const QString good = dir.filePath(QStringLiteral("bueno.ndr"));
    const QString bad = dir.filePath(QStringLiteral("malo.ndr"));
    saveSnapshot(store, good);
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(encodeSnapshot(store).chopped(3));
    file.close();

    const PageStore single = test::samplePageStore(1);
    preview.RenderStream(single);
    EXPECT_THROW(preview.RenderFile(bad), ReportFileError);
    EXPECT_EQ(preview.pageStore(), &single);
    preview.RenderFile(good);
    EXPECT_EQ(preview.PageCount(), 3);
    EXPECT_NE(preview.pageStore(), &single);
}

} // namespace
} // namespace quelmaro
