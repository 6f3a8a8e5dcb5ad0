#pragma once
// The program's visual style: colours that replace the system's and the look of buttons,
// frames and progress bars. Without a style the platform's default look is used.
#include <windows.h>

#include <optional>
#include <string>

#include "ui/style_data.h"

class TStyle {
 public:
  TStyle() = default;
  explicit TStyle(TStyleColors colors) : FColors(std::move(colors)) {}

  // True when a named style is in force (otherwise controls draw the platform's look).
  bool Styled() const { return !FColors.empty(); }
  // The style's replacement for a system colour (COLOR_ index), if it has one.
  std::optional<COLORREF> SystemColor(int index) const;
  // A named colour of the style, or fallback when the style has none of that name.
  COLORREF Color(const wchar_t* key, COLORREF fallback) const;

 private:
  TStyleColors FColors;
};

// The style in force: the applied one, or none while the system's high-contrast mode is on,
// so that text, focus and selection take the user's own colours.
const TStyle& ActiveStyle();

// Reads whether high contrast is on (the system's setting unless a test puts its own
// reader); the answer is kept until RefreshHighContrast.
using THighContrastReader = bool (*)();
void SetHighContrastReader(THighContrastReader reader);
// Reads the setting again, when the system says it changed (WM_SETTINGCHANGE).
void RefreshHighContrast();

// Makes the style stored under the name in the program's resources the active one; raises
// Exception("Style 'name' not found") and leaves the default look when there is none.
void ApplyStyle(const std::wstring& name);

// Paints a push button face (glossy when styled, the platform's look otherwise).
struct TButtonFace {
  bool Pressed = false;
  bool Focused = false;
  bool Default = false;
  bool Disabled = false;
  bool Hot = false;
};
void PaintButtonFace(HDC dc, const RECT& rect, const TButtonFace& face);
// Paints the frame and caption of a group box, the caption in the given font.
void PaintGroupFrame(HDC dc, const RECT& rect, const std::wstring& caption, HFONT font, COLORREF background);
