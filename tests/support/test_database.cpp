#include "tests/support/test_database.h"

namespace quelmaro::test {

TestDatabase::TestDatabase(Engine engine) {
    if (engine == Engine::Embedded)
        embedded_ = std::make_unique<EmbeddedDatabase>();
    else
        server_ = std::make_unique<ServerDatabase>();
}

fb::Connection& TestDatabase::connection() {
    return embedded_ ? embedded_->connection() : server_->connection();
}

QString TestDatabase::database() const {
    return embedded_ ? embedded_->path() : server_->database();
}

std::string engineName(const testing::TestParamInfo<Engine>& info) {
    return info.param == Engine::Embedded ? "Embedded" : "Server";
}

void PrintTo(Engine engine, std::ostream* out) {
    *out << (engine == Engine::Embedded ? "Embedded" : "Server");
}

} // namespace quelmaro::test
