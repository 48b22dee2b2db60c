#include "report/report_printer.h"

#include "platform/printers.h"
#include "report/report_errors.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

#include <cmath>

namespace quelmaro {

namespace {

// The system's default printer; when the system names none, its first printer, as Qt itself takes.
QString systemDefaultPrinter() {
    const QString name = platform::defaultPrinterName();
    if (!name.isEmpty())
        return name;
    const QStringList names = platform::installedPrinterNames();
    return names.isEmpty() ? QString() : names.first();
}

void choose(QPrinter& printer, const QString& name) {
    printer.setPrinterName(name);
    // Qt keeps the previous paper when the printer changes; the queue's own default is what a user expects.
    const QPageSize queuePaper = QPrinterInfo::printerInfo(name).defaultPageSize();
    if (queuePaper.isValid())
        printer.setPageSize(queuePaper);
}

} // namespace

ReportPrinter::ReportPrinter() : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    // The origin is the sheet's corner, not the printable area's.
    printer_->setFullPage(true);
    SelectPrinter(-1);
}

ReportPrinter::~ReportPrinter() = default;

bool ReportPrinter::hasPrinters() const {
    return !platform::installedPrinterNames().isEmpty();
}

void ReportPrinter::SelectPrinter(int index) {
    if (index < -1)
        return;
    const QStringList names = platform::installedPrinterNames();
    if (index == -1) {
        const QString defaultName = systemDefaultPrinter();
        if (!defaultName.isEmpty())
            choose(*printer_, defaultName);
    } else if (index < names.size()) {
        choose(*printer_, names.at(index));
    }
}

QString ReportPrinter::name() const {
    return printer_->printerName();
}

QString ReportPrinter::port() const {
    return QPrinterInfo::printerInfo(name()).location();
}

QString ReportPrinter::driver() const {
    return QPrinterInfo::printerInfo(name()).makeAndModel();
}

bool ReportPrinter::isValid() const {
    return !name().isEmpty() && platform::installedPrinterNames().contains(name()) && printer_->isValid();
}

void ReportPrinter::open() const {
    if (!isValid())
        throw InvalidPrinterError(name(), port(), driver());
}

void ReportPrinter::setPaper(double widthInches, double heightInches) {
    requestedPaper_ = QSize(int(std::lround(widthInches * 254)), int(std::lround(heightInches * 254)));
    const QSizeF millimetres(requestedPaper_.width() / 10.0, requestedPaper_.height() / 10.0);
    // The paper is given as it lies in portrait; the orientation turns it.
    const bool wide = millimetres.width() > millimetres.height();
    printer_->setPageSize(QPageSize(wide ? millimetres.transposed() : millimetres, QPageSize::Millimeter));
    printer_->setPageOrientation(wide ? QPageLayout::Landscape : QPageLayout::Portrait);
}

QSizeF ReportPrinter::paperSize() const {
    return printer_->pageLayout().fullRect(QPageLayout::Inch).size();
}

QSizeF ReportPrinter::resolution() const {
    return QSizeF(printer_->logicalDpiX(), printer_->logicalDpiY());
}

void ReportPrinter::setOrientation(TOrientation orientation) {
    if (orientation == TOrientation::poPortrait)
        printer_->setPageOrientation(QPageLayout::Portrait);
    else if (orientation == TOrientation::poLandScape)
        printer_->setPageOrientation(QPageLayout::Landscape);
}

int ReportPrinter::copies() const {
    return printer_->copyCount();
}

void ReportPrinter::setCopies(int copies) {
    printer_->setCopyCount(qMax(1, copies));
}

bool ReportPrinter::collate() const {
    return printer_->collateCopies();
}

void ReportPrinter::setCollate(bool collate) {
    printer_->setCollateCopies(collate);
}

DuplexMode ReportPrinter::duplex() const {
    switch (printer_->duplex()) {
    case QPrinter::DuplexNone:
        return DuplexMode::OneSided;
    case QPrinter::DuplexShortSide:
        return DuplexMode::ShortEdge;
    case QPrinter::DuplexAuto:
    case QPrinter::DuplexLongSide:
        break;
    }
    return DuplexMode::LongEdge;
}

void ReportPrinter::setDuplex(DuplexMode mode) {
    static constexpr QPrinter::DuplexMode qtModes[] = {QPrinter::DuplexNone, QPrinter::DuplexLongSide,
                                                       QPrinter::DuplexShortSide};
    printer_->setDuplex(qtModes[int(mode)]);
}

} // namespace quelmaro
