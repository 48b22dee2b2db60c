#include "data/fb/metadata.h"

namespace quelmaro::fb {

namespace {

QString storedName(const QString& name) {
    if (name.size() >= 2 && name.startsWith(u'"') && name.endsWith(u'"'))
        return name.mid(1, name.size() - 2).replace(QLatin1String("\"\""), QLatin1String("\""));
    return name.toUpper();
}

} // namespace

QStringList primaryKeyColumns(Connection& connection, const QString& table) {
    const QueryResult key = connection.query(
        QStringLiteral("select s.rdb$field_name from rdb$relation_constraints c"
                       " join rdb$index_segments s on s.rdb$index_name = c.rdb$index_name"
                       " where c.rdb$relation_name = ? and c.rdb$constraint_type = 'PRIMARY KEY'"
                       " order by s.rdb$field_position"),
        {storedName(table)});
    QStringList columns;
    for (const Row& row : key.rows)
        columns.append(row.first().toString().trimmed());
    return columns;
}

} // namespace quelmaro::fb
