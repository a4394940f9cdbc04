// The skinned frame on real windows: what it paints (against the skin's own images), the size
// of the non-client area, hit testing, the title-bar buttons and double clicks, the region of
// a keyed skin, and giving the native look back.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "frame_test_support.h"
#include "skin/data/skin_model.h"
#include "toolkit/win/menus.h"

using namespace frametest;

using FramePainting = StoredSkin;

TEST_F(FramePainting, BordersAndCaptionBarComeFromTheSkinImages) {
  FramedForm f(*skin);
  TSkinFormFrame& frame = *f.frame;
  ASSERT_EQ(frame.FrameState(), TFrameState::Running);
  EXPECT_EQ(frame.Edges().Top, skin->Model().BorderTop->Image.Height() / skin->Model().BorderTop->FrameCount);
  EXPECT_EQ(frame.Edges().Left, skin->Model().BorderLeft->Image.Width() / skin->Model().BorderLeft->FrameCount);
  const TBitmapPixels painted = PaintedFrame(frame);
  const int w = painted.Width(), h = painted.Height();
  const TBitmapPixels left = ExpectedBorder(*skin->Model().BorderLeft, false, frame.Edges().Left, h);
  const TBitmapPixels bottom = ExpectedBorder(*skin->Model().BorderBottom, true,
                                              w - frame.Edges().Left - frame.Edges().Right, frame.Edges().Bottom);
  const TBitmapPixels top =
      ExpectedBorder(*skin->Model().BorderTop, true, w - frame.Edges().Left - frame.Edges().Right, frame.Edges().Top);
  for (int y : {0, frame.Edges().Top + 3, h / 2, h - 1})
    for (int x = 0; x < frame.Edges().Left; ++x)
      ASSERT_EQ(painted.GetPixel(x, y), left.GetPixel(x, y)) << x << "," << y;
  for (int x : {0, 10, (w - frame.Edges().Left - frame.Edges().Right) / 2})
    ASSERT_EQ(painted.GetPixel(frame.Edges().Left + x, h - 1), bottom.GetPixel(x, frame.Edges().Bottom - 1)) << x;
  // The middle of the caption bar (the short caption and the buttons lie elsewhere).
  const int mid = (w - frame.Edges().Left - frame.Edges().Right) / 2;
  EXPECT_EQ(painted.GetPixel(frame.Edges().Left + mid, frame.Edges().Top / 2),
            top.GetPixel(mid, frame.Edges().Top / 2));
  // The client area is not painted by the frame.
  EXPECT_EQ(painted.GetPixel(w / 2, h / 2), RGBToColor(1, 2, 3));
  // The close button shows frame 1 of its image at its place (Align 1: XCoord from the right).
  const TSkinTitleButton* close = nullptr;
  for (auto& b : frame.CaptionButtons())
    if (b->SkinButton->Action == 0) close = b.get();
  ASSERT_NE(close, nullptr);
  ASSERT_TRUE(close->Visible);
  EXPECT_EQ(close->Bounds.left, w - close->SkinButton->XCoord);
  const TBitmapPixels& image = close->SkinButton->Image;
  const int bw = image.Width() / close->SkinButton->FrameCount;
  const TColor centre = image.GetPixel(bw / 2, image.Height() / 2);
  EXPECT_EQ(painted.GetPixel(close->Bounds.left + bw / 2, close->Bounds.top + image.Height() / 2), centre);
  // What reached the screen is what the frame painted.
  const TBitmapPixels screen = ScreenOf(f.form.Handle());
  EXPECT_EQ(screen.GetPixel(1, h / 2), left.GetPixel(1, h / 2));
  EXPECT_EQ(screen.GetPixel(frame.Edges().Left + mid, frame.Edges().Top / 2), top.GetPixel(mid, frame.Edges().Top / 2));
}

TEST_F(FramePainting, AnInactiveWindowShowsFrameTwoOfBordersAndFourOfButtons) {
  FramedForm f(*skin);
  TSkinFormFrame& frame = *f.frame;
  SendMessageW(f.form.Handle(), WM_NCACTIVATE, FALSE, 0);
  EXPECT_FALSE(frame.WindowActive());
  const TBitmapPixels painted = PaintedFrame(frame);
  const int h = painted.Height();
  const TBitmapPixels left = ExpectedBorder(*skin->Model().BorderLeft, false, frame.Edges().Left, h, 2);
  EXPECT_EQ(painted.GetPixel(1, h / 2), left.GetPixel(1, h / 2));
  for (auto& b : frame.CaptionButtons()) {
    if (!b->Visible || b->SkinButton->Action != 0) continue;
    const TBitmapPixels& image = b->SkinButton->Image;
    const int bw = image.Width() / b->SkinButton->FrameCount;
    EXPECT_EQ(painted.GetPixel(b->Bounds.left + bw / 2, b->Bounds.top + image.Height() / 2),
              image.GetPixel(3 * bw + bw / 2, image.Height() / 2));
  }
}

TEST_F(FramePainting, TheCaptionFollowsSetTextAndIsCutWithAnEllipsis) {
  FramedForm f(*skin);
  MessageRecorder recorder;
  f.form.SetCaption("Quillimo v 1.1");
  PumpFor(30);
  EXPECT_EQ(f.frame->CaptionText(), "Quillimo v 1.1");
  const auto painted = recorder.Of(f.form.Handle(), {WM_NCPAINT});
  EXPECT_FALSE(painted.empty());
  // A caption far wider than the bar stops before the right clip.
  f.form.SetCaption(std::string(300, 'W'));
  PumpFor(30);
  EXPECT_LE(f.frame->TitleRect().right, WindowRectOf(f.form.Handle()).right - WindowRectOf(f.form.Handle()).left -
                                            f.frame->Edges().Right - skin->Model().Title->RightWidth);
}

using FrameGeometry = StoredSkin;

TEST_F(FrameGeometry, TheClientAreaKeepsItsSizeInsideTheSkinnedEdges) {
  for (TFormBorderStyle border : {bsSizeable, bsSingle, bsDialog}) {
    SCOPED_TRACE(static_cast<int>(border));
    FramedForm f(*skin, border, 360, 220, true);
    TSkinFormFrame& frame = *f.frame;
    RECT client{};
    GetClientRect(f.form.Handle(), &client);
    EXPECT_EQ(client.right, 360);
    EXPECT_EQ(client.bottom, 220);
    const RECT wr = WindowRectOf(f.form.Handle());
    POINT origin{0, 0};
    ClientToScreen(f.form.Handle(), &origin);
    EXPECT_EQ(origin.x - wr.left, frame.Edges().Left);
    EXPECT_EQ(origin.y - wr.top, frame.Edges().Top + frame.MenuBarHeight());
    EXPECT_EQ(wr.right - wr.left, 360 + frame.Edges().Left + frame.Edges().Right);
    EXPECT_EQ(wr.bottom - wr.top, 220 + frame.Edges().Top + frame.Edges().Bottom + frame.MenuBarHeight());
    // The native caption is gone (an owned window keeps the style but not its buttons), the
    // native menu bar too.
    const LONG_PTR style = GetWindowLongPtrW(f.form.Handle(), GWL_STYLE);
    if (frame.OwnerWindow())
      EXPECT_FALSE(style & (WS_SYSMENU | WS_MAXIMIZEBOX));
    else
      EXPECT_FALSE(style & WS_CAPTION);
    EXPECT_EQ(GetMenu(f.form.Handle()), nullptr);
  }
}

TEST_F(FrameGeometry, HitTestingOverCaptionMenuBarBordersAndButtons) {
  FramedForm f(*skin, bsSizeable, 360, 220, true);
  TSkinFormFrame& frame = *f.frame;
  const RECT wr = WindowRectOf(f.form.Handle());
  auto hit = [&](int x, int y) {
    return SendMessageW(f.form.Handle(), WM_NCHITTEST, 0, MAKELPARAM(wr.left + x, wr.top + y));
  };
  const int w = wr.right - wr.left, h = wr.bottom - wr.top;
  EXPECT_EQ(hit(w / 2, frame.Edges().Top / 2), HTCAPTION);
  EXPECT_EQ(hit(w / 2, frame.Edges().Top + frame.MenuBarHeight() / 2), HTMENU);
  EXPECT_EQ(hit(w / 2, frame.Edges().Top + frame.MenuBarHeight() + 20), HTCLIENT);
  // The top 3 pixels keep the system's answer for a sizeable window.
  EXPECT_EQ(hit(w / 2, 1), HTTOP);
  EXPECT_EQ(hit(w / 2, h - 1), HTBOTTOM);
  EXPECT_EQ(hit(1, h / 2), HTLEFT);
  // A title-bar button is part of the caption for the system; the frame handles its clicks.
  for (auto& b : frame.CaptionButtons())
    if (b->Visible && b->SkinButton->Action == 0)
      EXPECT_EQ(hit((b->Bounds.left + b->Bounds.right) / 2, (b->Bounds.top + b->Bounds.bottom) / 2), HTCAPTION);
}

using TitleButtons = StoredSkin;

TEST_F(TitleButtons, DoubleClickMaximisesAndRestoresAndTheCloseButtonCloses) {
  FramedForm f(*skin);
  HWND wnd = f.form.Handle();
  const RECT wr = WindowRectOf(wnd);
  const LPARAM caption = MAKELPARAM(wr.left + (wr.right - wr.left) / 2, wr.top + f.frame->Edges().Top / 2);
  SendMessageW(wnd, WM_NCLBUTTONDBLCLK, HTCAPTION, caption);
  ASSERT_TRUE(PumpUntil([&] { return IsZoomed(wnd) != FALSE; }));
  EXPECT_EQ(f.frame->WindowState(), TFrameWindowState::Maximized);
  // Pressing on the caption of a maximised, active window does not start a drag.
  SetForegroundWindow(wnd);
  PumpFor(20);
  ASSERT_TRUE(f.frame->WindowActive());
  const RECT zoomed = WindowRectOf(wnd);
  const LPARAM onCaption = MAKELPARAM(zoomed.left + 200, zoomed.top + 5);
  {
    MessageRecorder recorder;
    SendMessageW(wnd, WM_NCLBUTTONDOWN, HTCAPTION, onCaption);
    SendMessageW(wnd, WM_NCLBUTTONUP, HTCAPTION, onCaption);
    PumpFor(20);
    for (const MessageRecorder::Entry& e : recorder.All())
      if (e.Window == wnd && e.Msg == WM_SYSCOMMAND) EXPECT_NE(e.WParam & 0xFFF0, static_cast<WPARAM>(SC_MOVE));
  }
  EXPECT_TRUE(IsZoomed(wnd));
  // A double click there restores it.
  SendMessageW(wnd, WM_NCLBUTTONDBLCLK, HTCAPTION, onCaption);
  ASSERT_TRUE(PumpUntil([&] { return IsZoomed(wnd) == FALSE; }));
  EXPECT_EQ(f.frame->WindowState(), TFrameWindowState::Normal);

  bool closed = false;
  f.form.OnClose = [&](TObject*, TCloseAction&) { closed = true; };
  PumpFor(30);
  const TSkinTitleButton* close = nullptr;
  for (auto& b : f.frame->CaptionButtons())
    if (b->Visible && b->SkinButton->Action == 0) close = b.get();
  ASSERT_NE(close, nullptr);
  const RECT now = WindowRectOf(wnd);
  const LPARAM at = MAKELPARAM(now.left + close->Bounds.left + 3, now.top + close->Bounds.top + 3);
  SendMessageW(wnd, WM_NCLBUTTONDOWN, HTCAPTION, at);
  EXPECT_EQ(close->State, 2);
  SendMessageW(wnd, WM_NCLBUTTONUP, HTCAPTION, at);
  EXPECT_TRUE(PumpUntil([&] { return closed; }));
}

TEST_F(TitleButtons, AWindowWithoutSystemMenuShowsNoCloseButtonAndADialogFrameOnlyItsCloseButton) {
  FramedForm bare(*skin, bsSingle, 300, 150, false, {});
  PaintedFrame(*bare.frame);
  for (auto& b : bare.frame->CaptionButtons())
    if (b->SkinButton->Action == 0) EXPECT_FALSE(b->Visible);
  // A dialog frame hides every button whose Visibility is 0 but its close button.
  FramedForm dialog(*skin, bsDialog, 300, 150, false, {biSystemMenu});
  PaintedFrame(*dialog.frame);
  EXPECT_EQ(dialog.frame->BorderKind(), TFrameBorder::Dialog);
  int closeButtons = 0;
  for (auto& b : dialog.frame->CaptionButtons()) {
    if (b->SkinButton->Visibility != 0) continue;
    EXPECT_EQ(b->Visible, b->SkinButton->Action == 0) << b->SkinButton->Name;
    closeButtons += b->Visible;
  }
  EXPECT_EQ(closeButtons, 1);
  // Without a system menu, not even that.
  FramedForm bareDialog(*skin, bsDialog, 300, 150, false, {});
  PaintedFrame(*bareDialog.frame);
  for (auto& b : bareDialog.frame->CaptionButtons())
    if (b->SkinButton->Visibility == 0) EXPECT_FALSE(b->Visible);
}

namespace {
// Runs action while a timer closes every pop-up menu that opens; returns how many opened, and
// where the last one stood.
int MenusOpenedBy(const std::function<void()>& action, RECT* where = nullptr) {
  static RECT menuRect{};
  static int menus = 0;
  menus = 0;
  menuRect = {};
  UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR, DWORD) {
    HWND menu = FindWindowW(L"#32768", nullptr);
    if (!menu || !IsWindowVisible(menu)) return;
    GetWindowRect(menu, &menuRect);
    ++menus;
    EndMenu();
  });
  action();
  PumpFor(120);
  KillTimer(nullptr, timer);
  if (where) *where = menuRect;
  return menus;
}
}  // namespace

TEST_F(TitleButtons, ARightClickOnTheCaptionOpensTheSystemMenuOnlyWhereTheWindowHasOne) {
  auto rightClick = [](FramedForm& f) {
    const RECT wr = WindowRectOf(f.form.Handle());
    const LPARAM at = MAKELPARAM(wr.left + (wr.right - wr.left) / 2, wr.top + f.frame->Edges().Top / 2);
    return MenusOpenedBy([&] { SendMessageW(f.form.Handle(), WM_NCRBUTTONDOWN, HTCAPTION, at); });
  };
  FramedForm withMenu(*skin);
  EXPECT_EQ(rightClick(withMenu), 1);
  // No system-menu border icon: no menu, and so no Close that ends the window behind its back.
  FramedForm bare(*skin, bsSingle, 300, 150, false, {});
  bool closed = false;
  bare.form.OnClose = [&](TObject*, TCloseAction&) { closed = true; };
  EXPECT_EQ(rightClick(bare), 0);
  bare.frame->ShowSystemMenu(200, 200);
  PumpFor(60);
  EXPECT_FALSE(closed);
}

TEST_F(TitleButtons, TheIconButtonOpensTheSkinnedSystemMenuAndTwoClicksClose) {
  FramedForm f(*skin);
  HWND wnd = f.form.Handle();
  const TSkinTitleButton* icon = nullptr;
  for (auto& b : f.frame->CaptionButtons())
    if (b->Visible && b->SkinButton->Action == SysButtonAction::SystemMenuIcon) icon = b.get();
  ASSERT_NE(icon, nullptr);
  const RECT wr = WindowRectOf(wnd);
  const POINT at{wr.left + icon->Bounds.left + 2, wr.top + icon->Bounds.top + 2};
  bool closed = false;
  f.form.OnClose = [&](TObject*, TCloseAction&) { closed = true; };
  auto click = [&] {
    SendMessageW(wnd, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(at.x, at.y));
    SendMessageW(wnd, WM_NCLBUTTONUP, HTCAPTION, MAKELPARAM(at.x, at.y));
  };
  RECT menuRect{};
  // The skin's own system menu (owner-drawn, the frame's pop-up) at the click point + (1, 1).
  EXPECT_EQ(MenusOpenedBy(click, &menuRect), 1);
  EXPECT_EQ(menuRect.left, at.x + 1);
  EXPECT_EQ(menuRect.top, at.y + 1);
  const TPopupMenu* systemMenu = f.frame->Menus().SystemMenuPopup();
  ASSERT_NE(systemMenu, nullptr);
  EXPECT_EQ(systemMenu->Tag(), 33333);
  EXPECT_TRUE(systemMenu->OwnerDraw());
  EXPECT_FALSE(closed);
  // A second click within the double-click time closes the window instead.
  click();
  EXPECT_TRUE(PumpUntil([&] { return closed; }));
}

TEST_F(TitleButtons, AHotButtonTurnsBackWhenTheMouseLeaves) {
  FramedForm f(*skin);
  HWND wnd = f.form.Handle();
  SetForegroundWindow(wnd);
  PumpFor(30);
  TSkinTitleButton* close = nullptr;
  for (auto& b : f.frame->CaptionButtons())
    if (b->Visible && b->SkinButton->Action == 0) close = b.get();
  ASSERT_NE(close, nullptr);
  const RECT wr = WindowRectOf(wnd);
  const POINT over{wr.left + close->Bounds.left + 2, wr.top + close->Bounds.top + 2};
  SetCursorPos(over.x, over.y);
  SendMessageW(wnd, WM_NCMOUSEMOVE, HTCAPTION, MAKELPARAM(over.x, over.y));
  EXPECT_EQ(close->State, 3);
  EXPECT_EQ(f.frame->HotObject(), close);
  // The screen shows the button's hot picture (its keyed pixels show the caption bar).
  const RECT& b = close->Bounds;
  const TDataSkinSysButton& look = *close->SkinButton;
  const TBitmapPixels hot = skintest::ReferenceFrame(look.Image, b.right - b.left, b.bottom - b.top, look.FrameCount,
                                                     look.Visibility == 100 ? 4 : 3);
  PumpFor(30);
  const TBitmapPixels shown = ScreenPixelsOf(wnd);
  int compared = 0;
  for (int y = 0; y < hot.Height(); ++y)
    for (int x = 0; x < hot.Width(); ++x) {
      if (hot.GetPixel(x, y) == kSkinKeyColor) continue;
      ++compared;
      ASSERT_EQ(shown.GetPixel(b.left + x, b.top + y), hot.GetPixel(x, y)) << x << "," << y;
    }
  EXPECT_GT(compared, 0);
  // The cursor goes elsewhere: the hover timer (250 ms) lets the button go.
  SetCursorPos(wr.left + 5, wr.bottom + 40);
  EXPECT_TRUE(PumpUntil([&] { return close->State == 1; }, 1000));
  EXPECT_EQ(f.frame->HotObject(), nullptr);
}

using Detaching = StoredSkin;

TEST_F(Detaching, DetachRestoreGivesBackCaptionMenuColorAndClientSize) {
  FramedForm f(*skin, bsSizeable, 300, 180, true);
  HWND wnd = f.form.Handle();
  EXPECT_EQ(f.form.Color(), skin->Model().ButtonFaceColour);
  EXPECT_EQ(SendMessageW(wnd, SkinMessage::QuerySkinned, 0, 0), 1);
  RECT before{};
  GetClientRect(wnd, &before);
  f.frame->DetachRestore();
  PumpFor(30);
  EXPECT_TRUE((GetWindowLongPtrW(wnd, GWL_STYLE) & WS_CAPTION) == WS_CAPTION);
  EXPECT_NE(GetMenu(wnd), nullptr);
  EXPECT_EQ(f.form.Color(), clBtnFace);
  RECT after{};
  GetClientRect(wnd, &after);
  EXPECT_EQ(after.right, before.right);
  EXPECT_EQ(after.bottom, before.bottom);
  EXPECT_NE(SendMessageW(wnd, SkinMessage::QuerySkinned, 0, 0), 1);
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(wnd, region), ERROR);
  DeleteObject(region);
}

// A handler put in front of the form's WindowProc after the frame's stays there when the frame
// lets go: the frame takes its own handler out only while it is in front.
TEST_F(Detaching, AHandlerPutInFrontOfTheFramesStaysWhenTheFrameLetsGo) {
  FramedForm f(*skin);
  HWND wnd = f.form.Handle();
  auto below = f.form.WindowProc;
  int seen = 0;
  f.form.WindowProc = [&](TMessage& m) {
    if (m.Msg == WM_APP + 5) ++seen;
    below(m);
  };
  SendMessageW(wnd, WM_APP + 5, 0, 0);
  EXPECT_EQ(SendMessageW(wnd, SkinMessage::QuerySkinned, 0, 0), 1);  // through the frame below
  f.frame->DetachRestore();
  SendMessageW(wnd, WM_APP + 5, 0, 0);
  EXPECT_EQ(seen, 2);
  EXPECT_NE(SendMessageW(wnd, SkinMessage::QuerySkinned, 0, 0), 1);
  f.form.WindowProc = below;
}

TEST_F(Detaching, TheFormsPopupMenusDoNotOutliveTheFrameThatDrawsThem) {
  FramedForm f(*skin);
  auto* popup = new TPopupMenu(&f.form);
  auto* item = new TMenuItem(popup);
  item->SetCaption("Göster");
  popup->Items()->Add(item);
  f.frame->Menus().SetPopupsOwnerDraw(true);
  EXPECT_TRUE(popup->OwnerDraw());
  EXPECT_TRUE(static_cast<bool>(item->OnAdvancedDrawItem));
  // The window goes (and with it the frame's life): the items draw natively again.
  f.form.DestroyHandle();
  EXPECT_EQ(f.frame->FrameState(), TFrameState::Dead);
  delete f.frame;
  EXPECT_FALSE(popup->OwnerDraw());
  EXPECT_FALSE(static_cast<bool>(item->OnAdvancedDrawItem));
}

TEST(KeyedSkin, TheRegionLeavesOutTheKeyedCornersOfTheBorders) {
  auto skin = BuiltSkin("1.skn");  // rounded corners keyed in magenta
  ASSERT_EQ(skin->Model().BorderLeft->Trans, 1);
  FramedForm f(*skin);
  ASSERT_TRUE(f.frame->HasRegion());
  EXPECT_GT(ExpectRegionFollowsLeftBorder(f.form.Handle(), *skin, f.frame->Edges().Left), 0);
}

TEST(WindowCommands, TheDesktopsAnimationSettingIsGivenBackAfterEachCommand) {
  // The desktop's setting as the system keeps it (Wine keeps none): on, as the user chose.
  int desktop = 1;
  std::vector<int> written;
  const auto systemRead = TWindowAnimationSetting::Read;
  const auto systemWrite = TWindowAnimationSetting::Write;
  TWindowAnimationSetting::Read = [&] { return desktop; };
  TWindowAnimationSetting::Write = [&](int v) {
    desktop = v;
    written.push_back(v);
  };
  auto skin = BuiltSkin("stored.skn");
  {
    FramedForm f(*skin);
    HWND wnd = f.form.Handle();
    f.frame->Maximize();
    ASSERT_TRUE(PumpUntil([&] { return IsZoomed(wnd) != FALSE; }));
    EXPECT_EQ(desktop, 1);
    EXPECT_EQ(written, (std::vector<int>{0, 1})) << "paused for the command, then given back";
    f.frame->Restore();
    ASSERT_TRUE(PumpUntil([&] { return IsZoomed(wnd) == FALSE; }));
    EXPECT_EQ(desktop, 1);
    // A command that never arrives (the window goes first): the frame gives it back as it goes.
    f.frame->Minimize();
    EXPECT_EQ(desktop, 0);
  }
  EXPECT_EQ(desktop, 1);
  TWindowAnimationSetting::Read = systemRead;
  TWindowAnimationSetting::Write = systemWrite;
}
