// Listing large folders through the file list and the folder list, side by side with a
// bare FindFirstFileW/FindNextFileW loop over the same folder: the logic alone, then the
// real controls with their native windows. Prints figures and ratios.
// Usage: filelists_bench [work folder]   (default: a folder under %TEMP%, removed afterwards)
// Folders already filled (see listing_bench.sh, which fills them from the host side, far
// faster than file creation under Wine) are used as they are.
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>

#include "base/win_handles.h"
#include "filelists/directory_list_box.h"
#include "filelists/file_list_box.h"
#include "filelists/list_chain.h"
#include "platform/file_system_win.h"
#include "ui/form.h"

namespace {

// The logic alone: a window that exists and takes every entry.
class TNoWindow final : public IListWindow {
 public:
  bool HandleAllocated() const override { return true; }
  void HandleNeeded() override {}
  void BeginUpdate() override {}
  void EndUpdate() override {}
  void ClearEntries() override {}
  void AddEntry(const TListEntry&) override {}
  void SetItemIndex(int) override {}
  void SetSelected(int, bool) override {}
  void SetAllSelected(bool) override {}
};

class TNoPointer final : public IPointerShape {
 public:
  int Current() const override { return 0; }
  void SetBusy() override {}
  void Restore(int) override {}
};

double BestMs(int runs, const std::function<void()>& run) {
  double best = 1e300;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    run();
    best = std::min(best, std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  return best;
}

std::size_t BareListing(const std::wstring& folder) {
  WIN32_FIND_DATAW data;
  std::size_t count = 0;
  const TFindHandle find(::FindFirstFileW((folder + L"\\*.*").c_str(), &data));
  if (!find) return 0;
  do ++count;
  while (::FindNextFileW(find.Get(), &data));
  return count;
}

// Names arrive in a scrambled order, as they do from most file systems.
std::wstring EntryName(int i, int count) {
  const long long scrambled = (static_cast<long long>(i) * 7919) % count;
  return L"Part_" + std::to_wstring(scrambled) + L".nc";
}

// "." and ".." come with the names.
bool AlreadyFilled(const std::wstring& folder, int count) {
  return BareListing(folder) == static_cast<std::size_t>(count) + 2;
}

void MakeFiles(const std::wstring& folder, int count) {
  if (AlreadyFilled(folder, count)) return;
  ::CreateDirectoryW(folder.c_str(), nullptr);
  for (int i = 0; i < count; ++i)
    const TFileHandle file(::CreateFileW((folder + L"\\" + EntryName(i, count)).c_str(), GENERIC_WRITE, 0, nullptr,
                                         CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
}

void MakeFolders(const std::wstring& folder, int count) {
  if (AlreadyFilled(folder, count)) return;
  ::CreateDirectoryW(folder.c_str(), nullptr);
  for (int i = 0; i < count; ++i) ::CreateDirectoryW((folder + L"\\" + EntryName(i, count)).c_str(), nullptr);
}

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW data;
  {
    const TFindHandle find(::FindFirstFileW((folder + L"\\*").c_str(), &data));
    if (find) {
      do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring path = folder + L"\\" + name;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
          RemoveTree(path);
        else
          ::DeleteFileW(path.c_str());
      } while (::FindNextFileW(find.Get(), &data));
    }
  }
  ::RemoveDirectoryW(folder.c_str());
}

// A window holding the folder list and the file list, linked as in the main window.
struct TListsWindow {
  TListsWindow() {
    Folders.SetParent(&Form);
    Folders.SetBounds(0, 0, 220, 400);
    Files.SetParent(&Form);
    Files.SetBounds(230, 0, 200, 400);
    Files.SetMultiSelect(true);
    Chain.Link(nullptr, &Folders.Model(), &Files.Model());
    Form.SetClientSize(440, 400);
    Form.Handle();
  }
  TForm Form{nullptr};
  TDirectoryListBox& Folders = Form.Adopt(std::make_unique<TDirectoryListBox>(&Form));
  TFileListBox& Files = Form.Adopt(std::make_unique<TFileListBox>(&Form));
  TListChain Chain;
};

void PrintRow(const char* what, int count, double bare, double ours) {
  std::printf("%-28s %7d entries   bare %9.2f ms   lists %9.2f ms   ratio %6.2f\n", what, count, bare, ours,
              ours / bare);
}

}  // namespace

int main(int argc, char** argv) {
  std::wstring root;
  if (argc > 1) {
    root.assign(argv[1], argv[1] + std::char_traits<char>::length(argv[1]));
  } else {
    wchar_t temp[MAX_PATH + 1];
    ::GetTempPathW(MAX_PATH + 1, temp);
    root = std::wstring(temp) + L"velbrook_listing_bench";
  }
  ::CreateDirectoryW(root.c_str(), nullptr);
  TWinFileSystem fs;
  TWinCollation collation;
  TNoWindow window;
  TNoPointer pointer;
  constexpr int kRuns = 3;

  std::printf("best of %d runs each; bare = FindFirstFileW/FindNextFileW counting names\n", kRuns);
  for (const int count : {1000, 10000, 100000}) {
    const std::wstring folder = root + L"\\files" + std::to_wstring(count);
    MakeFiles(folder, count);
    TFileListModel files(fs, collation, window, pointer);
    const double bare = BestMs(kRuns, [&] { BareListing(folder); });
    // Each run reads the folder afresh: the list moves away and back.
    const double ours = BestMs(kRuns, [&] {
      files.ApplyDirectory(root);
      files.ApplyDirectory(folder);
    });
    if (files.Count() != count) std::printf("  (listed %d of %d files)\n", files.Count(), count);
    PrintRow("file list ReadEntries", count, bare, ours);
  }

  const std::wstring folders = root + L"\\folders10000";
  MakeFolders(folders, 10000);
  TFolderListModel folderList(fs, collation, window);
  const double bareFolders = BestMs(kRuns, [&] { BareListing(folders); });
  const double ours = BestMs(kRuns, [&] {
    folderList.SetDirectory(root);
    folderList.SetDirectory(folders);
  });
  const int subfolders = static_cast<int>(folderList.Entries().size()) - folderList.CurrentIndex() - 1;
  PrintRow("folder list RebuildEntries", subfolders, bareFolders, ours);

  // The same through the controls: the entries go into the native list windows too.
  TListsWindow lists;
  for (const int count : {1000, 10000, 100000}) {
    const std::wstring folder = root + L"\\files" + std::to_wstring(count);
    const double bare = BestMs(kRuns, [&] { BareListing(folder); });
    const double control = BestMs(kRuns, [&] {
      lists.Files.Model().ApplyDirectory(root);
      lists.Files.Model().ApplyDirectory(folder);
    });
    if (lists.Files.Count() != count) std::printf("  (listed %d of %d files)\n", lists.Files.Count(), count);
    PrintRow("TFileListBox with window", count, bare, control);
  }
  // Select All and Select None on the biggest folder, through the real control.
  double selectAll = 1e300;
  double selectNone = 1e300;
  for (int i = 0; i < kRuns; ++i) {
    selectAll = std::min(selectAll, BestMs(1, [&] { lists.Files.SelectAll(); }));
    selectNone = std::min(selectNone, BestMs(1, [&] { lists.Files.ClearSelection(); }));
  }
  std::printf("%-28s %7d entries   Select All %7.2f ms   Select None %7.2f ms\n", "TFileListBox selection",
              lists.Files.Count(), selectAll, selectNone);
  const auto folderListing = [&] {
    return BestMs(kRuns, [&] {
      lists.Folders.SetDirectory(root);
      lists.Folders.SetDirectory(folders);
    });
  };
  // Linked, the file list reads the same folder again; alone, only the folder list works.
  PrintRow("TDirectoryListBox with window", subfolders, bareFolders, folderListing());
  lists.Chain.Link(nullptr, &lists.Folders.Model(), nullptr);
  PrintRow("  the same, file list unlinked", subfolders, bareFolders, folderListing());
  ::SetCurrentDirectoryW(L"C:\\");
  if (argc <= 1) RemoveTree(root);
  return 0;
}
