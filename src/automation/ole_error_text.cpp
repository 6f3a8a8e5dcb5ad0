#include "automation/ole_error_text.h"

#include <cwchar>

std::wstring TrimMessageEnd(std::wstring_view text) {
  const auto last = text.find_last_not_of(L"\r\n \t");
  return std::wstring(last == std::wstring_view::npos ? std::wstring_view() : text.substr(0, last + 1));
}

std::wstring OleErrorText(std::int32_t status, std::wstring_view description, std::wstring_view systemText) {
  if (!description.empty()) return std::wstring(description);
  std::wstring platform = TrimMessageEnd(systemText);
  if (!platform.empty()) return platform;
  wchar_t buffer[32];
  std::swprintf(buffer, sizeof buffer / sizeof buffer[0], L"OLE error %.8x",
                static_cast<unsigned>(static_cast<std::uint32_t>(status)));
  return buffer;
}

bool IsServerGoneStatus(std::int32_t status) {
  constexpr std::uint32_t kGone[] = {
      0x80010007u,  // RPC_E_SERVERDIED
      0x80010012u,  // RPC_E_SERVERDIED_DNE
      0x80010108u,  // RPC_E_DISCONNECTED
      0x800401FDu,  // CO_E_OBJNOTCONNECTED
      0x800706BAu,  // RPC_S_SERVER_UNAVAILABLE as a status
      0x800706BEu,  // RPC_S_CALL_FAILED
      0x800706BFu,  // RPC_S_CALL_FAILED_DNE
  };
  for (const std::uint32_t gone : kGone)
    if (static_cast<std::uint32_t>(status) == gone) return true;
  return false;
}
