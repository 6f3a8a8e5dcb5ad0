#include "filelists/paths.h"

#include <algorithm>
#include <vector>

#include "base/text.h"

std::wstring ExtractDrivePart(std::wstring_view path) {
  if (path.size() >= 2 && path[1] == L':') return std::wstring(path.substr(0, 2));
  if (path.size() >= 2 && path[0] == L'\\' && path[1] == L'\\') {
    int separators = 2;
    for (std::size_t i = 2; i < path.size(); ++i)
      if (path[i] == L'\\' && ++separators == 4) return std::wstring(path.substr(0, i));
    return std::wstring(path);
  }
  return {};
}

std::wstring JoinPath(std::wstring_view folder, std::wstring_view name) {
  std::wstring path(folder);
  if (path.empty() || path.back() != L'\\') path += L'\\';
  path += name;
  return path;
}

bool HasWildcards(std::wstring_view name) { return name.find_first_of(L"*?") != std::wstring_view::npos; }

namespace {

// The file system's reading of a pattern: "*" before "." and "." before a wildcard or at
// the end have meanings of their own.
enum class TMaskToken { Literal, AnyRun, RunToLastDot, OneOrNone, DotOrEnd };

class TMaskMatcher {
 public:
  TMaskMatcher(std::wstring_view name, std::wstring_view pattern)
      : FName(name), FPattern(pattern), FSeen((name.size() + 1) * (pattern.size() + 1), 0) {}

  bool Match(std::size_t n, std::size_t p) {
    // Each (name, pattern) position is worked out once: runs of "*" cannot blow up.
    char& seen = FSeen[n * (FPattern.size() + 1) + p];
    if (seen == 0) seen = MatchUncached(n, p) ? 1 : 2;
    return seen == 1;
  }

 private:
  TMaskToken Token(std::size_t p) const {
    const wchar_t c = FPattern[p];
    const wchar_t next = p + 1 < FPattern.size() ? FPattern[p + 1] : L'\0';
    if (c == L'*') return next == L'.' ? TMaskToken::RunToLastDot : TMaskToken::AnyRun;
    if (c == L'?') return TMaskToken::OneOrNone;
    if (c == L'.' && (next == L'*' || next == L'?' || next == L'\0')) return TMaskToken::DotOrEnd;
    return TMaskToken::Literal;
  }

  bool MatchUncached(std::size_t n, std::size_t p) {
    const std::size_t end = FName.size();
    if (p == FPattern.size()) return n == end;
    switch (Token(p)) {
      case TMaskToken::Literal:
        return n < end && AsciiUpper(FName[n]) == AsciiUpper(FPattern[p]) && Match(n + 1, p + 1);
      case TMaskToken::AnyRun:
        for (std::size_t k = n; k <= end; ++k)
          if (Match(k, p + 1)) return true;
        return false;
      case TMaskToken::RunToLastDot: {
        const std::size_t lastDot = FName.rfind(L'.');
        const std::size_t limit = lastDot != std::wstring_view::npos && lastDot >= n ? lastDot : end;
        for (std::size_t k = n; k <= limit; ++k)
          if (Match(k, p + 1)) return true;
        return false;
      }
      case TMaskToken::OneOrNone:
        if (n == end || FName[n] == L'.') return Match(n, p + 1);
        return Match(n + 1, p + 1);
      case TMaskToken::DotOrEnd:
        if (n == end) return Match(n, p + 1);
        return FName[n] == L'.' && Match(n + 1, p + 1);
    }
    return false;
  }

  std::wstring_view FName;
  std::wstring_view FPattern;
  std::vector<char> FSeen;  // 0 unknown, 1 match, 2 no match
};

}  // namespace

std::vector<std::wstring> MaskPatterns(std::wstring_view mask) {
  std::vector<std::wstring> patterns;
  std::size_t start = 0;
  while (start <= mask.size()) {
    const std::size_t end = std::min(mask.find(L';', start), mask.size());
    std::wstring_view pattern = mask.substr(start, end - start);
    const std::size_t first = pattern.find_first_not_of(L' ');
    if (first != std::wstring_view::npos) {
      pattern = pattern.substr(first, pattern.find_last_not_of(L' ') + 1 - first);
      patterns.emplace_back(pattern);
    }
    start = end + 1;
  }
  return patterns;
}

bool MatcherAgreesWithFileSystem(std::wstring_view pattern) { return pattern == L"*" || pattern == L"*.*"; }

bool MatchesMask(std::wstring_view name, std::wstring_view pattern) { return TMaskMatcher(name, pattern).Match(0, 0); }

wchar_t LowerDriveLetter(wchar_t letter) { return AsciiLower(letter); }

wchar_t UpperDriveLetter(wchar_t letter) { return AsciiUpper(letter); }

bool SameDriveLetter(wchar_t a, wchar_t b) { return LowerDriveLetter(a) == LowerDriveLetter(b); }
