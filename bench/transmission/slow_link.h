#pragma once

namespace quelmaro::bench {

// One demo day (20 points of sale, about 100 invoice lines each) sent as an unattended run does, with the
// destination behind a latency relay at 0, 10 and 25 ms one way, then with the origin behind it at 25 ms.
// Prints for each run its wall time and the messages the program sent per document and per invoice line,
// then the ratio of the 25 ms time to the 0 ms time. Targets: at most 12 messages per document, the 25 ms
// run in at most 30 s. The 25 ms run is made once more without wire compression, for the bytes it saves.
void sendOverSlowLinks();

// A store's nightly job catching up 30 missed days of the demo as the program starts on a store (3 points of
// sale, about 24 lines a point and day), one run per day with the destination behind the relay at 25 ms:
// prints the wall time, the messages per document and the bytes per day.
void catchUpOverASlowLink();

} // namespace quelmaro::bench
