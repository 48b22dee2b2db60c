#pragma once

#include "data/types/value.h"

#include <QDate>
#include <QString>

namespace quelmaro {

class Run;

// The documents the destination posts to its ledgers.
enum class PostedDocument { Factura, ReciboCaja, TrasladoCaja };

// Asks the destination to post a written document to the first ledger and, from the NIIF opening year on,
// to the second one, then hands the posting to CONTABILIZA_PENDIENTE. Errors the procedures record are
// shown as one information message and never stop the run; a document without an accounting interface
// for its prefix stays unposted without a word.
void contabilizar(Run& run, PostedDocument document, const Value& key, const QString& prefijo,
                  const QDate& fecha);

} // namespace quelmaro
