#pragma once

#include "data/recordset/named_parameters.h"
#include "data/types/value.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <vector>

namespace quelmaro::fb {
class Connection;
}

namespace quelmaro {

// A data set of the data module: a statement with named parameters, all rows of a table, or nothing of its
// own (the record set reading through it then brings its statement). A query can be the detail of another:
// its parameters take their values from the master row's fields of the same name.
class Query {
public:
    Query(const QString& name, fb::Connection& connection);
    ~Query();
    Query(const Query&) = delete;
    Query& operator=(const Query&) = delete;

    const QString& name() const { return name_; }
    fb::Connection& connection() const { return connection_; }

    void setStatement(const QString& sql);
    // All rows of `table`, optionally ordered by the given columns.
    void setTable(const QString& table, const QStringList& orderBy = {});
    bool hasStatement() const { return !statement_.isEmpty() || !table_.isEmpty(); }

    // The value a parameter takes when the record set gives none (otherwise null).
    void setParameterDefault(const QString& name, const Value& value);
    Value parameterDefault(const QString& name) const;
    // Parameter names in order of first use, upper case.
    QStringList parameterNames() const;

    // Makes this query a detail of `master`. A statement links through its parameters; a table through
    // `linkColumns`, which become its parameters. The master must outlive its details.
    void setMaster(Query& master, const QStringList& linkColumns = {});
    Query* master() const { return master_; }
    const std::vector<Query*>& details() const { return details_; }
    // Columns of this detail that hold the master's key.
    QStringList linkColumns() const;

    // The statement to run, with "?" in place of each named parameter.
    PositionalStatement positionalStatement() const;

private:
    QString name_;
    fb::Connection& connection_;
    QString statement_;
    QString table_;
    QStringList orderBy_;
    QStringList tableLinks_;
    QHash<QString, Value> defaults_;
    Query* master_ = nullptr;
    std::vector<Query*> details_;
};

} // namespace quelmaro
