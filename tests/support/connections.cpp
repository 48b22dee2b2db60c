#include "tests/support/connections.h"

namespace quelmaro::test {

std::unique_ptr<fb::Connection> connectionLike(const fb::Connection& model) {
    auto connection = std::make_unique<fb::Connection>();
    for (const auto& [name, value] : model.parameters().asKeyValueRange())
        connection->setParameter(name, value);
    connection->setReadOnly(model.isReadOnly());
    return connection;
}

} // namespace quelmaro::test
