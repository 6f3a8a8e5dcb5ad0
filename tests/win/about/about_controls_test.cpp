#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "about/behavior_label.h"
#include "about/behaviors/appear.h"
#include "about/starfield.h"
#include "pump.h"
#include "ui/form.h"

namespace {

// The greys of the window's client area that are not the black background.
std::vector<COLORREF> StarPixels(HWND window) {
  RECT client{};
  ::GetClientRect(window, &client);
  const TWindowDC screen(window);
  TMemoryDC copy(::CreateCompatibleDC(screen.Get()));
  TBitmapHandle bitmap(::CreateCompatibleBitmap(screen.Get(), client.right, client.bottom));
  std::vector<COLORREF> found;
  {
    TSelectObject select(copy.Get(), bitmap.Get());
    ::BitBlt(copy.Get(), 0, 0, client.right, client.bottom, screen.Get(), 0, 0, SRCCOPY);
    for (int y = 0; y < client.bottom; ++y)
      for (int x = 0; x < client.right; ++x) {
        const COLORREF c = ::GetPixel(copy.Get(), x, y);
        if (c != RGB(0, 0, 0)) found.push_back(c);
      }
  }
  return found;
}

TEST(StarfieldControl, StarsMoveInWhileActiveAndTheControlEndsInEveryState) {
  TWatchdog dog(60000);
  auto form = std::make_unique<TForm>(nullptr);
  form->SetClientSize(269, 218);
  TStarfield& field = form->Adopt(std::make_unique<TStarfield>(form.get()));
  field.SetParent(form.get());
  field.SetBounds(0, 0, 269, 218);
  form->Show();
  std::vector<bool> changes;
  field.OnActiveChanged = [&](TComponent*) { changes.push_back(field.Active()); };

  field.SetDelay(1);
  field.SetActive(true);
  std::vector<COLORREF> stars;
  PumpUntil([&] {
    stars = StarPixels(form->Handle());
    return stars.size() >= 3;
  });
  for (COLORREF c : stars) {
    EXPECT_EQ(GetRValue(c), GetGValue(c));
    EXPECT_EQ(GetGValue(c), GetBValue(c));
    EXPECT_GE(GetRValue(c), 120);
    EXPECT_LE(GetRValue(c), 239);
  }
  field.SetActive(false);
  EXPECT_EQ(changes, (std::vector<bool>{false, true}));
  form.reset();  // paused

  TForm running(nullptr);
  TStarfield& second = running.Adopt(std::make_unique<TStarfield>(&running));
  second.SetParent(&running);
  second.SetDelay(0);
  second.SetActive(true);
  PumpFor(50);
}  // the second control goes while its worker is running

TEST(StarfieldControl, NeverActivatedControlIsDestroyedWithoutHanging) {
  TWatchdog dog(20000);
  TForm form(nullptr);
  TStarfield& field = form.Adopt(std::make_unique<TStarfield>(&form));
  EXPECT_EQ(field.Stars(), 100);
  EXPECT_EQ(field.Width(), 100);
  EXPECT_EQ(field.Delay(), 50u);
}

TEST(BehaviorLabelControl, AppearingSlidesInsideItsPanelAndReportsTheEnd) {
  TWatchdog dog(30000);
  RegisterStandardControls();
  RegisterAboutComponents();
  TForm form(nullptr);
  form.SetClientSize(269, 218);
  TPanel& panel = form.Adopt(std::make_unique<TPanel>(&form));
  panel.SetParent(&form);
  panel.SetBounds(36, 28, 210, 61);
  auto created = CreateComponent(L"TBehaviorLabel", &form);
  auto* label = dynamic_cast<TBehaviorLabel*>(created.get());
  ASSERT_NE(label, nullptr);
  form.Adopt(std::move(created));
  label->SetParent(&panel);
  label->SetCaption(L"Velbrook\r\nBy the maker");
  label->SetLeft(4);
  label->Hide();
  label->SetBehavior(L"Appearing");
  static_cast<TLabelAppear&>(label->BehaviorOptions()).SetPixels(4);
  int stops = 0;
  label->OnStop = [&](TComponent* sender) {
    EXPECT_EQ(sender, label);
    ++stops;
  };
  form.Show();
  const int width = label->Width();
  label->BehaviorOptions().SetActive(true);
  PumpUntil([&] { return label->Visible(); });
  EXPECT_GT(label->Left(), 4);
  PumpUntil([&] { return stops == 1; });
  EXPECT_EQ(label->Left(), 4);
  EXPECT_EQ(label->Width(), width);
  EXPECT_FALSE(label->BehaviorOptions().Active());
}

}  // namespace
