#pragma once
// Colours and fonts as stored layouts name them, resolved against the monitor's DPI and the
// active style.
#include <windows.h>

#include <map>
#include <string>

#include "base/win_handles.h"

// A colour: an RGB value, a system colour (high byte 0xFF, low byte the COLOR_ index), or
// clNone (no colour at all).
using TColor = std::uint32_t;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor SystemColor(int index) { return 0xFF000000u | static_cast<TColor>(index); }
constexpr TColor clBlack = 0x000000, clWhite = 0xFFFFFF, clRed = 0x0000FF, clAqua = 0xFFFF00;
constexpr TColor clBtnFace = SystemColor(COLOR_BTNFACE), clWindowText = SystemColor(COLOR_WINDOWTEXT),
                 clWindow = SystemColor(COLOR_WINDOW), clGrayText = SystemColor(COLOR_GRAYTEXT),
                 clHighlight = SystemColor(COLOR_HIGHLIGHT), clHighlightText = SystemColor(COLOR_HIGHLIGHTTEXT);

// The colour as an RGB value; system colours go through the active style first.
COLORREF ColorToRGB(TColor color);
// Parses "clRed", "clBtnFace", ... or a number; raises Exception for unknown names.
TColor ColorFromName(const std::wstring& name);

struct TFont {
  TFont() = default;
  // Copies the attributes; each copy makes its own GDI fonts.
  TFont(const TFont& other) : Name(other.Name), Height(other.Height), Bold(other.Bold), Color(other.Color) {}
  TFont& operator=(const TFont& other) {
    Name = other.Name;
    Height = other.Height;
    Bold = other.Bold;
    Color = other.Color;
    FHandles.clear();
    return *this;
  }

  std::wstring Name = L"Segoe UI";
  int Height = 12;  // pixels at 96 DPI
  bool Bold = false;
  TColor Color = clWindowText;

  // The GDI font for a DPI; created once per DPI and kept with the font.
  HFONT Handle(UINT dpi) const;
  // Applies a "Font.X" property; false for unknown names.
  bool SetProperty(const std::wstring& name, const struct TLayoutValue& value);

 private:
  mutable std::map<UINT, TFontHandle> FHandles;
};

// A solid brush for a colour, cached for the life of the program.
HBRUSH SolidBrushFor(TColor color);

// Scales a 96-DPI length to a DPI, rounding half away from zero.
inline int ScaleForDpi(int value, UINT dpi) { return MulDiv(value, static_cast<int>(dpi), 96); }
