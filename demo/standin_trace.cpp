#include "standin_trace.h"

#include <windows.h>

#include <algorithm>

#include "base/win_handles.h"

namespace {

std::string ReadBytes(const std::wstring& path) {
  const TFileHandle file(
      CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr));
  std::string bytes;
  if (!file) return bytes;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file.Get(), chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
  return bytes;
}

}  // namespace

std::vector<std::wstring> ReadTrace(const std::wstring& path) {
  const std::string bytes = ReadBytes(path);
  const int size = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  std::wstring text(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), size);
  std::vector<std::wstring> lines;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = std::min(text.find(L'\n', start), text.size());
    std::wstring line = text.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == L'\r') line.pop_back();
    if (!line.empty()) lines.push_back(std::move(line));
  }
  return lines;
}

int CountCalls(const std::vector<std::wstring>& trace, const std::wstring& call) {
  return static_cast<int>(std::count_if(trace.begin(), trace.end(), [&](const std::wstring& line) {
    return line == call || line.rfind(call + L"\t", 0) == 0;
  }));
}
