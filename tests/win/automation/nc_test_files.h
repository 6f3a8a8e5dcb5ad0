#pragma once
// A scratch folder for NC files and scripts, removed with everything in it at the end.
#include <windows.h>

#include <string>
#include <string_view>

class TScratchFolder {
 public:
  TScratchFolder();
  TScratchFolder(const TScratchFolder&) = delete;
  TScratchFolder& operator=(const TScratchFolder&) = delete;
  ~TScratchFolder();

  // The full path of `name` inside the folder.
  std::wstring Path(std::wstring_view name) const { return FPath + L"\\" + std::wstring(name); }
  // Writes bytes as they are (no line-ending translation) and returns the full path.
  std::wstring Write(std::wstring_view name, std::string_view bytes) const;
  std::string Read(std::wstring_view name) const;

 private:
  std::wstring FPath;
};
