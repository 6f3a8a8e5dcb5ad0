#pragma once
// Finding the windows a process shows, from outside its code: for the tests that answer
// message boxes and for the start-up benchmark. Needs nothing but Windows.
#include <windows.h>

#include <functional>
#include <string>

std::wstring WindowText(HWND window);
std::wstring WindowClassName(HWND window);

// The first visible top-level window of process for which accept holds; null when none.
HWND FindVisibleTopLevel(DWORD process, const std::function<bool(HWND)>& accept);
