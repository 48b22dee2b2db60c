#pragma once

#include <QObject>
#include <QString>

#include <exception>
#include <functional>

namespace quelmaro {

class Query;
class RecordSet;
class Provider;

enum class UpdateKind { Insert, Modify, Delete };

// Told about the row that made an apply fail, after everything was rolled back. The apply stops there.
using UpdateErrorHandler = std::function<void(Provider&, RecordSet&, const std::exception&, UpdateKind)>;

// Fills record sets from a query and writes their changes back to the query's database.
class Provider : public QObject {
    Q_OBJECT
public:
    Provider(const QString& name, Query& query, QObject* parent = nullptr);

    QString name() const { return objectName(); }
    Query& query() const { return query_; }
    // The data set it reads from, e.g. "TFactura".
    QString dataSetName() const;

    // Whether a record set may replace the query's statement with its own.
    void setAcceptsStatement(bool accepts) { acceptsStatement_ = accepts; }
    bool acceptsStatement() const { return acceptsStatement_; }

    void setUpdateErrorHandler(UpdateErrorHandler handler) { updateErrorHandler_ = std::move(handler); }
    const UpdateErrorHandler& updateErrorHandler() const { return updateErrorHandler_; }

private:
    Query& query_;
    bool acceptsStatement_ = false;
    UpdateErrorHandler updateErrorHandler_;
};

} // namespace quelmaro
