#pragma once

#include <QFont>
#include <QString>

namespace quelmaro::platform {

// The family that stands for a Windows font name here. Where "MS Sans Serif", "Arial", "Arial Narrow",
// "Times New Roman" or "Courier New" are missing, their metric-compatible Liberation fonts stand in, so texts
// keep the widths the windows and pages were laid out for. Other names pass unchanged.
QString fontFamily(const QString& name);

// A window's font by the Windows name and point size its layout was made for.
QFont windowFont(const QString& name, int pointSize);

} // namespace quelmaro::platform
