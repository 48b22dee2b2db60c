#pragma once

#include <QString>

namespace quelmaro::fb {

enum class ColumnType {
    Integer,   // SMALLINT, INTEGER, BIGINT
    Fixed,     // NUMERIC and DECIMAL of any scale
    Double,    // FLOAT, DOUBLE PRECISION (read as Fixed, rounded to four places)
    Text,      // CHAR, VARCHAR
    Date,      // DATE
    Time,      // TIME
    Timestamp, // TIMESTAMP
    TextBlob,  // BLOB SUB_TYPE TEXT
    Blob,      // any other BLOB
    Boolean,   // BOOLEAN (read as the integer 0 or 1)
};

// What the client says about one column of a result or one parameter.
struct Column {
    QString name;     // alias as the statement names it
    QString field;    // the underlying column name, as the client reports it (empty for most expressions)
    QString relation; // the table or procedure it comes from, empty for expressions
    ColumnType type = ColumnType::Text;
    int size = 0;  // characters for text, 0 otherwise
    int scale = 0; // decimals for Fixed (positive: NUMERIC(15,2) gives 2)
    bool nullable = true;
};

} // namespace quelmaro::fb
