// The skin menu: each item gives the skin component one of the skin files beside the program.
#include "app/main_window.h"

void TForm1::Arayz11Click(TObject*) {}
void TForm1::Arayz21Click(TObject*) {}
void TForm1::Arayz31Click(TObject*) {}
void TForm1::Arayz41Click(TObject*) {}
void TForm1::Arayz51Click(TObject*) {}
void TForm1::Arayz61Click(TObject*) {}
