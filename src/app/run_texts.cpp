#include "app/run_texts.h"

#include "base/file_names.h"

namespace {

// Longer lists in a message would push its buttons off the screen.
constexpr std::size_t kListedAtMost = 10;

std::wstring FilesText(int count) { return std::to_wstring(count) + (count == 1 ? L" file" : L" files"); }

// Each line on a line of its own, the first ones only, then how many more there are.
std::wstring ListedLines(const std::vector<std::wstring>& lines) {
  std::wstring text;
  for (std::size_t i = 0; i < lines.size() && i < kListedAtMost; ++i) text += L"\r\n" + lines[i];
  if (lines.size() > kListedAtMost) text += L"\r\nand " + std::to_wstring(lines.size() - kListedAtMost) + L" more";
  return text;
}

std::vector<std::wstring> UnknownOutcomeLines(const std::vector<std::pair<std::wstring, std::wstring>>& unknown) {
  std::vector<std::wstring> lines;
  for (const auto& [path, backup] : unknown)
    lines.push_back(path + L": outcome unknown: Velbrook ended while Norvalt worked on it; its backup is " + backup);
  return lines;
}

}  // namespace

std::wstring UndoQuestion(int count, const std::wstring& started,
                          const std::vector<std::pair<std::wstring, std::wstring>>& unknown) {
  std::wstring text = L"Put back " + FilesText(count) + L" as they were before the run of " + started + L"?";
  if (!unknown.empty()) text += L"\r\nLeft as they are:" + ListedLines(UnknownOutcomeLines(unknown));
  return text;
}

std::wstring UndoResultText(const TUndoOutcome& outcome) {
  std::wstring text = L"Put back " + FilesText(outcome.PutBack) + L".";
  if (outcome.Stopped)
    text += L" Stopped with " + FilesText(outcome.Left) + L" left to put back; Undo again puts them back.";
  if (!outcome.Changed.empty())
    text += L"\r\nSkipped because they changed since the run:" + ListedLines(outcome.Changed);
  if (!outcome.NotWritten.empty()) {
    std::vector<std::wstring> lines;
    for (const auto& [path, reason] : outcome.NotWritten)
      lines.push_back(path + L" could not be written back: " + reason);
    text += L"\r\nNot put back:" + ListedLines(lines);
  }
  if (!outcome.Unknown.empty()) text += L"\r\nLeft as they are:" + ListedLines(UnknownOutcomeLines(outcome.Unknown));
  if (!outcome.Unchanged.empty()) text += L"\r\nUnchanged, as before the run:" + ListedLines(outcome.Unchanged);
  if (!outcome.Damaged.empty()) {
    std::vector<std::wstring> lines;
    for (const std::wstring& path : outcome.Damaged)
      lines.push_back(L"The record's line for " + path + L" is damaged.");
    text += ListedLines(lines);
  }
  if (!outcome.RecordError.empty())
    text += L"\r\nThe run's record could not be updated (" + outcome.RecordError +
            L"). The files put back stay put back, and Undo does not offer this run again.";
  return text;
}

std::wstring FailureSummary(int treated, int count,
                            const std::vector<std::pair<std::wstring, std::wstring>>& failedPathsAndErrors) {
  std::wstring text = L"Treated " + std::to_wstring(treated) + L" of " + FilesText(count) + L".";
  if (failedPathsAndErrors.empty()) return text;
  std::vector<std::wstring> lines;
  for (const auto& [path, error] : failedPathsAndErrors) lines.push_back(FileNameOf(path) + L": " + error);
  return text + L" " + std::to_wstring(lines.size()) + L" failed:" + ListedLines(lines);
}
