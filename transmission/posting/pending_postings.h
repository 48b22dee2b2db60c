#pragma once

namespace quelmaro {

class Run;
struct PointOfSale;

// Finishes the postings an earlier run left undone (killed, cut off from the server, or stopped by a posting
// error) for the invoices, receipts and transfers it sent for `point` on the run's date: each one whose
// prefix has an accounting interface and that lacks its handed-over posting in the first ledger, or, from
// the NIIF opening year on, in the second one, is posted again (a posting replaces the document's earlier
// ones, so each ledger ends up with it once). Counted as pending postings in the run's report.
void finishPendingPostings(Run& run, const PointOfSale& point);

} // namespace quelmaro
