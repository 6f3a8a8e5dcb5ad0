#pragma once
// Stored window layouts: a small text format read when a window is created.
//
//   MainForm: TMainForm {
//     Caption = "Velbrook"          strings in double quotes ("" inside stands for ")
//     ClientWidth = 493             integers, also negative or 0x hex
//     Font.Style = bold             identifiers: enum names, colours, handler and control names
//     Bounds = 48, 8, 410, 28       lists: values separated by commas
//     OnClick = ProcessButtonClick
//     Label1: TLabel { ... }        owned controls, created in the order written
//   }
//
// A property is stored only where it differs from its default; a property of an owned
// object is written with the owner's property name, a point and its own name.
// Lines starting with "//" are comments.
#include <cstdint>
#include <string>
#include <vector>

struct TLayoutValue {
  enum class TKind { String, Number, Identifier, List };
  TKind Kind = TKind::String;
  std::wstring Text;                // String and Identifier
  std::int64_t Number = 0;          // Number
  std::vector<TLayoutValue> Items;  // List
  int Line = 0;

  // Checked accessors: a value of the wrong kind raises an Exception naming the line.
  const std::wstring& AsString() const;
  const std::wstring& AsIdentifier() const;
  int AsInt() const;
  bool AsBool() const;
  std::vector<int> AsInts(std::size_t count) const;
};

struct TLayoutProperty {
  std::wstring Name;  // may be a path such as "BehaviorOptions.Pixels"
  TLayoutValue Value;
};

struct TLayoutNode {
  std::wstring Name;
  std::wstring ClassName;
  std::vector<TLayoutProperty> Properties;  // in stored order
  std::vector<TLayoutNode> Children;
  int Line = 0;
};

// Parses layout text; raises Exception("Layout error at line N: ...") on malformed input.
TLayoutNode ParseLayout(const std::wstring& text);
