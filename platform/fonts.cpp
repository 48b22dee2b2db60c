#include "platform/fonts.h"

#include <QHash>

namespace quelmaro::platform {

QString fontFamily(const QString& name) {
#ifdef Q_OS_WIN
    return name;
#else
    static const QHash<QString, QString> metricCompatible = {
        {QStringLiteral("ms sans serif"), QStringLiteral("Liberation Sans")},
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

QFont windowFont(const QString& name, int pointSize) {
    QFont font(fontFamily(name));
    font.setPointSize(pointSize);
    return font;
}

} // namespace quelmaro::platform
