#pragma once

#include "data/fb/connection.h"

#include <stdexcept>

namespace quelmaro::test {

// A query's rows read by column name.
class Results {
public:
    explicit Results(fb::QueryResult result) : result_(std::move(result)) {}

    qsizetype size() const { return result_.rows.size(); }
    const fb::QueryResult& result() const { return result_; }

    const Value& at(qsizetype row, const QString& column) const {
        const int index = result_.columnIndex(column);
        if (index < 0)
            throw std::out_of_range("no column " + column.toStdString());
        return result_.rows.at(row).at(index);
    }
    Fixed money(qsizetype row, const QString& column) const { return at(row, column).toFixed(); }

private:
    fb::QueryResult result_;
};

// The one value of a query of one row and one column.
inline Value single(fb::Connection& connection, const QString& sql, const QList<Value>& params = {}) {
    return connection.query(sql, params).rows.at(0).at(0);
}

} // namespace quelmaro::test
