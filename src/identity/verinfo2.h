#pragma once
// TEPInfoExe reads the string table of a program file's version block into its properties.
#include <string>

#include "platform/version_info.h"

class TEPInfoExe {
 public:
  std::wstring LangId = L"0409";
  std::wstring ExeName;
  std::wstring CompanyName;
  std::wstring FileDescription;
  std::wstring FileVersion;
  std::wstring InternalName;
  std::wstring LegalCopyright;
  std::wstring LegalTradeMarks;
  std::wstring OriginalFilename;
  std::wstring ProductName;
  std::wstring ProductVersion;
  std::wstring Comments;
  std::wstring LastCompiledTime;

  // Reads the version block of ExeName through the platform's reader.
  void Execute();
  // Reads it through source. A file without a version block leaves every property as it
  // was; a key the block does not hold reads as empty text. OriginalFilename and
  // ProductVersion are not read.
  void Execute(IVersionInfo& source);
};
