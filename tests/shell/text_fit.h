#pragma once

#include <QString>
#include <QStringList>

class QWidget;

namespace quelmaro::test {

// Every visible text of a window that is wider (or taller) than the room its control gives it, one line each:
// labels, buttons, check boxes, radio buttons, group titles, what edits, date pickers and drop-down lists
// show, the caption as the window system shows it, and controls that stick out of their group's inside
// (onto its frame or title) or out of their window. Empty when everything shows whole.
QStringList cutTexts(const QWidget& window);

// Saves what the window looks like as <folder>/<name>.png when QUELMARO_SCREENSHOTS names a folder.
void saveScreenshot(QWidget& window, const QString& name);

} // namespace quelmaro::test
