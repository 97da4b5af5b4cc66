#pragma once
// What the machine has: its physical memory.
#include <cstdint>

namespace platform {

// The machine's physical memory in bytes; 0 when the system does not say.
int64_t TotalPhysicalMemoryBytes();

} // namespace platform
