// The main window's side of the flashing engine: Start and Stop from the tool bar and the tray
// menu, the period and duration ticks, and the flash window they show and hide.
#include "app/main_window.h"

void TForm1::ToolButton6Click(TObject*) {}
void TForm1::ToolButton3Click(TObject*) {}
void TForm1::MesajlarDurdur1Click(TObject*) {}
void TForm1::MesajlarDevamEtsin1Click(TObject*) {}
void TForm1::Timer1Timer(TObject*) {}
void TForm1::Timer2Timer(TObject*) {}
