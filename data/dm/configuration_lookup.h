#pragma once

#include <QString>

namespace quelmaro {
class Query;
class RecordSet;
} // namespace quelmaro

namespace quelmaro::dm {

// The statement the data module's QConfiguracion runs: the value of one configuration row, with the module,
// category and property bound as parameters so that no text can change the statement.
void setUpConfigurationQuery(Query& query);

// The value of the configuration row (module, category, property) read through `configuration`, a record set
// over the data module's QConfiguracion. A missing row shows "No se encontró la configuración " followed by
// the property and gives an empty text.
QString lookupConfiguration(RecordSet& configuration, const QString& module, const QString& category,
                            const QString& property);

} // namespace quelmaro::dm
