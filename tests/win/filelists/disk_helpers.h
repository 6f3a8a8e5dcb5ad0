#pragma once
// Making folders and files on the mapped test drive T: (which the ctest fixture points at
// a fresh folder, with U: pointing nowhere).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "base/win_handles.h"

namespace disk {

// "\\?\" lets the helpers reach beyond MAX_PATH.
inline std::wstring LongForm(const std::wstring& path) { return L"\\\\?\\" + path; }

inline void MakeFolder(const std::wstring& path, DWORD attributes = 0) {
  ASSERT_TRUE(::CreateDirectoryW(LongForm(path).c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS)
      << "error " << ::GetLastError();
  if (attributes) {
    ASSERT_TRUE(::SetFileAttributesW(LongForm(path).c_str(), attributes | FILE_ATTRIBUTE_DIRECTORY));
  }
}

inline void MakeFile(const std::wstring& path, DWORD attributes = FILE_ATTRIBUTE_NORMAL) {
  HANDLE h = ::CreateFileW(LongForm(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, attributes, nullptr);
  ASSERT_NE(h, INVALID_HANDLE_VALUE) << "error " << ::GetLastError();
  const TFileHandle file(h);
}

// A fresh folder on T: for one test.
inline std::wstring FreshFolder(const std::wstring& name) {
  const std::wstring path = L"T:\\" + name;
  MakeFolder(path);
  return path;
}

}  // namespace disk
