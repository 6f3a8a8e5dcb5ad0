#include "about/starfield.h"

#include <optional>

#include "about/random_source.h"
#include "ui/graphics.h"

TStarfield::TStarfield(TComponent* owner)
    : TGraphicControl(owner),
      FThread(std::make_unique<TImageDrawThread>()),
      FWorkerLink(*FThread),
      FEngine(ProcessRandom(), FWorkerLink) {
  SetColor(clBlack);
  FThread->SetDelay(FEngine.Delay());
  FThread->SetOnDraw([this](TImageDrawThread& sender) { ThreadDraw(sender); });
  FEngine.OnActiveChanged = [this] {
    if (OnActiveChanged) OnActiveChanged(this);
  };
  SetWidth(100);
  SetHeight(100);
  FEngine.SetMaxSpeed(10);
  FEngine.SetStars(100);
}

TStarfield::~TStarfield() {
  FThread->SetOnDraw(nullptr);
  FThread->Terminate();
  FThread.reset();  // waits for the worker, serving its last calls
}

SIZE TStarfield::DeviceSize() const {
  const RECT r = DeviceRect();
  return SIZE{r.right - r.left, r.bottom - r.top};
}

void TStarfield::Resize() {
  TGraphicControl::Resize();
  const SIZE size = DeviceSize();
  FBmp.SetSize(size.cx, size.cy);
  FEngine.Resize(size.cx, size.cy);
}

void TStarfield::Paint(HDC dc) {
  if (Destroying()) return;
  const SIZE size = DeviceSize();
  // Size changes made while the layout was read (or a new DPI) are caught up here.
  if (FBmp.Width() != size.cx || FBmp.Height() != size.cy || FEngine.Width() != size.cx ||
      FEngine.Height() != size.cy) {
    Resize();
    return;
  }
  const TColor color = Color();
  FEngine.RenderFrame(FBmp.Pixels(), color == clNone ? std::nullopt : std::optional<std::uint32_t>(ColorToRGB(color)));
  FBmp.CopyTo(dc);
}

void TStarfield::ThreadDraw(TImageDrawThread&) {
  if (!Visible()) return;
  TControlCanvas canvas(*this);
  if (canvas.DC()) Paint(canvas.DC());
}

void TStarfield::Clear() {
  if (Active() || Color() == clNone) return;
  TControlCanvas canvas(*this);
  if (!canvas.DC()) return;
  const SIZE size = DeviceSize();
  const RECT r{0, 0, size.cx, size.cy};
  ::FillRect(canvas.DC(), &r, SolidBrushFor(Color()));
}

bool TStarfield::SetProperty(const std::wstring& name, const TLayoutValue& value, const TLayoutReader& reader) {
  if (name == L"Active")
    SetActive(value.AsBool());
  else if (name == L"Delay")
    SetDelay(static_cast<std::uint32_t>(value.AsInt()));
  else if (name == L"Stars")
    SetStars(static_cast<std::uint16_t>(value.AsInt()));
  else if (name == L"MaxSpeed")
    SetMaxSpeed(static_cast<std::uint8_t>(value.AsInt()));
  else if (name == L"OnActiveChanged")
    OnActiveChanged = reader.Handler(value);
  else
    return TGraphicControl::SetProperty(name, value, reader);
  return true;
}
