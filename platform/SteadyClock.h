#pragma once
// The real millisecond clock: std::chrono::steady_clock, so it never goes back when the
// wall clock is set.
#include "platform/Clock.h"

namespace platform {

class SteadyClock : public IClock {
public:
    int64_t NowMs() const override;
};

} // namespace platform
