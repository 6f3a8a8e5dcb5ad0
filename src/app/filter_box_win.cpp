#include "app/filter_box.h"

#include "filelists/file_list_box.h"
#include "identity/settings_file.h"
#include "ui/std_controls.h"

namespace {

constexpr wchar_t kFilterKey[] = L"Filter";
constexpr wchar_t kRecentFiltersKey[] = L"RecentFilters";

}  // namespace

TFilterBox::TFilterBox(TComboBox& box, TFileListBox& files, IUserChannel& user)
    : FBox(box), FFiles(files), FUser(user) {
  FBox->SetTextHint(L"Filter *.*");
}

void TFilterBox::Load(const std::wstring& dataFolder) {
  FRecent = TRecentFilters::FromStored(ReadSetting(dataFolder, kRecentFiltersKey));
  // The file list reads its folder when the window first shows: with this filter by then.
  Use(ParseFilter(ReadSetting(dataFolder, kFilterKey)).value_or(TFilter{}));
}

void TFilterBox::Save(const std::wstring& dataFolder) const {
  // A file of a user who never filtered keeps the lines it always had.
  if (FRecent.Items().empty()) return;
  WriteSetting(dataFolder, kFilterKey, FFilter);
  WriteSetting(dataFolder, kRecentFiltersKey, FRecent.Stored());
}

void TFilterBox::apply(const std::wstring& typed) {
  // Set first: the message takes the focus from the box, which must not report it again.
  FHandledText = typed;
  const std::optional<TFilter> filter = ParseFilter(typed);
  if (!filter) {
    FUser->Tell(L"Invalid filter", typed);
    return;
  }
  Use(*filter);
}

void TFilterBox::Use(const TFilter& filter) {
  FFiles->SetMask(filter.Mask());
  FFilter = filter.Text;
  FRecent.Use(FFilter);
  // Emptying the list empties the box's text too: the text follows.
  FBox->ClearItems();
  for (const std::wstring& recent : FRecent.Items()) FBox->AddItem(recent);
  // The filter in force is the newest entry: the arrow keys step on from there.
  FBox->SetItemIndex(FFilter.empty() ? -1 : 0);
  FBox->SetText(FFilter);
  FHandledText = FFilter;
}

void TFilterBox::BoxEnterKey() { apply(FBox->Text()); }

void TFilterBox::BoxSelect() { apply(FBox->Text()); }

void TFilterBox::BoxExit() {
  if (FBox->Text() != FHandledText) apply(FBox->Text());
}
