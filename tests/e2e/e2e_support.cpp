#include "e2e_support.h"

#include <windows.h>

#include "base/win_handles.h"
#include "platform/run_files.h"

namespace {

std::wstring ModuleFolder() {
  wchar_t path[MAX_PATH * 4] = {};
  GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
  std::wstring folder = path;
  return folder.substr(0, folder.find_last_of(L'\\'));
}

std::wstring ParentOf(const std::wstring& folder) { return folder.substr(0, folder.find_last_of(L'\\')); }

}  // namespace

std::wstring ProgramFolder() {
  // The tests live in build\win\tests\e2e; the program two folders up.
  return ParentOf(ParentOf(ModuleFolder()));
}

std::wstring VelbrookExe() { return ProgramFolder() + L"\\Velbrook.exe"; }

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  TFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  DWORD written = 0;
  WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

void RemoveAllRuns() {
  const std::wstring runs = RunsFolder();
  for (const TRunOnDisk& run : ListRuns(runs)) RemoveRun(runs, run.Name);
}

void WriteStandInSettings(const std::string& text) { WriteFileBytes(ProgramFolder() + L"\\NorvaltStandIn.ini", text); }

void RemoveStandInSettings() { DeleteFileW((ProgramFolder() + L"\\NorvaltStandIn.ini").c_str()); }

void RunStandIn(const std::wstring& switchName) {
  STARTUPINFOW startup{sizeof(startup)};
  PROCESS_INFORMATION info{};
  std::wstring commandLine = L"\"" + ProgramFolder() + L"\\NorvaltStandIn.exe\" " + switchName;
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info))
    return;
  TKernelHandle process(info.hProcess), thread(info.hThread);
  WaitForSingleObject(process.Get(), 20000);
}

// Ending it from outside would leave its class registered with COM under Wine, so it is
// asked to withdraw and leave.
void EndStandInServers() { RunStandIn(L"/Shutdown"); }
