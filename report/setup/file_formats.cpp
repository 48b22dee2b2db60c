#include "report/setup/file_formats.h"

#include "report/renderer.h"
#include "report/renderer_registry.h"

#include <algorithm>

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

QString outputFileName(const QString& typed, const FileFormat& chosen,
                       const std::vector<FileFormat>& formats) {
    const QString name = typed.trimmed();
    // A "." in a folder's name is no extension; names may be typed with either separator.
    const qsizetype fileStart = std::max(name.lastIndexOf(u'/'), name.lastIndexOf(u'\\')) + 1;
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot < fileStart)
        return name + chosen.extension;
    const QString extension = name.mid(dot);
    const auto isExtensionOf = [&](const FileFormat& format) {
        return extension.compare(format.extension, Qt::CaseInsensitive) == 0;
    };
    if (isExtensionOf(chosen) || std::none_of(formats.cbegin(), formats.cend(), isExtensionOf))
        return name;
    return name.left(dot) + chosen.extension;
}

} // namespace quelmaro
