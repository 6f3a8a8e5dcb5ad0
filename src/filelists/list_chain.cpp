#include "filelists/list_chain.h"

#include <algorithm>

namespace {

template <typename TLinks, typename TPredicate>
void Drop(TLinks& links, TPredicate predicate) {
  links.erase(std::remove_if(links.begin(), links.end(), predicate), links.end());
}

template <typename TLinks, typename TEnd>
auto* After(const TLinks& links, const TEnd& end) {
  const auto link = std::find_if(links.begin(), links.end(), [&end](const auto& l) { return l.first == &end; });
  return link == links.end() ? nullptr : link->second;
}

template <typename TLinks, typename TEnd>
auto* Before(const TLinks& links, const TEnd& end) {
  const auto link = std::find_if(links.begin(), links.end(), [&end](const auto& l) { return l.second == &end; });
  return link == links.end() ? nullptr : link->first;
}

}  // namespace

void TListChain::Link(TDriveBoxModel& drive, TFolderListModel* folder) {
  Drop(FDriveLinks, [&](const auto& l) { return l.first == &drive || (folder && l.second == folder); });
  if (folder) FDriveLinks.emplace_back(&drive, folder);
}

void TListChain::Link(TFolderListModel& folder, TFileListModel* files) {
  Drop(FFolderLinks, [&](const auto& l) { return l.first == &folder || (files && l.second == files); });
  if (files) FFolderLinks.emplace_back(&folder, files);
}

void TListChain::Forget(const TDriveBoxModel& drive) {
  Drop(FDriveLinks, [&](const auto& l) { return l.first == &drive; });
}

void TListChain::Forget(const TFolderListModel& folder) {
  Drop(FDriveLinks, [&](const auto& l) { return l.second == &folder; });
  Drop(FFolderLinks, [&](const auto& l) { return l.first == &folder; });
}

void TListChain::Forget(const TFileListModel& files) {
  Drop(FFolderLinks, [&](const auto& l) { return l.second == &files; });
}

TFolderListModel* TListChain::FolderOf(const TDriveBoxModel& drive) const { return After(FDriveLinks, drive); }
TDriveBoxModel* TListChain::DriveOf(const TFolderListModel& folder) const { return Before(FDriveLinks, folder); }
TFileListModel* TListChain::FilesOf(const TFolderListModel& folder) const { return After(FFolderLinks, folder); }
TFolderListModel* TListChain::FolderOf(const TFileListModel& files) const { return Before(FFolderLinks, files); }

TListChain& ListChain() {
  static TListChain chain;
  return chain;
}
