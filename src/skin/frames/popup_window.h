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

  HWND Handle() const { return handle_; }
  // The menu shown in the window, once known.
  HMENU MenuHandle() const { return menuHandle_; }
  // The window-sized rendering of MenuBackground (empty until the window is painted).
  const TBitmapPixels& Background() const { return background_; }
  // The wrapper that still has to learn which menu it shows learns it from the first item
  // drawn in it: menu is the menu that holds the item.
  static void LearnPendingMenu(HMENU menu);

private:
  void WndProc(TMessage& msg);
  bool RenderBackground();
  HWND handle_ = nullptr;
  TSkinSet* skinData_ = nullptr;
  TBitmapPixels background_;
  HMENU menuHandle_ = nullptr;
  TWindowHook hook_;
  static inline TSkinPopupWindow* pending_ = nullptr;  // painted, its menu not yet known
};
