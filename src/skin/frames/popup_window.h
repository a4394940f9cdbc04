#pragma once
// TSkinPopupWindow: the wrapper of one pop-up menu window (class "#32768") of the thread, made
// by the manager's hook when the window is created. It paints the window's border and
// background from the skin's MenuBackground image; the owner-drawn items (menu_items.h) then
// copy their background from that rendering.
#include "toolkit/win/messages.h"

#include "toolkit/core/bitmap.h"
#include "toolkit/win/window_hook.h"

class TSkinSet;

class TSkinPopupWindow {
public:
  TSkinPopupWindow();
  ~TSkinPopupWindow();
  void Attach(HWND window, TSkinSet* skin, HMENU menu);
  void Detach();
  bool Subclassed() const { return hook_.Attached(); }

  HWND Handle = nullptr;
  TSkinSet* SkinData = nullptr;
  TBitmapPixels Background;  // the window-sized rendering of MenuBackground
  HMENU MenuHandle = nullptr;

private:
  void WndProc(TMessage& msg);
  bool RenderBackground();
  TWindowHook hook_;
};

// The wrapper that still has to learn which menu it shows (from the first item drawn in it).
TSkinPopupWindow* PendingPopup();
void SetPendingPopup(TSkinPopupWindow* popup);
