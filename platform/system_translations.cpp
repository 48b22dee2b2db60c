#include "platform/system_translations.h"

#include "platform/locale_names.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <memory>

namespace quelmaro::platform {

bool useRegionalSettings() {
    const QLocale regional = regionalLocale();
    QLocale::setDefault(regional);
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(regional, QStringLiteral("qtbase"), QStringLiteral("_"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    // The application owns it from here: it must outlive every dialog.
    translator->setParent(QCoreApplication::instance());
    return QCoreApplication::installTranslator(translator.release());
}

} // namespace quelmaro::platform
