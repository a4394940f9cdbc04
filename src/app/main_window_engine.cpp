// The main window's side of the flashing engine: Start and Stop from the tool bar and the tray
// menu, the period and duration ticks, and the flash window they show and hide.
#include "app/flash_window.h"
#include "app/main_window.h"

void TFlashEngineHost::SetTimerEnabled(TFlashTimer timer, bool enabled) {
  (timer == TFlashTimer::Period ? form_.Timer1 : form_.Timer2)->SetEnabled(enabled);
}

void TFlashEngineHost::SetTimerInterval(TFlashTimer timer, int intervalMs) {
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
