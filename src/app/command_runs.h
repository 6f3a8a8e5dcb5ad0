#pragma once
// The log of command-line runs (command-runs.txt in the program's per-user folder): one line
// per run, so that a run started by a scheduler, which has no console and no one to read a
// box, still leaves its reason behind. UTF-8, tab-separated, CRLF:
//   2026-12-10 02:00:00<TAB>/Process D:\NC\Drop /Script tidy.nvs<TAB>1<TAB>4<TAB>1<TAB><run folder><TAB><message>
// Fields: the start, the command line, the exit code, the files treated and failed, the run
// folder ("-" when no run began), the message a window would have shown ("-" for none).
#include <cstddef>
#include <string>

struct TCommandRun {
  std::wstring Started;  // "yyyy-mm-dd hh:mm:ss" (RecordTimeText)
  std::wstring CommandLine;
  int ExitCode = 0;
  int Treated = 0, Failed = 0;
  std::wstring RunFolder;  // empty when no run began
  std::wstring Message;    // empty when there was nothing to tell
};

// The log's file name in the program's per-user folder.
inline constexpr wchar_t kCommandRunsFileName[] = L"command-runs.txt";
// The log is kept under this size.
inline constexpr std::size_t kCommandRunsMostBytes = 1024 * 1024;

std::string CommandRunLine(const TCommandRun& run);

// The log's text with line added at its end, its oldest whole lines dropped until it holds at
// most mostBytes (the new line is always kept). A last line cut off by a crash is ended first.
std::string AppendKeepingUnder(std::string text, const std::string& line,
                               std::size_t mostBytes = kCommandRunsMostBytes);

// Adds the run's line to the log through a temporary file that then replaces it. Never raises
// and never shows anything: false when the log could not be written.
bool AppendCommandRun(const TCommandRun& run) noexcept;
