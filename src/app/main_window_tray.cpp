// Hiding the main window to the notification area and showing it again.
#include "app/main_window.h"

void TForm1::ToolButton5Click(TObject*) {
  TrayIcon1->ShowIcon();
  Hide();
}

void TForm1::Gster1Click(TObject*) {
  Show();
  TrayIcon1->HideIcon();
}
