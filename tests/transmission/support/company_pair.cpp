#include "tests/transmission/support/company_pair.h"

#include "tests/support/server_database.h"

#include <QDir>
#include <QFile>
#include <QUuid>

#include <pwd.h>
#include <unistd.h>

#include <stdexcept>

namespace quelmaro::test {

const QString CompanyPair::kOrigin = QStringLiteral("01");
const QString CompanyPair::kCentral = QStringLiteral("00");
const QDate CompanyPair::kFirstDay{2024, 3, 1};
const QDate CompanyPair::kLastDay{2024, 3, 3};

namespace {

// The server runs as `firebird` and must read and write what it opens, through every folder on the way.
void giveToServer(const QString& path) {
    const passwd* account = getpwnam("firebird");
    if (!account || ::chown(QFile::encodeName(path).constData(), account->pw_uid, account->pw_gid) != 0)
        throw std::runtime_error("cannot hand " + path.toStdString() + " to the firebird account");
}

void copyCompany(const QString& fromRoot, const QString& toRoot, const QString& company) {
    const QString folder = toRoot + QStringLiteral("/datos/") + company;
    const QString source = fromRoot + QStringLiteral("/datos/") + company + QStringLiteral("/norvane.fdb");
    if (!QDir().mkpath(folder) || !QFile::copy(source, folder + QStringLiteral("/norvane.fdb")))
        throw std::runtime_error("cannot copy the demo company " + source.toStdString() +
                                 " (is the transmission_demo test fixture made?)");
    giveToServer(folder);
    giveToServer(folder + QStringLiteral("/norvane.fdb"));
}

} // namespace

void CompanyPair::writeInsteadOfDatabase(const QString& company, const QByteArray& content) const {
    const QString folder = root_ + QStringLiteral("/datos/") + company;
    QDir().mkpath(folder);
    QFile file(folder + QStringLiteral("/norvane.fdb"));
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        throw std::runtime_error("cannot write " + file.fileName().toStdString());
    file.close();
    giveToServer(folder);
    giveToServer(file.fileName());
}

CompanyPair::CompanyPair()
    : root_(QDir(ServerAccount::fromEnvironment().directory)
                .filePath(QStringLiteral("transmission-") + QUuid::createUuid().toString(QUuid::Id128))) {
    QDir().mkpath(root_);
    giveToServer(root_);
    QDir().mkpath(root_ + QStringLiteral("/datos"));
    giveToServer(root_ + QStringLiteral("/datos"));
    for (const QString& company : {kOrigin, kCentral})
        copyCompany(QStringLiteral(QUELMARO_TRANSMISSION_DEMO_DIR), root_, company);
}

CompanyPair::~CompanyPair() {
    QDir(root_).removeRecursively();
}

QString CompanyPair::database(const QString& company) const {
    return server() + QStringLiteral("/datos/") + company + QStringLiteral("/norvane.fdb");
}

QString CompanyPair::user() const {
    return ServerAccount::fromEnvironment().user;
}

QString CompanyPair::password() const {
    return ServerAccount::fromEnvironment().password;
}

std::unique_ptr<fb::Connection> CompanyPair::open(const QString& company) const {
    auto connection = std::make_unique<fb::Connection>();
    connection->setParameter(QStringLiteral("Database"), database(company));
    connection->setParameter(QStringLiteral("User_Name"), user());
    connection->setParameter(QStringLiteral("Password"), password());
    connection->open();
    return connection;
}

} // namespace quelmaro::test
