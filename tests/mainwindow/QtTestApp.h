#pragma once
// One QApplication for every GUI test of this executable (offscreen platform).
#include "platform/qt/TestServices.h"

inline QApplication &TwTestApp() { return *platform::EnsureTestApplication(); }
