#pragma once

#include "data/types/value.h"

#include <QList>

#include <memory>
#include <vector>

namespace quelmaro {

using RowValues = QList<Value>;

enum class RowStatus { Unchanged, Inserted, Modified, Deleted };

struct RowTable;

// One stored row: its values (data fields, then calculated fields), what the database holds for it while it
// has pending changes, and the rows of each nested detail set.
struct RowNode {
    RowValues values;
    RowValues original; // as last fetched or applied; set while the row is Modified or Deleted
    RowStatus status = RowStatus::Unchanged;
    // One per detail set; null until the detail rows of this row are first needed.
    std::vector<std::unique_ptr<RowTable>> details;
};

// The rows of one record set, or of one nested set under one master row, in fetch and append order.
// Deleted rows stay in place (status Deleted) until applied, so a discard puts them back where they were.
struct RowTable {
    std::vector<std::unique_ptr<RowNode>> rows;
};

} // namespace quelmaro
