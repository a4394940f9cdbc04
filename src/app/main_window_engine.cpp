// The main window's side of the flashing engine: Start and Stop from the tool bar and the tray
// menu, the period and duration ticks, and the flash window they show and hide.
#include "app/composition_clock.h"
#include "app/flash_window.h"
#include "app/main_window.h"

namespace {
// The end of a count posted from the counting thread to the host's message window: the ticket
// in wParam, the host in the window's user data.
constexpr UINT kFramesElapsed = WM_APP + 1;
constexpr wchar_t kFramesWindowClass[] = L"QuillimoFlashFrames";
}  // namespace

struct TFramesWindow {
  static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg != kFramesElapsed) return DefWindowProcW(wnd, msg, wp, lp);
    auto* host = reinterpret_cast<TFlashEngineHost*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
    if (host && host->countdown_->Elapsed(static_cast<unsigned>(wp))) host->form_.Timer2Timer(host->form_.Timer2);
    return 0;
  }
};

TFlashEngineHost::TFlashEngineHost(TForm1& form) : form_(form) { UseFrameClock(std::make_unique<TCompositionClock>()); }

TFlashEngineHost::~TFlashEngineHost() {
  countdown_.reset();  // waits for the composition its thread may be waiting for
  if (messages_) DestroyWindow(static_cast<HWND>(messages_));  // with any end still posted
}

void TFlashEngineHost::UseFrameClock(std::unique_ptr<TFrameClock> clock) {
  countdown_.reset();
  clock_ = std::move(clock);
  countdown_ = std::make_unique<TFrameCountdown>(
      *clock_, [this](unsigned ticket) { PostMessageW(static_cast<HWND>(messages_), kFramesElapsed, ticket, 0); });
}

// A message-only window of the user-interface thread, made with the first count (never
// where the screen is not composed).
void TFlashEngineHost::MakeMessageWindow() {
  if (messages_) return;
  WNDCLASSW wc{};
  wc.lpfnWndProc = TFramesWindow::Proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kFramesWindowClass;
  RegisterClassW(&wc);  // fails harmlessly when a second host registers it again
  HWND wnd = CreateWindowExW(0, kFramesWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
  SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  messages_ = wnd;
}

void TFlashEngineHost::SetTimerEnabled(TFlashTimer timer, bool enabled) {
  if (timer == TFlashTimer::Duration)
    EnableDuration(enabled);
  else
    form_.Timer1->SetEnabled(enabled);
}

// Enabled just after a flash is shown. On a composed screen the flash is painted at once, so
// that the composition that follows presents it, and its frames are counted; otherwise, and
// while a count goes on, Timer2 as always.
void TFlashEngineHost::EnableDuration(bool enabled) {
  if (!enabled) {
    countdown_->Stop();
    form_.Timer2->SetEnabled(false);
    return;
  }
  if (countdown_->Running()) return;
  const int frames = countdown_->Frames(durationMs_);
  if (frames == 0) {
    form_.Timer2->SetEnabled(true);
    return;
  }
  if (Form3 && Form3->HandleAllocated()) Form3->Update();
  MakeMessageWindow();
  countdown_->Start(frames);
}

void TFlashEngineHost::SetTimerInterval(TFlashTimer timer, int intervalMs) {
  if (timer == TFlashTimer::Duration) durationMs_ = intervalMs;
  (timer == TFlashTimer::Period ? form_.Timer1 : form_.Timer2)->SetInterval(intervalMs);
}

void TFlashEngineHost::ShowFlash(const std::string& text, int x, int y, bool centred) {
  if (Form3) Form3->ShowMessageAt(text, x, y, centred);
}

void TFlashEngineHost::HideFlash() {
  if (Form3) Form3->Hide();
}

bool TFlashEngineHost::FlashVisible() const { return Form3 && Form3->Showing(); }

// Start: every program of the list in turn is selected and its message file read into
// mesajlist; the ticked messages are the run list, kept in mesajlar as well. The tick of a
// program is not looked at. Afterwards the last program stays selected.
void TForm1::ToolButton6Click(TObject*) {
  flashEngine.Start(
      [this](const TFlashScheduler::TAddText& add) {
        mesajlar->Lines()->Clear();
        for (int i = 0; i < programlist->Count(); ++i) {
          programlist->SetItemIndex(i);
          LoadMessages();
          for (int j = 0; j < mesajlist->Count(); ++j) {
            if (!mesajlist->Checked(j)) continue;
            const std::string text = mesajlist->Items()->Strings(j);
            add(text);
            mesajlar->Lines()->Add(text);
          }
        }
      },
      Edit1->GetText(), Edit2->GetText());
}

void TForm1::ToolButton3Click(TObject*) { flashEngine.Stop(); }
void TForm1::MesajlarDurdur1Click(TObject*) { ToolButton3Click(MesajlarDurdur1); }
void TForm1::MesajlarDevamEtsin1Click(TObject*) { ToolButton6Click(MesajlarDevamEtsin1); }

// The placement is read at every tick, so a change on the settings tab applies to the next
// message.
void TForm1::Timer1Timer(TObject*) {
  flashEngine.SetPlacement(RadioGroup4->ItemIndex() == 1 ? TFlashPlacement::Centre : TFlashPlacement::Random);
  flashEngine.PeriodTick();
}

void TForm1::Timer2Timer(TObject*) { flashEngine.DurationTick(); }
