#include "data/fb/client.h"

#include "data/fb/error.h"

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

Status::Status(Link* link) : BaseStatusWrapper(master()->getStatus()), link_(link) {}

Status::~Status() {
    status->dispose();
}

void Status::checkException(Status* wrapper) {
    if (!wrapper->dirty || !(wrapper->getState() & Firebird::IStatus::STATE_ERRORS))
        return;
    const QString text = formatStatus(wrapper->status);
    if (wrapper->link_ && isConnectionLost(text))
        wrapper->link_->lost = true;
    throw DatabaseError(text);
}

void throwIfLost(const Link& link) {
    if (link.lost)
        throw DatabaseError(QStringLiteral("connection lost to database"));
}

QString formatStatus(Firebird::IStatus* status) {
    // The client cuts a long text silently and then leaves it unterminated: room enough, and the last byte
    // kept out of its reach so the text always ends.
    std::vector<char> text(64 * 1024, '\0');
    util()->formatStatus(text.data(), unsigned(text.size() - 1), status);
    return QString::fromUtf8(text.data());
}

} // namespace quelmaro::fb
