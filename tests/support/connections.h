#pragma once

#include "data/fb/connection.h"

#include <memory>

namespace quelmaro::test {

// A second connection with the same parameters, not yet open.
std::unique_ptr<fb::Connection> connectionLike(const fb::Connection& model);

} // namespace quelmaro::test
