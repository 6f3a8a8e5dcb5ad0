#pragma once
// The starfield backdrop: a windowless, opaque control that fills its rectangle with grey
// stars drifting right to left. Its worker paces the frames; every frame is computed and
// drawn on the UI thread, composed off screen and copied to the parent's surface at once.
#include <cstdint>
#include <memory>

#include "about/dib_surface.h"
#include "about/image_draw_thread.h"
#include "about/starfield_engine.h"
#include "ui/controls.h"

class TStarfield : public TGraphicControl {
 public:
  explicit TStarfield(TComponent* owner);
  ~TStarfield() override;

  bool Active() const { return FEngine.Active(); }
  // On: runs (first time: starts) the worker; off: pauses it between frames.
  void SetActive(bool active) { FEngine.SetActive(active); }
  std::uint32_t Delay() const { return FEngine.Delay(); }
  void SetDelay(std::uint32_t delay) { FEngine.SetDelay(delay); }
  std::uint16_t Stars() const { return FEngine.Stars(); }
  void SetStars(std::uint16_t stars) { FEngine.SetStars(stars); }
  std::uint8_t MaxSpeed() const { return FEngine.MaxSpeed(); }
  void SetMaxSpeed(std::uint8_t maxSpeed) { FEngine.SetMaxSpeed(maxSpeed); }
  // Told before Active changes, so that it still reads the old value.
  TNotifyEvent OnActiveChanged;

  // While not Active: fills the rectangle on screen with the background colour.
  void Clear();

  // One frame: draws the stars where they stand and moves them one step.
  void Paint(HDC dc) override;
  bool Opaque() const override { return true; }
  void Resize() override;
  bool SetProperty(const std::wstring& name, const TLayoutValue& value, const TLayoutReader& reader) override;

 private:
  // Hands the engine's pause and delay to the worker.
  class TWorkerLink : public IStarfieldWorker {
   public:
    explicit TWorkerLink(TImageDrawThread& thread) : FThread(thread) {}
    void SetPaused(bool paused) override { FThread.SetPaused(paused); }
    void SetDelay(std::uint32_t delay) override { FThread.SetDelay(delay); }

   private:
    TImageDrawThread& FThread;
  };

  // The worker's frame request, on the UI thread: paint now, straight to the surface.
  void ThreadDraw(TImageDrawThread& sender);
  SIZE DeviceSize() const;

  std::unique_ptr<TImageDrawThread> FThread;
  TWorkerLink FWorkerLink;
  TStarfieldEngine FEngine;
  TDibSurface FBmp;
};
