#pragma once

#include "report/report_types.h"

#include <QSize>
#include <QSizeF>
#include <QString>

#include <memory>

class QPrinter;

namespace quelmaro {

// The printer a report job prints on: at first the system's default printer, then the one chosen by
// list position or in the system's print setup dialog. Without any installed printer it holds no
// printer at all and the job draws at 600 dots per inch on the stored paper.
class ReportPrinter {
public:
    ReportPrinter();
    ~ReportPrinter();
    ReportPrinter(const ReportPrinter&) = delete;
    ReportPrinter& operator=(const ReportPrinter&) = delete;

    // Whether the system has any printer installed.
    bool hasPrinters() const;
    // By position in the system printer list; -1 the system's default printer; below -1 nothing changes.
    void SelectPrinter(int index);

    QString name() const;
    // Where the printer is attached, empty when the system does not tell.
    QString port() const;
    QString driver() const;
    // Whether the selected printer is installed and can take a job.
    bool isValid() const;
    // Throws InvalidPrinterError "Invalid Printer - <name> on <port> (<driver>)" when it is not valid.
    void open() const;

    // Asks for a custom paper; each side reaches the printer as round(inches × 254) tenths of a millimetre.
    void setPaper(double widthInches, double heightInches);
    // The last custom paper asked for, in tenths of a millimetre; empty before any.
    QSize requestedPaper() const { return requestedPaper_; }
    // The full sheet in inches as it lies for the current orientation.
    QSizeF paperSize() const;
    // Dots per inch across and down.
    QSizeF resolution() const;

    void setOrientation(TOrientation orientation);
    int copies() const;
    void setCopies(int copies);
    bool collate() const;
    void setCollate(bool collate);
    DuplexMode duplex() const;
    void setDuplex(DuplexMode mode);

    // The platform printer, for the system's print setup dialog and the printer renderer.
    QPrinter& device() { return *printer_; }

private:
    std::unique_ptr<QPrinter> printer_;
    QSize requestedPaper_;
};

} // namespace quelmaro
