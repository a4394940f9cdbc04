#pragma once
// TFrameMenus: the menus of one skinned frame, owned by the frame. It holds the skinned menu bar
// (menu_bar.h) that stands in for the window's native bar, the skinned system menu, the
// owner-drawn items of the window's menus and pop-up menus (painted by menu_items.h), and the
// tracking of an open bar item: while its submenu is open, a message-filter hook turns the left
// and right arrow keys at the ends of the submenu, and the mouse over another bar item, into
// opening that item instead (menu_tracking.cpp).
//
// The frame asks it to attach and detach with the frame, hands it the menu messages of its
// window procedure, and paints the bar through it.
#include <memory>

#include "toolkit/win/messages.h"

class TMenuBtn;
class TMenuItem;
class TPopupMenu;
class TSkinFormFrame;
class TSkinMenuBar;

class TFrameMenus {
public:
  explicit TFrameMenus(TSkinFormFrame& frame);
  ~TFrameMenus();
  TFrameMenus(const TFrameMenus&) = delete;
  TFrameMenus& operator=(const TFrameMenus&) = delete;

  // ---- Attaching and detaching with the frame ----
  // Reads the window's system menu handle (nullptr when it has none).
  HMENU ReadSystemMenu();
  // Makes the skinned system menu: Restore, Maximize and Minimize as the border icons allow,
  // a line, Close.
  void BuildSystemMenu(bool maximizeBox, bool minimizeBox);
  void DropSystemMenu();
  // Takes the window's native menu bar and puts the skinned bar in its place (not for an MDI
  // child); remembers the skin's menu-update setting for the MDI children to come and go.
  void AttachBar();
  // The bar goes; GiveBackNativeBar also gives the window its native menu again.
  void DropBar();
  void GiveBackNativeBar();
  // Every pop-up menu of the frame's form (not excluded by its Tag) becomes owner-drawn in the
  // skin, or goes back to the native look.
  void SetPopupsOwnerDraw(bool on);

  // ---- The bar ----
  TSkinMenuBar* Bar() const { return bar_.get(); }
  // The bar's height in the non-client area (0 without a bar, or for a borderless window).
  int BarHeight() const { return barHeight_; }
  void SetBarHeight(int height) { barHeight_ = height; }
  // Paints the bar into rect (window coordinates) of the window DC, when there is one to paint.
  void PaintBar(HDC dc, const RECT& rect);
  // The window's menu changed: the bar is read again, and the frame repainted, when the skin
  // asks for that.
  void RebuildChangedBar();
  // The frame's own menu again on the bar when the last MDI child has gone.
  void RebuildBarForFrame();
  // An MDI child's menu set on the frame window: the bar shows it (always when forced) and the
  // native bar stays off the window.
  void TakeMdiMenu(HMENU menu, bool forced);
  // True when a typed letter chooses a bar item (menu_keys.h).
  bool HasItemForKey(wchar_t key) const;

  // ---- Opening bar items (menu_tracking.cpp) ----
  // Opens the button's submenu (posts its command first); returns when the menu closes, having
  // moved along the bar as the arrow keys or the mouse asked; false for an item without one.
  bool OpenBarButton(TMenuBtn& button);
  // Posts a click on the button to the frame's window, so that the frame opens it from its own
  // message handling (and the system first closes a menu that is open).
  void PostOpenBarButton(const TMenuBtn& button);
  // A submenu of the bar is open (tracked), and which; the index of its bar button, or -1.
  bool Tracking() const { return tracking_; }
  HMENU TrackedMenu() const { return trackedMenu_; }
  int OpenIndex() const { return openIndex_; }
  // The frame's window got WM_MENUSELECT (sent to the menu's owner, so it never passes the
  // message filter).
  void NoteMenuSelect(WPARAM wp, LPARAM lp);

  // ---- The bar by keyboard (menu_keyboard.cpp) ----
  // As the system's bar does for F10 or Alt pressed and released alone: the first item is
  // selected (shown hot) and the thread's keys go to the bar, Left and Right moving along it,
  // Down or Enter opening the selected item, a letter opening the item it chooses, Esc or a
  // click leaving it. Escape in an opened submenu closes it and the bar keeps its item selected.
  void SelectBarByKeyboard();
  // Alt and a letter: the item the letter chooses is selected and its opening posted; false
  // when no item has the letter.
  bool OpenByKey(wchar_t key);
  // The keys go to the bar (an item is selected, or its submenu opened, by keyboard).
  bool KeyboardMode() const { return keyboardMode_; }
  // No item selected any more; the keys go to the window again.
  void LeaveBar();
  // The posted opening of the selected item (SkinMessage::OpenBarItem, wParam its index): its
  // submenu opens, or its command runs and the bar is left.
  void OpenSelected(int index);
  // WM_MENUCHAR of a pop-up menu of the window: a letter that chooses an item carries the item
  // out (MNC_EXECUTE: an item with a submenu opens it, another runs its command); 0 when the
  // letter chooses none.
  LRESULT MenuChar(WPARAM wp, LPARAM lp) const;

  // ---- The system menu ----
  TPopupMenu* SystemMenuPopup() const { return systemMenuPopup_.get(); }
  // Shows the skinned (or the native) system menu at the screen point; a second call within the
  // double-click time closes the window instead when the icon button was clicked.
  void ShowSystemMenu(int x, int y);

  // ---- Owner-drawn items ----
  // Measuring: the item's own width plus room for the glyph column (a pop-up menu's items, the
  // items of a menu bar's submenus).
  void MeasurePopupItem(TMenuItem& item, HDC dc, int& width, int& height) const;
  void MeasureMenuItem(TMenuItem& item, HDC dc, int& width, int& height) const;
  // Paints the item into rect of dc (the OnAdvancedDrawItem of skinned items).
  void DrawItem(TMenuItem& item, HDC dc, const RECT& rect, bool selected) const;
  // WM_MEASUREITEM / WM_DRAWITEM of menu items at the frame's window; true when handled.
  bool HandleMeasureItem(MEASUREITEMSTRUCT& mis) const;
  bool HandleDrawItem(const DRAWITEMSTRUCT& dis) const;

private:
  // menu_tracking.cpp
  TMenuBtn* TrackButton(TMenuBtn& button);
  // Opens the button's submenu and its neighbours' as asked; returns the bar item to keep
  // selected (the one whose submenu Escape closed, or a neighbour moved to that has none to
  // open), nullptr when the menus closed otherwise.
  TMenuBtn* RunBarMenus(TMenuBtn& button);
  void StartTracking(HMENU menu);
  void EndTracking();
  // The next bar item with a caption from the item at index, step +1 or -1, wrapping.
  TMenuBtn* Neighbour(int index, int step) const;
  void FilterMenuMessage(const MSG& msg);
  static LRESULT CALLBACK MenuHookProc(int code, WPARAM wp, LPARAM lp);
  // menu_keyboard.cpp
  TMenuBtn* SelectedButton() const;
  void SelectBarItem(TMenuBtn& button);
  void PostOpen(const TMenuBtn& button);
  // The hook goes and the keys go back to the window (the selected item is not repainted).
  void StopBarKeys();
  void FilterBarMessage(MSG& msg);
  static LRESULT CALLBACK BarKeyHookProc(int code, WPARAM wp, LPARAM lp);

  TSkinFormFrame& frame_;
  std::unique_ptr<TSkinMenuBar> bar_;
  int barHeight_ = 0;
  HMENU nativeMenu_ = nullptr;   // the window's menu bar, given back at detach
  bool savedMenuUpdate_ = true;  // the skin's menu-update setting while no MDI child is made
  std::unique_ptr<TPopupMenu> systemMenuPopup_;
  HMENU systemMenu_ = nullptr;  // the window's native system menu
  DWORD lastSystemMenuTick_ = 0;
  DWORD doubleClickTime_ = 0;

  // The open bar item.
  bool tracking_ = false;
  HMENU trackedMenu_ = nullptr;
  int openIndex_ = -1;
  HMENU currentSubMenu_ = nullptr;  // the submenu handle of the selected item, when it has one
  HMENU currentParent_ = nullptr;   // the menu that holds the selected item
  bool switching_ = false;
  TMenuBtn* switchTo_ = nullptr;  // the bar item to open once the open submenu has closed
  bool firstMessageSeen_ = false;
  POINT lastMousePoint_{};
  HHOOK menuHook_ = nullptr;
  bool steppedBack_ = false;  // Escape closed the bar item's own submenu

  // The bar by keyboard.
  bool keyboardMode_ = false;
  bool barMenusOpen_ = false;  // a submenu opened from the keyboard is open
  HHOOK barKeyHook_ = nullptr;
};
