#include "data/fb/connection.h"

#include "data/fb/error.h"
#include "data/fb/handles.h"
#include "data/fb/silence_watch.h"
#include "data/fb/statement.h"
#include "data/fb/transaction.h"

#include <atomic>

namespace quelmaro::fb {

namespace {

// The data module's design values; the connection step replaces the database, user and password.
const std::pair<const char*, const char*> kDefaults[] = {
    {"SQLDialect", "3"},       {"WaitOnLocks", "True"}, {"Interbase TransIsolation", "ReadCommited"},
    {"CommitRetain", "False"}, {"BlobSize", "-1"},      {"LockTimeout", "10"},
};

// The design value of RoleName is the word itself, which names no role.
bool isRole(const QString& role) {
    return !role.isEmpty() && role.compare(QLatin1String("RoleName"), Qt::CaseInsensitive) != 0;
}

std::atomic<bool> wireCompression{true};

// Firebird 3's server takes a login of 31 bytes at most and brings itself down on a longer one (an assertion
// in its authentication), for every user of the server: such a name is never sent.
constexpr qsizetype kLongestLogin = 31;

Owned<Firebird::IXpbBuilder> attachmentParameters(const Connection& connection) {
    if (const qsizetype length = connection.parameter("User_Name").toUtf8().size(); length > kLongestLogin)
        throw DatabaseError(QStringLiteral("Login name too long (%1 characters, maximum allowed %2)")
                                .arg(length)
                                .arg(kLongestLogin));
    Status status;
    Owned<Firebird::IXpbBuilder> dpb(util()->getXpbBuilder(&status, Firebird::IXpbBuilder::DPB, nullptr, 0));
    dpb->insertString(&status, isc_dpb_user_name, connection.parameter("User_Name").toUtf8().constData());
    dpb->insertString(&status, isc_dpb_password, connection.parameter("Password").toUtf8().constData());
    if (const QString role = connection.parameter("RoleName"); isRole(role))
        dpb->insertString(&status, isc_dpb_sql_role_name, role.toUtf8().constData());
    // All text of the program is Unicode, whatever the database's own character set.
    dpb->insertString(&status, isc_dpb_lc_ctype, "UTF8");
    dpb->insertInt(&status, isc_dpb_sql_dialect, 3);
    // The path is passed in UTF-8; the client turns it into the system's file name encoding.
    dpb->insertTag(&status, isc_dpb_utf8_filename);
    if (connection.isRemote()) {
        // A server that does not answer the attachment is given up like one that goes quiet later.
        dpb->insertInt(&status, isc_dpb_connect_timeout, int(silenceLimit().count()));
        // Over a store's slow link fewer bytes go faster; a server without compression ignores the wish.
        if (wireCompression)
            dpb->insertString(&status, isc_dpb_config, "WireCompression = true");
    }
    return dpb;
}

// A new attachment's link. A call on a database this process opens itself never waits on a network; one on
// a server is watched for silence.
void startLink(Connection::Handles& handles, bool remote) {
    handles.link = std::make_shared<Link>();
    handles.link->attachment = handles.attachment.get();
    if (remote)
        watchForSilence(handles.link);
}

// The attachment is about to go: the silence watch must not touch it any more.
void endLink(Connection::Handles& handles) {
    const std::lock_guard lock(handles.link->mutex);
    handles.link->attachment = nullptr;
}

// Whatever work is still open on the attachment goes with it, as a rollback, and what was prepared on it.
void endWork(Connection::Handles& handles) {
    for (const auto& transaction : handles.transactions) {
        if (const auto open = transaction.lock())
            open->rollback();
    }
    handles.transactions.clear();
    handles.reads.reset();
    handles.autoCommit.reset();
    handles.prepared.clear();
}

// The transaction in `slot`, started anew when there is none or it has ended.
Transaction& shared(std::unique_ptr<Transaction>& slot, Connection& connection, Transaction::Access access) {
    if (!slot || !slot->isActive())
        slot = std::make_unique<Transaction>(connection, access);
    return *slot;
}

// Runs `work` in the connection's autocommit transaction; a change of metadata in a transaction of its own,
// which the server carries out when it commits.
template <typename Work> auto runAlone(Connection& connection, const QString& sql, Work work) {
    Transaction& autoCommit = autoCommitTransaction(connection);
    if (!Statement(autoCommit, sql).changesMetadata())
        return work(autoCommit);
    Transaction own(connection);
    auto result = work(own);
    own.commit();
    return result;
}

} // namespace

Transaction& autoCommitTransaction(Connection& connection) {
    return shared(connection.handles().autoCommit, connection, Transaction::Access::AutoCommit);
}

int QueryResult::columnIndex(const QString& name) const {
    for (qsizetype i = 0; i < columns.size(); ++i) {
        if (columns[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return int(i);
    }
    return -1;
}

Connection::Connection() : handles_(std::make_unique<Handles>()) {
    for (const auto& [name, value] : kDefaults)
        setParameter(QString::fromLatin1(name), QString::fromLatin1(value));
}

Connection::~Connection() {
    try {
        close();
    } catch (const DatabaseError&) {
        // Detaching failed (the server went away): dropping the reference below frees what is left.
    }
}

void Connection::setParameter(const QString& name, const QString& value) {
    auto& parameter = handles_->parameters[name.toLower()];
    if (parameter.name.isEmpty())
        parameter.name = name;
    parameter.value = value;
}

QString Connection::parameter(const QString& name) const {
    return handles_->parameters.value(name.toLower()).value;
}

QMap<QString, QString> Connection::parameters() const {
    QMap<QString, QString> byName;
    for (const auto& parameter : std::as_const(handles_->parameters))
        byName.insert(parameter.name, parameter.value);
    return byName;
}

void Connection::setReadOnly(bool readOnly) {
    handles_->readOnly = readOnly;
}

bool Connection::isReadOnly() const {
    return handles_->readOnly;
}

void Connection::setWireCompression(bool wanted) {
    wireCompression = wanted;
}

bool Connection::isRemote() const {
    const QString database = parameter("Database");
    // "C:\datos\..." names a drive and "/datos/a:b.fdb" a file, not a host.
    return database.indexOf(u':') > 1 && !database.startsWith(u'/');
}

bool Connection::isOpen() const {
    return handles_->attachment != nullptr;
}

void Connection::open() {
    if (isOpen())
        return;
    Status status;
    Owned<Firebird::IXpbBuilder> dpb = attachmentParameters(*this);
    Owned<Firebird::IProvider> dispatcher(master()->getDispatcher());
    handles_->attachment.reset(dispatcher->attachDatabase(&status, parameter("Database").toUtf8().constData(),
                                                          dpb->getBufferLength(&status),
                                                          dpb->getBuffer(&status)));
    startLink(*handles_, isRemote());
}

void Connection::close() {
    if (!isOpen())
        return;
    endWork(*handles_);
    endLink(*handles_);
    endWith(handles_->attachment, *handles_->link,
            [](Firebird::IAttachment* attachment, Status* status) { attachment->detach(status); });
}

void Connection::createDatabase() {
    close();
    Status status;
    Owned<Firebird::IXpbBuilder> dpb = attachmentParameters(*this);
    dpb->insertInt(&status, isc_dpb_page_size, 8192);
    dpb->insertString(&status, isc_dpb_set_db_charset, "UTF8");
    Owned<Firebird::IProvider> dispatcher(master()->getDispatcher());
    handles_->attachment.reset(dispatcher->createDatabase(&status, parameter("Database").toUtf8().constData(),
                                                          dpb->getBufferLength(&status),
                                                          dpb->getBuffer(&status)));
    startLink(*handles_, isRemote());
}

void Connection::dropDatabase() {
    open();
    endWork(*handles_);
    endLink(*handles_);
    endWith(handles_->attachment, *handles_->link,
            [](Firebird::IAttachment* attachment, Status* status) { attachment->dropDatabase(status); });
}

QueryResult Connection::query(const QString& sql, const QList<Value>& params) {
    return runAlone(*this, sql, [&](Transaction& transaction) { return transaction.query(sql, params); });
}

QueryResult Connection::read(const QString& sql, const QList<Value>& params) {
    // Read committed and read-only: each lookup sees what is committed when it runs, and the transaction
    // holds back no cleanup on the server however long it stays open.
    return shared(handles_->reads, *this, Transaction::Access::ReadOnly).query(sql, params);
}

Row Connection::execute(const QString& sql, const QList<Value>& params) {
    return runAlone(*this, sql, [&](Transaction& transaction) { return transaction.execute(sql, params); });
}

std::unique_ptr<Cursor> Connection::openCursor(const QString& sql, const QList<Value>& params) {
    auto statement = std::make_unique<Statement>(autoCommitTransaction(*this), sql);
    std::unique_ptr<Cursor> cursor = statement->open(params);
    cursor->handle_->ownedStatement = std::move(statement);
    return cursor;
}

QList<Column> Connection::describe(const QString& sql) {
    return Statement(shared(handles_->reads, *this, Transaction::Access::ReadOnly), sql).columns();
}

std::unique_ptr<Transaction> Connection::startTransaction() {
    return std::make_unique<Transaction>(*this);
}

Connection::Handles& Connection::handles() {
    return *handles_;
}

} // namespace quelmaro::fb
