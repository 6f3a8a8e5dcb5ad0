#include "ui/style.h"

#include <array>

#include "base/errors.h"
#include "base/text.h"
#include "ui/graphics.h"
#include "ui/layout.h"
#include "ui/resources.h"

namespace {

TStyle& MutableActiveStyle() {
  static TStyle style;
  return style;
}

// Which style keys stand in for which system colours.
constexpr std::array<std::pair<int, const wchar_t*>, 5> kSystemColorKeys{{
    {COLOR_BTNFACE, L"Face"},
    {COLOR_BTNTEXT, L"Text"},
    {COLOR_WINDOWTEXT, L"Text"},
    {COLOR_HIGHLIGHT, L"Selection"},
    {COLOR_HIGHLIGHTTEXT, L"SelectionText"},
}};

COLORREF Mix(COLORREF a, COLORREF b, int percentOfB) {
  auto channel = [&](int shift) {
    const int ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
    return static_cast<COLORREF>((ca * (100 - percentOfB) + cb * percentOfB) / 100) << shift;
  };
  return channel(0) | channel(8) | channel(16);
}

void FillGradient(HDC dc, const RECT& r, COLORREF top, COLORREF bottom) {
  TRIVERTEX v[2] = {
      {r.left, r.top, static_cast<COLOR16>(GetRValue(top) << 8), static_cast<COLOR16>(GetGValue(top) << 8),
       static_cast<COLOR16>(GetBValue(top) << 8), 0},
      {r.right, r.bottom, static_cast<COLOR16>(GetRValue(bottom) << 8), static_cast<COLOR16>(GetGValue(bottom) << 8),
       static_cast<COLOR16>(GetBValue(bottom) << 8), 0},
  };
  GRADIENT_RECT g{0, 1};
  GradientFill(dc, v, 2, &g, 1, GRADIENT_FILL_RECT_V);
}

void PaintGlossyButton(HDC dc, const RECT& rect, const TButtonFace& face, const TStyle& style) {
  COLORREF top = style.Color(L"ButtonTop", RGB(250, 250, 252));
  COLORREF middle = style.Color(L"ButtonMiddle", RGB(226, 230, 238));
  COLORREF bottom = style.Color(L"ButtonBottom", RGB(200, 208, 222));
  if (face.Pressed) std::swap(top, bottom);
  if (face.Hot && !face.Pressed) {
    const COLORREF hot = style.Color(L"ButtonHot", RGB(190, 220, 255));
    top = Mix(top, hot, 35);
    middle = Mix(middle, hot, 35);
    bottom = Mix(bottom, hot, 35);
  }
  RECT upper = rect, lower = rect;
  upper.bottom = lower.top = rect.top + (rect.bottom - rect.top) / 2;
  FillGradient(dc, upper, top, middle);
  FillGradient(dc, lower, Mix(middle, bottom, 60), bottom);

  const COLORREF border = face.Default || face.Focused ? style.Color(L"ButtonFocusBorder", RGB(60, 110, 190))
                                                       : style.Color(L"ButtonBorder", RGB(112, 124, 146));
  TGdiObject pen(CreatePen(PS_SOLID, 1, border));
  TSelectObject selectPen(dc, pen.Get());
  TSelectObject selectBrush(dc, GetStockObject(NULL_BRUSH));
  RoundRect(dc, rect.left, rect.top, rect.right, rect.bottom, 6, 6);
}

}  // namespace

std::optional<COLORREF> TStyle::SystemColor(int index) const {
  for (const auto& [systemIndex, key] : kSystemColorKeys) {
    if (systemIndex != index) continue;
    const auto found = FColors.find(key);
    if (found != FColors.end()) return found->second;
  }
  return std::nullopt;
}

COLORREF TStyle::Color(const wchar_t* key, COLORREF fallback) const {
  const auto found = FColors.find(key);
  return found == FColors.end() ? fallback : found->second;
}

namespace {

bool SystemHighContrast() {
  HIGHCONTRASTW setting{sizeof(setting)};
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(setting), &setting, 0) &&
         (setting.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

THighContrastReader gHighContrastReader = SystemHighContrast;
std::optional<bool> gHighContrast;  // read on first use

}  // namespace

void SetHighContrastReader(THighContrastReader reader) {
  gHighContrastReader = reader ? reader : SystemHighContrast;
  RefreshHighContrast();
}

void RefreshHighContrast() { gHighContrast = gHighContrastReader(); }

const TStyle& ActiveStyle() {
  static const TStyle kSystemLook;
  if (!gHighContrast) RefreshHighContrast();
  return *gHighContrast ? kSystemLook : MutableActiveStyle();
}

void ApplyStyle(const std::wstring& name) {
  const auto bytes = LoadResourceBytes(L"STYLE_" + name);
  if (!bytes) throw Exception(L"Style '" + name + L"' not found");
  MutableActiveStyle() = TStyle(ParseStyleColors(Utf8ToWide(*bytes)));
}

void PaintButtonFace(HDC dc, const RECT& rect, const TButtonFace& face) {
  const TStyle& style = ActiveStyle();
  if (style.Styled()) {
    PaintGlossyButton(dc, rect, face, style);
  } else {
    RECT r = rect;
    UINT state = DFCS_BUTTONPUSH | (face.Pressed ? DFCS_PUSHED : 0) | (face.Disabled ? DFCS_INACTIVE : 0);
    if (face.Default || face.Focused) {
      FrameRect(dc, &r, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
      InflateRect(&r, -1, -1);
    }
    DrawFrameControl(dc, &r, DFC_BUTTON, state);
  }
}

void PaintGroupFrame(HDC dc, const RECT& rect, const std::wstring& caption, HFONT font, COLORREF background) {
  TSelectObject selectFont(dc, font);
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  RECT frame = rect;
  frame.top += tm.tmHeight / 2;
  const TStyle& style = ActiveStyle();
  if (style.Styled()) {
    TGdiObject pen(CreatePen(PS_SOLID, 1, style.Color(L"Frame", RGB(150, 164, 190))));
    TSelectObject selectPen(dc, pen.Get());
    TSelectObject selectBrush(dc, GetStockObject(NULL_BRUSH));
    RoundRect(dc, frame.left, frame.top, frame.right, frame.bottom, 8, 8);
  } else {
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  }
  if (caption.empty()) return;
  SIZE extent{};
  GetTextExtentPoint32W(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
  RECT text{rect.left + 8, rect.top, rect.left + 8 + extent.cx + 4, rect.top + tm.tmHeight};
  FillRect(dc, &text, SolidBrushFor(background));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(clWindowText));
  text.left += 2;
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text, DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
}
