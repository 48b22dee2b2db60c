#pragma once

namespace quelmaro::platform {

// Qt's own texts (the file and print dialogs, the standard buttons) in the system's language, as the
// system's own dialogs would speak it. Call once, after the QApplication exists. Returns false when there is
// nothing to load (no translation installed for that language, or English, Qt's own); the texts are then
// Qt's English ones.
bool loadSystemDialogTranslations();

} // namespace quelmaro::platform
