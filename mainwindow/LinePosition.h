#pragma once
// Where a line of a tab starts in the song: bar, beat and tick (shown 1-based, 1-based,
// 0-based) and the time, counting the durations of the note lines before it under the
// song's tempo and time signature at 192 ticks per quarter.
#include "mainwindow/StatusDisplay.h"

#include <string>
#include <vector>

TLinePosition GetLinePosition(const std::vector<std::string> &lines, int line, int tempo,
                              const std::string &timeSignature);
