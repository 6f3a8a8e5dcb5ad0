#pragma once
// Hidden message-only windows, for code that needs a window to receive posted messages or
// timer ticks on the UI thread.
#include <string>

#include "base/win_handles.h"

// Registers className with windowProc and creates one message-only window of it; raises
// Exception naming purpose ("Cannot register the <purpose> window class") on failure.
TWindowHandle CreateMessageWindow(const wchar_t* className, WNDPROC windowProc, const std::wstring& purpose);
