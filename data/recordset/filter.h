#pragma once

#include "data/types/value.h"

#include <QString>

#include <cstdint>

namespace quelmaro {

// A record set filter of the one form the program uses: "<column> = <integer>" ("tido_cod = 131").
class Filter {
public:
    // Throws RecordSetError for any other text.
    static Filter parse(const QString& text);

    const QString& column() const { return column_; }
    // Null never passes; a value that is not a number does not pass either.
    bool passes(const Value& value) const;

private:
    QString column_;
    std::int64_t number_ = 0;
};

} // namespace quelmaro
