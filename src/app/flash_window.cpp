#include "app/flash_window.h"

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
