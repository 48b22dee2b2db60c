#include "data/dm/configuration_lookup.h"

#include "data/recordset/query.h"
#include "data/recordset/recordset.h"
#include "platform/messages.h"

namespace quelmaro::dm {

void setUpConfigurationQuery(Query& query) {
    query.setStatement(QStringLiteral("select conf_valor from configuracion where conf_modulo = :MODULO"
                                      " and conf_categoria = :CATEGORIA and conf_propiedad = :PROPIEDAD"));
}

QString lookupConfiguration(RecordSet& configuration, const QString& module, const QString& category,
                            const QString& property) {
    configuration.close();
    configuration.setParameter(QStringLiteral("MODULO"), module);
    configuration.setParameter(QStringLiteral("CATEGORIA"), category);
    configuration.setParameter(QStringLiteral("PROPIEDAD"), property);
    configuration.open();
    if (configuration.isEmpty()) {
        platform::messages().error(QStringLiteral("No se encontró la configuración ") + property);
        return {};
    }
    return configuration.field(0).asString();
}

} // namespace quelmaro::dm
