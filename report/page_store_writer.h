#pragma once

#include "report/report_canvas.h"

#include <functional>

namespace quelmaro {

// The canvas of a generation: everything drawn becomes commands of a page store.
class TPageStoreWriter : public TReportCanvas {
public:
    TPageStoreWriter(PageStore& store, JobPrinter& printer, const PrinterSettings& settings);

    // Empties the page store and starts page 1.
    void open();
    // Finishes the last page and records the title.
    void close();

    // Told the number of each page as it starts.
    std::function<void(int page)> onPageStart;

protected:
    void beginPage() override;
    void endPage(float paperWidth, float paperHeight) override;
    void store(DrawCommand command) override;

private:
    PageStore& store_;
};

} // namespace quelmaro
