#include "ui/graphics.h"

#include <array>

#include "base/errors.h"
#include "ui/layout.h"
#include "ui/style.h"

COLORREF ColorToRGB(TColor color) {
  if ((color & 0xFF000000u) == 0xFF000000u) {
    const int index = static_cast<int>(color & 0xFF);
    if (auto styled = ActiveStyle().SystemColor(index)) return *styled;
    return GetSysColor(index);
  }
  return color & 0x00FFFFFFu;
}

TColor ColorFromName(const std::wstring& name) {
  static const std::array<std::pair<const wchar_t*, TColor>, 16> names{{
      {L"clBlack", clBlack},
      {L"clWhite", clWhite},
      {L"clRed", clRed},
      {L"clAqua", clAqua},
      {L"clNavy", 0x800000},
      {L"clBlue", 0xFF0000},
      {L"clGreen", 0x008000},
      {L"clYellow", 0x00FFFF},
      {L"clGray", 0x808080},
      {L"clBtnFace", clBtnFace},
      {L"clWindowText", clWindowText},
      {L"clWindow", clWindow},
      {L"clGrayText", clGrayText},
      {L"clHighlight", clHighlight},
      {L"clHighlightText", clHighlightText},
      {L"clNone", clNone},
  }};
  for (const auto& [known, color] : names)
    if (name == known) return color;
  throw Exception(L"Unknown colour " + name);
}

namespace {

bool IsBitmapFont(HFONT font) {
  const TWindowDC screen(nullptr);
  const TSelectObject select(screen.Get(), font);
  TEXTMETRICW tm{};
  GetTextMetricsW(screen.Get(), &tm);
  return (tm.tmPitchAndFamily & (TMPF_VECTOR | TMPF_TRUETYPE)) == 0;
}

// The outline face drawn like a bitmap face; MS Sans Serif has one of the same metrics.
std::wstring OutlineTwin(const std::wstring& face) { return face == L"MS Sans Serif" ? L"Microsoft Sans Serif" : face; }

}  // namespace

HFONT TFont::Handle(UINT dpi) const {
  auto& handle = FHandles[dpi];
  if (!handle) {
    LOGFONTW lf{};
    lf.lfHeight = -ScaleForDpi(Height, dpi);
    lf.lfWeight = Bold ? FW_BOLD : FW_NORMAL;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = CLEARTYPE_QUALITY;
    lstrcpynW(lf.lfFaceName, Name.c_str(), LF_FACESIZE);
    handle.Reset(CreateFontIndirectW(&lf));
    // A bitmap font has its sizes drawn for 96 DPI and would not grow with the monitor: at
    // any other DPI its outline twin, or the nearest outline font, stands in.
    if (dpi != 96 && handle && IsBitmapFont(handle.Get())) {
      lstrcpynW(lf.lfFaceName, OutlineTwin(Name).c_str(), LF_FACESIZE);
      lf.lfOutPrecision = OUT_TT_ONLY_PRECIS;
      handle.Reset(CreateFontIndirectW(&lf));
    }
  }
  return handle.Get();
}

bool TFont::SetProperty(const std::wstring& name, const TLayoutValue& value) {
  if (name == L"Name")
    Name = value.AsString();
  else if (name == L"Height")
    Height = value.AsInt();
  else if (name == L"Style")
    Bold = value.AsIdentifier() == L"bold";
  else if (name == L"Color")
    Color = ColorFromName(value.AsIdentifier());
  else
    return false;
  FHandles.clear();
  return true;
}

HBRUSH SolidBrushFor(TColor color) {
  static std::map<COLORREF, TBrushHandle> brushes;
  const COLORREF rgb = ColorToRGB(color);
  auto& brush = brushes[rgb];
  if (!brush) brush.Reset(CreateSolidBrush(rgb));
  return brush.Get();
}
