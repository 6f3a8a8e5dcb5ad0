#include "nc_script.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <utility>

namespace {

constexpr std::array<std::pair<TCall, std::string_view>, 6> CallNames{{
    {TCall::OpenNcFile, "OpenNcFile"},
    {TCall::ScriptStep1, "ScriptStep1"},
    {TCall::ScriptStep2, "ScriptStep2"},
    {TCall::SaveNcFileAs, "SaveNcFileAs"},
    {TCall::GetFolder, "GetFolder"},
    {TCall::LoadScript, "LoadScript"},
}};

struct TToken {
  std::string Text;
  bool Quoted = false;
};

// Splits a line into words; "..." quotes a word (a doubled "" inside stands for one "),
// so Windows paths need no escaping. '#' or ';' at the start of a line makes it a comment.
std::vector<TToken> Tokenize(std::string_view line, int lineNo) {
  std::vector<TToken> tokens;
  std::size_t i = 0;
  while (true) {
    while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
    if (i == line.size()) return tokens;
    TToken token;
    if (line[i] == '"') {
      token.Quoted = true;
      for (++i;; ++i) {
        if (i == line.size()) throw TScriptError(lineNo, "missing closing quote");
        if (line[i] == '"') {
          if (i + 1 < line.size() && line[i + 1] == '"') {
            token.Text += '"';
            ++i;
            continue;
          }
          ++i;
          break;
        }
        token.Text += line[i];
      }
    } else {
      while (i < line.size() && line[i] != ' ' && line[i] != '\t') token.Text += line[i++];
    }
    tokens.push_back(std::move(token));
  }
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
           return lower(x) == lower(y);
         });
}

long long ParseInteger(const TToken& token, int lineNo, const char* what) {
  long long value = 0;
  const char* end = token.Text.data() + token.Text.size();
  auto [ptr, ec] = std::from_chars(token.Text.data(), end, value);
  if (token.Quoted || ec != std::errc() || ptr != end)
    throw TScriptError(lineNo, std::string(what) + " must be a whole number, not \"" + token.Text + "\"");
  return value;
}

std::uint32_t ParseStatus(const std::string& text, int lineNo) {
  std::uint32_t value = 0;
  const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
  const char* begin = text.data() + (hex ? 2 : 0);
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(begin, end, value, hex ? 16 : 10);
  if (ec != std::errc() || ptr != end) throw TScriptError(lineNo, "bad status \"" + text + "\"");
  return value;
}

TCall ParseCall(const std::string& name, int lineNo) {
  for (const auto& [call, callName] : CallNames)
    if (name == callName) return call;
  throw TScriptError(lineNo, "unknown call \"" + name + "\"");
}

void ExpectCount(const std::vector<TToken>& tokens, std::size_t count, int lineNo, const char* usage) {
  if (tokens.size() != count) throw TScriptError(lineNo, std::string("expected: ") + usage);
}

TRule ParseRule(const std::vector<TToken>& tokens, int lineNo) {
  const std::string& name = tokens.size() > 1 ? tokens[1].Text : std::string();
  if (name == "replace") {
    ExpectCount(tokens, 4, lineNo, "stepN replace \"from\" \"to\"");
    if (tokens[2].Text.empty()) throw TScriptError(lineNo, "replace needs a text to look for");
    TRule rule;
    rule.From = tokens[2].Text;
    rule.To = tokens[3].Text;
    return rule;
  }
  if (name == "renumber") {
    ExpectCount(tokens, 4, lineNo, "stepN renumber <start> <increment>");
    TRule rule;
    rule.Kind = TRuleKind::Renumber;
    rule.Start = ParseInteger(tokens[2], lineNo, "start");
    rule.Step = ParseInteger(tokens[3], lineNo, "increment");
    // Nine digits are as many as any control takes; they also keep the running block number
    // far from overflowing, however many blocks a file holds.
    constexpr long long kLargestBlockNumber = 999'999'999;
    if (rule.Start < 0 || rule.Step <= 0 || rule.Start > kLargestBlockNumber || rule.Step > kLargestBlockNumber)
      throw TScriptError(lineNo, "renumber needs start from 0 to 999999999 and increment from 1 to 999999999");
    return rule;
  }
  if (name == "strip-comments") {
    ExpectCount(tokens, 2, lineNo, "stepN strip-comments");
    TRule rule;
    rule.Kind = TRuleKind::StripComments;
    return rule;
  }
  if (name == "uppercase") {
    ExpectCount(tokens, 2, lineNo, "stepN uppercase");
    TRule rule;
    rule.Kind = TRuleKind::Uppercase;
    return rule;
  }
  throw TScriptError(lineNo, "unknown rule \"" + name + "\"");
}

TCallDirective::TAction ActionNamed(const std::string& word) {
  if (word == "fail") return TCallDirective::Fail;
  if (word == "delay") return TCallDirective::Delay;
  if (word == "box") return TCallDirective::Box;
  return TCallDirective::Crash;
}

// The words after the call that come before the options: a delay's length and "after", a
// box's caption and text. Returns the index of the first option.
std::size_t ParseLeadingValues(const std::vector<TToken>& tokens, int lineNo, TCallDirective& directive) {
  if (directive.Action == TCallDirective::Box) {
    if (tokens.size() < 4)
      throw TScriptError(lineNo, "expected: box <Call> \"caption\" \"text\" [file <name-or-path>]");
    directive.Caption = tokens[2].Text;
    directive.Text = tokens[3].Text;
    return 4;
  }
  if (directive.Action != TCallDirective::Delay) return 2;
  if (tokens.size() < 3)
    throw TScriptError(lineNo, "expected: delay <Call> <milliseconds> [after] [file <name-or-path>]");
  const long long milliseconds = ParseInteger(tokens[2], lineNo, "milliseconds");
  if (milliseconds < 0 || milliseconds > 86'400'000) throw TScriptError(lineNo, "a delay lasts 0 to 86400000 ms");
  directive.Milliseconds = static_cast<std::uint32_t>(milliseconds);
  directive.After = tokens.size() > 3 && !tokens[3].Quoted && tokens[3].Text == "after";
  return directive.After ? 4 : 3;
}

TCallDirective ParseCallDirective(const std::vector<TToken>& tokens, int lineNo) {
  if (tokens.size() < 2) throw TScriptError(lineNo, "expected the name of a call after \"" + tokens[0].Text + "\"");
  TCallDirective directive;
  directive.Action = ActionNamed(tokens[0].Text);
  directive.Call = ParseCall(tokens[1].Text, lineNo);
  const bool fail = directive.Action == TCallDirective::Fail;
  for (std::size_t i = ParseLeadingValues(tokens, lineNo, directive); i < tokens.size(); i += 2) {
    const std::string& option = tokens[i].Text;
    if (i + 1 == tokens.size()) throw TScriptError(lineNo, "\"" + option + "\" needs a value");
    const std::string& value = tokens[i + 1].Text;
    if (option == "file")
      directive.File = value;
    else if (fail && option == "description")
      directive.Description = value;
    else if (fail && option == "status")
      directive.Status = ParseStatus(value, lineNo);
    else
      throw TScriptError(lineNo, "unknown option \"" + option + "\"");
  }
  return directive;
}

TDirectiveStage StageOf(const TCallDirective& directive) {
  switch (directive.Action) {
    case TCallDirective::Delay: return directive.After ? TDirectiveStage::DelayAfter : TDirectiveStage::DelayBefore;
    case TCallDirective::Box: return TDirectiveStage::Box;
    default: return TDirectiveStage::Outcome;
  }
}

TFolderAnswer ParseFolder(const std::vector<TToken>& tokens, int lineNo) {
  ExpectCount(tokens, 2, lineNo, "folder \"text\" | folder <number> | folder empty");
  const TToken& value = tokens[1];
  TFolderAnswer answer;
  if (value.Quoted) {
    answer.Text = value.Text;
  } else if (value.Text == "empty") {
    answer.Kind = TFolderAnswer::TKind::Empty;
  } else {
    const long long number = ParseInteger(value, lineNo, "an unquoted folder answer");
    if (number < INT32_MIN || number > INT32_MAX) throw TScriptError(lineNo, "the number is out of range");
    answer.Kind = TFolderAnswer::TKind::Number;
    answer.Number = static_cast<std::int32_t>(number);
  }
  return answer;
}

void ParseLine(const std::vector<TToken>& tokens, int lineNo, TScript& script) {
  const std::string& word = tokens[0].Text;
  if (word == "step1")
    script.Step1.push_back(ParseRule(tokens, lineNo));
  else if (word == "step2")
    script.Step2.push_back(ParseRule(tokens, lineNo));
  else if (word == "fail" || word == "crash" || word == "delay" || word == "box")
    script.Directives.push_back(ParseCallDirective(tokens, lineNo));
  else if (word == "trace") {
    ExpectCount(tokens, 2, lineNo, "trace <path>");
    script.TracePath = tokens[1].Text;
  } else if (word == "folder")
    script.Folder = ParseFolder(tokens, lineNo);
  else
    throw TScriptError(lineNo, "unknown directive \"" + word + "\"");
}

}  // namespace

std::string_view CallName(TCall call) {
  for (const auto& [known, name] : CallNames)
    if (known == call) return name;
  return {};
}

TScriptError::TScriptError(int line, const std::string& message)
    : std::runtime_error("line " + std::to_string(line) + ": " + message), FLine(line) {}

TScript ParseScript(std::string_view text) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  TScript script;
  int lineNo = 0;
  while (!text.empty()) {
    ++lineNo;
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const std::size_t first = line.find_first_not_of(" \t");
    if (first == std::string_view::npos || line[first] == '#' || line[first] == ';') continue;
    ParseLine(Tokenize(line, lineNo), lineNo, script);
  }
  return script;
}

const TCallDirective* FindDirective(const std::vector<TCallDirective>& directives, TCall call,
                                    std::string_view filePath, TDirectiveStage stage) {
  const std::size_t slash = filePath.find_last_of("\\/");
  const std::string_view fileName = slash == std::string_view::npos ? filePath : filePath.substr(slash + 1);
  for (const TCallDirective& directive : directives) {
    if (directive.Call != call || StageOf(directive) != stage) continue;
    if (!directive.File ||
        (!filePath.empty() && (EqualsNoCase(*directive.File, filePath) || EqualsNoCase(*directive.File, fileName))))
      return &directive;
  }
  return nullptr;
}
