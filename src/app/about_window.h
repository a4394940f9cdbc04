#pragma once
// TForm2: the About window "Hakkında / About", shown modally from the main menu. Its labels
// (English on the left, Turkish on the right, the web site across the bottom) are the stored
// layout TFORM2; it has no code of its own.
#include "toolkit/win/form.h"
#include "toolkit/win/stdctrls.h"

class TForm2 : public TForm {
  QUILLIMO_CLASS(TForm2, TForm)
public:
  explicit TForm2(TComponent* owner) : TForm(owner) {}
  TLabel *Label5 = nullptr, *Label1 = nullptr, *Label2 = nullptr, *Label7 = nullptr, *Label8 = nullptr,
         *Label9 = nullptr, *Label4 = nullptr;

protected:
  void BindFields() override;
};

extern TForm2* Form2;
