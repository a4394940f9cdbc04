#include "toolkit/win/application.h"

#include <commctrl.h>

#include "toolkit/core/exceptions.h"
#include "toolkit/core/utf8.h"
#include "toolkit/win/form.h"
#include "toolkit/win/system_timer.h"

std::string ErrorBoxText(std::string_view message) {
  std::string text(message);
  if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) text += '.';
  return text;
}

std::string CurrentExceptionMessage() {
  try {
    throw;
  } catch (const Exception& e) {
    return e.Message();
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "Unknown exception";
  }
}

namespace {
// The application object is never destroyed: freeing the forms it owns during the static
// teardown would run their windows' destruction through the toolkit's tables (window hooks,
// bound controls, menu commands), which that teardown may have destroyed already. A program
// frees its forms before it ends (DestroyComponents); forms still alive then go with the
// process, as their windows do.
TApplication& TheApplication() {
  static TApplication* app = [] {
    auto* made = new TApplication;
    // Failures in window procedures, hooks and timers end in the application's error box.
    SetCallbackErrorSink(made);
    return made;
  }();
  return *app;
}
}  // namespace

TApplication* Application = &TheApplication();

QUILLIMO_REGISTER_CLASS(TApplication, [](TPropertyTable&) {});

TApplication::TApplication(TComponent* owner) : TComponent(owner) {}

TApplication::~TApplication() = default;

void TApplication::Initialize() {
  INITCOMMONCONTROLSEX icc{
      sizeof(icc), ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_TAB_CLASSES | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&icc);
}

void TApplication::SetTitle(std::string title) { title_ = std::move(title); }

void TApplication::FormCreated(TForm* form) {
  if (!mainForm_) mainForm_ = form;
}

void TApplication::Run() {
  if (mainForm_) {
    try {
      mainForm_->Show();
    } catch (...) {
      HandleException();
    }
  }
  while (!terminated_) HandleMessage();
}

bool TApplication::ProcessMessage(MSG& msg) {
  if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  if (!TForm::IsDialogKeyMessage(msg)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return true;
}

void TApplication::ProcessMessages() {
  MSG msg;
  do {
    TTimerQueue::Get().FireDue();
  } while (ProcessMessage(msg));
}

// Timers that are due fire before the next message; with no message waiting, the loop sleeps
// until one comes or the next timer is due.
void TApplication::HandleMessage() {
  MSG msg;
  TTimerQueue::Get().FireDue();
  if (!ProcessMessage(msg) && !terminated_) TTimerQueue::Get().WaitForMessageOrTimer();
}

void TApplication::Terminate() {
  terminated_ = true;
  PostQuitMessage(0);
}

void TApplication::HandleException() {
  std::string message = CurrentExceptionMessage();
  if (OnException)
    OnException(message);
  else
    ShowException(message);
}

void TApplication::ShowException(const std::string& message) {
  HWND owner = GetActiveWindow();
  MessageBoxW(owner, Utf8ToWide(ErrorBoxText(message)).c_str(), Utf8ToWide(title_).c_str(), MB_OK | MB_ICONSTOP);
}
