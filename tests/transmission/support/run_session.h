#pragma once

#include "data/dm/dm.h"
#include "tests/transmission/support/company_pair.h"
#include "transmission/run/connection_setup.h"
#include "transmission/run/run_state.h"

#include <QStringList>

#include <memory>

namespace quelmaro::test {

// The progress line as the operator would have read it: every text shown, and whether it is visible.
class RecordedProgress : public Progress {
public:
    void show(const QString& text) override;
    void hide() override { visible_ = false; }
    const QStringList& shown() const { return shown_; }
    bool isVisible() const { return visible_; }

private:
    QStringList shown_;
    bool visible_ = false;
};

// A run between a fresh copy of the demo pair, with the data module's own services, connected as the
// transmission window connects it. The test's own connections (origin, central) are there to prepare
// cases and to read the results back.
class RunSession {
public:
    explicit RunSession(const RunSettings& settings = {QStringLiteral("SYSDBA"), QString()});
    ~RunSession();

    CompanyLogin originLogin() const;
    CompanyLogin centralLogin() const;
    // Connects both databases through the connection set-up of the run.
    void connect();

    fb::Connection& origin() { return *origin_; }
    fb::Connection& central() { return *central_; }

    CompanyPair companies;
    Tfdm dm;
    fb::Connection dbOrigen;
    RecordedProgress progress;
    Run run;

private:
    std::unique_ptr<fb::Connection> origin_;
    std::unique_ptr<fb::Connection> central_;
};

} // namespace quelmaro::test
