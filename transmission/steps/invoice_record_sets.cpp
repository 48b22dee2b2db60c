#include "transmission/steps/invoice_record_sets.h"

namespace quelmaro {

InvoiceRecordSets::InvoiceRecordSets(fb::Connection& destination, QObject* parent)
    : QObject(parent), TFactura_(QStringLiteral("TFactura"), destination),
      TFacturadetalle_(QStringLiteral("TFacturadetalle"), destination),
      TEnvioresumdia_(QStringLiteral("TEnvioresumdia"), destination),
      journal_(TFactura_, PostedDocument::Factura, QStringLiteral("FACT_ID")),
      PFactura(QStringLiteral("PFactura"), TFactura_, this), CFactura(QStringLiteral("CFactura"), this) {
    TFactura_.setStatement(QStringLiteral("SELECT * FROM FACTURAS WHERE FACT_ID = :ID"));
    TFactura_.setParameterDefault(QStringLiteral("ID"), QStringLiteral("0"));
    TFacturadetalle_.setStatement(QStringLiteral("SELECT * FROM FACTURAS_DETALLE WHERE FACT_ID = :FACT_ID"));
    // The send record names its invoice in ENRE_FACTID; seen as FACT_ID it links like the lines do.
    TEnvioresumdia_.setStatement(
        QStringLiteral("SELECT PTVT_ID, ENRE_FECHA, ENRE_HORA, ENRE_FACTID AS FACT_ID "
                       "FROM ENVIO_RESUMDIA WHERE ENRE_FACTID = :FACT_ID"));
    TFacturadetalle_.setMaster(TFactura_);
    TEnvioresumdia_.setMaster(TFactura_);
    CFactura.setProvider(&PFactura);
    CDetalle().addAggregate(QStringLiteral("SumIva"), QStringLiteral("sum(fade_ivamonto)"));
    CDetalle().addAggregate(QStringLiteral("SumTotal"), QStringLiteral("sum(fade_total)"));
}

InvoiceRecordSets::~InvoiceRecordSets() = default;

} // namespace quelmaro
