#include "tests/transmission/support/run_session.h"

#include "transmission/run/connection_setup.h"

namespace quelmaro::test {

void RecordedProgress::show(const QString& text) {
    shown_.append(text);
    visible_ = true;
}

RunSession::RunSession(const RunSettings& settings)
    : run(
          dbOrigen, dm.Norvane, settings, progress,
          [this](const QString& module, const QString& category, const QString& property) {
              return dm.configuracion(module, category, property);
          },
          [this](QObject& owner) { dm.ConfigurarProviders(&owner); }),
      origin_(companies.open(CompanyPair::kOrigin)), central_(companies.open(CompanyPair::kCentral)) {}

RunSession::~RunSession() = default;

CompanyLogin RunSession::originLogin() const {
    return {companies.server(), CompanyPair::kOrigin, companies.user(), companies.password()};
}

CompanyLogin RunSession::centralLogin() const {
    return {companies.server(), CompanyPair::kCentral, companies.user(), companies.password()};
}

void RunSession::connect() {
    connectDatabases(run, originLogin(), centralLogin(), [this](const QString& user) { dm.usuario = user; });
}

} // namespace quelmaro::test
