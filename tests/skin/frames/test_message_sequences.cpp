// The messages a skinned form receives, in order, for the steps of its life: shown, activated,
// a click on its caption, a new skin, closed. Each table is the whole sequence (sent or
// posted, optional where the system may leave a message out), so that a message the frame
// adds, loses or sends twice shows up.
#include <gtest/gtest.h>

#include <memory>

#include "frame_test_support.h"
#include "message_sequence.h"

using namespace frametest;
using namespace msgseq;

namespace {
// Wine ends its move loop with the old WM_SETVISIBLE; Windows does not send it.
constexpr UINT kWineSetVisible = 0x0009;

struct MessageSequences : ::testing::Test {
  MessageSequences() {
    // The pointer away from the forms: a window under it gets mouse messages of its own.
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
    skin = BuiltSkin("stored.skn");
    windowed.Serve(*skin);
  }
  // A form with its window made but not yet shown.
  std::unique_ptr<TForm> NewForm(int left) {
    auto made = std::make_unique<TForm>(nullptr);
    made->SetBounds(left, 80, 320, 200);
    made->SetCaption("Form");
    made->HandleNeeded();
    return made;
  }
  // The form shown, active and framed.
  void ShowForm() {
    form = NewForm(80);
    form->Show();
    SetForegroundWindow(form->Handle());
    PumpFor(60);
    TSkinFormFrame* frame = FrameWindowSide()->FindForm(form->Handle());
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(PumpUntil([&] { return frame->FrameState() == TFrameState::Running; }));
  }
  WindowedManager windowed;
  std::unique_ptr<TSkinSet> skin;
  std::unique_ptr<TForm> form;
};
}  // namespace

TEST_F(MessageSequences, Show) {
  form = NewForm(80);
  MessageRecorder recorder;
  form->Show();
  PumpFor(100);
  EXPECT_TRUE(Follows(recorder, form->Handle(),
                      {
                          Sent(WM_SHOWWINDOW),
                          Sent(WM_WINDOWPOSCHANGING),
                          // About to appear: the manager asks whether it is skinned and attaches a frame, which
                          // takes the native caption away (the second style change comes from the frame's
                          // WM_GETMINMAXINFO, which writes the style again each time).
                          Sent(SkinMessage::QuerySkinned),
                          Sent(WM_STYLECHANGING),
                          Sent(WM_STYLECHANGED),
                          Sent(WM_WINDOWPOSCHANGING),
                          Sent(WM_GETMINMAXINFO),
                          Sent(WM_STYLECHANGING),
                          Sent(WM_STYLECHANGED),
                          Sent(WM_NCCALCSIZE),
                          Sent(WM_WINDOWPOSCHANGED),
                          Sent(WM_MOVE),
                          Sent(WM_WINDOWPOSCHANGING),
                          Sent(WM_NCCALCSIZE),
                          Sent(WM_WINDOWPOSCHANGED),
                          // Activated: asked again, the frame is already there.
                          Sent(SkinMessage::QuerySkinned),
                          Maybe(Sent(WM_QUERYNEWPALETTE)),
                          Maybe(Sent(WM_ACTIVATEAPP)),
                          Sent(WM_NCACTIVATE),
                          Sent(WM_ACTIVATE),
                          Maybe(Sent(WM_IME_SELECT)),
                          Maybe(Sent(WM_IME_SETCONTEXT)),
                          Sent(WM_SETFOCUS),
                          // Shown: the skinned frame painted once, then the client.
                          Sent(WM_NCPAINT),
                          Sent(WM_ERASEBKGND),
                          Sent(WM_WINDOWPOSCHANGED),
                          Sent(WM_SIZE),
                          Sent(WM_MOVE),
                          Sent(WM_WINDOWPOSCHANGING),
                          Posted(SkinMessage::FinishAttach),
                          Posted(WM_PAINT),
                      }));
}

TEST_F(MessageSequences, Activate) {
  ShowForm();
  std::unique_ptr<TForm> other = NewForm(440);
  other->Show();
  SetForegroundWindow(other->Handle());
  PumpFor(60);
  MessageRecorder recorder;
  SetForegroundWindow(form->Handle());
  PumpFor(100);
  // The frame paints itself in WM_NCACTIVATE: no WM_NCPAINT follows.
  EXPECT_TRUE(Follows(recorder, form->Handle(),
                      {
                          Sent(SkinMessage::QuerySkinned),
                          Maybe(Sent(WM_QUERYNEWPALETTE)),
                          Sent(WM_NCACTIVATE),
                          Sent(WM_ACTIVATE),
                          Maybe(Sent(WM_IME_SETCONTEXT)),
                          Sent(WM_SETFOCUS),
                      }));
}

TEST_F(MessageSequences, CaptionClick) {
  ShowForm();
  const RECT wr = WindowRectOf(form->Handle());
  SetCursorPos((wr.left + wr.right) / 2, wr.top + FrameWindowSide()->FindForm(form->Handle())->Edges().Top / 2);
  PumpFor(30);
  MessageRecorder recorder;
  INPUT click[2]{};
  click[0].type = click[1].type = INPUT_MOUSE;
  click[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  click[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  SendInput(2, click, sizeof(INPUT));
  PumpFor(100);
  // Nothing on the caption bar under the pointer: the press goes on to the system's move loop,
  // which the release ends without a move.
  EXPECT_TRUE(Follows(recorder, form->Handle(),
                      {
                          Sent(WM_NCHITTEST),
                          Posted(WM_NCLBUTTONDOWN),
                          Sent(WM_SYSCOMMAND),
                          Sent(WM_GETMINMAXINFO),
                          Sent(WM_STYLECHANGING),
                          Sent(WM_STYLECHANGED),
                          Sent(WM_ENTERSIZEMOVE),
                          Posted(WM_LBUTTONUP),
                          Sent(WM_CAPTURECHANGED),
                          Sent(WM_EXITSIZEMOVE),
                          Maybe(Sent(kWineSetVisible)),
                      }));
}

TEST_F(MessageSequences, SkinSwitch) {
  ShowForm();
  MessageRecorder recorder;
  SwitchSkin(*windowed.manager, *skin, "3.skn");
  PumpFor(60);
  // The window is fitted to the new skin's edges (moved and framed anew, painted once each
  // time), then its client painted once.
  EXPECT_TRUE(Follows(recorder, form->Handle(),
                      {
                          Sent(WM_WINDOWPOSCHANGING),
                          Sent(WM_GETMINMAXINFO),
                          Sent(WM_STYLECHANGING),
                          Sent(WM_STYLECHANGED),
                          Sent(WM_NCCALCSIZE),
                          Sent(WM_NCPAINT),
                          Sent(WM_ERASEBKGND),
                          Sent(WM_WINDOWPOSCHANGED),
                          Sent(WM_MOVE),
                          Sent(WM_WINDOWPOSCHANGING),
                          Sent(WM_NCCALCSIZE),
                          Sent(WM_NCPAINT),
                          Sent(WM_ERASEBKGND),
                          Sent(WM_WINDOWPOSCHANGED),
                          Posted(WM_PAINT),
                      }));
}

TEST_F(MessageSequences, Close) {
  ShowForm();
  const HWND wnd = form->Handle();
  MessageRecorder recorder;
  PostMessageW(wnd, WM_CLOSE, 0, 0);
  PumpFor(60);
  EXPECT_FALSE(IsWindowVisible(wnd));
  form.reset();
  PumpFor(30);
  // Hidden by its close, deactivated, then destroyed with the form.
  EXPECT_TRUE(Follows(recorder, wnd,
                      {
                          Posted(WM_CLOSE),
                          Sent(WM_SHOWWINDOW),
                          Sent(WM_WINDOWPOSCHANGING),
                          Sent(WM_WINDOWPOSCHANGED),
                          Sent(WM_NCACTIVATE),
                          Sent(WM_ACTIVATE),
                          Maybe(Sent(WM_ACTIVATEAPP)),
                          Sent(WM_KILLFOCUS),
                          Maybe(Sent(WM_IME_SETCONTEXT)),
                          Sent(WM_DESTROY),
                          Sent(WM_NCDESTROY),
                      }));
}
