#pragma once

#include "data/recordset/provider.h"
#include "data/recordset/recordset.h"

#include <QObject>

namespace quelmaro {

class Query;

// The stored print formats as the closing window reads them: CFormato over the data module's table of
// formats, each row with its data slots (CFormdatos) and drawing elements (CFormlineas) as nested record
// sets that follow the current format. Owned by a window, so the data module's ConfigurarProviders
// reaches the provider and the record set through it.
class FormatRecords : public QObject {
    Q_OBJECT
public:
    // `Tformatos` reads FORMATOS and has the details Tformadatos (FORMATO_DATOS) and Tformalineas
    // (FORMATO_LINEAS), linked on TIDO_COD and PREF_PRE.
    FormatRecords(Query& Tformatos, QObject* owner);

    Provider PFormato;
    RecordSet CFormato;
    RecordSet& CFormdatos;
    RecordSet& CFormlineas;

    // Reopens CFormato showing only the formats of this document type; the first one is the format in
    // use. False when the type has none.
    bool select(int documentType);
};

} // namespace quelmaro
