#include "transmission/run/own_tables.h"

#include "data/fb/connection.h"
#include "data/fb/error.h"
#include "data/fb/transaction.h"
#include "transmission/run/run_report.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringList>

#include <stdexcept>

using namespace Qt::StringLiterals;

namespace quelmaro {

namespace {

// One statement of the script, with the table it makes or grants.
struct ScriptStatement {
    QString table;
    QString sql;
};

QList<ScriptStatement> scriptStatements() {
    QFile file(u":/schema/"_s + own_tables::kScript);
    if (!file.open(QIODevice::ReadOnly))
        throw std::logic_error("The program carries no " + own_tables::kScript.toStdString());
    QString text;
    for (const QByteArray& line : file.readAll().split('\n'))
        if (!line.trimmed().startsWith("--"))
            text += QString::fromUtf8(line) + u'\n';
    static const QRegularExpression target(u"\\b(?:table|on)\\s+(\\w+)"_s,
                                           QRegularExpression::CaseInsensitiveOption);
    QList<ScriptStatement> statements;
    for (const QString& part : text.split(u';')) {
        const QString sql = part.trimmed();
        if (!sql.isEmpty())
            statements.append({target.match(sql).captured(1).toUpper(), sql});
    }
    return statements;
}

QStringList missingTables(fb::Connection& destination) {
    QStringList missing{own_tables::kTurns, own_tables::kPendingPostings};
    const fb::QueryResult present = destination.read(
        u"select trim(rdb$relation_name) from rdb$relations where rdb$relation_name in (?, ?)"_s,
        {own_tables::kTurns, own_tables::kPendingPostings});
    for (const fb::Row& row : present.rows)
        missing.removeAll(row.at(0).toString());
    return missing;
}

// All of it in one transaction: the tables come with their grants or not at all.
void create(fb::Connection& destination, const QStringList& tables) {
    QString block = u"execute block as begin "_s;
    for (const ScriptStatement& statement : scriptStatements())
        if (tables.contains(statement.table))
            block += u"execute statement '"_s + QString(statement.sql).replace(u'\'', u"''"_s) + u"'; "_s;
    block += u"end"_s;
    const std::unique_ptr<fb::Transaction> transaction = destination.startTransaction();
    transaction->execute(block);
    transaction->commit();
}

bool isPrivilegeRefused(const QString& text) {
    return text.contains(u"no privilege"_s, Qt::CaseInsensitive) ||
           text.contains(u"no permission"_s, Qt::CaseInsensitive);
}

} // namespace

void ensureOwnTables(fb::Connection& destination, const QString& company, RunReport& report) {
    const QStringList missing = missingTables(destination);
    if (missing.isEmpty())
        return;
    try {
        create(destination, missing);
    } catch (const fb::DatabaseError& error) {
        if (fb::isConnectionLost(error.message()))
            throw;
        // Another run may have made them at the same moment.
        if (missingTables(destination).isEmpty())
            return;
        if (!isPrivilegeRefused(error.message()))
            throw;
        report.refuse();
        throw std::runtime_error(
            (u"La compañía central %1 no tiene las tablas propias del envío (%2) y el usuario %3 no puede "
             u"crearlas. Ejecute una vez en esa compañía, como su dueño o SYSDBA, el script %4 "
             u"(/usr/share/quelmaro/schema/sql en un equipo instalado, schema/sql en las fuentes). No se "
             u"envió nada."_s)
                .arg(company, missing.join(u", "_s), destination.parameter(u"User_Name"_s),
                     own_tables::kScript)
                .toStdString());
    }
}

} // namespace quelmaro
