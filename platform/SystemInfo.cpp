#include "platform/SystemInfo.h"

#include <unistd.h>

namespace platform {

int64_t TotalPhysicalMemoryBytes() {
    const long pages = sysconf(_SC_PHYS_PAGES);
    const long pageSize = sysconf(_SC_PAGE_SIZE);
    if (pages <= 0 || pageSize <= 0)
        return 0;
    return int64_t(pages) * int64_t(pageSize);
}

} // namespace platform
