#include "app/about_window.h"

TForm2* Form2 = nullptr;

QUILLIMO_REGISTER_CLASS(TForm2);

void TForm2::BindFields() {
  QUILLIMO_BIND(Label5);
  QUILLIMO_BIND(Label1);
  QUILLIMO_BIND(Label2);
  QUILLIMO_BIND(Label7);
  QUILLIMO_BIND(Label8);
  QUILLIMO_BIND(Label9);
  QUILLIMO_BIND(Label4);
}
