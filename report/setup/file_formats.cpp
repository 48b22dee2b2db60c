#include "report/setup/file_formats.h"

#include "report/renderer.h"
#include "report/renderer_registry.h"

namespace quelmaro {

std::vector<FileFormat> reportFileFormats() {
    std::vector<FileFormat> formats{
        {QStringLiteral("Report Snapshot File (NDR)"), QStringLiteral("*.NDR"), QStringLiteral(".ndr"),
         nullptr, false},
        {QStringLiteral("Native Printer Output (PRN)"), QStringLiteral("*.PRN"), QStringLiteral(".prn"),
         nullptr, true},
    };
    for (TFileRenderer* renderer : RendererRegistry::instance().fileFormats())
        formats.push_back({renderer->DisplayName(), renderer->FileExtension(),
                           renderer->FileExtension().mid(1), renderer, false});
    return formats;
}

QList<platform::FileFilter> fileTypes(const std::vector<FileFormat>& formats) {
    QList<platform::FileFilter> types;
    for (const FileFormat& format : formats)
        types.append({format.displayName, format.pattern});
    return types;
}

QString outputFileName(const QString& typed, const FileFormat& format) {
    const QString name = typed.trimmed();
    return name.contains(u'.') ? name : name + format.extension;
}

} // namespace quelmaro
