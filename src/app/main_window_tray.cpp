// Hiding the main window to the notification area and showing it again.
#include "app/main_window.h"

void TForm1::ToolButton5Click(TObject*) {}
void TForm1::Gster1Click(TObject*) {}
