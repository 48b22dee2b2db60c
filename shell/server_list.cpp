#include "shell/server_list.h"

#include <QDir>
#include <QFile>

namespace quelmaro::shell {

QStringList parseServerList(const QByteArray& bytes) {
    QStringList entries;
    QByteArray line;
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const char byte = bytes.at(i);
        if (byte != '\r' && byte != '\n') {
            line.append(byte);
            continue;
        }
        entries.append(QString::fromLocal8Bit(line));
        line.clear();
        if (byte == '\r')
            ++i;
    }
    return entries;
}

QStringList readServerList(const QString& directory) {
    QFile file(directory + QDir::separator() + QStringLiteral("SERVIDORES.cfg"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return parseServerList(file.readAll());
}

} // namespace quelmaro::shell
