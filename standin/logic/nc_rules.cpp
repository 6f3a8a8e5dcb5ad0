#include "nc_rules.h"

#include <vector>

namespace {

struct TLine {
  std::string Content;
  std::string_view Ending;  // "\r\n", "\n" or "" for an unterminated last line
  bool Removed = false;
};

std::vector<TLine> SplitLines(std::string_view text) {
  std::vector<TLine> lines;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    if (end == std::string_view::npos) {
      lines.push_back({std::string(text), ""});
      break;
    }
    const bool crlf = end > 0 && text[end - 1] == '\r';
    lines.push_back({std::string(text.substr(0, crlf ? end - 1 : end)), crlf ? "\r\n" : "\n"});
    text.remove_prefix(end + 1);
  }
  return lines;
}

// Calls visit(from, to, commentEnd) for each stretch [from, to) of code in the line; a
// comment follows it up to commentEnd (equal to `to` when none does). Comments are
// "( ... )" and ";" to the end of the line.
template <typename Visit>
void ForEachCodeStretch(const std::string& line, Visit visit) {
  std::size_t start = 0;
  std::size_t i = 0;
  while (i < line.size()) {
    if (line[i] == ';') {
      visit(start, i, line.size());
      return;
    }
    if (line[i] == '(') {
      const std::size_t close = line.find(')', i);
      const std::size_t after = close == std::string::npos ? line.size() : close + 1;
      visit(start, i, after);
      start = i = after;
    } else {
      ++i;
    }
  }
  visit(start, line.size(), line.size());
}

void ReplaceAll(std::string& line, const std::string& from, const std::string& to) {
  for (std::size_t at = line.find(from); at != std::string::npos; at = line.find(from, at + to.size()))
    line.replace(at, from.size(), to);
}

void StripComments(TLine& line) {
  std::string code;
  bool hadComment = false;
  ForEachCodeStretch(line.Content, [&](std::size_t from, std::size_t to, std::size_t commentEnd) {
    // The blanks on both sides of a removed comment collapse into the ones before it.
    if (hadComment && !code.empty() && (code.back() == ' ' || code.back() == '\t'))
      while (from < to && (line.Content[from] == ' ' || line.Content[from] == '\t')) ++from;
    code.append(line.Content, from, to - from);
    hadComment = hadComment || commentEnd > to;
  });
  if (!hadComment) return;
  code.erase(code.find_last_not_of(" \t") + 1);
  line.Removed = code.empty();
  line.Content = std::move(code);
}

void Uppercase(std::string& line) {
  ForEachCodeStretch(line, [&](std::size_t from, std::size_t to, std::size_t) {
    for (std::size_t i = from; i < to; ++i)
      if (line[i] >= 'a' && line[i] <= 'z') line[i] = static_cast<char>(line[i] - 'a' + 'A');
  });
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

void Renumber(std::string& line, long long& next, long long step) {
  std::size_t at = line.find_first_not_of(" \t");
  if (at == std::string::npos || (line[at] != 'N' && line[at] != 'n')) return;
  std::size_t digitsEnd = at + 1;
  while (digitsEnd < line.size() && IsDigit(line[digitsEnd])) ++digitsEnd;
  if (digitsEnd == at + 1) return;
  line.replace(at + 1, digitsEnd - at - 1, std::to_string(next));
  next += step;
}

void Apply(std::vector<TLine>& lines, const TRule& rule) {
  long long next = rule.Start;
  for (TLine& line : lines) {
    if (line.Removed) continue;
    switch (rule.Kind) {
      case TRuleKind::Replace: ReplaceAll(line.Content, rule.From, rule.To); break;
      case TRuleKind::Renumber: Renumber(line.Content, next, rule.Step); break;
      case TRuleKind::StripComments: StripComments(line); break;
      case TRuleKind::Uppercase: Uppercase(line.Content); break;
    }
  }
}

}  // namespace

std::string ApplyRules(std::string_view text, std::span<const TRule> rules) {
  std::vector<TLine> lines = SplitLines(text);
  for (const TRule& rule : rules) Apply(lines, rule);
  std::string result;
  result.reserve(text.size());
  for (const TLine& line : lines) {
    if (line.Removed) continue;
    result += line.Content;
    result += line.Ending;
  }
  return result;
}
