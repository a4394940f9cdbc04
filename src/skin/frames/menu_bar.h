#pragma once
// The skinned menu bar: it stands in for the window's native menu bar inside a skinned frame.
// The native menu is taken off the window (SetMenu 0), the bar is painted into the frame's
// non-client area below the caption, and a click (or Alt with an item's accelerator) opens
// the item's submenu with TrackPopupMenu; while it is open a message-filter hook lets the left
// and right arrow keys and the mouse move to the neighbouring bar item (menu_tracking.cpp).
#include <memory>
#include <string>
#include <vector>

#include "toolkit/win/messages.h"

#include "skin/frames/nc_objects.h"
#include "toolkit/core/bitmap.h"

class TMenu;
class TMenuItem;
class TSkinFormFrame;
class TSkinSet;

class TSkinMenuBar;

// One top-level item of the bar.
class TMenuBtn : public TNCObject {
public:
  TMenuBtn(TSkinMenuBar* bar, int index);
  // Repaints this button on the window: its column of the bar background, a frame in the
  // highlight colour when pressed or hot, its caption.
  void Paint() override;

  TSkinMenuBar* Bar;
  int Index;
  std::string Caption;
  bool Enabled = true;
  HMENU SubMenu = nullptr;
  UINT CommandId = 0;
};

class TSkinMenuBar {
public:
  TSkinMenuBar(TSkinFormFrame* frame, TSkinSet* skin);
  ~TSkinMenuBar();

  // (Re)create the buttons from the window's native menu, the toolkit menu, or a menu handle;
  // each ends by taking the native bar off the window.
  void BuildFromWindowMenu();
  void BuildFromMenu();
  void BuildFromHandle(HMENU menu);
  // Paints the bar into rect (window coordinates) of the window DC.
  void Paint(HDC dc, const RECT& rect);
  // The first button with a caption whose bounds hold the window-coordinate point.
  TMenuBtn* ButtonAt(POINT p) const;
  // The first enabled button whose caption has key as its accelerator ("&F" ... ), or nullptr.
  TMenuBtn* ButtonForAccel(wchar_t key) const;

  std::vector<std::unique_ptr<TMenuBtn>> MenuButtons;
  TMenu* Menu = nullptr;
  int BarLeft = 0, BarTop = 0, BarRight = 0, BarBottom = 0;
  TSkinSet* SkinData;
  TSkinFormFrame* Frame;
  TBitmapPixels BarBackground;
  bool Painting = false;
  HMENU MenuHandle = nullptr;

private:
  void StartBuild();
  void FinishBuild();
  void AddFromHandle(HMENU menu, bool byCommand);
  friend class TMenuBtn;
  void DrawButtonCaption(HDC dc, const TMenuBtn& button, const RECT& cell) const;
};

// Opens the button's submenu (posts its command first); returns when the menu closes.
bool OpenMenuButton(TSkinFormFrame& frame, TMenuBtn& button);
// Posts a click on the button to the frame's window, so that the frame opens it from its own
// message handling (and the system first closes a menu that is open).
void PostOpenMenuButton(TSkinFormFrame& frame, const TMenuBtn& button);
// The index of the bar button whose item is open, or -1.
int OpenMenuIndex();
// The frame's window got WM_MENUSELECT while one of its bar items is open.
void NoteMenuSelect(TSkinFormFrame& frame, WPARAM wp, LPARAM lp);
