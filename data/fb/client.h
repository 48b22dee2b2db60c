#pragma once

// The client library's interfaces, for the .cpp files of this folder only.

#include <firebird/Interface.h>

#include <QString>

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>

namespace quelmaro::fb {

Firebird::IMaster* master();
Firebird::IUtil* util();

// What the program knows of an attachment without asking the server. Once a call on it reports the
// connection lost, nothing more is sent on it: a server that shut the attachment down may leave its socket
// open, and the next call would wait for an answer for ever. The silence watch (silence_watch.h) reads it
// from a thread of its own.
struct Link {
    std::atomic<bool> lost{false};
    // When the call that waits for the server now began, in milliseconds of a steady clock; 0 when none.
    std::atomic<std::int64_t> waitingSince{0};
    // The silence watch ended the attachment: its call waited longer than the limit.
    std::atomic<bool> silent{false};
    // The attachment, for the silence watch to end; null once it is gone. Both sides hold the mutex.
    std::mutex mutex;
    Firebird::IAttachment* attachment = nullptr;
};

// Hands a status to every client call and turns the failure it reports into DatabaseError with the client's
// own formatted text. A status given the link of the call's attachment marks it lost when the call says so,
// and shows the silence watch that a call waits on the server while it lives.
class Status : public Firebird::BaseStatusWrapper<Status> {
public:
    explicit Status(Link* link = nullptr);
    ~Status();
    Status(const Status&) = delete;
    Status& operator=(const Status&) = delete;

    static void checkException(Status* status);

private:
    Link* link_;
    bool timing_ = false; // this status marked the link waiting
};

// All lines of a status as the client formats them.
QString formatStatus(Firebird::IStatus* status);

// Owns one reference to a client interface.
template <typename Interface> struct Releaser {
    void operator()(Interface* object) const {
        if constexpr (requires { object->release(); })
            object->release();
        else
            object->dispose();
    }
};
template <typename Interface> using Owned = std::unique_ptr<Interface, Releaser<Interface>>;

// A new reference to an interface somebody else owns.
template <typename Interface> Owned<Interface> shared(Interface* object) {
    object->addRef();
    return Owned<Interface>(object);
}

// A call on a lost attachment fails at once, as the client says it of a connection it lost.
void throwIfLost(const Link& link);

// Ends an interface with a call that releases it on success (commit, rollback, detach, close ...). On failure
// the error propagates and the reference stays owned, to be dropped with its owner. On a lost attachment only
// the reference is dropped: that frees what the client holds and asks nothing of the server.
template <typename Interface, typename End> void endWith(Owned<Interface>& object, Link& link, End end) {
    if (!object)
        return;
    if (link.lost)
        return object.reset();
    Status status(&link);
    end(object.get(), &status);
    (void)object.release();
}

} // namespace quelmaro::fb
