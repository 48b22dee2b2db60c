#pragma once

#include "report/renderer.h"

#include <memory>

namespace quelmaro {

class JobPrinter;

// Prints every page of a store on the report printer, with its copies, collation and two-sided mode,
// each page on paper of its own size, the store's title as the print job's document name.
class TRenderPrinter : public TRenderer {
    Q_OBJECT
public:
    explicit TRenderPrinter(QObject* parent = nullptr);
    ~TRenderPrinter() override;

    // The report job's printer; without one the renderer prints on the system's default printer.
    void setPrinter(JobPrinter* printer) { printer_ = printer; }
    // Throws InvalidPrinterError when the printer cannot be opened.
    void RenderStream(const PageStore& store) override;

private:
    JobPrinter& printer();

    JobPrinter* printer_ = nullptr;
    std::unique_ptr<JobPrinter> defaultPrinter_;
};

} // namespace quelmaro
