#pragma once

#include "report/report_types.h"

#include <QString>
#include <Qt>

class QIODevice;

namespace quelmaro {

// Printer settings of a report job; the canvas of a generation starts from them.
struct PrinterSettings {
    int Copies = 1;
    int FirstPage = 1;
    int LastPage = 9999;
    TOrientation Orientation = TOrientation::poPortrait;
    // Not applied to drawing: reports place everything at absolute positions from the sheet's corner.
    double MarginLeft = 0.0;
    double MarginRight = 0.0;
    double MarginTop = 0.0;
    double MarginBottom = 0.0;
    // Percent applied to every coordinate as it is stored.
    double ScaleX = 100.0;
    double ScaleY = 100.0;
    TReportUnits Units = TReportUnits::unInch;
    double UnitsFactor = 1.0;
    QString StatusFormat = QStringLiteral("Printing page %p");
    QString Title = QStringLiteral("Untitled Report");
    bool Collate = false;
    DuplexMode Duplex = DuplexMode::OneSided;
};

// Where the page store of a generation is held.
struct FilerSettings {
    QString StatusFormat = QStringLiteral("Generating page %p");
    TStreamMode StreamMode = TStreamMode::smMemory;
    // The snapshot file of the page store: given for smFile, set by the run for smTempFile and for a
    // snapshot written as the report's output file.
    QString FileName;
    // The caller's device that receives the snapshot with smUser; not owned.
    QIODevice* Stream = nullptr;
};

// How the preview window and its renderer show pages.
struct PreviewSettings {
    double ZoomFactor = 100.0; // percent, kept between 10 and 200
    double ZoomInc = 10.0;
    int FormWidth = 615;
    int FormHeight = 450;
    Qt::WindowStates FormState = Qt::WindowNoState;
    int ShadowDepth = 0;        // pixels of page shadow
    double MarginPercent = 0.0; // blank space around the page, percent of the page width
    bool Monochrome = false;
    int PageInc = 1;
};

} // namespace quelmaro
