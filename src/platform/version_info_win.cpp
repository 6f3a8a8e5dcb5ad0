#include "platform/version_info.h"

#include <windows.h>

#include <cwchar>
#include <vector>

namespace {

class TWinVersionInfo final : public IVersionInfo {
 public:
  bool Load(const std::wstring& fileName) override {
    FBlock.clear();
    DWORD unused = 0;
    const DWORD size = ::GetFileVersionInfoSizeW(fileName.c_str(), &unused);
    if (size == 0) return false;
    std::vector<unsigned char> block(size, 0);
    if (!::GetFileVersionInfoW(fileName.c_str(), 0, size, block.data())) return false;
    FBlock = std::move(block);
    return true;
  }

  std::wstring QueryString(const std::wstring& entry) const override {
    if (FBlock.empty()) return {};
    void* text = nullptr;
    UINT length = 0;
    // VerQueryValueW takes a non-const block but does not change it.
    auto* block = const_cast<unsigned char*>(FBlock.data());
    if (!::VerQueryValueW(block, entry.c_str(), &text, &length) || text == nullptr) return {};
    const auto* chars = static_cast<const wchar_t*>(text);
    return std::wstring(chars, std::wcslen(chars) < length ? std::wcslen(chars) : length);
  }

 private:
  std::vector<unsigned char> FBlock;
};

}  // namespace

std::unique_ptr<IVersionInfo> CreateVersionInfo() { return std::make_unique<TWinVersionInfo>(); }
