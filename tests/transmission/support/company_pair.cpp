#include "tests/transmission/support/company_pair.h"

#include "tests/support/isql.h"
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

void PrintTo(Central central, std::ostream* out) {
    *out << (central == Central::Demo       ? "DemoCentral"
             : central == Central::Contract ? "ContractCentral"
                                            : "UpgradedCentral");
}

CompanyPair::CompanyPair(Central central)
    : central_(central),
      root_(QDir(ServerAccount::fromEnvironment().directory)
                .filePath(QStringLiteral("transmission-") + QUuid::createUuid().toString(QUuid::Id128))) {
    QDir().mkpath(root_);
    giveToServer(root_);
    QDir().mkpath(root_ + QStringLiteral("/datos"));
    giveToServer(root_ + QStringLiteral("/datos"));
    for (const QString& company : {kOrigin, kCentral})
        copyCompany(QStringLiteral(QUELMARO_TRANSMISSION_DEMO_DIR), root_, company);
    if (central == Central::Contract)
        runIsqlScript(database(kCentral), QStringLiteral(QUELMARO_CONTRACT_CENTRAL_SQL), user(), password());
    if (central == Central::Upgraded)
        open(kCentral)->execute(QStringLiteral("drop table contabilizaciones_pendientes"));
}

QString CompanyPair::ledgerTable() const {
    return central_ == Central::Contract ? QStringLiteral("comprobantes") : QStringLiteral("contable");
}

QString CompanyPair::postingsByDocument() const {
    const QString documents = QStringLiteral(
        "(select 31 tipo, fact_id id from facturas union all select 61, reca_id from recibos_caja "
        "union all select 66, trcj_id from traslados_caja) d");
    if (central_ == Central::Contract)
        return QStringLiteral(
                   "select d.tipo, d.id, "
                   "(select count(*) from comprobantes c where c.cmpr_libro = 'L' and c.cmpr_tipo = d.tipo "
                   "and c.cmpr_documento = d.id), "
                   "(select count(*) from comprobantes c where c.cmpr_libro = 'N' and c.cmpr_tipo = d.tipo "
                   "and c.cmpr_documento = d.id), "
                   "(select count(*) from comprobantes c where c.cmpr_entregado <> 'S' and c.cmpr_tipo = "
                   "d.tipo and c.cmpr_documento = d.id) from ") +
               documents;
    return QStringLiteral("select d.tipo, d.id, "
                          "(select count(*) from contable l where l.cnt_libro = 'L' and l.tido_cod = d.tipo "
                          "and l.cnt_iddoc = d.id), "
                          "(select count(*) from contable n join contable l on n.cnt_origen = l.cnt_id "
                          "where n.cnt_libro = 'N' and l.tido_cod = d.tipo and l.cnt_iddoc = d.id), "
                          "(select count(*) from contable p where p.cnt_pendiente <> 'N' and p.tido_cod = "
                          "d.tipo and p.cnt_iddoc = d.id) from ") +
           documents;
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
