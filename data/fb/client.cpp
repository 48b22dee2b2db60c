#include "data/fb/client.h"

#include "data/fb/error.h"
#include "data/fb/silence_watch.h"

#include <vector>

namespace quelmaro::fb {

Firebird::IMaster* master() {
    static Firebird::IMaster* const instance = Firebird::fb_get_master_interface();
    return instance;
}

Firebird::IUtil* util() {
    static Firebird::IUtil* const instance = master()->getUtilInterface();
    return instance;
}

Status::Status(Link* link) : BaseStatusWrapper(master()->getStatus()), link_(link) {
    std::int64_t idle = 0;
    timing_ = link_ && link_->waitingSince.compare_exchange_strong(idle, silenceClock());
}

Status::~Status() {
    if (timing_)
        link_->waitingSince = 0;
    status->dispose();
}

void Status::checkException(Status* wrapper) {
    if (!wrapper->dirty || !(wrapper->getState() & Firebird::IStatus::STATE_ERRORS))
        return;
    const QString text = formatStatus(wrapper->status);
    Link* link = wrapper->link_;
    if (link && link->silent) {
        link->lost = true;
        throw DatabaseError(silenceText());
    }
    if (link && isConnectionLost(text))
        link->lost = true;
    throw DatabaseError(text);
}

void throwIfLost(const Link& link) {
    if (link.lost)
        throw DatabaseError(link.silent ? silenceText() : QStringLiteral("connection lost to database"));
}

QString formatStatus(Firebird::IStatus* status) {
    // The client cuts a long text silently and then leaves it unterminated: room enough, and the last byte
    // kept out of its reach so the text always ends.
    std::vector<char> text(64 * 1024, '\0');
    util()->formatStatus(text.data(), unsigned(text.size() - 1), status);
    return QString::fromUtf8(text.data());
}

} // namespace quelmaro::fb
