#pragma once
// TForm3: the flash window, without border or caption, that shows one message briefly. Its
// only content is Label1 at the top-left corner, sized to its text; the window follows the
// label's size (stored layout TFORM3).
//
// It is an ordinary (not topmost) window, owned by the main window like every form of the
// program, so it has no task-bar button of its own. Showing it never activates it: a message
// flashes in front of whatever the user works in while the keyboard focus stays there.
#include <string>

#include "toolkit/win/form.h"
#include "toolkit/win/stdctrls.h"

class TForm3 : public TForm {
  QUILLIMO_CLASS(TForm3, TForm)
public:
  explicit TForm3(TComponent* owner) : TForm(owner) {}
  TLabel* Label1 = nullptr;

  // Puts text into Label1 (the window takes its size), moves the window's top-left corner to
  // left, top, or with centred to the centre of the screen, and shows it in front of the other
  // windows without activating it. Shown already, it moves and comes to the front again.
  void ShowMessageAt(const std::string& text, int left, int top, bool centred);
  // Shows the window in front without activating it (it hides TCustomForm::Show, which
  // activates).
  void Show();

protected:
  void BindFields() override;
  void VisibleChanged() override;
  void WndProc(TMessage& msg) override;

private:
  void FitToLabel();
  void BringToFrontInactive();
};

extern TForm3* Form3;
