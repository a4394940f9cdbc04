#include "app/flash_window.h"

#include "app/formats/flash_scheduler.h"
#include "toolkit/win/screen.h"

TForm3* Form3 = nullptr;

QUILLIMO_REGISTER_CLASS(TForm3);

void TForm3::BindFields() {
  QUILLIMO_BIND(Label1);
  Label1->OnResize = [this](TObject*) { FitToLabel(); };
  FitToLabel();
}

void TForm3::FitToLabel() {
  SetClientWidth(Label1->Left() + Label1->Width());
  SetClientHeight(Label1->Top() + Label1->Height());
}

void TForm3::ShowMessageAt(const std::string& text, int left, int top, bool centred) {
  Label1->SetCaption(text);
  if (centred) {
    // Centred with the size of the new text.
    const TPoint2 origin = CentredOrigin(Screen->Width(), Screen->Height(), Width(), Height());
    left = origin.X;
    top = origin.Y;
  }
  SetBounds(left, top, Width(), Height());
  if (Visible())
    BringToFrontInactive();
  else
    Show();
}

void TForm3::Show() {
  if (Visible())
    BringToFrontInactive();
  else
    SetVisible(true);
}

void TForm3::BringToFrontInactive() {
  SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

void TForm3::VisibleChanged() {
  if (!Visible()) {
    // Hidden the way it is shown, without activation; it was never active, so no other
    // window moves or takes the focus.
    if (HandleAllocated()) {
      SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_HIDEWINDOW);
      OnHide(this);
    }
    return;
  }
  // Where the window appears is given by its caller (ShowMessageAt), so the form's own
  // placement is not applied here.
  BringToFrontInactive();
  OnShow(this);
}

void TForm3::WndProc(TMessage& msg) {
  // A click on the message does not take the focus either.
  if (msg.Msg == WM_MOUSEACTIVATE) {
    msg.Result = MA_NOACTIVATE;
    return;
  }
  TForm::WndProc(msg);
}
