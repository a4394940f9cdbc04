#pragma once
// The skinned menu bar for assistive technology. The bar is painted in the frame's non-client
// area and is no menu of the system's, so the frame answers WM_GETOBJECT for OBJID_MENU itself
// with an IAccessible whose children are the bar's items: each named by its caption as shown,
// in the role of a menu item, with its states (hot or focused while selected, pressed while
// open, unavailable when disabled, having a pop-up when it opens a submenu), its place on the
// screen and its keyboard shortcut. As the keyboard selects the bar and moves along it the
// frame raises the system's events (menu start, focus on the selected item, menu end).
//
// An object that a client holds on to after its frame went answers "disconnected".
#include "toolkit/win/messages.h"

class TSkinFormFrame;
struct IAccessible;

// A new object for the frame's bar, with one reference that the caller releases.
IAccessible* NewMenuBarObject(TSkinFormFrame& frame);

// The answer to WM_GETOBJECT for the frame's bar; 0 for other objects, without a bar, or when
// the system's accessibility library is not there (it is loaded on the first question).
LRESULT AnswerMenuBarObject(TSkinFormFrame& frame, WPARAM wp, LPARAM lp);
// The frame goes: the objects handed out for its bar answer no more questions about it.
void DisconnectMenuBarObjects(const TSkinFormFrame& frame);

// The events of the bar driven by keyboard: it was entered, its item at index was selected, it
// was left.
void NotifyMenuBarStart(HWND wnd);
void NotifyMenuBarFocus(HWND wnd, int index);
void NotifyMenuBarEnd(HWND wnd);
