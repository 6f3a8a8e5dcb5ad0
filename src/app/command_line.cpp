#include "app/command_line.h"

#include <cwctype>

namespace {

bool IsSwitch(const std::wstring& argument) {
  return argument.size() > 1 && (argument[0] == L'/' || argument[0] == L'-');
}

// The switch's name in lower case, without its "/".
std::wstring SwitchName(const std::wstring& argument) {
  std::wstring name = argument.substr(1);
  for (wchar_t& c : name) c = static_cast<wchar_t>(std::towlower(c));
  return name;
}

TTimeLimit TimeLimitOf(const std::wstring& argument, const std::wstring& value) {
  const TTimeLimit::TParsed parsed = TTimeLimit::Parse(value);
  if (!parsed.Limit) throw EBadArguments(argument + L" " + value + L": " + parsed.Error);
  return *parsed.Limit;
}

}  // namespace

std::optional<TCommandLine> ParseCommandLine(const std::vector<std::wstring>& arguments) {
  if (arguments.empty()) return std::nullopt;
  TCommandLine line;
  bool process = false, script = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::wstring& argument = arguments[i];
    if (!IsSwitch(argument)) throw EBadArguments(L"Unexpected argument: " + argument);
    const std::wstring name = SwitchName(argument);
    if (name == L"?") {
      line.Usage = true;
      continue;
    }
    if (name == L"continue") {
      line.ContinueAfterErrors = true;
      continue;
    }
    std::wstring timeLimit;
    std::wstring* value = name == L"process"     ? &line.Folder
                          : name == L"script"    ? &line.Script
                          : name == L"mask"      ? &line.Mask
                          : name == L"timelimit" ? &timeLimit
                                                 : nullptr;
    if (!value) throw EBadArguments(L"Unknown switch: " + argument);
    if (i + 1 == arguments.size() || IsSwitch(arguments[i + 1]))
      throw EBadArguments(L"The switch " + argument + L" needs a value.");
    *value = arguments[++i];
    if (value == &timeLimit) line.TimeLimit = TimeLimitOf(argument, timeLimit);
    process |= name == L"process";
    script |= name == L"script";
  }
  if (line.Usage) return line;
  if (!process) throw EBadArguments(L"The folder to process is missing: /Process <folder>.");
  if (!script) throw EBadArguments(L"The script is missing: /Script <file>.");
  return line;
}

std::wstring UsageText() {
  return L"Velbrook.exe /Process <folder> /Script <file> [/Mask <patterns>] [/Continue] [/TimeLimit <time>]\r\n"
         L"Treats every file of the folder that the mask (default *.*; patterns separated by \";\") "
         L"matches with the Norvalt script, without asking anything.\r\n"
         L"/Continue goes on after a failing file.\r\n"
         L"/TimeLimit gives each file at most that long (90s, 15m; a bare number is minutes); a Norvalt that "
         L"Velbrook started is then ended.\r\n"
         L"Exit codes: 0 every file treated, 1 some files failed, 2 bad arguments, 3 Norvalt could not be "
         L"linked, 4 stopped, 5 no file matched, 6 another Velbrook run was in progress, 7 an unexpected error "
         L"kept the run from starting.";
}
