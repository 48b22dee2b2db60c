#pragma once

#include <QString>

#include <stdexcept>

namespace quelmaro {

// A record set refused an operation: a required field left empty, a master deleted with its details, a
// field that does not exist, a filter it cannot read. The texts are the ones the data module translates.
class RecordSetError : public std::runtime_error {
public:
    explicit RecordSetError(const QString& message) : std::runtime_error(message.toStdString()) {}
    QString message() const { return QString::fromUtf8(what()); }
};

} // namespace quelmaro
