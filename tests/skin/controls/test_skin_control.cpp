// The companion base on real controls: attaching once, giving the control back its handler and
// colour, outliving the control or its window, following a window made anew or made late (on a
// page not shown yet), and repainting at once when the text changes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "companion_test_support.h"
#include "skin/controls/skin_buttons.h"
#include "skin/controls/skin_checks.h"
#include "skin/controls/skin_scrollbars.h"
#include "toolkit/win/checkbox.h"
#include "toolkit/win/comctrls.h"
#include "toolkit/win/stdctrls.h"

using namespace controltest;
using frametest::StoredSkin;

namespace {

// A companion that counts the messages it sees.
class TCountingCompanion : public TSkinControl {
public:
  explicit TCountingCompanion(TComponent* owner) : TSkinControl(owner) {}
  bool HandleBefore(TMessage& msg) override {
    if (msg.Msg == WM_USER + 7) ++seen;
    return TSkinControl::HandleBefore(msg);
  }
  int seen = 0;
};

// A companion whose memory is poisoned, not given back, when it is freed: a call that still
// reaches it faults at once instead of running on freed memory by luck.
class TPoisonedCompanion : public TCountingCompanion {
public:
  using TCountingCompanion::TCountingCompanion;
  static void operator delete(void* p, std::size_t size) { std::memset(p, 0xCC, size); }
};
}  // namespace

using CompanionBase = StoredSkin;

TEST_F(CompanionBase, AttachesOnceAndGivesHandlerAndColorBack) {
  SkinnedForm f(*skin, false);
  auto* panel = f.Add<TPanel>(10, 10, 100, 60);
  panel->SetColor(RGBToColor(10, 20, 30));
  TSkinFormFrame& frame = f.Frame();
  auto* companion = new TCountingCompanion(panel);
  companion->AttachControl(&frame, skin, true, &frame.ControlCanvas());
  companion->AttachControl(&frame, skin, true, &frame.ControlCanvas());
  EXPECT_EQ(panel->Color(), skin->Model().ButtonFaceColour);
  panel->Perform(WM_USER + 7);
  EXPECT_EQ(companion->seen, 1) << "a second attach hooked the handler again";
  EXPECT_EQ(std::count(frame.ControlList().begin(), frame.ControlList().end(), companion), 1);
  companion->Free();
  EXPECT_EQ(panel->Color(), RGBToColor(10, 20, 30));
  EXPECT_TRUE(frame.ControlList().empty());
  panel->Perform(WM_USER + 7);  // the companion is gone: the old handler alone runs
}

TEST_F(CompanionBase, WithoutRecolorTheColorStays) {
  SkinnedForm f(*skin, false);
  auto* panel = f.Add<TPanel>(10, 10, 100, 60);
  panel->SetColor(RGBToColor(10, 20, 30));
  TSkinFormFrame& frame = f.Frame();
  auto* companion = new TCountingCompanion(panel);
  companion->AttachControl(&frame, skin, false, &frame.ControlCanvas());
  companion->NotifySkinChanged();
  EXPECT_EQ(panel->Color(), RGBToColor(10, 20, 30));
  panel->DestroyHandle();
  EXPECT_EQ(panel->Color(), RGBToColor(10, 20, 30));
}

TEST_F(CompanionBase, OutlivesItsControlAndItsWindow) {
  SkinnedForm f(*skin, false);
  auto* button = f.Add<TButton>(10, 10, 80, 25);
  TSkinFormFrame& frame = f.Frame();
  // Not owned by the control: the control goes first.
  auto* loose = new TCountingCompanion(nullptr);
  loose->AttachControl(&frame, skin, false, &frame.ControlCanvas());  // needs an owner control: nothing
  EXPECT_FALSE(loose->Attached());
  delete loose;
  auto* companion = new TCountingCompanion(button);
  companion->AttachControl(&frame, skin, true, &frame.ControlCanvas());
  button->DestroyHandle();
  EXPECT_TRUE(companion->IsDead());
  button->HandleNeeded();
  EXPECT_FALSE(companion->IsDead()) << "the window made anew is followed";
  EXPECT_EQ(companion->Handle(), button->Handle());
  delete button;  // frees its companion, which leaves the frame's list
  EXPECT_TRUE(frame.ControlList().empty());
}

TEST_F(CompanionBase, ACompanionFreedUnderAnotherHandlerLeavesAPassThrough) {
  SkinnedForm f(*skin, false);
  TSkinFormFrame& frame = f.Frame();
  const long faults = AccessViolations();
  auto* panel = f.Add<TPanel>(10, 10, 100, 60);
  auto* companion = new TPoisonedCompanion(panel);
  companion->AttachControl(&frame, skin, false, &frame.ControlCanvas());
  // Another party puts its handler in front, the companion goes, the other party leaves.
  int seenByOther = 0;
  auto before = panel->WindowProc;
  panel->WindowProc = [&](TMessage& m) {
    if (m.Msg == WM_USER + 7) ++seenByOther;
    before(m);
  };
  companion->Free();
  panel->Perform(WM_USER + 7);
  panel->WindowProc = before;
  panel->Perform(WM_USER + 7);
  panel->Invalidate();
  PumpFor(50);
  EXPECT_EQ(seenByOther, 1);
  EXPECT_EQ(AccessViolations(), faults);
}

TEST_F(CompanionBase, AScrollBarCompanionFollowsAMemoMadeAnew) {
  SkinnedForm f(*skin);
  auto* memo = f.Add<TMemo>(10, 10, 200, 120);
  memo->SetScrollBars(ssVertical);
  TSkinFormFrame& frame = f.Frame();
  auto* bars = dynamic_cast<TSkinScrollbar*>(f.CompanionOf(memo));
  ASSERT_NE(bars, nullptr);
  HWND before = memo->Handle();
  memo->SetWordWrap(false);
  PumpFor(50);
  ASSERT_NE(memo->Handle(), before);
  EXPECT_EQ(bars->Handle(), memo->Handle());
  EXPECT_FALSE(bars->IsDead());
  frame.PurgeDeadControls();
  EXPECT_EQ(f.CompanionOf(memo), bars);
}

// A control on a page not shown yet has no window when the frame dispatches it: its companion
// joins without making one, and takes the window over when the page comes into view.
TEST_F(CompanionBase, ACompanionJoinsAControlOnAHiddenPageAndFollowsWhenItsWindowIsMade) {
  SkinnedForm f(*skin);
  auto* pages = f.Add<TPageControl>(10, 10, 300, 200);
  TTabSheet* sheets[2] = {new TTabSheet(&f.form), new TTabSheet(&f.form)};
  for (TTabSheet* sheet : sheets) {
    sheet->SetCaption("Sayfa");
    sheet->SetPageControl(pages);
  }
  auto* button = f.Add<TButton>(10, 10, 120, 30, sheets[1]);
  // Its windows made again, as a form read from its layout makes them: the hidden page and its
  // button get none.
  pages->DestroyHandle();
  pages->HandleNeeded();
  ASSERT_FALSE(button->HandleAllocated());
  f.Frame();
  auto* companion = dynamic_cast<TSkinButton*>(f.CompanionOf(button));
  ASSERT_NE(companion, nullptr);
  EXPECT_FALSE(button->HandleAllocated()) << "joining made the window";
  EXPECT_EQ(companion->Handle(), nullptr);

  pages->SetActivePageIndex(1);
  PumpFor(30);
  ASSERT_TRUE(button->HandleAllocated());
  EXPECT_EQ(companion->Handle(), button->Handle());
  EXPECT_FALSE(companion->IsDead());
  const TBitmapPixels shown = Repainted(button->Handle());
  const TBitmapPixels element = ExpectedElement(*skin->Model().Buttons, 120, 30, 5, 1, skin->Model().ButtonFaceColour);
  EXPECT_EQ(shown.GetPixel(1, 15), element.GetPixel(1, 15));
  EXPECT_EQ(shown.GetPixel(118, 15), element.GetPixel(118, 15));
}

TEST_F(CompanionBase, NewTextOnAButtonIsPaintedAtOnce) {
  SkinnedForm f(*skin);
  auto* button = f.Add<TButton>(10, 10, 120, 30);
  button->SetCaption("a");
  f.Frame();
  const TBitmapPixels before = Repainted(button->Handle());
  SetWindowTextW(button->Handle(), L"Yeni Program Ekle");
  // The companion painted while handling WM_SETTEXT: nothing is left to paint, and what shows
  // is the skinned button with the new caption (the system's button paints itself natively
  // on a new text).
  RECT pending{};
  EXPECT_FALSE(GetUpdateRect(button->Handle(), &pending, FALSE));
  EXPECT_EQ(f.CompanionOf(button)->Text(), "Yeni Program Ekle");
  PumpFor(30);
  const TBitmapPixels after = frametest::ScreenOf(button->Handle());
  EXPECT_FALSE(after.SamePixels(before));
  const TBitmapPixels element = ExpectedElement(*skin->Model().Buttons, 120, 30, 5, 1, skin->Model().ButtonFaceColour);
  EXPECT_EQ(after.GetPixel(1, 15), element.GetPixel(1, 15));
}

namespace {
// A check box that notes what reaches its window class: the message and the kind of its DC.
class TWatchedCheckBox : public TCheckBox {
public:
  using TCheckBox::TCheckBox;
  std::vector<std::pair<UINT, DWORD>> seen;

protected:
  void DefaultHandler(TMessage& msg) override {
    if (msg.Msg == WM_PAINT || msg.Msg == WM_ERASEBKGND)
      seen.emplace_back(msg.Msg, msg.WParam ? GetObjectType(reinterpret_cast<HDC>(msg.WParam)) : 0);
    TCheckBox::DefaultHandler(msg);
  }
};
}  // namespace

TEST_F(CompanionBase, AnAttachedControlPaintsThroughABufferAndGetsItsOwnSettingBack) {
  SkinnedForm f(*skin, false);
  auto* check = f.Add<TWatchedCheckBox>(10, 10, 120, 20);
  check->SetCaption("Bir");
  TSkinFormFrame& frame = f.Frame();
  ASSERT_FALSE(check->DoubleBuffered());
  auto* companion = new TSkinCheckBox(check);
  companion->AttachControl(&frame, skin, false, &frame.ControlCanvas());
  EXPECT_TRUE(check->DoubleBuffered());
  check->seen.clear();
  Repainted(check->Handle());
  // The class's erase and paint went into the bitmap, none to the screen.
  EXPECT_FALSE(check->seen.empty());
  for (auto [message, dc] : check->seen) EXPECT_EQ(dc, static_cast<DWORD>(OBJ_MEMDC)) << message;
  companion->Free();
  EXPECT_FALSE(check->DoubleBuffered());
}
