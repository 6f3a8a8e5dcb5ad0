#include <gtest/gtest.h>

#include "dialogs/my_file_ops.h"

TEST(FileFilter, DescriptionGivesItsEntryThenAllFiles) {
  const TFileFilter nc = BuildFileFilter(L"NC", L"");
  EXPECT_EQ(nc.Filter, L"NC Files (*.*)|*.*|All Files (*.*)|*.*");
  EXPECT_EQ(nc.DefaultExtension, L"*");

  const TFileFilter script = BuildFileFilter(L"Script", L".scr");
  EXPECT_EQ(script.Filter, L"Script Files (*.scr)|*.scr|All Files (*.*)|*.*");
  EXPECT_EQ(script.DefaultExtension, L"scr");

  // Only the first "." goes.
  EXPECT_EQ(BuildFileFilter(L"Archive", L"tar.gz").Filter, L"Archive Files (*.targz)|*.targz|All Files (*.*)|*.*");
}

TEST(FileFilter, WithoutDescriptionOnlyAllFiles) {
  const TFileFilter text = BuildFileFilter(L"", L"txt");
  EXPECT_EQ(text.Filter, L"All Files (*.*)|*.*");
  EXPECT_EQ(text.DefaultExtension, L"txt");
  EXPECT_EQ(BuildFileFilter(L"", L".txt").DefaultExtension, L"txt");
  EXPECT_EQ(BuildFileFilter(L"", L"").DefaultExtension, L"*");
}

TEST(FileFilter, DialogFormSeparatesWithNulsAndEndsWithTwo) {
  const std::wstring form = ToDialogFilter(L"NC Files (*.*)|*.*|All Files (*.*)|*.*");
  const std::wstring nul(1, L'\0');
  EXPECT_EQ(form, L"NC Files (*.*)" + nul + L"*.*" + nul + L"All Files (*.*)" + nul + L"*.*" + nul + nul);
}
