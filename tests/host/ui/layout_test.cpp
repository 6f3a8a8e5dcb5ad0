#include <gtest/gtest.h>

#include "base/errors.h"
#include "ui/layout.h"

namespace {

std::wstring MessageOf(const std::wstring& text) {
  try {
    ParseLayout(text);
  } catch (const Exception& e) {
    return e.Message();
  }
  return L"(no error)";
}

}  // namespace

TEST(Layout, ReadsNestedControlsWithPropertiesInStoredOrder) {
  const TLayoutNode root = ParseLayout(
      L"// the About box\n"
      L"AboutBox: TAboutBox {\n"
      L"  Caption = \"About \"\"Velbrook\"\"\"\n"
      L"  ClientWidth = 269\n"
      L"  Panel1: TPanel {\n"
      L"    Bounds = 36, 28, 210, -61\n"
      L"    Label1: TBehaviorLabel {\n"
      L"      Behavior = \"Appearing\"\n"
      L"      BehaviorOptions.Pixels = 4\n"
      L"      OnStop = BehaviorLabel1Stop\n"
      L"    }\n"
      L"  }\n"
      L"  Mask = 0x1FFFFFFF\n"
      L"}\n");
  EXPECT_EQ(root.Name, L"AboutBox");
  EXPECT_EQ(root.ClassName, L"TAboutBox");
  ASSERT_EQ(root.Properties.size(), 3u);
  EXPECT_EQ(root.Properties[0].Value.AsString(), L"About \"Velbrook\"");
  EXPECT_EQ(root.Properties[1].Value.AsInt(), 269);
  EXPECT_EQ(root.Properties[2].Name, L"Mask");
  EXPECT_EQ(root.Properties[2].Value.Number, 0x1FFFFFFF);

  ASSERT_EQ(root.Children.size(), 1u);
  const TLayoutNode& panel = root.Children[0];
  EXPECT_EQ(panel.Properties[0].Value.AsInts(4), (std::vector<int>{36, 28, 210, -61}));
  const TLayoutNode& label = panel.Children.at(0);
  EXPECT_EQ(label.Line, 7);
  ASSERT_EQ(label.Properties.size(), 3u);
  EXPECT_EQ(label.Properties[0].Name, L"Behavior");
  EXPECT_EQ(label.Properties[1].Name, L"BehaviorOptions.Pixels");
  EXPECT_EQ(label.Properties[2].Value.AsIdentifier(), L"BehaviorLabel1Stop");
}

TEST(Layout, ValuesOfTheWrongKindAreRefusedWithTheirLine) {
  const TLayoutNode root = ParseLayout(L"F: TForm {\n Visible = yes\n Left = \"10\"\n}");
  EXPECT_THROW(root.Properties[0].Value.AsBool(), Exception);
  EXPECT_THROW(root.Properties[1].Value.AsInt(), Exception);
  try {
    root.Properties[1].Value.AsInt();
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), L"Layout error at line 3: a number was expected");
  }
  EXPECT_THROW(root.Properties[1].Value.AsInts(4), Exception);
}

TEST(Layout, MalformedTextNamesTheProblemAndLine) {
  EXPECT_EQ(MessageOf(L"F: TForm {\n  Caption = \"open\n}"), L"Layout error at line 2: the string is not closed");
  EXPECT_EQ(MessageOf(L"F: TForm {\n  A = 1\n"), L"Layout error at line 1: 'F' is not closed");
  EXPECT_EQ(MessageOf(L"F TForm {}"), L"Layout error at line 1: ':' was expected");
  EXPECT_EQ(MessageOf(L"F: TForm {\n A = \n}"), L"Layout error at line 2: a value was expected");
  EXPECT_EQ(MessageOf(L"F: TForm {}\nG: TForm {}"), L"Layout error at line 2: text after the end of the layout");
  EXPECT_EQ(MessageOf(L"F: TForm {\n A = 99999999999999999999\n}"), L"Layout error at line 2: the number is too large");
  EXPECT_EQ(MessageOf(L""), L"Layout error at line 1: a name was expected");
  // Found by fuzzing: 20,000 nested controls overflowed the stack.
  std::wstring deep;
  for (int i = 0; i < 20000; ++i) deep += L"A: T {\n";
  EXPECT_EQ(MessageOf(deep), L"Layout error at line 65: controls nested more than 64 levels deep");
}
