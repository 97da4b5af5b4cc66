#pragma once
// Drives a player on the manual clock and timer from the Qt event loop, for tests whose
// command runs a nested loop of its own (a play waits for the song to end).
#include "platform/TestDoubles.h"

#include <QObject>
#include <QTimer>

#include <cstdint>
#include <functional>

// Runs `command` while each pass of the event loop steps the player: a running timer fires
// once, otherwise the clock moves on 4 ms. `onStep` (when given) sees the clock after each
// step; after 20,000 steps (a minute and more of song time) something hangs and `onHang` runs.
inline void DrivePlayer(platform::ManualClock &clock, platform::ManualTimer &timer,
                        const std::function<void()> &command, const std::function<void(int64_t)> &onStep,
                        const std::function<void()> &onHang) {
    QTimer drive;
    drive.setInterval(0);
    int steps = 0;
    QObject::connect(&drive, &QTimer::timeout, [&] {
        if (timer.Running())
            timer.Run(clock, 1);
        else
            clock.Advance(4);
        if (onStep)
            onStep(clock.NowMs());
        if (++steps > 20000)
            onHang();
    });
    drive.start();
    command();
    drive.stop();
}
