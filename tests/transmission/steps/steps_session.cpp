#include "tests/transmission/steps/steps_session.h"

#include "transmission/run/driver.h"

namespace quelmaro::test {

QStringList rowsAsText(const fb::QueryResult& result) {
    QStringList rows;
    for (const fb::Row& row : result.rows) {
        QStringList values;
        for (const Value& value : row)
            values << value.toString();
        rows << values.join(QLatin1Char('|'));
    }
    return rows;
}

StepsTest::StepsTest(const RunSettings& settings) : session(settings) {
    session.dm.directorio = logFolder.path();
    session.dm.ConfigurarProviders(&window);
    session.connect();
    session.run.setDocumentRecordSets(steps.ventas.CFactura(), CRecibo);
}

PointOfSale StepsTest::point(int id) {
    const QList<PointOfSale> points =
        selectPoints(session.run, QString::number(id), QString::number(id), QStringLiteral("0"));
    if (points.isEmpty())
        throw std::runtime_error("no such point of sale");
    return points.first();
}

void StepsTest::send(PointStep& step, int pointId, const QDate& date) {
    session.run.setDate(date);
    step.send(session.run, point(pointId));
}

QStringList StepsTest::central(const QString& sql, const QList<Value>& params) {
    return rowsAsText(session.central().query(sql, params));
}

QStringList StepsTest::origin(const QString& sql, const QList<Value>& params) {
    return rowsAsText(session.origin().query(sql, params));
}

int StepsTest::countCentral(const QString& sql, const QList<Value>& params) {
    return int(session.central().query(sql, params).rows.value(0).value(0).toInt());
}

} // namespace quelmaro::test
