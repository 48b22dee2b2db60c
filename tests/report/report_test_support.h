#pragma once

#include "report/page_store.h"

#include <QImage>
#include <QString>
#include <QStringList>

#include <vector>

namespace quelmaro::test {

// A store of `pages` pages whose commands use every kind, with the page number in a text.
PageStore samplePageStore(int pages);

// A small image with distinct pixels, so a round trip that loses one shows.
QImage sampleBitmap();

// Runs a tool and returns what it printed; fails the test when it cannot run or exits non-zero.
QString runTool(const QString& program, const QStringList& arguments);

// A word of pdftotext -bbox output: its box in points from the page's top-left corner.
struct PdfWord {
    QString text;
    double xMin, yMin, xMax, yMax;
};
struct PdfPage {
    double width, height; // points
    std::vector<PdfWord> words;
};
std::vector<PdfPage> readPdfWords(const QString& pdfFile);
// The first word with that text, or null.
const PdfWord* findWord(const PdfPage& page, const QString& text);

// Expects the word on the page with its left (TextAlign::Left) or right edge at x and its baseline at
// baseline, both in points: the ascent above the baseline, the short descent below it.
void expectWordAt(const PdfPage& page, const QString& text, TextAlign align, double x, double baseline);

// "Key: value" of pdfinfo.
QString pdfInfo(const QString& pdfFile, const QString& key);

} // namespace quelmaro::test
