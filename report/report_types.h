#pragma once

#include <QFlags>

namespace quelmaro {

// Where a report goes.
enum class TReportDest { rdPreview = 0, rdPrinter = 1, rdFile = 2 };

// Where the page store of a generation is held.
enum class TStreamMode { smMemory = 0, smFile = 1, smUser = 2, smTempFile = 3 };

// Report units; unUser takes the factor the job is given.
enum class TReportUnits { unInch, unMM, unCM, unPoint, unUser };

enum class TOrientation { poPortrait, poLandScape, poDefault };

// The four calls a job makes to a window that replaces its setup dialog or preview.
enum class TOverrideMode { omCreate, omShow, omWait, omFree };

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear };

// Two-sided printing: 0 is one-sided, the others bind on the long or the short edge.
enum class DuplexMode { OneSided = 0, LongEdge = 1, ShortEdge = 2 };

enum TSystemSetup {
    ssAllowSetup = 1 << 0,
    ssAllowCopies = 1 << 1,
    ssAllowCollate = 1 << 2,
    ssAllowDuplex = 1 << 3,
    ssAllowDestPreview = 1 << 4,
    ssAllowDestPrinter = 1 << 5,
    ssAllowDestFile = 1 << 6,
    ssAllowPrinterSetup = 1 << 7,
    ssAllowPreviewSetup = 1 << 8,
};
Q_DECLARE_FLAGS(TSystemSetups, TSystemSetup)
Q_DECLARE_OPERATORS_FOR_FLAGS(TSystemSetups)
inline constexpr TSystemSetups kAllSystemSetups = TSystemSetups::fromInt(0x1ff);

enum TSystemOption {
    soUseFiler = 1 << 0,
    soWaitForOK = 1 << 1,
    soShowStatus = 1 << 2,
    soAllowPrintFromPreview = 1 << 3,
    soPreviewModal = 1 << 4,
    soNoGenerate = 1 << 5,
};
Q_DECLARE_FLAGS(TSystemOptions, TSystemOption)
Q_DECLARE_OPERATORS_FOR_FLAGS(TSystemOptions)

// Report units per inch; unUser has no fixed factor and gives 1.
double unitsPerInch(TReportUnits units);

} // namespace quelmaro
