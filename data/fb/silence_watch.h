#pragma once

#include <QString>

#include <chrono>
#include <cstdint>
#include <memory>

namespace quelmaro::fb {

struct Link;

// A link to a server that goes quiet without closing (a router that drops packets, a frozen relay) would
// leave a call waiting for its answer for ever. The silence watch, a thread of its own, ends the attachment
// of a call that has waited longer than the limit; the call then fails as on a lost connection, with a text
// that says how long it waited, and nothing more is sent on that attachment.

// The limit for every watched attachment; five minutes unless the program sets another.
void setSilenceLimit(std::chrono::seconds limit);
std::chrono::seconds silenceLimit();

// Watches the calls of an attachment to a server for as long as the link lives.
void watchForSilence(const std::shared_ptr<Link>& link);

// The clock of Link::waitingSince, in milliseconds; never 0.
std::int64_t silenceClock();

// The client text of a call the watch ended: a lost connection that says why.
QString silenceText();

} // namespace quelmaro::fb
