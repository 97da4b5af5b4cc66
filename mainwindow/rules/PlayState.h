#pragma once
// Who is playing, and the stop and abort flags: the one owner of the window's busy state.
// Buttons' captions and colours, the locks and Busy() are all drawn from it; no widget text
// ever stands for "playing".
#include <functional>

enum class TPlayKind { Idle, Song, Instrument, DrumGrid };

class TPlayState {
public:
    TPlayKind Kind() const { return kind_; }
    bool Playing(TPlayKind kind) const { return kind_ == kind; }
    // Anything playing or a long operation (a nested loop) running.
    bool Busy() const { return kind_ != TPlayKind::Idle || loops_ > 0; }
    bool LongOperation() const { return loops_ > 0; }

    // Starts `kind` (a stop left from before is cleared); false, and nothing changes, when
    // something else plays.
    bool Begin(TPlayKind kind);
    // Back to idle when `kind` is what plays; a second End does nothing.
    void End(TPlayKind kind);

    // Nested loops (long edits, waits, the play loop) count themselves so that a close can
    // wait for them to unwind.
    void EnterLoop();
    void LeaveLoop();
    int LoopDepth() const { return loops_; }

    // Set by Stop buttons, Esc and closing; waits and runs end early while it is set.
    bool StopRequested = false;
    // Set by Esc (and a close during a loop); long operations ask before they give up.
    bool AbortRequested = false;

    // Called after every change of Kind() or of Busy(), so the window redraws its commands.
    std::function<void()> Changed;

private:
    void Notify() const {
        if (Changed)
            Changed();
    }
    TPlayKind kind_ = TPlayKind::Idle;
    int loops_ = 0;
};
