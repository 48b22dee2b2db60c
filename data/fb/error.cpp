#include "data/fb/error.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>

namespace quelmaro::fb {

DatabaseError::DatabaseError(const QString& clientText)
    : std::runtime_error((QString::fromLatin1(kPrefix) + clientText).toStdString()) {}

QString DatabaseError::clientText() const {
    return message().mid(qsizetype(std::strlen(kPrefix)));
}

namespace {

bool containsAny(const QString& text, std::initializer_list<const char*> phrases) {
    return std::any_of(phrases.begin(), phrases.end(), [&](const char* phrase) {
        return text.contains(QLatin1String(phrase), Qt::CaseInsensitive);
    });
}

} // namespace

bool isLockConflict(const QString& text) {
    return containsAny(text, {"deadlock", "update conflicts with concurrent update",
                              "lock conflict on no wait", "lock time-out on wait transaction"});
}

bool isConnectionLost(const QString& text) {
    return containsAny(
        text, {"connection shutdown", "connection lost to database", "Error reading data from the connection",
               "Error writing data to the connection", "connection rejected by remote interface"});
}

} // namespace quelmaro::fb
