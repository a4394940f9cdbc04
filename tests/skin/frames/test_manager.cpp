// The skin manager's window side with its thread hook on real windows: which windows get a
// frame when activated, which skin component they get, pop-up menu windows wrapped while they
// live, message boxes widened for their caption, the deferred actions, dead frames purged, and
// a plain Win32 MDI frame with its children.
#include <gtest/gtest.h>

#include <string>

#include "frame_test_support.h"
#include "skin/data/skin_manager.h"
#include "skin/frames/skin_engine.h"
#include "skin/frames/window_side.h"
#include "toolkit/core/utf8.h"
#include "toolkit/win/menus.h"
#include "toolkit/win/stdctrls.h"

using namespace frametest;

namespace {
LRESULT CALLBACK AnswersSkinned(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == SkinMessage::QuerySkinned) return 1;
  return DefWindowProcW(wnd, msg, wp, lp);
}

HWND MakeWindow(const wchar_t* className, WNDPROC proc, DWORD style, int w, int h, HWND parent = nullptr) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = className;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  RegisterClassW(&wc);
  return CreateWindowExW(0, className, L"w", style, 100, 100, w, h, parent, nullptr, wc.hInstance, nullptr);
}

struct Manager : ::testing::Test {
  Manager() {
    skin = BuiltSkin("stored.skn");
    windowed.Serve(*skin);
    side = FrameWindowSide();
  }
  ~Manager() override { forms.clear(); }
  TForm& ShownForm(int tag = 0, TFormBorderStyle border = bsSizeable) {
    forms.push_back(std::make_unique<TForm>(nullptr));
    TForm& form = *forms.back();
    form.SetTag(tag);
    form.SetBorderStyle(border);
    form.SetBounds(80, 80, 320, 200);
    form.SetCaption("Form");
    form.Show();
    SetForegroundWindow(form.Handle());
    PumpFor(40);
    return form;
  }
  WindowedManager windowed;
  TSkinManager* manager = windowed.manager;
  TFrameWindowSide* side = nullptr;
  std::unique_ptr<TSkinSet> skin;
  std::vector<std::unique_ptr<TForm>> forms;
};
}  // namespace

TEST_F(Manager, AnActivatedFormGetsOneFrameAndTheRefusalsLeaveOthersNative) {
  ASSERT_NE(side, nullptr);
  TForm& form = ShownForm();
  TSkinFormFrame* frame = side->FindForm(form.Handle());
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->Owner(), &form);
  EXPECT_TRUE(manager->Started());
  EXPECT_TRUE(PumpUntil([&] { return frame->FrameState() == TFrameState::Running; }));
  EXPECT_EQ(SendMessageW(form.Handle(), SkinMessage::QuerySkinned, 0, 0), 1);
  EXPECT_FALSE(manager->AttachWindow(reinterpret_cast<TSkinWindow>(form.Handle())));
  EXPECT_EQ(side->FormList().size(), 1u);

  TForm& spared = ShownForm(99);
  EXPECT_EQ(side->FindForm(spared.Handle()), nullptr);
  TForm& tagged = ShownForm(199);  // only the literal 99 spares a form
  EXPECT_NE(side->FindForm(tagged.Handle()), nullptr);

  HWND empty = MakeWindow(L"ZeroSized", DefWindowProcW, WS_POPUP | WS_VISIBLE, 0, 0);
  HWND already = MakeWindow(L"SkinnedElsewhere", AnswersSkinned, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 100);
  HWND app = MakeWindow(L"TApplication", DefWindowProcW, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 100);
  HWND child = MakeWindow(L"PlainChild", DefWindowProcW, WS_CHILD | WS_VISIBLE, 50, 50, form.Handle());
  for (HWND w : {empty, already, app, child}) {
    EXPECT_FALSE(manager->AttachWindow(reinterpret_cast<TSkinWindow>(w)));
    EXPECT_EQ(side->FindForm(w), nullptr);
  }
  manager->SetActive(false);
  HWND off = MakeWindow(L"WhileOff", DefWindowProcW, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 200, 100);
  EXPECT_FALSE(manager->AttachWindow(reinterpret_cast<TSkinWindow>(off)));
  for (HWND w : {empty, already, app, child, off}) DestroyWindow(w);
}

TEST_F(Manager, BareWindowsGetFramesTheManagerFreesWhenTheyDie) {
  HWND bare = MakeWindow(L"BareWindow", DefWindowProcW, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 240, 120);
  SetForegroundWindow(bare);
  PumpFor(40);
  TSkinFormFrame* frame = side->FindForm(bare);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->Owner(), nullptr);
  DestroyWindow(bare);
  EXPECT_EQ(frame->FrameState(), TFrameState::Dead);
  side->PurgeDeadForms();
  EXPECT_EQ(side->FindForm(bare), nullptr);
  EXPECT_TRUE(side->FormList().empty());
}

// A form is framed as it is about to appear, also when it is shown without being activated:
// the frame is running and fitted before anything is painted, and the client keeps its size all
// along (the native menu going and the fit cancel out), so a child filling it is never resized.
TEST_F(Manager, AFormIsFramedAndFittedBeforeItAppearsAndItsClientKeepsItsSize) {
  for (bool activated : {true, false}) {
    SCOPED_TRACE(activated ? "shown and activated" : "shown without activation");
    forms.push_back(std::make_unique<TForm>(nullptr));
    TForm& form = *forms.back();
    form.SetBounds(80, 80, 320, 200);
    form.SetCaption("Form");
    auto* menu = new TMainMenu(&form);
    auto* item = new TMenuItem(&form);
    item->SetCaption("&Dosya");
    menu->Items()->Add(item);
    form.SetMenu(menu);
    auto* fill = new TPanel(&form);
    fill->SetParent(&form);
    fill->SetAlign(alClient);
    form.HandleNeeded();
    RECT before{};
    GetClientRect(form.Handle(), &before);
    int resized = 0;
    fill->OnResize = [&](TObject*) { ++resized; };
    if (activated)
      form.Show();
    else
      SetWindowPos(form.Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    TSkinFormFrame* frame = side->FindForm(form.Handle());
    ASSERT_NE(frame, nullptr);
    EXPECT_EQ(frame->FrameState(), TFrameState::Running);
    EXPECT_EQ(GetMenu(form.Handle()), nullptr);
    RECT after{};
    GetClientRect(form.Handle(), &after);
    EXPECT_EQ(after.right, before.right);
    EXPECT_EQ(after.bottom, before.bottom);
    EXPECT_EQ(resized, 0);
    PumpFor(40);
    EXPECT_EQ(resized, 0);
    EXPECT_EQ(frame->FrameState(), TFrameState::Running);
  }
  EXPECT_EQ(side->FormList().size(), 2u);
}

TEST_F(Manager, EachWindowFindsItsSkinComponent) {
  // The system's dialog class itself (registering a class of that name would replace it for the
  // whole process).
  HWND dialogClass = CreateWindowExW(0, L"#32770", L"d", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
  HWND plain = MakeWindow(L"PlainTop", DefWindowProcW, WS_POPUP, 100, 100);
  // Only a main-form component: every window takes it.
  EXPECT_EQ(side->FindSkinFor(dialogClass), skin.get());
  auto dialogSkin = BuiltSkin("2.skn");
  dialogSkin->SetSkinFormtype(sfDialog);
  auto lastMain = BuiltSkin("3.skn");
  manager->RegisterSkinData(dialogSkin.get());
  manager->RegisterSkinData(lastMain.get());
  EXPECT_EQ(side->FindSkinFor(dialogClass), dialogSkin.get());
  EXPECT_EQ(side->FindSkinFor(plain), lastMain.get());
  manager->UnregisterSkinData(skin.get());
  manager->UnregisterSkinData(lastMain.get());
  // No main-form component left: the first registered.
  EXPECT_EQ(side->FindSkinFor(plain), dialogSkin.get());
  manager->UnregisterSkinData(dialogSkin.get());
  manager->RegisterSkinData(skin.get());
  DestroyWindow(dialogClass);
  DestroyWindow(plain);
}

TEST_F(Manager, AMessageBoxWhoseCaptionIsWiderIsWidenedAndItsButtonsMoved) {
  const std::wstring caption(70, L'M');
  struct Seen {
    int width = 0, needed = 0, clientBefore = 0, clientAfter = 0, button = -1, buttonWidth = 0;
  } seen;
  static Seen* current = nullptr;
  static int ticks = 0;
  current = &seen;
  ticks = 0;
  UINT_PTR timer = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR id, DWORD) {
    HWND box = FindWindowW(L"#32770", nullptr);
    // A few ticks for the frame to finish its attachment (posted), then read and close.
    if (!current || !box || ++ticks < 4) return;
    KillTimer(nullptr, id);
    if (TSkinFormFrame* frame = FrameWindowSide() ? FrameWindowSide()->FindForm(box) : nullptr) {
      RECT b{}, c{}, r{};
      GetWindowRect(box, &b);
      GetClientRect(box, &c);
      GetWindowRect(GetDlgItem(box, IDOK), &r);
      MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&r), 2);
      const TDataSkinTitle& t = *frame->SkinData()->Model().Title;
      current->width = b.right - b.left;
      current->needed = (static_cast<int>(Utf8ToWide(frame->CaptionText()).size()) + 7) * frame->SpaceWidth() +
                        frame->Edges().Left + frame->Edges().Right + t.LeftWidth + t.RightWidth + t.TXTBackleft +
                        t.TXTBackRight;
      current->clientBefore = frame->InitialClientRect().right;
      current->clientAfter = c.right;
      current->button = r.left;
      current->buttonWidth = r.right - r.left;
    }
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  });
  MessageBoxW(nullptr, L"x", caption.c_str(), MB_OK);
  KillTimer(nullptr, timer);
  current = nullptr;
  ASSERT_GT(seen.needed, 0) << "the message box got no frame";
  EXPECT_LT(seen.clientBefore + 8, seen.needed);
  EXPECT_EQ(seen.width, seen.needed);
  // The button, centred by the box's own layout, moved right by half the widening (the box
  // finishes its own layout after the frame took its client size, a few pixels apart).
  const int edges = seen.needed - seen.clientAfter;
  EXPECT_NEAR(seen.button, (seen.clientBefore - seen.buttonWidth) / 2 + (seen.needed - (seen.clientBefore + edges)) / 2,
              4);
}

TEST_F(Manager, ANewSkinIsAppliedSwitchingOffDetachesAndOnAttachesAgain) {
  TForm& form = ShownForm();
  TSkinFormFrame* frame = side->FindForm(form.Handle());
  ASSERT_NE(frame, nullptr);
  ASSERT_TRUE(PumpUntil([&] { return frame->FrameState() == TFrameState::Running; }));
  const int oldTop = frame->Edges().Top;
  // Azure's caption bar is taller than the stored skin's.
  const std::string bytes = TempDir::Read(std::string(QUILLIMO_SKINS_DIR) + "\\1.skn");
  ASSERT_TRUE(skin->LoadSkinImage({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}));
  manager->SetPendingSkin(skin.get());
  manager->DropSystemButtons();
  EXPECT_TRUE(frame->CaptionButtons().empty());
  manager->RequestAction(TSkinAction::ApplyChangedSkin, 250);
  ASSERT_TRUE(PumpUntil([&] { return !manager->ActionTimer().Enabled(); }, 2000));
  const int newTop = skin->Model().BorderTop->Image.Height() / skin->Model().BorderTop->FrameCount;
  EXPECT_NE(newTop, oldTop);
  EXPECT_EQ(frame->Edges().Top, newTop);
  EXPECT_FALSE(frame->CaptionButtons().empty());
  EXPECT_EQ(form.Color(), skin->Model().ButtonFaceColour);
  RECT client{};
  GetClientRect(form.Handle(), &client);
  POINT origin{0, 0};
  ClientToScreen(form.Handle(), &origin);
  RECT wr{};
  GetWindowRect(form.Handle(), &wr);
  EXPECT_EQ(origin.y - wr.top, newTop);

  manager->SetPendingSkin(skin.get());
  manager->RequestAction(TSkinAction::Deactivate, 250);
  ASSERT_TRUE(PumpUntil([&] { return side->FormList().empty(); }, 2000));
  EXPECT_FALSE(manager->Active());
  EXPECT_NE(SendMessageW(form.Handle(), SkinMessage::QuerySkinned, 0, 0), 1);
  EXPECT_TRUE((GetWindowLongPtrW(form.Handle(), GWL_STYLE) & WS_CAPTION) == WS_CAPTION);

  manager->SetPendingSkin(skin.get());
  manager->RequestAction(TSkinAction::Activate, 250);
  ASSERT_TRUE(PumpUntil([&] { return side->FindForm(form.Handle()) != nullptr; }, 2000));
  EXPECT_TRUE(manager->Active());
}

TEST_F(Manager, TheRegionIsCutAnewForEverySkinWhateverTheWindowsSize) {
  // Meadow and Rosewood give a window the same edges and caption height, with corners of other
  // radii: the window keeps its size across the switch, the region must not.
  TForm& form = ShownForm();
  TSkinFormFrame* frame = side->FindForm(form.Handle());
  ASSERT_TRUE(PumpUntil([&] { return frame->FrameState() == TFrameState::Running; }));
  SwitchSkin(*manager, *skin, "3.skn");
  const RECT before = WindowRectOf(form.Handle());
  SwitchSkin(*manager, *skin, "4.skn");
  const RECT after = WindowRectOf(form.Handle());
  ASSERT_EQ(after.right - after.left, before.right - before.left);
  ASSERT_EQ(after.bottom - after.top, before.bottom - before.top);
  EXPECT_GT(ExpectRegionFollowsLeftBorder(form.Handle(), *skin, frame->Edges().Left, frame->WindowActive()), 0);

  // A maximised window keeps the screen's size in every skin.
  SwitchSkin(*manager, *skin, "stored.skn");
  frame->Maximize();
  ASSERT_TRUE(PumpUntil([&] { return IsZoomed(form.Handle()) != FALSE; }));
  PumpFor(30);
  SwitchSkin(*manager, *skin, "1.skn");
  EXPECT_GT(ExpectRegionFollowsLeftBorder(form.Handle(), *skin, frame->Edges().Left, frame->WindowActive()), 0);
}

TEST_F(Manager, AFormOnlyComponentActsOnItsOwnForm) {
  TForm& other = ShownForm();
  TForm& own = ShownForm();
  // A second component that skins only the form that owns it, with another skin.
  auto* formOnly = new TSkinSet(&own);
  const std::string bytes = TempDir::Read(std::string(QUILLIMO_SKINS_DIR) + "\\2.skn");
  ASSERT_TRUE(formOnly->LoadSkinImage({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}));
  formOnly->SetSkinFormtype(sfOnlyThisForm);
  manager->RegisterSkinData(formOnly);
  // Both forms were framed with the main-form skin when activated; switch them off first.
  manager->SetPendingSkin(skin.get());
  manager->RequestAction(TSkinAction::Deactivate, 250);
  ASSERT_TRUE(PumpUntil([&] { return side->FormList().empty(); }, 2000));

  // Action 1 of the form-only component frames only its owner, with its own skin.
  manager->SetPendingSkin(formOnly);
  manager->RequestAction(TSkinAction::Activate, 250);
  ASSERT_TRUE(PumpUntil([&] { return side->FindForm(own.Handle()) != nullptr; }, 2000));
  EXPECT_EQ(side->FindForm(own.Handle())->SkinData(), formOnly);
  EXPECT_EQ(side->FindForm(other.Handle()), nullptr);

  // Action 2 detaches only the frame that uses it.
  manager->SetActive(true);
  ASSERT_TRUE(manager->AttachWindow(reinterpret_cast<TSkinWindow>(other.Handle())));
  PumpFor(30);
  manager->SetPendingSkin(formOnly);
  manager->RequestAction(TSkinAction::Deactivate, 250);
  ASSERT_TRUE(PumpUntil([&] { return side->FindForm(own.Handle()) == nullptr; }, 2000));
  EXPECT_NE(side->FindForm(other.Handle()), nullptr);
  manager->UnregisterSkinData(formOnly);
}

TEST_F(Manager, PopupMenuWindowsAreWrappedWhileTheyLive) {
  TForm& form = ShownForm();
  TPopupMenu popup(nullptr);
  auto* item = new TMenuItem(&popup);
  item->SetCaption("Göster");
  popup.Items()->Add(item);
  static int answered = 0;
  static std::size_t wrappers = 0;
  answered = 0;
  wrappers = 0;
  UINT_PTR timer = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR id, DWORD) {
    HWND menu = FindWindowW(L"#32768", nullptr);
    if (!menu || !IsWindowVisible(menu)) return;
    KillTimer(nullptr, id);
    answered = static_cast<int>(SendMessageW(menu, SkinMessage::QuerySkinned, 0, 0));
    wrappers = FrameWindowSide()->PopupList().size();
    EndMenu();
  });
  RECT r{};
  GetWindowRect(form.Handle(), &r);
  popup.Popup(r.left + 40, r.top + 40);
  KillTimer(nullptr, timer);
  PumpFor(50);
  EXPECT_EQ(answered, 1);
  EXPECT_GE(wrappers, 1u);
  EXPECT_TRUE(PumpUntil([&] { return side->PopupList().empty(); }, 2000));
}

namespace {
LRESULT CALLBACK MdiFrameProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  static HWND client = nullptr;
  if (msg == WM_CREATE) {
    CLIENTCREATESTRUCT ccs{};
    ccs.idFirstChild = 5000;
    client = CreateWindowExW(0, L"MDICLIENT", nullptr, WS_CHILD | WS_CLIPCHILDREN | WS_VISIBLE, 0, 0, 0, 0, wnd,
                             nullptr, GetModuleHandleW(nullptr), &ccs);
    return 0;
  }
  return DefFrameProcW(wnd, client, msg, wp, lp);
}
LRESULT CALLBACK MdiChildProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) { return DefMDIChildProcW(wnd, msg, wp, lp); }
}  // namespace

TEST_F(Manager, AnMdiFrameAndItsChildrenGetFramesOfTheirKind) {
  WNDCLASSW child{};
  child.lpfnWndProc = MdiChildProc;
  child.hInstance = GetModuleHandleW(nullptr);
  child.lpszClassName = L"QuillimoMdiChild";
  child.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  RegisterClassW(&child);
  HMENU menu = CreateMenu();
  HMENU window = CreatePopupMenu();
  AppendMenuW(window, MF_STRING, 100, L"Döşe");
  AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(window), L"&Pencere");
  HWND frameWnd = MakeWindow(L"QuillimoMdiFrame", MdiFrameProc, WS_OVERLAPPEDWINDOW, 500, 360);
  SetMenu(frameWnd, menu);
  ShowWindow(frameWnd, SW_SHOW);
  SetForegroundWindow(frameWnd);
  PumpFor(50);
  TSkinFormFrame* frame = side->FindForm(frameWnd);
  ASSERT_NE(frame, nullptr);
  EXPECT_EQ(frame->FrameKind(), TFrameKind::MdiFrame);
  ASSERT_NE(frame->MdiClientWindow(), nullptr);
  EXPECT_EQ(reinterpret_cast<HWND>(manager->MdiClient()), frame->MdiClientWindow());
  EXPECT_NE(frame->Menus().Bar(), nullptr);

  MDICREATESTRUCTW mcs{};
  mcs.szClass = L"QuillimoMdiChild";
  mcs.szTitle = L"Belge";
  mcs.hOwner = GetModuleHandleW(nullptr);
  mcs.x = mcs.y = 10;
  mcs.cx = 220;
  mcs.cy = 150;
  auto childWnd =
      reinterpret_cast<HWND>(SendMessageW(frame->MdiClientWindow(), WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&mcs)));
  ASSERT_NE(childWnd, nullptr);
  // The child is framed by activation or by the client's menu refresh, with its own kind.
  SendMessageW(frame->MdiClientWindow(), WM_MDIREFRESHMENU, 0, 0);
  PumpFor(80);
  TSkinFormFrame* childFrame = side->FindForm(childWnd);
  ASSERT_NE(childFrame, nullptr);
  EXPECT_EQ(childFrame->FrameKind(), TFrameKind::MdiChild);
  EXPECT_EQ(side->CountMdiChildren(), 1);
  EXPECT_EQ(childFrame->Menus().Bar(), nullptr);
  // Maximising the child gives it its native caption back for the system to draw in the bar.
  SendMessageW(frame->MdiClientWindow(), WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(childWnd), 0);
  PumpFor(80);
  EXPECT_EQ(childFrame->WindowState(), TFrameWindowState::Maximized);
  EXPECT_TRUE(childFrame->NativeCaption());
  SendMessageW(frame->MdiClientWindow(), WM_MDIRESTORE, reinterpret_cast<WPARAM>(childWnd), 0);
  PumpFor(80);
  EXPECT_EQ(childFrame->WindowState(), TFrameWindowState::Normal);
  SendMessageW(frame->MdiClientWindow(), WM_MDIDESTROY, reinterpret_cast<WPARAM>(childWnd), 0);
  PumpFor(30);
  side->PurgeDeadForms();
  EXPECT_EQ(side->CountMdiChildren(), 0);
  DestroyWindow(frameWnd);
  side->PurgeDeadForms();
  EXPECT_TRUE(side->FormList().empty());
}

TEST_F(Manager, AFormShownWithoutActivationAndHiddenAtOnceTakesTheNextSkinLikeTheOthers) {
  TForm& shown = ShownForm();
  forms.push_back(std::make_unique<TForm>(nullptr));
  TForm& quiet = *forms.back();
  quiet.SetBounds(120, 120, 200, 120);
  // Framed as it appears, then hidden before any message of its own ran.
  ShowWindow(quiet.Handle(), SW_SHOWNOACTIVATE);
  ShowWindow(quiet.Handle(), SW_HIDE);
  TSkinFormFrame* quietFrame = side->FindForm(quiet.Handle());
  ASSERT_NE(quietFrame, nullptr);

  const std::string bytes = TempDir::Read(std::string(QUILLIMO_SKINS_DIR) + "\\1.skn");
  ASSERT_TRUE(skin->LoadSkinImage({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}));
  manager->SetPendingSkin(skin.get());
  manager->RequestAction(TSkinAction::ApplyChangedSkin, 250);
  ASSERT_TRUE(PumpUntil([&] { return !manager->ActionTimer().Enabled(); }, 2000));
  const int newTop = skin->Model().BorderTop->Image.Height() / skin->Model().BorderTop->FrameCount;
  for (TForm* form : {&shown, &quiet}) {
    EXPECT_EQ(form->Color(), skin->Model().ButtonFaceColour);
    EXPECT_EQ(side->FindForm(form->Handle())->Edges().Top, newTop);
  }
}
