#pragma once

#include <QString>
#include <QStringList>

#include <functional>

// The Spanish message the operator reads for an error, from the error's own text and where it came from.
namespace quelmaro::dm {

// An error from anywhere in the program (no record set involved).
QString translateError(const QString& raw);

// Names of some fields of a record set, in field order; asked for only when the message needs them (finding
// the key fields may read the database).
using FieldNames = std::function<QStringList()>;

// An error while a row of a record set was posted, edited or deleted. `emptyRequiredFields` are the record
// set's required fields that are empty now, `keyFields` those of its current index.
QString translateRecordSetError(const QString& raw, const FieldNames& emptyRequiredFields,
                                const FieldNames& keyFields);

// An error while a provider applied changes; `dataSetName` is the data set the provider reads ("TFactura").
QString translateProviderError(const QString& raw, const QString& dataSetName);

} // namespace quelmaro::dm
