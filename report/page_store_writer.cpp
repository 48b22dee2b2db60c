#include "report/page_store_writer.h"

namespace quelmaro {

TPageStoreWriter::TPageStoreWriter(PageStore& store, JobPrinter& printer, const PrinterSettings& settings)
    : TReportCanvas(printer, settings), store_(store) {}

void TPageStoreWriter::open() {
    store_ = PageStore{};
    startPage();
}

void TPageStoreWriter::close() {
    finishPage();
    store_.title = Title;
}

void TPageStoreWriter::beginPage() {
    store_.pages.emplace_back();
    if (onPageStart)
        onPageStart(CurrentPage());
}

void TPageStoreWriter::endPage(float paperWidth, float paperHeight) {
    store_.pages.back().paperWidth = paperWidth;
    store_.pages.back().paperHeight = paperHeight;
}

void TPageStoreWriter::store(DrawCommand command) {
    // Drawing before the page store is open (in the before-print event) has no page to go on.
    if (!store_.pages.empty())
        store_.pages.back().commands.push_back(std::move(command));
}

} // namespace quelmaro
