#pragma once

#include "report/job_printer.h"
#include "report/page_store.h"
#include "report/page_store_writer.h"

#include <QString>

#include <memory>
#include <ostream>
#include <vector>

namespace quelmaro::test {

// A text of a page with the font it was drawn in.
struct PrintedText {
    QString text;
    float x = 0; // the left edge, or the right edge of a right-aligned text
    float y = 0; // the baseline
    TextAlign align = TextAlign::Left;
    QString font;
    float size = 0;
};

// Where a text stands, to compare with what a test expects.
struct TextPlace {
    QString text;
    TextAlign align = TextAlign::Left;
    float x = 0;
    float y = 0;
    bool operator==(const TextPlace&) const = default;
};
TextPlace place(const PrintedText& printed);
void PrintTo(const TextPlace& place, std::ostream* out);

// The texts of a page in drawing order.
std::vector<PrintedText> printedTexts(const Page& page);
// The first text equal to `text`, or null.
const PrintedText* findText(const std::vector<PrintedText>& texts, const QString& text);

// A canvas drawing into a page store, with page 1 started: on the stored 8.5 x 11 inch paper when the
// system has no printer.
class PageCanvas {
public:
    PageCanvas();
    TPageStoreWriter& canvas() { return *writer_; }
    // Finishes the page and gives what was drawn on it.
    const Page& finish();

private:
    JobPrinter printer_;
    PageStore store_;
    std::unique_ptr<TPageStoreWriter> writer_;
};

} // namespace quelmaro::test
