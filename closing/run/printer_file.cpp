#include "closing/run/printer_file.h"

#include "platform/messages.h"

#include <QDir>
#include <QFile>
#include <QTextStream>

namespace quelmaro {

QString nombre_impresora(const QString& directory, const QString& key) {
    const QString path = directory + QDir::separator() + QStringLiteral("impresoras.cfg");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        platform::messages().information(QStringLiteral("Error abriendo el archivo") + path);
        return {};
    }
    const QString searched = key + QLatin1Char(',');
    QTextStream lines(&file);
    QString name;
    while (name.isEmpty() && !lines.atEnd()) {
        const QString line = lines.readLine();
        const qsizetype found = line.indexOf(searched);
        if (found >= 0)
            name = line.mid(found + searched.size());
    }
    return name;
}

} // namespace quelmaro
