#include "platform/registry.h"

#include "platform/error.h"

#include <QFileInfo>
#include <QSettings>

namespace quelmaro::platform {

namespace {

class SuiteSettings : public QSettings {
public:
    SuiteSettings()
        : QSettings(QSettings::IniFormat, QSettings::SystemScope, QStringLiteral("Qor"),
                    QStringLiteral("Norvaneerp2019")) {
        // Only the suite's own file stands for the key; an organization-wide Qor.ini is no part of it.
        setFallbacksEnabled(false);
    }
};

} // namespace

QString applicationDirectoryFile() {
    return SuiteSettings().fileName();
}

std::optional<QString> readApplicationDirectory() {
    SuiteSettings settings;
    const QString file = settings.fileName();
    if (!QFileInfo(file).isFile() || settings.status() == QSettings::AccessError)
        return std::nullopt;
    if (settings.status() == QSettings::FormatError)
        throw PlatformError(QStringLiteral("El archivo %1 no tiene un formato válido.").arg(file));

    const QVariant value = settings.value(QStringLiteral("Directorio"));
    if (!value.isValid())
        return QString();
    // An unquoted value with commas reads as a list: refuse it rather than guess how it was meant.
    if (value.typeId() != QMetaType::QString)
        throw PlatformError(QStringLiteral("El valor \"Directorio\" de %1 no es un texto.").arg(file));
    const QString text = value.toString();
    return text.left(text.indexOf(QChar(u'\0')));
}

} // namespace quelmaro::platform
