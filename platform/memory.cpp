#include "platform/memory.h"

#if __has_include(<malloc.h>)
#include <malloc.h>
#endif

namespace quelmaro::platform {

void keepFreedMemoryForReuse() {
#ifdef M_TRIM_THRESHOLD
    // Up to this much free memory at the top of the heap stays with the process.
    constexpr int kKeptBytes = 256 * 1024 * 1024;
    mallopt(M_TRIM_THRESHOLD, kKeptBytes);
#endif
}

} // namespace quelmaro::platform
