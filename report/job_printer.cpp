#include "report/job_printer.h"

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

} // namespace

void JobPrinter::choose(const QString& name) {
    wanted_ = name;
    printer_->setPrinterName(name);
    // Qt keeps the previous paper when the printer changes; the queue's own default is what a user expects.
    const QPageSize queuePaper = QPrinterInfo::printerInfo(name).defaultPageSize();
    if (queuePaper.isValid())
        printer_->setPageSize(queuePaper);
}

JobPrinter::JobPrinter() : printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    // The origin is the sheet's corner, not the printable area's.
    printer_->setFullPage(true);
    SelectPrinter(-1);
}

JobPrinter::~JobPrinter() = default;

bool JobPrinter::hasPrinters() const {
    return !platform::installedPrinterNames().isEmpty();
}

void JobPrinter::SelectPrinter(int index) {
    if (index < -1)
        return;
    const QStringList names = platform::installedPrinterNames();
    if (index == -1) {
        const QString defaultName = systemDefaultPrinter();
        if (!defaultName.isEmpty())
            choose(defaultName);
    } else if (index < names.size()) {
        choose(names.at(index));
    }
}

QString JobPrinter::name() const {
    const QString selected = printer_->printerName();
    return selected.isEmpty() ? wanted_ : selected;
}

QString JobPrinter::port() const {
    return QPrinterInfo::printerInfo(name()).location();
}

bool JobPrinter::isValid() const {
    const QString selected = printer_->printerName();
    return !selected.isEmpty() && platform::installedPrinterNames().contains(selected) && printer_->isValid();
}

void JobPrinter::open() {
    if (printer_->printerName().isEmpty()) {
        if (wanted_.isEmpty())
            SelectPrinter(-1);
        else
            choose(wanted_);
    }
    if (!isValid())
        throw InvalidPrinterError(name(), port());
}

void JobPrinter::setPaper(double widthInches, double heightInches) {
    requestedPaper_ = QSize(int(std::lround(widthInches * 254)), int(std::lround(heightInches * 254)));
    const QSizeF millimetres(requestedPaper_.width() / 10.0, requestedPaper_.height() / 10.0);
    // The paper is given as it lies in portrait; the orientation turns it.
    const bool wide = millimetres.width() > millimetres.height();
    printer_->setPageSize(QPageSize(wide ? millimetres.transposed() : millimetres, QPageSize::Millimeter));
    printer_->setPageOrientation(wide ? QPageLayout::Landscape : QPageLayout::Portrait);
}

QSizeF JobPrinter::paperSize() const {
    return printer_->pageLayout().fullRect(QPageLayout::Inch).size();
}

QSizeF JobPrinter::resolution() const {
    return QSizeF(printer_->logicalDpiX(), printer_->logicalDpiY());
}

void JobPrinter::setOrientation(TOrientation orientation) {
    if (orientation == TOrientation::poPortrait)
        printer_->setPageOrientation(QPageLayout::Portrait);
    else if (orientation == TOrientation::poLandScape)
        printer_->setPageOrientation(QPageLayout::Landscape);
}

int JobPrinter::copies() const {
    return printer_->copyCount();
}

void JobPrinter::setCopies(int copies) {
    printer_->setCopyCount(qMax(1, copies));
}

bool JobPrinter::collate() const {
    return printer_->collateCopies();
}

void JobPrinter::setCollate(bool collate) {
    printer_->setCollateCopies(collate);
}

DuplexMode JobPrinter::duplex() const {
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

void JobPrinter::setDuplex(DuplexMode mode) {
    static constexpr QPrinter::DuplexMode qtModes[] = {QPrinter::DuplexNone, QPrinter::DuplexLongSide,
                                                       QPrinter::DuplexShortSide};
    printer_->setDuplex(qtModes[int(mode)]);
}

} // namespace quelmaro
