#include "data/dm/stored_procedure.h"

#include "data/fb/statement.h"
#include "data/fb/transaction.h"

namespace quelmaro {

StoredProcedure::StoredProcedure(const QString& procedureName, fb::Connection& connection,
                                 const QStringList& inputNames)
    : procedureName_(procedureName), connection_(connection) {
    for (const QString& name : inputNames)
        inputNames_ << name.toUpper();
}

void StoredProcedure::setParameter(const QString& name, const Value& value) {
    values_.insert(name.toUpper(), value);
}

Value StoredProcedure::parameter(const QString& name) const {
    return values_.value(name.toUpper());
}

void StoredProcedure::execute() {
    QString sql = QStringLiteral("EXECUTE PROCEDURE ") + procedureName_;
    QList<Value> inputs;
    if (!inputNames_.isEmpty()) {
        QStringList marks;
        for (const QString& name : std::as_const(inputNames_)) {
            marks << QStringLiteral("?");
            inputs << values_.value(name);
        }
        sql += QLatin1Char('(') + marks.join(QLatin1Char(',')) + QLatin1Char(')');
    }
    fb::Transaction transaction(connection_);
    fb::Statement statement(transaction, sql);
    const fb::Row outputs = statement.execute(inputs);
    transaction.commit();
    for (qsizetype i = 0; i < outputs.size(); ++i)
        values_.insert(statement.columns().at(i).name.toUpper(), outputs.at(i));
}

} // namespace quelmaro
