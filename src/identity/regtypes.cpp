#include "identity/regtypes.h"

#include "identity/verinfo2.h"

namespace {
const wchar_t* const DefaultProductName = L"Velbrook";
const wchar_t* const DefaultCompanyName = L"Ombrel Software";
}  // namespace

std::wstring AppProductName = DefaultProductName;
std::wstring AppCompanyName = DefaultCompanyName;
// Not refreshed from the version block: the About box shows this line as it is.
std::wstring AppCopyright = L"\u00A9 2026 Ombrel Software";  // short enough for the About box
std::wstring AppVersion;
std::wstring AppMajorVersion;

void RefreshIdentity(IVersionInfo& source, const std::wstring& exeName) {
  TEPInfoExe info;
  info.ExeName = exeName;
  info.Execute(source);
  AppVersion = info.FileVersion;
  AppProductName = info.ProductName.empty() ? DefaultProductName : info.ProductName;
  AppCompanyName = info.CompanyName.empty() ? DefaultCompanyName : info.CompanyName;
  // Three characters, not a parsed number: "10.2.1.0" gives "10.".
  AppMajorVersion = AppVersion.substr(0, 3);
}
