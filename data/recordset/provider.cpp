#include "data/recordset/provider.h"

#include "data/recordset/query.h"

namespace quelmaro {

Provider::Provider(const QString& name, Query& query, QObject* parent) : QObject(parent), query_(query) {
    setObjectName(name);
}

QString Provider::dataSetName() const {
    return query_.name();
}

} // namespace quelmaro
