#pragma once

// Readable values in test failure messages.

#include "data/types/value.h"

#include <ostream>

namespace quelmaro {

inline void PrintTo(const Value& value, std::ostream* out) {
    static const char* const kinds[] = {"null", "int", "fixed", "text", "date", "time", "timestamp", "bytes"};
    *out << kinds[value.storage().index()] << '(' << value.toString().left(60).toStdString() << ')';
}

inline void PrintTo(Fixed value, std::ostream* out) {
    *out << value.toString().toStdString();
}

} // namespace quelmaro

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
