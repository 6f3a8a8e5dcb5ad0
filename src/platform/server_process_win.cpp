#include "platform/server_process.h"

#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>

#include "base/file_names.h"
#include "base/text.h"
#include "base/win_handles.h"
#include "platform/registry.h"

namespace {

bool SameText(const std::wstring& a, const std::wstring& b) {
  return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
         CSTR_EQUAL;
}

// The program file of a command line: what its quotes enclose, else up to ".exe" or the
// first blank, as the system reads an unquoted command line.
std::wstring ProgramOfCommandLine(const std::wstring& commandLine) {
  const std::size_t start = commandLine.find_first_not_of(L" \t");
  if (start == std::wstring::npos) return {};
  if (commandLine[start] == L'"') {
    const std::size_t end = commandLine.find(L'"', start + 1);
    return commandLine.substr(start + 1, end == std::wstring::npos ? std::wstring::npos : end - start - 1);
  }
  std::wstring lower = commandLine;
  std::transform(lower.begin(), lower.end(), lower.begin(), AsciiLower);
  for (std::size_t exe = lower.find(L".exe", start); exe != std::wstring::npos; exe = lower.find(L".exe", exe + 1)) {
    const std::size_t end = exe + 4;
    if (end == lower.size() || lower[end] == L' ' || lower[end] == L'\t') return commandLine.substr(start, end - start);
  }
  return commandLine.substr(start, commandLine.find_first_of(L" \t", start) - start);
}

// The full path of a process's program file; empty when the process does not let it be read.
std::wstring ImageOf(HANDLE process) {
  wchar_t path[MAX_PATH * 2];
  DWORD length = MAX_PATH * 2;
  return ::QueryFullProcessImageNameW(process, 0, path, &length) ? std::wstring(path, length) : std::wstring();
}

// Whether process id runs image. Full paths where the process's path can be read; file names
// (which the snapshot gives) otherwise.
bool RunsImage(const PROCESSENTRY32W& entry, const std::wstring& image) {
  const TKernelHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID));
  const std::wstring path = process ? ImageOf(process.Get()) : std::wstring();
  return path.empty() ? SameText(entry.szExeFile, FileNameOf(image)) : SameText(path, image);
}

bool Listed(const std::vector<TProcessId>& ids, TProcessId id) {
  return std::find(ids.begin(), ids.end(), id) != ids.end();
}

}  // namespace

namespace detail {
void CloseProcessHandle(void* process) { ::CloseHandle(process); }
}  // namespace detail

std::wstring LocalServerImage(const std::wstring& classId) {
  return ProgramOfCommandLine(
      ReadRegistryString(TRegistryRoot::ClassesRoot, L"CLSID\\" + classId + L"\\LocalServer32", L""));
}

std::vector<TProcessId> ProcessesOfImage(const std::wstring& image) {
  std::vector<TProcessId> ids;
  const TKernelHandle snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot || snapshot.Get() == INVALID_HANDLE_VALUE) return ids;
  PROCESSENTRY32W entry{sizeof entry};
  for (BOOL more = ::Process32FirstW(snapshot.Get(), &entry); more; more = ::Process32NextW(snapshot.Get(), &entry))
    if (RunsImage(entry, image)) ids.push_back(entry.th32ProcessID);
  return ids;
}

TServerProcess TServerProcess::Identify(const std::wstring& image, const std::vector<TProcessId>& before,
                                        const std::vector<TProcessId>& after) {
  std::vector<TProcessId> started, running;
  for (const TProcessId id : after) (Listed(before, id) ? running : started).push_back(id);
  TServerProcess server;
  if (started.size() == 1) {
    server.FId = started.front();
    server.FOurs = true;
  } else if (started.empty() && running.size() == 1) {
    server.FId = running.front();
  } else {
    return server;
  }
  // The right to end it is asked for only when it is ours.
  const DWORD access = SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | (server.FOurs ? PROCESS_TERMINATE : 0);
  server.FHandle.Reset(::OpenProcess(access, FALSE, server.FId));
  if (!server.FHandle) return TServerProcess();
  // Its id already taken by another program since the list: not the server.
  const std::wstring path = ImageOf(server.FHandle.Get());
  if (!path.empty() && !SameText(path, image)) return TServerProcess();
  return server;
}

bool TServerProcess::Alive() const { return FHandle && ::WaitForSingleObject(FHandle.Get(), 0) == WAIT_TIMEOUT; }

bool TServerProcess::End(unsigned waitMilliseconds) {
  if (!FOurs || !FHandle) return false;
  if (Alive()) ::TerminateProcess(FHandle.Get(), ERROR_TIMEOUT);
  return ::WaitForSingleObject(FHandle.Get(), waitMilliseconds) == WAIT_OBJECT_0;
}
