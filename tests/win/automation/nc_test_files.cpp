#include "nc_test_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "base/win_handles.h"

TScratchFolder::TScratchFolder() {
  wchar_t temp[MAX_PATH];
  ::GetTempPathW(MAX_PATH, temp);
  for (unsigned n = ::GetTickCount();; ++n) {
    FPath = std::wstring(temp) + L"velbrook-nc-" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(n);
    if (::CreateDirectoryW(FPath.c_str(), nullptr)) return;
    if (::GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot create a scratch folder");
  }
}

TScratchFolder::~TScratchFolder() {
  WIN32_FIND_DATAW entry;
  if (const TFindHandle find(::FindFirstFileW(Path(L"*").c_str(), &entry)); find) {
    do {
      if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ::DeleteFileW(Path(entry.cFileName).c_str());
    } while (::FindNextFileW(find.Get(), &entry));
  }
  ::RemoveDirectoryW(FPath.c_str());
}

std::wstring TScratchFolder::Write(std::wstring_view name, std::string_view bytes) const {
  const std::wstring path = Path(name);
  std::ofstream out(std::filesystem::path(path), std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  EXPECT_TRUE(out.good()) << "writing a test file failed";
  return path;
}

std::string TScratchFolder::Read(std::wstring_view name) const {
  std::ifstream in(std::filesystem::path(Path(name)), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
