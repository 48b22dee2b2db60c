#pragma once

#include "data/fb/connection.h"

#include <QSet>
#include <QString>

namespace quelmaro {

class RecordSet;

// Copies an origin row into the record `target` is inserting or editing, by position: its i-th field takes
// the row's i-th column. Both companies share the layout of the copied tables, so the origin statement
// starts with the columns of the target table in the same order. A decimal field takes the value as an
// exact decimal, an empty one as 0; any other field takes it as it is.
void copyByPosition(const fb::Row& row, RecordSet& target);

// Makes the rows of a nested set under its current header the origin's, matched by item number: the row of
// an item the header already has is overwritten, a new item is added, and an item the origin no longer
// gives is removed when the replacement finishes. Copying a document again therefore never adds its lines
// a second time.
class NestedRowsReplacement {
public:
    // `itemField` numbers the rows within their header; `linkField` holds the header's key.
    NestedRowsReplacement(RecordSet& rows, const QString& itemField, const QString& linkField);

    // Edits the row of the origin row's item, or appends one, and copies the origin row into it under the
    // header's key. Then either store() or drop() it.
    void copy(const fb::Row& originRow, const Value& headerKey);
    void store();
    // The row is not to be written; an existing row of its item goes when the replacement finishes.
    void drop();
    // Removes the rows of items no copy stored.
    void finish();

private:
    RecordSet& rows_;
    QString itemField_;
    QString linkField_;
    QSet<QString> stored_; // items as text
};

} // namespace quelmaro
