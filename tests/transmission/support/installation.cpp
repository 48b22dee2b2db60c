#include "tests/transmission/support/installation.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <stdexcept>

namespace quelmaro::test {

namespace {

void write(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

} // namespace

Installation::Installation(const QStringList& servers) {
    write(configFolder() + QStringLiteral("/Qor/Norvaneerp2019.ini"),
          "[General]\nDirectorio=\"" + directory().toUtf8() + "\"\n");
    write(directory() + QStringLiteral("/SERVIDORES.cfg"),
          servers.join(QStringLiteral("\r\n")).toUtf8() + "\r\n");
    qputenv("XDG_CONFIG_DIRS", configFolder().toUtf8());
}

QStringList Installation::errorLog() const {
    QFile file(directory() + QStringLiteral("/ERRORES.TXT"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(file.readAll()).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

} // namespace quelmaro::test
