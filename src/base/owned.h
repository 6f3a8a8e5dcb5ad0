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
    if constexpr (std::is_pointer_v<Handle>) return reinterpret_cast<Handle>(InvalidValue);
    else return static_cast<Handle>(InvalidValue);
  }

  TOwned() noexcept = default;
  explicit TOwned(Handle h) noexcept : FHandle(h) {}
  TOwned(const TOwned&) = delete;
  TOwned& operator=(const TOwned&) = delete;
  TOwned(TOwned&& other) noexcept : FHandle(other.release()) {}
  TOwned& operator=(TOwned&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
  }
  ~TOwned() { reset(); }

  Handle get() const noexcept { return FHandle; }
  explicit operator bool() const noexcept { return FHandle != Invalid(); }
  Handle release() noexcept { return std::exchange(FHandle, Invalid()); }
  void reset(Handle h = Invalid()) noexcept {
    Handle old = std::exchange(FHandle, h);
    if (old != Invalid()) Free(old);
  }
  // For out-parameters of platform calls: frees what is held and hands out the slot.
  Handle* put() noexcept {
    reset();
    return &FHandle;
  }

 private:
  Handle FHandle = Invalid();
};
