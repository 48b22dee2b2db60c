#include "tests/closing/format/company_database.h"

#include <QProcess>

#include <stdexcept>

namespace quelmaro::test {

void runSchemaCommand(const QString& command, const QStringList& arguments) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(QStringLiteral(QUELMARO_SCHEMA_DIR "/") + command, arguments);
    constexpr int kFiveMinutes = 300'000;
    const bool finished = process.waitForFinished(kFiveMinutes);
    if (!finished)
        process.kill();
    if (!finished || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        throw std::runtime_error(QStringLiteral("%1 %2 failed: %3\n%4")
                                     .arg(command, arguments.join(u' '), process.errorString(),
                                          QString::fromUtf8(process.readAll()))
                                     .toStdString());
}

CompanyDatabase::CompanyDatabase() : path_(dir_.filePath(QStringLiteral("datos/01/norvane.fdb"))) {
    runSchemaCommand(QStringLiteral("create-company.sh"), {dir_.path(), QStringLiteral("01")});
    open();
}

CompanyDatabase::CompanyDatabase(const QStringList& demoOptions)
    : path_(dir_.filePath(QStringLiteral("datos/01/norvane.fdb"))) {
    runSchemaCommand(QStringLiteral("make-demo.sh"), QStringList{dir_.path()} + demoOptions);
    open();
}

void CompanyDatabase::open() {
    connection_.setParameter(QStringLiteral("Database"), path_);
    connection_.setParameter(QStringLiteral("User_Name"), QStringLiteral("SYSDBA"));
    connection_.setParameter(QStringLiteral("Password"), QStringLiteral("masterkey"));
    connection_.open();

    const QStringList formatKey{QStringLiteral("TIDO_COD"), QStringLiteral("PREF_PRE")};
    Tformatos.setTable(QStringLiteral("FORMATOS"));
    Tformadatos.setTable(QStringLiteral("FORMATO_DATOS"), formatKey);
    Tformadatos.setMaster(Tformatos, formatKey);
    Tformalineas.setTable(QStringLiteral("FORMATO_LINEAS"));
    Tformalineas.setMaster(Tformatos, formatKey);
}

} // namespace quelmaro::test
