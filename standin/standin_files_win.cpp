#include "standin_files_win.h"

#include <algorithm>

#include "base/win_handles.h"

namespace {

[[noreturn]] void RaiseLastError() { throw TFileError{::GetLastError()}; }

TFileHandle OpenHandle(const std::wstring& path, DWORD access, DWORD disposition) {
  const HANDLE file =
      ::CreateFileW(path.c_str(), access, FILE_SHARE_READ, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) RaiseLastError();
  return TFileHandle(file);
}

void WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
    if (!::WriteFile(file, bytes.data(), chunk, &written, nullptr)) RaiseLastError();
    bytes.remove_prefix(written);
  }
}

}  // namespace

std::wstring FromUtf8(std::string_view text) {
  if (text.empty()) return {};
  const int size = ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring result(static_cast<std::size_t>(size), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), result.data(), size);
  return result;
}

std::string ReadWholeFile(const std::wstring& path) {
  const TFileHandle file = OpenHandle(path, GENERIC_READ, OPEN_EXISTING);
  LARGE_INTEGER size{};
  if (!::GetFileSizeEx(file.Get(), &size)) RaiseLastError();
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  std::size_t done = 0;
  while (done < bytes.size()) {
    DWORD read = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 30));
    if (!::ReadFile(file.Get(), bytes.data() + done, chunk, &read, nullptr)) RaiseLastError();
    if (read == 0) break;
    done += read;
  }
  bytes.resize(done);
  return bytes;
}

void WriteFileAtomically(const std::wstring& path, std::string_view bytes) {
  const std::wstring temporary = path + L".~" + std::to_wstring(::GetCurrentProcessId()) + L".tmp";
  try {
    const TFileHandle file = OpenHandle(temporary, GENERIC_WRITE, CREATE_ALWAYS);
    WriteAll(file.Get(), bytes);
    if (!::FlushFileBuffers(file.Get())) RaiseLastError();
  } catch (const TFileError&) {
    ::DeleteFileW(temporary.c_str());
    throw;
  }
  if (!::MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    const DWORD code = ::GetLastError();
    ::DeleteFileW(temporary.c_str());
    throw TFileError{code};
  }
}

void AppendToFile(const std::wstring& path, std::string_view bytes) {
  const TFileHandle file = OpenHandle(path, FILE_APPEND_DATA, OPEN_ALWAYS);
  WriteAll(file.Get(), bytes);
}
