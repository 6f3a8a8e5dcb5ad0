#pragma once
// Owning wrappers for the automation values that cross the Norvalt interface.
#include <windows.h>

#include <oleauto.h>

#include <string>
#include <string_view>

#include "base/owned.h"

namespace detail {
inline void FreeBstr(BSTR text) { ::SysFreeString(text); }
}  // namespace detail

using TBstr = TOwned<BSTR, detail::FreeBstr>;

// A BSTR holding a copy of text; throws std::bad_alloc when the allocator refuses.
TBstr MakeBstr(std::wstring_view text);

inline std::wstring BstrText(BSTR text) { return std::wstring(text, ::SysStringLen(text)); }

// A VARIANT cleared exactly once.
class TVariant {
 public:
  TVariant() noexcept { ::VariantInit(&FValue); }
  TVariant(const TVariant&) = delete;
  TVariant& operator=(const TVariant&) = delete;
  ~TVariant() { ::VariantClear(&FValue); }

  const VARIANT& Get() const noexcept { return FValue; }
  VARIANT& Get() noexcept { return FValue; }
  // For out-parameters: clears what is held and hands out the slot.
  VARIANT* Put() noexcept {
    ::VariantClear(&FValue);
    return &FValue;
  }

 private:
  VARIANT FValue;
};
