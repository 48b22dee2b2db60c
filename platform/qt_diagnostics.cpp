#include "platform/qt_diagnostics.h"

#include <QString>
#include <QtGlobal>

namespace quelmaro::platform {

namespace {

QtMessageHandler qtHandler = nullptr;

void passRealProblems(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        qtHandler(type, context, message);
}

} // namespace

void keepQtNotesOffStandardError() {
    if (qEnvironmentVariable("QUELMARO_QT_WARNINGS") == QLatin1String("1"))
        return;
    qtHandler = qInstallMessageHandler(passRealProblems);
}

} // namespace quelmaro::platform
