#include "report/report_fonts.h"

#include <QHash>

namespace quelmaro {

namespace {

QString platformFamily(const QString& name) {
#ifdef Q_OS_WIN
    return name;
#else
    static const QHash<QString, QString> metricCompatible = {
        {QStringLiteral("arial"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("helvetica"), QStringLiteral("Liberation Sans")},
        {QStringLiteral("arial narrow"), QStringLiteral("Liberation Sans Narrow")},
        {QStringLiteral("times new roman"), QStringLiteral("Liberation Serif")},
        {QStringLiteral("times"), QStringLiteral("Liberation Serif")},
        {QStringLiteral("courier new"), QStringLiteral("Liberation Mono")},
        {QStringLiteral("courier"), QStringLiteral("Liberation Mono")},
    };
    return metricCompatible.value(name.trimmed().toLower(), name);
#endif
}

} // namespace

QFont reportFont(const QString& name, double pointSize) {
    QFont font(platformFamily(name));
    font.setPointSizeF(pointSize);
    // Unhinted outlines scale linearly, so a text measures the same on every device resolution.
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

} // namespace quelmaro
