// What an engine that hooks every window relies on: the control object sees its window from
// the first message, hooks join one subclass chain above the toolkit, objects that hook a
// control follow its window when it is made again, and device contexts are guarded.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "toolkit/win/canvas.h"
#include "toolkit/win/dc_guards.h"
#include "toolkit/win/form.h"
#include "toolkit/win/graphics.h"
#include "toolkit/win/menus.h"
#include "toolkit/win/screen.h"
#include "toolkit/win/stdctrls.h"
#include "toolkit/win/window_hook.h"
#include "win_test_support.h"

namespace {
// A panel (a toolkit window class) and an edit (a system class) that note every message their
// toolkit handler gets, and whether the control was bound to its window at that moment.
template <class Base>
class Recording : public Base {
public:
  using Base::Base;
  std::vector<UINT> seen;
  bool boundAtCreate = false;

protected:
  void WndProc(TMessage& msg) override {
    seen.push_back(msg.Msg);
    if (msg.Msg == WM_CREATE) {
      HWND wnd = this->Handle();
      boundAtCreate = wnd && TWinControl::FindControl(wnd) == this;
    }
    Base::WndProc(msg);
  }
};

bool InOrder(const std::vector<UINT>& seen, const std::vector<UINT>& expected) {
  auto at = seen.begin();
  for (UINT m : expected) {
    at = std::find(at, seen.end(), m);
    if (at == seen.end()) return false;
    ++at;
  }
  return true;
}

struct FormFixture : ::testing::Test {
  FormFixture() {
    form.SetBounds(40, 40, 300, 200);
    form.Show();
  }
  TForm form{nullptr};
};

constexpr UINT kProbe = WM_APP + 7;
}  // namespace

using WindowBinding = FormFixture;

TEST_F(WindowBinding, ToolkitAndSystemClassesSeeTheirFirstMessages) {
  auto* panel = new Recording<TPanel>(&form);
  auto* edit = new Recording<TEdit>(&form);
  MessageRecorder recorder;
  panel->SetParent(&form);
  edit->SetParent(&form);
  ASSERT_TRUE(panel->HandleAllocated() && edit->HandleAllocated());
  for (auto* seen : {&panel->seen, &edit->seen}) {
    ASSERT_FALSE(seen->empty());
    EXPECT_EQ(seen->front(), static_cast<UINT>(WM_NCCREATE));
    EXPECT_TRUE(InOrder(*seen, {WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE}));
  }
  EXPECT_TRUE(panel->boundAtCreate);
  EXPECT_TRUE(edit->boundAtCreate);
  // The thread saw the same order of creation messages as the control.
  EXPECT_EQ(recorder.Of(panel->Handle(), {WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE}),
            (std::vector<UINT>{WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE}));
}

TEST_F(WindowBinding, ATopLevelFormIsBoundBeforeItsCreateMessage) {
  Recording<TForm> other(nullptr);
  other.SetBounds(60, 60, 200, 100);
  other.Handle();
  EXPECT_TRUE(other.boundAtCreate);
  EXPECT_TRUE(InOrder(other.seen, {WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE}));
}

using SubclassChain = FormFixture;

namespace {
std::vector<std::string>* plainLog = nullptr;
WNDPROC plainPrevious = nullptr;
LRESULT CALLBACK PlainProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kProbe && plainLog) plainLog->push_back("plain");
  return CallWindowProcW(plainPrevious, wnd, msg, wp, lp);
}
}  // namespace

TEST_F(SubclassChain, HooksSitAboveTheToolkitBesideAPlainReplacement) {
  auto* panel = new Recording<TPanel>(&form);
  panel->SetParent(&form);
  HWND wnd = panel->Handle();
  std::vector<std::string> log;
  TWindowHook hook([&](TMessage& m) {
    if (m.Msg == kProbe || m.Msg == WM_ERASEBKGND) log.push_back(m.Msg == kProbe ? "hook" : "hook-erase");
    hook.CallPrevious(m);
  });
  hook.Attach(wnd);
  // The toolkit answers erasing without passing it on: the hook still sees it first.
  EXPECT_EQ(SendMessageW(wnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(GetDC(wnd)), 0), 1);
  EXPECT_EQ(log, (std::vector<std::string>{"hook-erase"}));
  log.clear();

  plainLog = &log;
  plainPrevious =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PlainProc)));
  panel->seen.clear();
  SendMessageW(wnd, kProbe, 0, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"plain", "hook"}));
  EXPECT_EQ(std::count(panel->seen.begin(), panel->seen.end(), kProbe), 1);

  // Taking the hook out keeps the plain procedure and the toolkit in the chain.
  hook.Detach();
  log.clear();
  panel->seen.clear();
  SendMessageW(wnd, kProbe, 0, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"plain"}));
  EXPECT_EQ(std::count(panel->seen.begin(), panel->seen.end(), kProbe), 1);
  SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(plainPrevious));
  plainLog = nullptr;
}

TEST_F(SubclassChain, AHookMayRemoveItselfOrTheOneBelowWhileHandling) {
  auto* panel = new Recording<TPanel>(&form);
  panel->SetParent(&form);
  HWND wnd = panel->Handle();
  std::vector<std::string> log;
  TWindowHook lower([&](TMessage& m) {
    if (m.Msg == kProbe) log.push_back("lower");
    lower.CallPrevious(m);
  });
  TWindowHook upper([&](TMessage& m) {
    if (m.Msg == kProbe) {
      log.push_back("upper");
      if (m.WParam == 1) lower.Detach();
      if (m.WParam == 2) upper.Detach();
    }
    upper.CallPrevious(m);
  });
  lower.Attach(wnd);
  upper.Attach(wnd);
  panel->seen.clear();
  SendMessageW(wnd, kProbe, 1, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"upper"}));
  EXPECT_FALSE(lower.Attached());
  SendMessageW(wnd, kProbe, 2, 0);
  EXPECT_FALSE(upper.Attached());
  SendMessageW(wnd, kProbe, 0, 0);
  EXPECT_EQ(log, (std::vector<std::string>{"upper", "upper"}));
  // Every one of the three messages reached the toolkit.
  EXPECT_EQ(std::count(panel->seen.begin(), panel->seen.end(), kProbe), 3);
}

TEST_F(SubclassChain, NestedSendsUnwindInOrder) {
  auto* panel = new Recording<TPanel>(&form);
  panel->SetParent(&form);
  HWND wnd = panel->Handle();
  std::vector<WPARAM> hooked;
  TWindowHook hook([&](TMessage& m) {
    if (m.Msg == kProbe) {
      hooked.push_back(m.WParam);
      if (m.WParam < 3) SendMessageW(wnd, kProbe, m.WParam + 1, 0);
    }
    hook.CallPrevious(m);
  });
  hook.Attach(wnd);
  MessageRecorder recorder;
  panel->seen.clear();
  SendMessageW(wnd, kProbe, 1, 0);
  EXPECT_EQ(hooked, (std::vector<WPARAM>{1, 2, 3}));
  EXPECT_EQ(std::count(panel->seen.begin(), panel->seen.end(), kProbe), 3);
  std::vector<WPARAM> order;
  for (const auto& e : recorder.All())
    if (e.Window == wnd && e.Msg == kProbe) order.push_back(e.WParam);
  EXPECT_EQ(order, (std::vector<WPARAM>{1, 2, 3}));
}

using HandleWatch = FormFixture;

TEST_F(HandleWatch, AHookFollowsTheControlsNewWindow) {
  auto* panel = new TPanel(&form);
  panel->SetParent(&form);
  HWND first = panel->Handle();
  int probes = 0;
  TWindowHook hook([&](TMessage& m) {
    if (m.Msg == kProbe) ++probes;
    hook.CallPrevious(m);
  });
  hook.Attach(first);
  std::vector<HWND> told;
  int id = panel->AddHandleWatch([&](HWND wnd) {
    told.push_back(wnd);
    if (wnd) hook.Attach(wnd);
  });
  panel->DestroyHandle();
  EXPECT_FALSE(hook.Attached());
  HWND second = panel->Handle();
  ASSERT_EQ(told.size(), 2u);
  EXPECT_EQ(told[0], nullptr);
  EXPECT_EQ(told[1], second);
  SendMessageW(second, kProbe, 0, 0);
  EXPECT_EQ(probes, 1);
  panel->RemoveHandleWatch(id);
  panel->DestroyHandle();
  panel->Handle();
  EXPECT_EQ(told.size(), 2u);
}

TEST(DcGuards, OffScreenCompositionAndSelectionsComeBack) {
  TBitmap target(8, 8);
  HDC dc = target.Canvas().Handle();
  HGDIOBJ brushBefore = GetCurrentObject(dc, OBJ_BRUSH);
  {
    TMemoryDC memory(dc, 8, 8);
    HBRUSH red = CreateSolidBrush(RGB(200, 10, 20));
    {
      TSelectObject select(memory, red);
      EXPECT_EQ(GetCurrentObject(memory, OBJ_BRUSH), red);
      PatBlt(memory, 0, 0, 8, 8, PATCOPY);
    }
    EXPECT_NE(GetCurrentObject(memory, OBJ_BRUSH), red);
    DeleteObject(red);
    memory.BlitTo(dc, 0, 0);
  }
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brushBefore);
  EXPECT_EQ(target.Pixels().GetPixel(7, 7), static_cast<TColor>(RGB(200, 10, 20)));
}

TEST(MenuMeasure, ItemsAreMeasuredInTheSystemMenuFont) {
  TPopupMenu menu(nullptr);
  menu.SetOwnerDraw(true);
  auto* item = new TMenuItem(&menu);
  item->SetCaption("Mesajlar Başlasın");
  menu.Items()->Add(item);
  MEASUREITEMSTRUCT mis{};
  mis.CtlType = ODT_MENU;
  mis.itemID = item->Command();
  mis.itemData = reinterpret_cast<ULONG_PTR>(item);
  ASSERT_TRUE(TMenuItem::HandleMeasureItem(&mis));
  TClientDC dc(nullptr);
  TSelectObject font(dc, Screen->MenuFontHandle());
  SIZE size{};
  GetTextExtentPoint32W(dc, L"Mesajlar Başlasın", 17, &size);
  EXPECT_EQ(static_cast<int>(mis.itemWidth), size.cx + 2 * GetSystemMetrics(SM_CXMENUCHECK));
}
