#include "data/recordset/query.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace quelmaro {

Query::Query(const QString& name, fb::Connection& connection) : name_(name), connection_(connection) {}

Query::~Query() {
    if (master_)
        std::erase(master_->details_, this);
    for (Query* detail : details_)
        detail->master_ = nullptr;
}

void Query::setStatement(const QString& sql) {
    statement_ = sql;
    table_.clear();
}

void Query::setTable(const QString& table, const QStringList& orderBy) {
    table_ = table;
    orderBy_ = orderBy;
    statement_.clear();
}

void Query::setParameterDefault(const QString& name, const Value& value) {
    defaults_.insert(name.toUpper(), value);
}

Value Query::parameterDefault(const QString& name) const {
    return defaults_.value(name.toUpper());
}

QStringList Query::parameterNames() const {
    QStringList names = positionalStatement().parameterNames;
    names.removeDuplicates();
    return names;
}

void Query::setMaster(Query& master, const QStringList& linkColumns) {
    if (master_)
        std::erase(master_->details_, this);
    master_ = &master;
    master.details_.push_back(this);
    tableLinks_.clear();
    for (const QString& column : linkColumns)
        tableLinks_ << column.toUpper();
}

QStringList Query::linkColumns() const {
    return master_ ? parameterNames() : QStringList();
}

PositionalStatement Query::positionalStatement() const {
    if (table_.isEmpty())
        return toPositional(statement_);
    QString sql = u"SELECT * FROM "_s + table_;
    QStringList conditions;
    for (const QString& column : tableLinks_)
        conditions << column + u" = :"_s + column;
    if (!conditions.isEmpty())
        sql += u" WHERE "_s + conditions.join(u" AND "_s);
    if (!orderBy_.isEmpty())
        sql += u" ORDER BY "_s + orderBy_.join(u", "_s);
    return toPositional(sql);
}

} // namespace quelmaro
