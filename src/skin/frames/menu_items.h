#pragma once
// Owner-drawn menu items in the skin: the items of submenus opened from the skinned bar, of a
// form's pop-up menus and of the skinned system menu are measured and painted from the skin's
// MenuItem image, its menu colours and the menu's image list; their background is copied from
// the skinned pop-up window they are shown in (popup_window.h). A frame's menus
// (frame_menus.h) call these for the items of its window.
#include <string>

#include "toolkit/win/messages.h"

#include "skin/frames/menu_keys.h"
#include "toolkit/win/menus.h"

class TImageList;
class TSkinModel;

// A menu item as the painters need it: a toolkit item, or one made from a native entry.
struct TMenuItemView {
  std::string Caption;
  bool Enabled = true, Checked = false, Default = false;
  TShortCut ShortCut = 0;
  int ImageIndex = -1;
  TImageList* Images = nullptr;
  HMENU Parent = nullptr;  // the menu that holds the item
  bool IsLine() const { return Caption == "-"; }
};
TMenuItemView ViewOfItem(TMenuItem& item);
// The caption of the native entry with the command id ("" for a separator).
std::string NativeItemCaption(HMENU menu, UINT id);
// The native entry's caption, state and menu, "-" for a separator.
TMenuItemView ViewOfNativeItem(HMENU menu, UINT id);

// Paints an item into rect of dc: background from the skinned pop-up window, the MenuItem
// frame, the content (glyph box, caption, shortcut), or the separator strip. A native entry's
// separator is an etched line.
void PaintMenuItem(const TSkinModel& skin, bool rightToLeft, const TMenuItemView& item, HDC dc, const RECT& rect,
                   bool selected, bool native);
// The item's own measure (its OnMeasureItem put aside), widened by the glyph column: the
// MenuItem element's left margin and room for an image of the menu's list (withImages) or a
// check mark.
void MeasureWidenedItem(const TSkinModel& skin, TMenuItem& item, HDC dc, int& width, int& height, int withImages);
// A native entry's size: its caption in the menu font and the glyph column.
void MeasureNativeItem(const TSkinModel& skin, const std::string& caption, HDC dc, UINT& width, UINT& height);
// The entry at the position as a typed letter sees it: a toolkit item's own caption (its entry
// may be owner-drawn, with no text for the system), else the entry's text; a separator or a
// disabled entry cannot be chosen.
TKeyedItem KeyedItemAt(HMENU menu, int position);
// Switches every item of the menu and its submenus to owner-drawn.
void MakeOwnerDrawn(HMENU menu);
