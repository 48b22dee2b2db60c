#pragma once

namespace quelmaro::platform {

// Qt's own diagnostics on standard error. Its debug output, notes and warnings (no runtime folder, a window
// hint the screen plugin ignores) tell an operator or a scheduler's mail nothing, so they are dropped, unless
// QUELMARO_QT_WARNINGS=1 asks for them; critical and fatal messages, real problems, still go there. Call it
// before the application object is made, which has its own warnings.
void keepQtNotesOffStandardError();

} // namespace quelmaro::platform
