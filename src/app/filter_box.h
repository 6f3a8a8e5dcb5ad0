#pragma once
// The filter box above the file list: the filter in force, the recent filters its drop-down
// offers, its events, and keeping both in the settings.
#include <string>

#include "app/filter_text.h"
#include "app/user_channel.h"
#include "base/borrowed.h"

class TComboBox;
class TFileListBox;

class TFilterBox {
 public:
  TFilterBox(TComboBox& box, TFileListBox& files, IUserChannel& user);

  void Load(const std::wstring& dataFolder);
  void Save(const std::wstring& dataFolder) const;
  // Lists with filter, makes it the newest recent one and shows it in the box.
  void Use(const TFilter& filter);

  void BoxEnterKey();
  void BoxSelect();
  void BoxExit();

 private:
  // The box's text becomes the file list's mask, or is refused with a message.
  void apply(const std::wstring& typed);

  TBorrowed<TComboBox> FBox;
  TBorrowed<TFileListBox> FFiles;
  TBorrowed<IUserChannel> FUser;
  std::wstring FFilter;  // in force, as the box shows it
  TRecentFilters FRecent;
  // The box's text when it was last applied or refused: leaving the box applies only a change.
  std::wstring FHandledText;
};
