#pragma once

namespace quelmaro::bench {

// One demo day (20 points of sale, about 100 invoice lines each) sent as an unattended run does, with the
// destination behind a latency relay at 0, 10 and 25 ms one way, then with the origin behind it at 25 ms.
// Prints for each run its wall time and the messages the program sent per document and per invoice line,
// then the ratio of the 25 ms time to the 0 ms time. Targets: at most 12 messages per document, the 25 ms
// run in at most 30 s.
void sendOverSlowLinks();

} // namespace quelmaro::bench
