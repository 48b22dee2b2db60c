#pragma once

#include "platform/messages.h"

#include <QList>
#include <QString>

#include <vector>

namespace quelmaro {

class TFileRenderer;

// One output file format the setup dialog offers.
struct FileFormat {
    QString displayName;
    QString pattern;   // the file type's pattern, e.g. "*.NDR"
    QString extension; // appended to a file name typed without any ".", e.g. ".ndr"
    // The renderer that writes the file; none for a snapshot and for the printer's own output.
    TFileRenderer* renderer = nullptr;
    bool nativeOutput = false;
};

// A snapshot file, the printer's own output, then the active file renderers of the registry in order.
std::vector<FileFormat> reportFileFormats();

// The save dialog's file types, one per format in the same order.
QList<platform::FileFilter> fileTypes(const std::vector<FileFormat>& formats);

// The output file for a typed name, without blanks around it, ending in the chosen format's extension: a
// file name without any extension gets it, and so does one that ends in the extension of another of the
// formats (a name chosen in the save dialog before the format was changed). Any other extension is the
// operator's and stays.
QString outputFileName(const QString& typed, const FileFormat& chosen,
                       const std::vector<FileFormat>& formats);

} // namespace quelmaro
