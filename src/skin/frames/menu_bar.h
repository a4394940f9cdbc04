#pragma once
// The skinned menu bar: it stands in for the window's native menu bar inside a skinned frame.
// The native menu is taken off the window (SetMenu 0) and the bar is painted into the frame's
// non-client area below the caption. The frame's menus (frame_menus.h) own the bar and open
// its items.
#include <memory>
#include <string>
#include <vector>

#include "toolkit/win/messages.h"

#include "skin/frames/nc_objects.h"
#include "toolkit/core/bitmap.h"

class TMenu;
class TSkinFormFrame;
class TSkinSet;

class TSkinMenuBar;

// One top-level item of the bar.
class TMenuBtn : public TNCObject {
public:
  TMenuBtn(TSkinMenuBar* bar, int index, std::string caption, bool enabled, HMENU subMenu, UINT commandId);
  // Repaints this button on the window: its column of the bar background, a frame in the
  // highlight colour when pressed or hot, its caption.
  void Paint() override;

  // The button's place on the bar, counted from the first item.
  int Index() const { return index_; }
  const std::string& Caption() const { return caption_; }
  bool Enabled() const { return enabled_; }
  // The item's submenu (nullptr: the item only runs its command).
  HMENU SubMenu() const { return subMenu_; }
  UINT CommandId() const { return commandId_; }

private:
  TSkinMenuBar* bar_;
  int index_;
  std::string caption_;
  bool enabled_;
  HMENU subMenu_;
  UINT commandId_;
};

class TSkinMenuBar {
public:
  TSkinMenuBar(TSkinFormFrame* frame, TSkinSet* skin);
  ~TSkinMenuBar();

  TSkinFormFrame* Frame() const { return frame_; }
  // The toolkit menu the bar reads its items from, when the window is a toolkit form's.
  TMenu* ToolkitMenu() const { return menu_; }
  void SetToolkitMenu(TMenu* menu) { menu_ = menu; }
  // (Re)create the buttons from the window's native menu, the toolkit menu, or a menu handle;
  // each ends by taking the native bar off the window.
  void BuildFromWindowMenu();
  void BuildFromMenu();
  void BuildFromHandle(HMENU menu);
  // The native menu the buttons were last made from.
  HMENU MenuHandle() const { return menuHandle_; }
  const std::vector<std::unique_ptr<TMenuBtn>>& Buttons() const { return buttons_; }

  // Paints the bar into rect (window coordinates) of the window DC.
  void Paint(HDC dc, const RECT& rect);
  // Repaints one button over its column of the background the last Paint made.
  void PaintButton(const TMenuBtn& button) const;
  // The first button with a caption whose bounds hold the window-coordinate point.
  TMenuBtn* ButtonAt(POINT p) const;
  // The first enabled button whose caption has key as its accelerator ("&F" ... ), or nullptr.
  TMenuBtn* ButtonForAccel(wchar_t key) const;
  // The enabled button a typed letter chooses: by its access key, else by its caption's first
  // letter when the caption has no access key (menu_keys.h); nullptr when none.
  TMenuBtn* ButtonForKey(wchar_t key) const;

private:
  void StartBuild();
  void FinishBuild();
  void AddFromHandle(HMENU menu, bool byCommand);
  void DrawButtonCaption(HDC dc, const TMenuBtn& button, const RECT& cell) const;

  TSkinFormFrame* frame_;
  TSkinSet* skin_;
  TMenu* menu_ = nullptr;
  HMENU menuHandle_ = nullptr;
  std::vector<std::unique_ptr<TMenuBtn>> buttons_;
  RECT barRect_{};               // where the last Paint put the bar, window coordinates
  TBitmapPixels barBackground_;  // the bar's background as the last Paint made it
};
