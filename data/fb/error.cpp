#include "data/fb/error.h"

#include <cstring>

namespace quelmaro::fb {

DatabaseError::DatabaseError(const QString& clientText)
    : std::runtime_error((QString::fromLatin1(kPrefix) + clientText).toStdString()) {}

QString DatabaseError::clientText() const {
    return message().mid(qsizetype(std::strlen(kPrefix)));
}

} // namespace quelmaro::fb
