#pragma once

namespace quelmaro::platform {

// What every window of the program shares: message boxes and Qt's own dialogs (files, printing) speak in
// the windows' font, and every password field shows each character as "*". Call once, after the
// application object exists and before any window is made.
void useProgramLook();

} // namespace quelmaro::platform
