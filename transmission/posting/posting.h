#pragma once

#include "data/types/value.h"

namespace quelmaro {

class Run;

// The documents the destination posts to its ledgers.
enum class PostedDocument { Factura, ReciboCaja, TrasladoCaja };

// The document type (tido_cod) of each: 31, 61, 66.
int documentType(PostedDocument document);
PostedDocument postedDocumentOf(int documentType);

// Asks the destination to post a written document to the first ledger and, from the NIIF opening year on,
// to the second one, then hands the posting to CONTABILIZA_PENDIENTE, all in the statement that takes the
// document's row out of the posting journal (which holds its prefix and date): only a document whose row
// is still there is posted, so none is posted twice. Errors the procedures record are shown as one
// information message and never stop the run; a document without an accounting interface for its prefix
// stays unposted without a word. True when the document was still waiting to be posted.
bool contabilizar(Run& run, PostedDocument document, const Value& key);

} // namespace quelmaro
