#include "platform/unattended_messages.h"

#include <QRegularExpression>

#include <cstdio>

namespace quelmaro::platform {

namespace {

void writeLine(const char* prefix, const QString& text) {
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\r|\n"));
    // One write per line, so that lines from several sources never interleave inside one line.
    const QByteArray line =
        QByteArray(prefix) + QString(text).replace(lineBreak, QStringLiteral(" ")).toUtf8() + '\n';
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    std::fflush(stderr);
}

} // namespace

void UnattendedMessages::information(const QString& text) {
    writeLine("INFO: ", text);
}

void UnattendedMessages::error(const QString& text) {
    writeLine("ERROR: ", text);
}

} // namespace quelmaro::platform
