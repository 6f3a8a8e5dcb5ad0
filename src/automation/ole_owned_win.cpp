#include "automation/ole_owned.h"

#include <new>

TBstr MakeBstr(std::wstring_view text) {
  TBstr result(::SysAllocStringLen(text.data(), static_cast<UINT>(text.size())));
  if (!result) throw std::bad_alloc();
  return result;
}
