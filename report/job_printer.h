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
class JobPrinter {
public:
    JobPrinter();
    ~JobPrinter();
    JobPrinter(const JobPrinter&) = delete;
    JobPrinter& operator=(const JobPrinter&) = delete;

    // Whether the system has any printer installed.
    bool hasPrinters() const;
    // By position in the system printer list; -1 the system's default printer; below -1 nothing changes.
    void SelectPrinter(int index);

    // The selected printer; the one asked for when the system did not take it, empty when none was named.
    QString name() const;
    // Where the printer is attached, empty when the system does not tell.
    QString port() const;
    // Whether the selected printer is installed and can take a job.
    bool isValid() const;
    // Throws InvalidPrinterError, naming the printer, when it is not valid. A printer the print system did
    // not take, for instance while it was not answering, is asked for again first (at first the default).
    void open();

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
    void choose(const QString& name);

    std::unique_ptr<QPrinter> printer_;
    // The printer last asked for, which the system may have refused.
    QString wanted_;
    QSize requestedPaper_;
};

} // namespace quelmaro
