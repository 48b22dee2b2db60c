#include "tests/report/report_test_support.h"

#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace quelmaro::test {

PageStore samplePageStore(int pages) {
    PageStore store;
    store.title = QStringLiteral("RESUMEN DIARIO.");
    for (int n = 1; n <= pages; ++n) {
        Page page;
        page.paperWidth = 8.5f;
        page.paperHeight = 11.0f;
        page.commands = {
            FontCommand{QStringLiteral("Arial"), 12},
            TextCommand{1.0f, 1.0f, TextAlign::Left, QStringLiteral("Página %1 ñandú").arg(n)},
            TextCommand{7.5f, 2.0f, TextAlign::Right, QStringLiteral("1,234.50")},
            PenCommand{TPenStyle::psDash, 2.0f / 600},
            LineCommand{0.5f, 3.0f, 8.0f, 3.0f},
            RectangleCommand{1.0f, 4.0f, 3.0f, 5.0f},
            BitmapCommand{5.0f, 4.0f, 0.5f, 0.25f, sampleBitmap()},
        };
        store.pages.push_back(std::move(page));
    }
    return store;
}

QImage sampleBitmap() {
    QImage image(4, 2, QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgba(x * 60, y * 120, 200, 255 - x * 10));
    return image;
}

QString runTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    const bool finished = process.waitForFinished(60000);
    EXPECT_TRUE(finished && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0)
        << program.toStdString() << ": " << process.readAllStandardError().toStdString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

std::vector<PdfPage> readPdfWords(const QString& pdfFile) {
    const QString html =
        runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdfFile, QStringLiteral("-")});
    static const QRegularExpression pageTag(
        QString::fromLatin1(R"re(<page width="([\d.]+)" height="([\d.]+)">)re"));
    static const QRegularExpression wordTag(QString::fromLatin1(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    std::vector<PdfPage> pages;
    for (const QString& line : html.split(QLatin1Char('\n'))) {
        if (const auto m = pageTag.match(line); m.hasMatch())
            pages.push_back({m.captured(1).toDouble(), m.captured(2).toDouble(), {}});
        else if (const auto w = wordTag.match(line); w.hasMatch() && !pages.empty())
            pages.back().words.push_back({w.captured(5), w.captured(1).toDouble(), w.captured(2).toDouble(),
                                          w.captured(3).toDouble(), w.captured(4).toDouble()});
    }
    return pages;
}

const PdfWord* findWord(const PdfPage& page, const QString& text) {
    for (const PdfWord& word : page.words)
        if (word.text == text)
            return &word;
    return nullptr;
}

void expectWordAt(const PdfPage& page, const QString& text, TextAlign align, double x, double baseline) {
    const PdfWord* word = findWord(page, text);
    ASSERT_NE(word, nullptr) << text.toStdString();
    EXPECT_NEAR(align == TextAlign::Left ? word->xMin : word->xMax, x, 1.0) << text.toStdString();
    EXPECT_LT(word->yMin, baseline) << text.toStdString();
    EXPECT_GT(word->yMax, baseline) << text.toStdString();
    EXPECT_LT(word->yMax - baseline, 4) << text.toStdString();
}

QString pdfInfo(const QString& pdfFile, const QString& key) {
    const QString info = runTool(QStringLiteral("pdfinfo"), {pdfFile});
    for (const QString& line : info.split(QLatin1Char('\n')))
        if (line.startsWith(key + QLatin1Char(':')))
            return line.mid(key.size() + 1).trimmed();
    return QString();
}

} // namespace quelmaro::test
