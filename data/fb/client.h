#pragma once

// The client library's interfaces, for the .cpp files of this folder only.

#include <firebird/Interface.h>

#include <QString>

#include <memory>

namespace quelmaro::fb {

Firebird::IMaster* master();
Firebird::IUtil* util();

// Hands a status to every client call and turns the failure it reports into DatabaseError with the client's
// own formatted text.
class Status : public Firebird::BaseStatusWrapper<Status> {
public:
    Status();
    ~Status();
    Status(const Status&) = delete;
    Status& operator=(const Status&) = delete;

    static void checkException(Status* status);
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

// Ends an interface with a call that releases it on success (commit, rollback, detach, close ...). On failure
// the error propagates and the reference stays owned, to be dropped with its owner.
template <typename Interface, typename End> void endWith(Owned<Interface>& object, End end) {
    if (!object)
        return;
    Status status;
    end(object.get(), &status);
    (void)object.release();
}

} // namespace quelmaro::fb
