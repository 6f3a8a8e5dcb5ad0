#include "app/command_runs.h"

#include "app/utf8_line.h"

namespace {

std::string FieldOrDash(const std::wstring& value) { return value.empty() ? "-" : Utf8Field(value); }

}  // namespace

std::string CommandRunLine(const TCommandRun& run) {
  return TabSeparatedLine({Utf8Field(run.Started), Utf8Field(run.CommandLine), std::to_string(run.ExitCode),
                           std::to_string(run.Treated), std::to_string(run.Failed), FieldOrDash(run.RunFolder),
                           FieldOrDash(run.Message)});
}

std::string AppendKeepingUnder(std::string text, const std::string& line, std::size_t mostBytes) {
  if (!text.empty() && text.back() != '\n') text += "\r\n";
  text += line;
  if (text.size() <= mostBytes) return text;
  // The first line start from which the rest fits; the new line alone when nothing older does.
  std::size_t start = text.find('\n', text.size() - mostBytes - 1);
  start = start == std::string::npos || start + 1 > text.size() - line.size() ? text.size() - line.size() : start + 1;
  return text.substr(start);
}
