#include "closing/format/format_records.h"

namespace quelmaro {

namespace {

RecordSet& providedSet(RecordSet& set, Provider& provider) {
    set.setProvider(&provider);
    return set;
}

} // namespace

FormatRecords::FormatRecords(Query& Tformatos, QObject* owner)
    : QObject(owner), PFormato(QStringLiteral("PFormato"), Tformatos, this),
      CFormato(QStringLiteral("CFormato"), this),
      CFormdatos(providedSet(CFormato, PFormato).detail(QStringLiteral("Tformadatos"))),
      CFormlineas(CFormato.detail(QStringLiteral("Tformalineas"))) {
    setObjectName(QStringLiteral("FormatRecords"));
}

bool FormatRecords::select(int documentType) {
    CFormato.close();
    CFormato.setFilter(QStringLiteral("tido_cod = %1").arg(documentType));
    CFormato.setFiltered(true);
    CFormato.open();
    return !CFormato.isEmpty();
}

} // namespace quelmaro
