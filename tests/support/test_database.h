#pragma once

#include "tests/support/embedded_database.h"
#include "tests/support/server_database.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace quelmaro::test {

enum class Engine { Embedded, Server };

// A fresh database on either engine, for tests that must hold on both:
//   INSTANTIATE_TEST_SUITE_P(Engines, MyTest, testing::Values(Engine::Embedded, Engine::Server), engineName);
class TestDatabase {
public:
    explicit TestDatabase(Engine engine);
    fb::Connection& connection();
    QString database() const; // the "Database" parameter: a path, or localhost:path

private:
    std::unique_ptr<EmbeddedDatabase> embedded_;
    std::unique_ptr<ServerDatabase> server_;
};

std::string engineName(const testing::TestParamInfo<Engine>& info);
void PrintTo(Engine engine, std::ostream* out); // names the engine in test output

} // namespace quelmaro::test
