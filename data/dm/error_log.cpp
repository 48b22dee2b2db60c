#include "data/dm/error_log.h"

#include "data/dm/formats.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace quelmaro::dm {

QString ErrorLog::pathIn(const QString& directory) {
    return directory + QDir::separator() + QStringLiteral("ERRORES.TXT");
}

QString ErrorLog::line(const QDateTime& when, const QString& user, const QString& message) {
    static const QRegularExpression lineBreaks(QStringLiteral("\r\n|\r|\n"));
    QString flat = message;
    flat.replace(lineBreaks, QStringLiteral(" "));
    return formats::shortDate(when.date()) + QLatin1Char(',') + formats::longTime(when.time()) +
           QLatin1Char(',') + user + QLatin1Char(',') + flat + QStringLiteral("\r\n");
}

void ErrorLog::append(const QString& directory, const QDateTime& when, const QString& user,
                      const QString& message) {
    QFile file(pathIn(directory));
    const QIODevice::OpenMode mode =
        file.exists() ? QIODevice::Append : QIODevice::WriteOnly | QIODevice::Truncate;
    if (!file.open(mode))
        return;
    file.write(line(when, user, message).toLocal8Bit());
}

} // namespace quelmaro::dm
