#pragma once
// Owner-drawn menu items in the skin: the items of submenus opened from the skinned bar, of a
// form's pop-up menus and of the skinned system menu are measured and painted from the skin's
// MenuItem image, its menu colours and the menu's image list; their background is copied from
// the skinned pop-up window they are shown in (popup_window.h).
#include "toolkit/win/messages.h"

class TCustomForm;
class TMenuItem;
class TSkinFormFrame;
class TSkinSet;

// Measuring: the item's own width plus room for the glyph column.
void MeasurePopupItem(TSkinFormFrame& frame, TMenuItem& item, HDC dc, int& width, int& height);
void MeasureMenuItem(TSkinFormFrame& frame, TMenuItem& item, HDC dc, int& width, int& height);
// Paints the item into rect of dc (the OnAdvancedDrawItem of skinned items).
void DrawMenuItem(TSkinFormFrame& frame, TMenuItem& item, HDC dc, const RECT& rect, bool selected);
// Every pop-up menu of the form (not excluded by its Tag) becomes owner-drawn in the skin, or
// goes back to the native look.
void SetPopupsOwnerDraw(TSkinFormFrame& frame, TCustomForm& form, bool on);
// WM_MEASUREITEM / WM_DRAWITEM of menu items at the frame's window; false: not handled.
bool FrameMeasureItem(TSkinFormFrame& frame, MEASUREITEMSTRUCT& mis);
bool FrameDrawItem(TSkinFormFrame& frame, const DRAWITEMSTRUCT& dis);
// Switches every item of the menu and its submenus to owner-drawn.
void MakeOwnerDrawn(HMENU menu);
