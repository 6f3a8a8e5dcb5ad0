#pragma once
// One owning-handle template for every native handle the program holds (windows, GDI
// objects, registry keys, kernel handles, find handles...): move-only, freed exactly once.
#include <cstdint>
#include <type_traits>
#include <utility>

template <typename Handle, auto Free, std::intptr_t InvalidValue = 0>
class TOwned {
 public:
  static Handle Invalid() noexcept {
    if constexpr (std::is_pointer_v<Handle>)
      return reinterpret_cast<Handle>(InvalidValue);
    else
      return static_cast<Handle>(InvalidValue);
  }

  TOwned() noexcept = default;
  explicit TOwned(Handle h) noexcept : FHandle(h) {}
  TOwned(const TOwned&) = delete;
  TOwned& operator=(const TOwned&) = delete;
  TOwned(TOwned&& other) noexcept : FHandle(other.Release()) {}
  TOwned& operator=(TOwned&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  ~TOwned() { Reset(); }

  Handle Get() const noexcept { return FHandle; }
  explicit operator bool() const noexcept { return FHandle != Invalid(); }
  Handle Release() noexcept { return std::exchange(FHandle, Invalid()); }
  void Reset(Handle h = Invalid()) noexcept {
    Handle old = std::exchange(FHandle, h);
    if (old != Invalid()) Free(old);
  }
  // For out-parameters of platform calls: frees what is held and hands out the slot.
  Handle* Put() noexcept {
    Reset();
    return &FHandle;
  }

 private:
  Handle FHandle = Invalid();
};
