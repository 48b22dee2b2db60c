#pragma once

namespace quelmaro::platform {

// The regional settings for the whole program: the default locale of every widget (the calendar's names,
// among others) and Qt's own texts (the file and print dialogs, the standard buttons) in the regional
// language, as the system's own dialogs would speak it; without regional settings, in Spanish. Call once,
// after the QApplication exists. Returns false when there are no texts to load (no translation installed for
// that language, or English, Qt's own); the texts are then Qt's English ones.
bool useRegionalSettings();

} // namespace quelmaro::platform
