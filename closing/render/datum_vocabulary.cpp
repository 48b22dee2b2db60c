#include "closing/render/datum_vocabulary.h"

namespace quelmaro {

namespace {

using enum DatumSource;

constexpr Datum kHeader[] = {
    {"FECHA", ReportDate},
    {"FECHA LETRAS", ReportDateInWords},
    {"COMPRA TOTAL DIA", Field, "CMPTOTALDIA"},
    {"COMPRA TOTAL MES", Field, "CMPTOTALMES"},
    {"COMPRA CONTADO DIA", Field, "CMPCONTADODIA"},
    {"COMPRA CONTADO MES", Field, "CMPCONTADOMES"},
    {"COMPRA CREDITO DIA", Field, "CMPCREDITODIA"},
    {"COMPRA CREDITO MES", Field, "CMPCREDITOMES"},
    {"DEVCOMPRA DIA", Field, "DEVCMPDIA"},
    {"DEVCOMPRA MES", Field, "DEVCMPMES"},
    {"COMPRA NETA DIA", Field, "CMPNETADIA"},
    {"COMPRA NETA MES", Field, "CMPNETAMES"},
    {"COMPRA EXENTA DIA", Field, "CMPEXENTADIA"},
    {"COMPRA EXENTA MES", Field, "CMPEXENTAMES"},
    {"COMPRA GRAVADA1 DIA", Field, "CMPGRAVA16DIA"},
    {"COMPRA GRAVADA1 MES", Field, "CMPGRAVA16MES"},
    {"COMPRA GRAVADA2 DIA", Field, "CMPGRAVA10DIA"},
    {"COMPRA GRAVADA2 MES", Field, "CMPGRAVA10MES"},
    {"IVA1 COMPRAS DIA", Field, "IVAC16DIA"},
    {"IVA1 COMPRAS MES", Field, "IVAC16MES"},
    {"IVA2 COMPRAS DIA", Field, "IVAC10DIA"},
    {"IVA2 COMPRAS MES", Field, "IVAC10MES"},
    {"IVA1 PROYECTADO", Field, "Iva16Proy"},
    {"IVA2 PROYECTADO", Field, "Iva10Proy"},
    {"IVA TOTAL PROYECTADO", Field, "IvaTotProy"},
    {"IVA1 COMPRAS PROYECTADO", Field, "Iva16CProy"},
    {"IVA2 COMPRAS PROYECTADO", Field, "Iva10CProy"},
    {"IVA TOTAL COMPRAS PROYECTADO", Field, "IvaTCProy"},
    {"TOTAL VENTA CONTADO DIA", Aggregate, "SumContadoD"},
    {"TOTAL VENTA CREDITO DIA", Aggregate, "SumCreditoD"},
    {"TOTAL VENTA FORMAS DIA", Aggregate, "SumVtanoefeD"},
    {"TOTAL DEVOLUCION DIA", Aggregate, "SumDevD"},
    {"TOTAL VENTA NETA DIA", Aggregate, "SumNetoD"},
    {"TOTAL VENTA CONTADO MES", Aggregate, "SumContadoM"},
    {"TOTAL VENTA CREDITO MES", Aggregate, "SumCreditoM"},
    {"TOTAL VENTA FORMAS MES", Aggregate, "SumVtanoefeM"},
    {"TOTAL DEVOLUCION MES", Aggregate, "SumDevM"},
    {"TOTAL VENTA NETA MES", Aggregate, "SumNetoM"},
    {"VENTA CONTADO PROYECTADA", Field, "ProyVtaCont"},
    {"VENTA CREDITO PROYECTADA", Field, "ProyVtaCred"},
    {"VENTA FORMAS PROYECTADA", Field, "ProyVtanoefe"},
    {"DEVOLUCION PROYECTADA", Field, "ProyDev"},
    {"VENTA NETA PROYECTADA", Field, "ProyNeto"},
    {"TOTAL VENTA GRAVADA1 DIA", Aggregate, "SumVtaGra1D"},
    {"TOTAL VENTA GRAVADA2 DIA", Aggregate, "SumVtaGra2D"},
    {"TOTAL VENTA EXENTA DIA", Aggregate, "SumVtaExeD"},
    {"TOTAL VENTA GRAVADA1 MES", Aggregate, "SumVtaGra1M"},
    {"TOTAL VENTA GRAVADA2 MES", Aggregate, "SumVtaGra2M"},
    {"TOTAL VENTA EXENTA MES", Aggregate, "SumVtaExeM"},
    {"VENTA GRAVADA1 PROYECTADA", Field, "ProyVtaGra16"},
    {"VENTA GRAVADA2 PROYECTADA", Field, "ProyVtaGra10"},
    {"VENTA EXENTA PROYECTADA", Field, "ProyVtaExe"},
    {"CODIGO USUARIO", UserName},
    {"HORA REGISTRO", PrintTime},
};
static_assert(std::size(kHeader) == 54);

constexpr Datum kPointOfSale[] = {
    {"PUNTO DE VENTA", TextField, "PTOVTANOM"},
    {"VENTA CONTADO DIA", Field, "VTACONTDIA"},
    {"VENTA CONTADO MES", Field, "VTACONTMES"},
    {"VENTA CREDITO DIA", Field, "VTACREDDIA"},
    {"VENTA CREDITO MES", Field, "VTACREDMES"},
    {"VENTA TOTAL DIA", Field, "VTATOTALDIA"},
    {"VENTA TOTAL MES", Field, "VTATOTALMES"},
    {"DEVOLUCION DIA", Field, "DEVOLDIA"},
    {"DEVOLUCION MES", Field, "DEVOLMES"},
    {"VENTA NETA DIA", Field, "VTANETADIA"},
    {"VENTA NETA MES", Field, "VTANETAMES"},
    {"VENTA EXENTA DIA", Field, "VTAEXENTADIA"},
    {"VENTA EXENTA MES", Field, "VTAEXENTAMES"},
    {"VENTA GRAVADA1 DIA", Field, "VTAGRAVA16DIA"},
    {"VENTA GRAVADA1 MES", Field, "VTAGRAVA16MES"},
    {"VENTA GRAVADA2 DIA", Field, "VTAGRAVA10DIA"},
    {"VENTA GRAVADA2 MES", Field, "VTAGRAVA10MES"},
    {"IVA1 DIA", Field, "IVA16DIA"},
    {"IVA1 MES", Field, "IVA16MES"},
    {"IVA2 DIA", Field, "IVA10DIA"},
    {"IVA2 MES", Field, "IVA10MES"},
    {"DESCUENTOS DIA", Field, "DESCTOSDIA"},
    {"DESCUENTOS MES", Field, "DESCTOSMES"},
    {"SALDO INICIAL CAJA", Field, "INICIAL"},
    {"SALDO FINAL CAJA", Field, "FINAL"},
    {"INGRESO CARTERA", Field, "INGCARTERA"},
    {"VENTA OTRAS FORMAS", Field, "Vtanoefe"},
    {"VENTA OTRAS FORMAS MES", Field, "Vtanoefemes"},
    {"INGRESO OTROS", Field, "INGOTROS"},
    {"INGRESO TOTAL", Field, "INGTOTAL"},
    {"EGRESO CXPAGAR", Field, "EGRPROV"},
    {"EGRESO OTROS", Field, "EGROTROS"},
    {"EGRESO TOTAL", Field, "EGRTOTAL"},
    {"EGRESO CLASE1", Field, "EGRCLASE1"},
    {"EGRESO CLASE2", Field, "EGRCLASE2"},
    {"CONSIGNACIONES", Field, "CONSIGNA"},
    {"TRASLADOS ENVIADOS", Field, "TRASLADO"},
    {"TRASLADOS RECIBIDOS", Field, "TRASLADOR"},
    {"FORMA PAGO 1", Field, "FORMAP1"},
    {"FORMA PAGO 2", Field, "FORMAP2"},
    {"FORMA PAGO 3", Field, "FORMAP3"},
    {"FORMA PAGO 4", Field, "FORMAP4"},
    {"FORMA PAGO 5", Field, "FORMAP5"},
    {"CARTERA DIA", Field, "CARTERA"},
    {"TOTAL EFECTIVO", Field, "TotEfectivo"},
};
static_assert(std::size(kPointOfSale) == 45);

} // namespace

std::span<const Datum> headerVocabulary() {
    return kHeader;
}

std::span<const Datum> pointOfSaleVocabulary() {
    return kPointOfSale;
}

const Datum* findDatum(std::span<const Datum> vocabulary, const QString& name) {
    for (const Datum& datum : vocabulary)
        if (name == QLatin1String(datum.name))
            return &datum;
    return nullptr;
}

} // namespace quelmaro
