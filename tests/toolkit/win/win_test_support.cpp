#include "win_test_support.h"

#include <commctrl.h>

#include <algorithm>

#include "toolkit/core/utf8.h"
#include "toolkit/win/application.h"
#include "toolkit/win/dpi_awareness.h"

namespace {
// Test programs carry no manifest: they declare the program's awareness of each monitor's
// resolution themselves, before their first window, so that their windows are laid out as the
// program's are.
const bool declaredDpiAware = DeclarePerMonitorDpiAwareness();
}  // namespace

bool PumpUntil(const std::function<bool()>& done, int timeoutMs) {
  DWORD start = GetTickCount();
  while (!done()) {
    if (static_cast<int>(GetTickCount() - start) > timeoutMs) return false;
    MSG msg;
    if (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    } else {
      Sleep(1);
    }
  }
  return true;
}

void PumpFor(int ms) {
  DWORD start = GetTickCount();
  PumpUntil([&] { return static_cast<int>(GetTickCount() - start) >= ms; }, ms + 1000);
}

bool PumpApplicationUntil(const std::function<bool()>& done, int timeoutMs) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (static_cast<int>(GetTickCount() - start) > timeoutMs) return false;
    Application->ProcessMessages();
    Sleep(1);
  }
  return true;
}

void PumpApplicationFor(int ms) {
  const DWORD start = GetTickCount();
  PumpApplicationUntil([&] { return static_cast<int>(GetTickCount() - start) >= ms; }, ms + 1000);
}

void PressKeys(std::initializer_list<WORD> keys) {
  std::vector<INPUT> input;
  auto add = [&](WORD vk, bool up) {
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    input.push_back(in);
  };
  for (WORD k : keys) add(k, false);
  for (auto it = keys.end(); it != keys.begin();) add(*--it, true);
  SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

void TypeChar(wchar_t ch) {
  INPUT input[2]{};
  for (INPUT& i : input) {
    i.type = INPUT_KEYBOARD;
    i.ki.wScan = ch;
    i.ki.dwFlags = KEYEVENTF_UNICODE;
  }
  input[1].ki.dwFlags |= KEYEVENTF_KEYUP;
  SendInput(2, input, sizeof(INPUT));
}

void PressKey(WORD key, bool shift) {
  if (shift)
    PressKeys({VK_SHIFT, key});
  else
    PressKeys({key});
  PumpApplicationFor(60);
}

std::string ToolTipText(HWND toolBar, int index) {
  HWND tips = reinterpret_cast<HWND>(SendMessageW(toolBar, TB_GETTOOLTIPS, 0, 0));
  TBBUTTON button{};
  if (!tips || !SendMessageW(toolBar, TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button)))
    return {};
  wchar_t text[128] = {};
  TTTOOLINFOW info{};
  info.cbSize = sizeof(info);
  info.hwnd = toolBar;
  info.uId = static_cast<UINT_PTR>(button.idCommand);
  info.lpszText = text;
  SendMessageW(tips, TTM_GETTEXTW, 128, reinterpret_cast<LPARAM>(&info));
  return WideToUtf8(text);
}

namespace {
MessageBoxCatcher* current = nullptr;
HWND pendingBox = nullptr;

bool HasClass(HWND w, const wchar_t* className) {
  wchar_t cls[32] = {};
  GetClassNameW(w, cls, 32);
  return std::wstring(cls) == className;
}

std::string WindowText(HWND w) {
  wchar_t buf[1024] = {};
  GetWindowTextW(w, buf, 1024);
  return WideToUtf8(buf);
}
}  // namespace

MessageBoxCatcher::MessageBoxCatcher() {
  current = this;
  hook_ = SetWindowsHookExW(WH_CBT, &MessageBoxCatcher::CbtProc, nullptr, GetCurrentThreadId());
}

MessageBoxCatcher::~MessageBoxCatcher() {
  UnhookWindowsHookEx(hook_);
  current = nullptr;
}

// The box is read and closed from a timer that its own modal loop dispatches.
LRESULT CALLBACK MessageBoxCatcher::CbtProc(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_ACTIVATE && current) {
    HWND w = reinterpret_cast<HWND>(wp);
    if (HasClass(w, L"#32770")) {
      pendingBox = w;
      SetTimer(nullptr, 0, 10, &MessageBoxCatcher::CloseTimer);
    }
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

void CALLBACK MessageBoxCatcher::CloseTimer(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  HWND box = pendingBox;
  pendingBox = nullptr;
  if (!box || !IsWindow(box) || !current) return;
  Box b;
  b.Title = WindowText(box);
  wchar_t text[2048] = {};
  GetDlgItemTextW(box, 0xFFFF, text, 2048);
  b.Text = WideToUtf8(text);
  // The icon tells the style apart: a stop icon is the system's hand icon.
  b.Style = MB_OK;
  HICON hand = LoadIconW(nullptr, IDI_HAND);
  for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) continue;
    HICON shown = reinterpret_cast<HICON>(SendMessageW(child, STM_GETICON, 0, 0));
    if (shown == hand) b.Style |= MB_ICONSTOP;
  }
  if (GetDlgItem(box, IDCANCEL) && GetDlgItem(box, IDOK)) b.Style = (b.Style & ~MB_TYPEMASK) | MB_OKCANCEL;
  current->boxes_.push_back(b);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
}

MessageRecorder::MessageRecorder() {
  current_ = this;
  sent_ = SetWindowsHookExW(WH_CALLWNDPROC, &MessageRecorder::SentProc, nullptr, GetCurrentThreadId());
  queue_ = SetWindowsHookExW(WH_GETMESSAGE, &MessageRecorder::QueueProc, nullptr, GetCurrentThreadId());
}

MessageRecorder::~MessageRecorder() {
  UnhookWindowsHookEx(sent_);
  UnhookWindowsHookEx(queue_);
  current_ = nullptr;
}

LRESULT CALLBACK MessageRecorder::SentProc(int code, WPARAM wp, LPARAM lp) {
  if (code == HC_ACTION && current_) {
    const auto* m = reinterpret_cast<const CWPSTRUCT*>(lp);
    current_->entries_.push_back({m->hwnd, m->message, m->wParam, false});
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

LRESULT CALLBACK MessageRecorder::QueueProc(int code, WPARAM wp, LPARAM lp) {
  if (code == HC_ACTION && wp == PM_REMOVE && current_) {
    const auto* m = reinterpret_cast<const MSG*>(lp);
    if (m->hwnd) current_->entries_.push_back({m->hwnd, m->message, m->wParam, true});
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

std::vector<UINT> MessageRecorder::Of(HWND wnd) const {
  std::vector<UINT> out;
  for (const Entry& e : entries_)
    if (e.Window == wnd) out.push_back(e.Msg);
  return out;
}

std::vector<UINT> MessageRecorder::Of(HWND wnd, const std::vector<UINT>& only) const {
  std::vector<UINT> out;
  for (const Entry& e : entries_)
    if (e.Window == wnd && std::find(only.begin(), only.end(), e.Msg) != only.end()) out.push_back(e.Msg);
  return out;
}

MenuWatcher::MenuWatcher(bool chooseFirst) {
  current_ = this;
  chooseFirst_ = chooseFirst;
  hook_ = SetWindowsHookExW(WH_CBT, &MenuWatcher::CbtProc, nullptr, GetCurrentThreadId());
}

MenuWatcher::~MenuWatcher() {
  UnhookWindowsHookEx(hook_);
  current_ = nullptr;
}

LRESULT CALLBACK MenuWatcher::CbtProc(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_CREATEWND && current_) {
    if (HasClass(reinterpret_cast<HWND>(wp), L"#32768")) {
      ++current_->opened_;
      current_->menu_ = reinterpret_cast<HWND>(wp);
      SetTimer(nullptr, 0, 50, &MenuWatcher::Act);
    }
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

void CALLBACK MenuWatcher::Act(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  if (!current_) return;
  if (current_->chooseFirst_) {
    PostMessageW(current_->menu_, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageW(current_->menu_, WM_KEYDOWN, VK_RETURN, 0);
  } else {
    EndMenu();
  }
}

#include <gtest/gtest.h>

namespace {
// Every test of this executable runs with an initialised application.
class ApplicationEnvironment : public ::testing::Environment {
public:
  void SetUp() override {
    Application->Initialize();
    Application->SetTitle("Quillimo");
  }
};
[[maybe_unused]] ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);
}  // namespace
