#include "filelists/resolve_target.h"

#include "filelists/list_errors.h"
#include "filelists/paths.h"

namespace {

// Puts the folder found on entry back when resolving ends, however it ends.
class TRestoreFolder {
 public:
  explicit TRestoreFolder(IFileSystem& fs) : FFileSystem(fs), FFolder(fs.CurrentFolder()) {}
  ~TRestoreFolder() {
    if (FFileSystem.FolderExists(FFolder)) FFileSystem.SetCurrentFolder(FFolder);
  }
  TRestoreFolder(const TRestoreFolder&) = delete;
  TRestoreFolder& operator=(const TRestoreFolder&) = delete;
  const std::wstring& Folder() const { return FFolder; }

 private:
  IFileSystem& FFileSystem;
  std::wstring FFolder;
};

bool IsBracketed(const std::wstring& text) { return text.size() >= 2 && text.front() == L'[' && text.back() == L']'; }

std::wstring SplitDrivePart(const std::wstring& target, std::wstring& folder) {
  std::wstring drive = ExtractDrivePart(target);
  folder = target.substr(drive.size());
  return drive;
}

std::wstring ParentPart(IFileSystem& fs, const std::wstring& folder, const std::wstring& last) {
  if (folder.size() == last.size() + 1 && folder.front() == L'\\') return L"\\";
  if (folder.size() > last.size() + 1) return folder.substr(0, folder.size() - last.size() - 1);
  // A bare name, or nothing after the drive part: the current folder of that drive.
  const std::wstring current = fs.CurrentFolder();
  std::wstring parent = current.substr(ExtractDrivePart(current).size());
  return parent.empty() ? L"\\" : parent;
}

}  // namespace

TResolvedTarget ResolveTarget(IFileSystem& fs, const std::wstring& target) {
  const TRestoreFolder remembered(fs);
  std::wstring folder;
  if (IsBracketed(target)) {
    folder = target.substr(1, target.size() - 2);
  } else {
    std::wstring drive = SplitDrivePart(target, folder);
    if (drive.empty()) {
      drive = ExtractDrivePart(remembered.Folder());
      folder = target;
    }
    if (fs.FolderExists(drive)) EnterFolder(fs, drive);
  }

  const std::size_t separator = folder.rfind(L'\\');
  const std::wstring last = separator == std::wstring::npos ? folder : folder.substr(separator + 1);
  EnterFolder(fs, ParentPart(fs, folder, last));
  if (!last.empty() && !HasWildcards(last) && !fs.FileExists(JoinPath(fs.CurrentFolder(), last))) EnterFolder(fs, last);

  // What was reached, not what was typed: relative parts and names such as "g:" that
  // change the drive on the way are resolved by the file system.
  const std::wstring reached = fs.CurrentFolder();
  if (ExtractDrivePart(reached).size() != 2) return {L'\0', reached};
  return {reached.front(), reached.substr(2)};
}
