// The application object: the error box that every failing handler ends in, the message
// loop, and the window hook helper that the skin engine builds on.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "toolkit/core/exceptions.h"
#include "toolkit/core/utf8.h"
#include "toolkit/win/application.h"
#include "toolkit/win/form.h"
#include "toolkit/win/window_hook.h"
#include "win_test_support.h"

TEST(ErrorBoxText, AppendsAFullStopOnlyAfterCharactersThatSortAfterIt) {
  EXPECT_EQ(ErrorBoxText("'abc' is not a valid integer value"), "'abc' is not a valid integer value.");
  EXPECT_EQ(ErrorBoxText("List index out of bounds (3)"), "List index out of bounds (3)");
  EXPECT_EQ(ErrorBoxText("Done."), "Done.");
  EXPECT_EQ(ErrorBoxText("Cannot open file \"x\""), "Cannot open file \"x\"");
  EXPECT_EQ(ErrorBoxText("Value 7"), "Value 7.");
  EXPECT_EQ(ErrorBoxText("/"), "/.");
  EXPECT_EQ(ErrorBoxText(""), "");
  // A non-ASCII last letter is a byte above the full stop as well.
  EXPECT_EQ(ErrorBoxText("Dosya açılamadı: ş"), "Dosya açılamadı: ş.");
}

TEST(ErrorBox, AFailingHandlerShowsTheBoxAndTheProgramGoesOn) {
  Application->SetTitle("Quillimo");
  TForm form(nullptr);
  form.SetBounds(10, 10, 200, 100);
  auto old = form.WindowProc;
  int handled = 0;
  form.WindowProc = [&](TMessage& m) {
    if (m.Msg == WM_APP) throw EConvertError("'x1' is not a valid integer value");
    if (m.Msg == WM_APP + 1) ++handled;
    old(m);
  };
  MessageBoxCatcher box;
  PostMessageW(form.Handle(), WM_APP, 0, 0);
  PostMessageW(form.Handle(), WM_APP + 1, 0, 0);
  PumpUntil([&] { return handled > 0; });
  ASSERT_EQ(box.Boxes().size(), 1u);
  EXPECT_EQ(box.Boxes()[0].Title, "Quillimo");
  EXPECT_EQ(box.Boxes()[0].Text, "'x1' is not a valid integer value.");
  EXPECT_EQ(box.Boxes()[0].Style & (MB_ICONMASK | MB_TYPEMASK), static_cast<UINT>(MB_ICONSTOP | MB_OK));
  EXPECT_EQ(handled, 1);
}

TEST(ErrorBox, ExceptionsOfOtherKindsShowTheirText) {
  Application->SetTitle("Quillimo");
  MessageBoxCatcher box;
  try {
    throw std::runtime_error("disk full");
  } catch (...) {
    Application->HandleException();
  }
  ASSERT_EQ(box.Boxes().size(), 1u);
  EXPECT_EQ(box.Boxes()[0].Text, "disk full.");
}

// A plain window of its own class, to hook.
struct PlainWindow {
  PlainWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
      if (m == WM_APP) return 100;
      return DefWindowProcW(w, m, wp, lp);
    };
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QuillimoPlainTestWindow";
    RegisterClassW(&wc);
    wnd = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, wc.hInstance, nullptr);
  }
  ~PlainWindow() {
    if (IsWindow(wnd)) DestroyWindow(wnd);
  }
  HWND wnd;
};

// A hook that adds its own amount to the answer of the procedure before it.
struct AddingHook {
  explicit AddingHook(int amount) : amount(amount) {
    hook.SetHandler([this](TMessage& m) {
      hook.CallPrevious(m);
      if (m.Msg == WM_APP) m.Result += this->amount;
    });
  }
  int amount;
  TWindowHook hook;
};

TEST(WindowHook, HooksChainAndComeOffInAnyOrder) {
  PlainWindow w;
  AddingHook a(1), b(10), c(1000);
  a.hook.Attach(w.wnd);
  b.hook.Attach(w.wnd);
  c.hook.Attach(w.wnd);
  EXPECT_EQ(SendMessageW(w.wnd, WM_APP, 0, 0), 1111);
  b.hook.Detach();  // the middle one first
  EXPECT_EQ(SendMessageW(w.wnd, WM_APP, 0, 0), 1101);
  a.hook.Detach();
  EXPECT_EQ(SendMessageW(w.wnd, WM_APP, 0, 0), 1100);
  c.hook.Detach();
  EXPECT_EQ(SendMessageW(w.wnd, WM_APP, 0, 0), 100);
  EXPECT_FALSE(c.hook.Attached());
  c.hook.Detach();  // a second detach does nothing
  EXPECT_EQ(SendMessageW(w.wnd, WM_APP, 0, 0), 100);
}

TEST(WindowHook, LetsGoWhenTheWindowIsDestroyedAndMayBeFreedInItsHandler) {
  PlainWindow w;
  AddingHook a(1);
  a.hook.Attach(w.wnd);
  auto* b = new TWindowHook;
  std::vector<UINT> seen;
  b->SetHandler([&](TMessage& m) {
    seen.push_back(m.Msg);
    b->CallPrevious(m);
    if (m.Msg == WM_NCDESTROY) delete b;  // a companion freeing itself as its window dies
  });
  b->Attach(w.wnd);
  DestroyWindow(w.wnd);
  EXPECT_FALSE(a.hook.Attached());
  ASSERT_FALSE(seen.empty());
  EXPECT_EQ(seen.back(), static_cast<UINT>(WM_NCDESTROY));
}

TEST(WindowHook, AFailingHandlerEndsInTheErrorBox) {
  PlainWindow w;
  TWindowHook hook([](TMessage& m) {
    if (m.Msg == WM_APP) throw Exception("Hook failed");
  });
  hook.Attach(w.wnd);
  MessageBoxCatcher box;
  EXPECT_EQ(SendMessageW(w.wnd, WM_APP, 0, 0), 0);
  ASSERT_EQ(box.Boxes().size(), 1u);
  EXPECT_EQ(box.Boxes()[0].Text, "Hook failed.");
}

// Window hooks report a failing handler to the installed sink, not to the application directly:
// with another sink the application never hears of it, and with none the failure is dropped and
// the window goes on answering.
TEST(CallbackErrors, AFailingHookEndsInTheInstalledSinkOrIsDropped) {
  struct Sink : TCallbackErrorSink {
    std::vector<std::string> seen;
    void HandleException() override { seen.push_back(CurrentExceptionMessage()); }
  } sink;
  TForm form(nullptr);
  TWindowHook hook([](TMessage& m) {
    if (m.Msg == WM_APP) throw Exception("hook failed");
    m.Result = 7;
  });
  hook.Attach(form.Handle());
  std::vector<std::string> applicationSaw;
  Application->OnException = [&](const std::string& message) { applicationSaw.push_back(message); };
  SetCallbackErrorSink(&sink);
  SendMessageW(form.Handle(), WM_APP, 0, 0);
  SetCallbackErrorSink(nullptr);
  SendMessageW(form.Handle(), WM_APP, 0, 0);
  const LRESULT after = SendMessageW(form.Handle(), WM_APP + 1, 0, 0);
  SetCallbackErrorSink(Application);
  Application->OnException = nullptr;
  EXPECT_EQ(sink.seen, std::vector<std::string>{"hook failed"});
  EXPECT_TRUE(applicationSaw.empty());
  EXPECT_EQ(after, 7);
}
