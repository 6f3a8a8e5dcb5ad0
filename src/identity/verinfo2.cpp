#include "identity/verinfo2.h"

#include <utility>

void TEPInfoExe::Execute(IVersionInfo& source) {
  if (!source.Load(ExeName)) return;
  // The string table is always looked up under code page 1252; only the language follows LangId.
  const std::wstring table = L"StringFileInfo\\" + LangId + L"04E4\\";
  const std::pair<const wchar_t*, std::wstring*> keys[] = {
      {L"CompanyName", &CompanyName},           {L"FileDescription", &FileDescription},
      {L"FileVersion", &FileVersion},           {L"InternalName", &InternalName},
      {L"LegalCopyright", &LegalCopyright},     {L"LegalTradeMarks", &LegalTradeMarks},
      {L"ProductName", &ProductName},           {L"Comments", &Comments},
      {L"LastCompiledTime", &LastCompiledTime},
  };
  for (const auto& [key, property] : keys) *property = source.QueryString(table + key);
}
