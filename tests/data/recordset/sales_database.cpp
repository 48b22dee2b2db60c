#include "tests/data/recordset/sales_database.h"

namespace quelmaro::test {

SalesDatabase::SalesDatabase() {
    execute(QStringLiteral("create table facturas ("
                           " fact_id integer not null constraint pk_facturas primary key,"
                           " ptvt_id integer not null, terc_nit varchar(20) not null,"
                           " fact_numero varchar(8), fact_total numeric(15,2))"));
    execute(QStringLiteral("create table facturas_detalle ("
                           " fact_id integer not null constraint fk_fade_fact references facturas,"
                           " fade_item integer not null, arti_cod varchar(15) not null,"
                           " fade_cant numeric(15,4), fade_total numeric(15,2),"
                           " constraint pk_facturas_detalle primary key (fact_id, fade_item))"));
    execute(QStringLiteral("create table facturas_pago ("
                           " fact_id integer not null constraint fk_pago_fact references facturas,"
                           " pago_item integer not null, fopa_id integer not null, pago_monto numeric(15,2),"
                           " constraint pk_facturas_pago primary key (fact_id, pago_item))"));
    execute(QStringLiteral("insert into facturas values (1, 10, '800100', 'A1', 150.00)"));
    execute(QStringLiteral("insert into facturas values (2, 10, '800200', 'A2', null)"));
    execute(QStringLiteral("insert into facturas values (3, 20, '800100', 'A3', 40.50)"));
    execute(QStringLiteral("insert into facturas_detalle values (1, 1, 'ART1', 2, 100.00)"));
    execute(QStringLiteral("insert into facturas_detalle values (1, 2, 'ART2', 1, 50.00)"));
    execute(QStringLiteral("insert into facturas_detalle values (3, 1, 'ART1', 1, 40.50)"));
    execute(QStringLiteral("insert into facturas_pago values (1, 1, 1, 150.00)"));

    facturas.setStatement(QStringLiteral("SELECT * FROM FACTURAS ORDER BY FACT_ID"));
    lineas.setStatement(
        QStringLiteral("SELECT * FROM FACTURAS_DETALLE WHERE FACT_ID = :FACT_ID ORDER BY FADE_ITEM"));
    lineas.setMaster(facturas);
    pagos.setStatement(QStringLiteral("SELECT * FROM FACTURAS_PAGO WHERE FACT_ID = :FACT_ID"));
    pagos.setMaster(facturas);
}

void SalesDatabase::execute(const QString& sql, const QList<Value>& params) {
    connection().execute(sql, params);
}

Value SalesDatabase::scalar(const QString& sql, const QList<Value>& params) {
    return connection().query(sql, params).rows.at(0).at(0);
}

RecordSet& SalesDatabase::overProvider(RecordSet& invoices) {
    invoices.setProvider(&provider);
    return invoices;
}

} // namespace quelmaro::test
