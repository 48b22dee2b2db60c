#pragma once

#include "data/recordset/query.h"
#include "transmission/posting/posting.h"

namespace quelmaro {

class RecordSet;
class Run;
struct PointOfSale;

// The documents whose postings have not run yet, in the program's own table of the destination. A
// document's row is written with the document, in the same apply, and removed by the statement that posts
// it (contabilizar), so a document is posted once whatever stops a run, and what one run left unposted the
// next one posts.
class PostingJournal {
public:
    // Nests the journal row of each document under `document`, the header query of a kind of posted
    // document whose key column is `keyField`, as its last nested set.
    PostingJournal(Query& document, PostedDocument kind, const QString& keyField);

    // Asks for the postings of the document of kind `kind` that `header` (a record set over a query with
    // the journal nested) is writing now: its row goes with the next apply.
    static void add(RecordSet& header, PostedDocument kind, const Run& run, const PointOfSale& point,
                    const Value& prefijo, const QDate& fecha);

private:
    Query query_;
};

// Posts the documents that earlier work of `point` wrote and left unposted (a run killed, cut off from the
// server or stopped by an error between a document and its postings), counted as pending postings in the
// run's report.
void finishPendingPostings(Run& run, const PointOfSale& point);

} // namespace quelmaro
