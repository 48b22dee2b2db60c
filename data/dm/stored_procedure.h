#pragma once

#include "data/types/value.h"

#include <QHash>
#include <QString>
#include <QStringList>

namespace quelmaro::fb {
class Connection;
}

namespace quelmaro {

// A call of an executable stored procedure: input parameters set by name, output parameters read by name
// after the call. Each call commits on its own, so a new key taken from a generator procedure is never
// handed out twice.
class StoredProcedure {
public:
    // `inputNames` are the procedure's input parameters in their declared order.
    StoredProcedure(const QString& procedureName, fb::Connection& connection,
                    const QStringList& inputNames = {});

    const QString& procedureName() const { return procedureName_; }

    // Names are matched without regard to case. An input not set is passed as null.
    void setParameter(const QString& name, const Value& value);
    // An output of the last call, or else the input set under that name; null when neither exists.
    Value parameter(const QString& name) const;

    void execute();

private:
    QString procedureName_;
    fb::Connection& connection_;
    QStringList inputNames_;
    QHash<QString, Value> values_;
};

} // namespace quelmaro
