#include "tests/support/temp_dir.h"

#include <stdexcept>

namespace quelmaro::test {

TempDir::TempDir() {
    if (!dir_.isValid())
        throw std::runtime_error("cannot create a temporary folder: " + dir_.errorString().toStdString());
}

} // namespace quelmaro::test
