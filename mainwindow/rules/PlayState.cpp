#include "mainwindow/rules/PlayState.h"

bool TPlayState::Begin(TPlayKind kind) {
    if (kind_ != TPlayKind::Idle && kind_ != kind)
        return false;
    kind_ = kind;
    StopRequested = false;
    Notify();
    return true;
}

void TPlayState::End(TPlayKind kind) {
    if (kind_ != kind)
        return;
    kind_ = TPlayKind::Idle;
    Notify();
}

void TPlayState::EnterLoop() {
    if (loops_++ == 0)
        Notify();
}

void TPlayState::LeaveLoop() {
    if (loops_ == 0)
        return;
    if (--loops_ == 0)
        Notify();
}
