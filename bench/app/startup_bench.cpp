// Prints how long Velbrook.exe takes from process start to its main window being shown,
// less the fixed 2000 ms it gives Norvalt to come up, and the size of the program file.
// Usage: startup_bench [path\to\Velbrook.exe] [runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "base/win_handles.h"
#include "window_search.h"

namespace {

constexpr double kNorvaltWaitMs = 2000.0;

double MillisecondsSince(const LARGE_INTEGER& start) {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// One start: the time until the main window is visible, or a negative value on failure.
double TimeOneStart(const std::wstring& exe) {
  STARTUPINFOW startup{sizeof(startup)};
  PROCESS_INFORMATION info{};
  std::wstring commandLine = L"\"" + exe + L"\"";
  LARGE_INTEGER start;
  QueryPerformanceCounter(&start);
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
    return -1;
  TKernelHandle process(info.hProcess), thread(info.hThread);
  double shownAfter = -1;
  while (MillisecondsSince(start) < 30000) {
    const HWND main =
        FindVisibleTopLevel(info.dwProcessId, [](HWND window) { return WindowText(window) == L"Velbrook"; });
    if (main) {
      shownAfter = MillisecondsSince(start);
      PostMessageW(main, WM_CLOSE, 0, 0);
      break;
    }
    if (WaitForSingleObject(process.Get(), 1) == WAIT_OBJECT_0) break;
  }
  if (WaitForSingleObject(process.Get(), 10000) != WAIT_OBJECT_0) TerminateProcess(process.Get(), 1);
  return shownAfter;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring exe = argc > 1 ? argv[1] : L"Velbrook.exe";
  const int runs = argc > 2 ? _wtoi(argv[2]) : 5;

  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(exe.c_str(), GetFileExInfoStandard, &data)) {
    std::fwprintf(stderr, L"%ls not found\n", exe.c_str());
    return 1;
  }
  const double sizeKiB = static_cast<double>(data.nFileSizeLow) / 1024.0;
  std::wprintf(L"program file: %ls, %.0f KiB\n", exe.c_str(), sizeKiB);

  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const double ms = TimeOneStart(exe);
    if (ms < 0) {
      std::fwprintf(stderr, L"run %d: the main window did not appear\n", i + 1);
      return 1;
    }
    times.push_back(ms - kNorvaltWaitMs);
    std::wprintf(L"run %d: window shown after %.0f ms, %.0f ms without the Norvalt wait\n", i + 1, ms,
                 ms - kNorvaltWaitMs);
  }
  std::sort(times.begin(), times.end());
  std::wprintf(L"median start-up without the Norvalt wait: %.0f ms (min %.0f, max %.0f, %d runs)\n",
               times[times.size() / 2], times.front(), times.back(), runs);
  return 0;
}
