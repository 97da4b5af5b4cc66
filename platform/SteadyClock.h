#pragma once
// The real clock: std::chrono::steady_clock, so it never goes back when the wall clock is set.
#include "platform/Clock.h"

namespace platform {

class SteadyClock : public IClock {
public:
    int64_t NowMs() const override;
    int64_t NowNs() const override;
};

} // namespace platform
