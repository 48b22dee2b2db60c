#pragma once

#include <QString>

namespace quelmaro::shell {

// The suite's installation directory from its registry entry. A missing key is reported to the operator
// with a plain message and gives an empty text; a value that is not a text is an error (PlatformError).
QString applicationDirectory();

} // namespace quelmaro::shell
