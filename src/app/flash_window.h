#pragma once
// TForm3: the flash window, without border or caption, that shows one message briefly. Its
// only content is Label1 at the top-left corner, sized to its text; the window follows the
// label's size (stored layout TFORM3).
#include "toolkit/win/form.h"
#include "toolkit/win/stdctrls.h"

class TForm3 : public TForm {
  QUILLIMO_CLASS(TForm3, TForm)
public:
  explicit TForm3(TComponent* owner) : TForm(owner) {}
  TLabel* Label1 = nullptr;

protected:
  void BindFields() override;

private:
  void FitToLabel();
};

extern TForm3* Form3;
