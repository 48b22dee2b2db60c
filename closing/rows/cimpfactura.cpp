#include "closing/rows/cimpfactura.h"

#include "data/recordset/query.h"
#include "data/types/value.h"

namespace quelmaro {

namespace {

constexpr const char* kColumns[] = {
    "PTOVTA",        "PTOVTANOM",     "VTACONTDIA",    "VTACONTMES",    "VTACREDDIA",    "VTACREDMES",
    "VTATOTALDIA",   "VTATOTALMES",   "DEVOLDIA",      "DEVOLMES",      "VTANETADIA",    "VTANETAMES",
    "VTAEXENTADIA",  "VTAGRAVA16DIA", "VTAGRAVA10DIA", "VTAEXENTAMES",  "VTAGRAVA16MES", "VTAGRAVA10MES",
    "IVA16DIA",      "IVA10DIA",      "IVA16MES",      "IVA10MES",      "INICIAL",       "INGCARTERA",
    "INGOTROS",      "INGTOTAL",      "DESCTOSDIA",    "DESCTOSMES",    "EGRTOTAL",      "EGRPROV",
    "EGRCLASE1",     "EGRCLASE2",     "EGROTROS",      "TRASLADO",      "CONSIGNA",      "CMPEXENTADIA",
    "CMPGRAVA16DIA", "CMPGRAVA10DIA", "CMPEXENTAMES",  "CMPGRAVA16MES", "CMPGRAVA10MES", "IVAC16DIA",
    "IVAC10DIA",     "IVAC16MES",     "IVAC10MES",     "TRASLADOR",     "FINAL",         "FORMAP1",
    "FORMAP2",       "FORMAP3",       "FORMAP4",       "FORMAP5",       "CARTERA",       "FORMAP1MES",
    "FORMAP2MES",    "FORMAP3MES",    "FORMAP4MES",    "FORMAP5MES",    "CARTERAMES",    "CMPTOTALDIA",
    "CMPTOTALMES",   "CMPCONTADODIA", "CMPCREDITODIA", "CMPCONTADOMES", "CMPCREDITOMES", "DEVCMPDIA",
    "DEVCMPMES",     "CMPNETADIA",    "CMPNETAMES",
};

constexpr const char* kCalculated[] = {
    "IvaTotal",    "ExentoTotal", "Gra16Total",   "Gra10Total", "Iva16Total",  "Iva10Total",   "Iva16Proy",
    "Iva10Proy",   "IvaTotProy",  "Iva16CProy",   "Iva10CProy", "IvaTCProy",   "Vtanoefe",     "Vtanoefemes",
    "ProyVtaCont", "ProyVtaCred", "ProyVtanoefe", "ProyDev",    "ProyNeto",    "ProyVtaGra16", "ProyVtaGra10",
    "ProyVtaExe",  "TotVtaGraD",  "TotVtaGraM",   "TotVtaGraP", "TotEfectivo",
};

constexpr ClosingReportRows::Aggregate kAggregates[] = {
    {"SumContadoD", "sum(vtacontdia)"},    {"SumCreditoD", "sum(vtacreddia)"},
    {"SumVtanoefeD", "sum(Vtanoefe)"},     {"SumDevD", "sum(devoldia)"},
    {"SumNetoD", "sum(vtanetadia)"},       {"SumContadoM", "sum(vtacontmes)"},
    {"SumCreditoM", "sum(vtacredmes)"},    {"SumVtanoefeM", "sum(Vtanoefemes)"},
    {"SumDevM", "sum(devolmes)"},          {"SumNetoM", "sum(vtanetames)"},
    {"SumVtaGra1D", "sum(vtagrava16dia)"}, {"SumVtaGra2D", "sum(vtagrava10dia)"},
    {"SumVtaExeD", "sum(vtaexentadia)"},   {"SumVtaGra1M", "sum(vtagrava16mes)"},
    {"SumVtaGra2M", "sum(vtagrava10mes)"}, {"SumVtaExeM", "sum(vtaexentames)"},
};

// Values bound rather than pasted into the statement: the points of sale and the branch are typed or chosen
// by the operator.
const QString kStatement = QStringLiteral("select * from resumen_dia(:FECHA, :PTOINI, :PTOFIN, :AGENCIA)");

FieldDef columnDef(const char* name) {
    const QString column = QLatin1String(name);
    if (column == QLatin1String("PTOVTA"))
        return FieldDef{column, fb::ColumnType::Integer, 0, 0};
    if (column == QLatin1String("PTOVTANOM"))
        return FieldDef{column, fb::ColumnType::Text, 60};
    return FieldDef{column, fb::ColumnType::Fixed, 0, 2};
}

// A typed point of sale or branch as the procedure takes it; blanks around it do not count.
std::int64_t wholeNumber(const QString& text) {
    return Value(text.trimmed()).toInt();
}

Fixed number(RecordSet& rows, const char* name) {
    return rows.field(QLatin1String(name)).asFixed();
}

void store(RecordSet& rows, const char* name, Fixed value) {
    rows.field(QLatin1String(name)).setValue(value);
}

} // namespace

ClosingReportRows::ClosingReportRows(Query& QResumen, QObject* owner)
    : QObject(owner), PImpFactura(QStringLiteral("PImpFactura"), QResumen, this),
      CImpfactura(QStringLiteral("CImpfactura"), this) {
    setObjectName(QStringLiteral("ClosingReportRows"));
    QResumen.setStatement(kStatement);
    PImpFactura.setAcceptsStatement(true);
    CImpfactura.setProvider(&PImpFactura);
    for (const char* column : kColumns)
        CImpfactura.declareField(columnDef(column));
    for (const char* name : kCalculated)
        CImpfactura.declareCalculatedField(FieldDef{QLatin1String(name), fb::ColumnType::Fixed, 0, 4});
    for (const Aggregate& aggregate : kAggregates)
        CImpfactura.addAggregate(QLatin1String(aggregate.name), QLatin1String(aggregate.expression));
}

std::span<const char* const> ClosingReportRows::columns() {
    return kColumns;
}

std::span<const char* const> ClosingReportRows::calculatedFields() {
    return kCalculated;
}

std::span<const ClosingReportRows::Aggregate> ClosingReportRows::aggregates() {
    return kAggregates;
}

void ClosingReportRows::open(const ClosingRequest& request) {
    CImpfactura.close();
    const std::int64_t ptoini = wholeNumber(request.puntos.ptoini);
    const std::int64_t ptofin = wholeNumber(request.puntos.ptofin);
    const std::int64_t agencia = wholeNumber(request.agencia);
    CImpfactura.setCalculateHandler({});
    CImpfactura.setParameter(QStringLiteral("FECHA"), request.fecha);
    CImpfactura.setParameter(QStringLiteral("PTOINI"), ptoini);
    CImpfactura.setParameter(QStringLiteral("PTOFIN"), ptofin);
    CImpfactura.setParameter(QStringLiteral("AGENCIA"), agencia);
    totals = {};
    dia_ = request.fecha.day();
    CImpfactura.open();

    // The non-cash sales come first on every row, so that their totals are complete before any row's
    // projection reads them; the full calculation then runs once per row, in fetch order.
    CImpfactura.setCalculateHandler([this](RecordSet& rows) { calculateNonCashSales(rows); });
    CImpfactura.recalculate();
    CImpfactura.setCalculateHandler([this](RecordSet& rows) { CImpfacturaCalcFields(rows); });
    CImpfactura.recalculate();
    CImpfactura.first();
}

void ClosingReportRows::calculateNonCashSales(RecordSet& rows) {
    store(rows, "Vtanoefe",
          number(rows, "FORMAP2") + number(rows, "FORMAP3") + number(rows, "FORMAP4") +
              number(rows, "FORMAP5"));
    store(rows, "Vtanoefemes",
          number(rows, "FORMAP2MES") + number(rows, "FORMAP3MES") + number(rows, "FORMAP4MES") +
              number(rows, "FORMAP5MES"));
}

void ClosingReportRows::CImpfacturaCalcFields(RecordSet& rows) {
    // The month to date stretched to a month of 30 days, whatever the month's real length.
    const auto projected = [day = Fixed::fromInt(dia_)](Fixed monthToDate) {
        return monthToDate * Fixed::fromInt(30) / day;
    };
    const Fixed iva16mes = number(rows, "IVA16MES");
    const Fixed iva10mes = number(rows, "IVA10MES");

    totals.AcumIvaTotal += iva16mes + iva10mes;
    store(rows, "IvaTotal", totals.AcumIvaTotal);
    totals.AcumIva16 += iva16mes;
    store(rows, "Iva16Total", totals.AcumIva16);
    totals.AcumIva10 += iva10mes;
    store(rows, "Iva10Total", totals.AcumIva10);
    totals.AcumExento += number(rows, "VTAEXENTAMES");
    store(rows, "ExentoTotal", totals.AcumExento);
    totals.AcumGra16 += number(rows, "VTAGRAVA16MES");
    store(rows, "Gra16Total", totals.AcumGra16);
    totals.AcumGra10 += number(rows, "VTAGRAVA10MES");
    store(rows, "Gra10Total", totals.AcumGra10);

    store(rows, "Iva16Proy", projected(totals.AcumIva16));
    store(rows, "Iva10Proy", projected(totals.AcumIva10));
    store(rows, "IvaTotProy", projected(totals.AcumIvaTotal));

    const Fixed ivac16mes = number(rows, "IVAC16MES");
    const Fixed ivac10mes = number(rows, "IVAC10MES");
    store(rows, "Iva16CProy", projected(ivac16mes));
    store(rows, "Iva10CProy", projected(ivac10mes));
    store(rows, "IvaTCProy", projected(ivac16mes + ivac10mes));

    calculateNonCashSales(rows);

    // A total without any value (no rows with one) projects to zero.
    const auto projectedTotal = [&](const char* aggregate) {
        return projected(rows.aggregate(QLatin1String(aggregate)).toFixed());
    };
    store(rows, "ProyVtaCont", projectedTotal("SumContadoM"));
    store(rows, "ProyVtaCred", projectedTotal("SumCreditoM"));
    store(rows, "ProyVtanoefe", projectedTotal("SumVtanoefeM"));
    store(rows, "ProyDev", projectedTotal("SumDevM"));
    store(rows, "ProyNeto", projectedTotal("SumNetoM"));

    const Fixed grava16mes = number(rows, "VTAGRAVA16MES");
    const Fixed grava10mes = number(rows, "VTAGRAVA10MES");
    const Fixed totVtaGraM = grava16mes + grava10mes;
    store(rows, "TotVtaGraD", number(rows, "VTAGRAVA16DIA") + number(rows, "VTAGRAVA10DIA"));
    store(rows, "TotVtaGraM", totVtaGraM);

    // The first-rate projection covers both rates, as the report has always printed it; its siblings project
    // the month's sales at the second rate, the exempt sales and the taxed sales.
    store(rows, "ProyVtaGra16", projected(totVtaGraM));
    store(rows, "ProyVtaGra10", projected(grava10mes));
    store(rows, "ProyVtaExe", projected(number(rows, "VTAEXENTAMES")));
    store(rows, "TotVtaGraP", projected(totVtaGraM));

    store(rows, "TotEfectivo", number(rows, "FINAL") - number(rows, "INICIAL") - number(rows, "Vtanoefe"));
}

} // namespace quelmaro
