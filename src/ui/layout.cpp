#include "ui/layout.h"

#include <cwctype>

#include "base/errors.h"

namespace {

[[noreturn]] void Fail(int line, const std::wstring& what) {
  throw Exception(L"Layout error at line " + std::to_wstring(line) + L": " + what);
}

class TLayoutParser {
 public:
  explicit TLayoutParser(const std::wstring& text) : FText(text) {}

  TLayoutNode ParseDocument() {
    SkipSpace();
    TLayoutNode root = ParseNode(1);
    SkipSpace();
    if (FPos < FText.size()) Fail(FLine, L"text after the end of the layout");
    return root;
  }

 private:
  const std::wstring& FText;
  std::size_t FPos = 0;
  int FLine = 1;

  wchar_t Peek() const { return FPos < FText.size() ? FText[FPos] : L'\0'; }
  bool AtEnd() const { return FPos >= FText.size(); }

  void SkipSpace() {
    while (!AtEnd()) {
      const wchar_t c = FText[FPos];
      if (c == L'\n') {
        ++FLine;
        ++FPos;
      } else if (c == L' ' || c == L'\t' || c == L'\r') {
        ++FPos;
      } else if (c == L'/' && FPos + 1 < FText.size() && FText[FPos + 1] == L'/') {
        while (!AtEnd() && FText[FPos] != L'\n') ++FPos;
      } else {
        break;
      }
    }
  }

  // Horizontal space only: a value list never continues on the next line.
  void SkipBlanks() {
    while (Peek() == L' ' || Peek() == L'\t' || Peek() == L'\r') ++FPos;
  }

  static bool IsNameChar(wchar_t c) { return std::iswalnum(c) || c == L'_' || c == L'.'; }

  std::wstring ParseName() {
    const std::size_t start = FPos;
    while (!AtEnd() && IsNameChar(FText[FPos])) ++FPos;
    if (start == FPos) Fail(FLine, L"a name was expected");
    return FText.substr(start, FPos - start);
  }

  void Expect(wchar_t c) {
    SkipBlanks();
    if (Peek() != c) Fail(FLine, std::wstring(L"'") + c + L"' was expected");
    ++FPos;
  }

  // Controls nest a few levels deep; far deeper text is refused before it exhausts the stack.
  static constexpr int kMaxDepth = 64;

  TLayoutNode ParseNode(int depth) {
    if (depth > kMaxDepth) Fail(FLine, L"controls nested more than " + std::to_wstring(kMaxDepth) + L" levels deep");
    TLayoutNode node;
    node.Line = FLine;
    node.Name = ParseName();
    Expect(L':');
    SkipBlanks();
    node.ClassName = ParseName();
    Expect(L'{');
    for (;;) {
      SkipSpace();
      if (AtEnd()) Fail(node.Line, L"'" + node.Name + L"' is not closed");
      if (Peek() == L'}') {
        ++FPos;
        return node;
      }
      const std::size_t save = FPos;
      const int saveLine = FLine;
      std::wstring name = ParseName();
      SkipBlanks();
      if (Peek() == L':') {
        FPos = save;
        FLine = saveLine;
        node.Children.push_back(ParseNode(depth + 1));
        continue;
      }
      Expect(L'=');
      node.Properties.push_back({std::move(name), ParseValueList()});
    }
  }

  TLayoutValue ParseValueList() {
    TLayoutValue first = ParseValue();
    SkipBlanks();
    if (Peek() != L',') return first;
    TLayoutValue list;
    list.Kind = TLayoutValue::TKind::List;
    list.Line = first.Line;
    list.Items.push_back(std::move(first));
    while (Peek() == L',') {
      ++FPos;
      list.Items.push_back(ParseValue());
      SkipBlanks();
    }
    return list;
  }

  TLayoutValue ParseValue() {
    SkipBlanks();
    TLayoutValue value;
    value.Line = FLine;
    const wchar_t c = Peek();
    if (c == L'"') {
      value.Kind = TLayoutValue::TKind::String;
      value.Text = ParseString();
    } else if (c == L'-' || std::iswdigit(c)) {
      value.Kind = TLayoutValue::TKind::Number;
      value.Number = ParseNumber();
    } else if (IsNameChar(c)) {
      value.Kind = TLayoutValue::TKind::Identifier;
      value.Text = ParseName();
    } else {
      Fail(FLine, L"a value was expected");
    }
    return value;
  }

  std::wstring ParseString() {
    ++FPos;  // opening quote
    std::wstring text;
    for (;;) {
      if (AtEnd() || Peek() == L'\n') Fail(FLine, L"the string is not closed");
      const wchar_t c = FText[FPos++];
      if (c != L'"') {
        text += c;
      } else if (Peek() == L'"') {
        text += L'"';
        ++FPos;
      } else {
        return text;
      }
    }
  }

  std::int64_t ParseNumber() {
    const bool negative = Peek() == L'-';
    if (negative) ++FPos;
    int base = 10;
    if (Peek() == L'0' && FPos + 1 < FText.size() && (FText[FPos + 1] == L'x' || FText[FPos + 1] == L'X')) {
      base = 16;
      FPos += 2;
    }
    std::int64_t value = 0;
    std::size_t digits = 0;
    for (; !AtEnd(); ++FPos, ++digits) {
      const wchar_t c = FText[FPos];
      int digit;
      if (c >= L'0' && c <= L'9')
        digit = c - L'0';
      else if (base == 16 && c >= L'a' && c <= L'f')
        digit = c - L'a' + 10;
      else if (base == 16 && c >= L'A' && c <= L'F')
        digit = c - L'A' + 10;
      else
        break;
      if (value > (INT64_MAX - digit) / base) Fail(FLine, L"the number is too large");
      value = value * base + digit;
    }
    if (digits == 0) Fail(FLine, L"a number was expected");
    return negative ? -value : value;
  }
};

std::wstring KindError(const TLayoutValue& v, const wchar_t* expected) {
  return L"Layout error at line " + std::to_wstring(v.Line) + L": " + expected + L" was expected";
}

}  // namespace

const std::wstring& TLayoutValue::AsString() const {
  if (Kind != TKind::String) throw Exception(KindError(*this, L"a string"));
  return Text;
}

const std::wstring& TLayoutValue::AsIdentifier() const {
  if (Kind != TKind::Identifier) throw Exception(KindError(*this, L"a name"));
  return Text;
}

int TLayoutValue::AsInt() const {
  if (Kind != TKind::Number || Number < INT32_MIN || Number > UINT32_MAX)
    throw Exception(KindError(*this, L"a number"));
  return static_cast<int>(static_cast<std::int32_t>(Number));
}

bool TLayoutValue::AsBool() const {
  if (Kind == TKind::Identifier && (Text == L"true" || Text == L"false")) return Text == L"true";
  throw Exception(KindError(*this, L"true or false"));
}

std::vector<int> TLayoutValue::AsInts(std::size_t count) const {
  if (Kind != TKind::List || Items.size() != count) throw Exception(KindError(*this, L"a list of numbers"));
  std::vector<int> result;
  for (const auto& item : Items) result.push_back(item.AsInt());
  return result;
}

TLayoutNode ParseLayout(const std::wstring& text) { return TLayoutParser(text).ParseDocument(); }
