#pragma once
// Moving the focus inside a form with the keyboard, as a dialog does. Tab and Shift+Tab go
// through the form's tab stops in tab order (TabOrder among siblings, a container's controls
// right after the container), into panels, group boxes and the shown page of a page control;
// a control that is hidden, disabled, inside a hidden or disabled container or not yet made
// (out of view) is passed over, and the walk wraps round. Ctrl+Tab and Ctrl+Shift+Tab turn the
// pages of the page control that holds the focus (else the form's first one), as a property
// sheet does.
#include "toolkit/win/messages.h"

class TWinControl;

// The tab stop after (or, backwards, before) current inside root; from none, the first (last).
// nullptr when root holds no tab stop that can take the focus.
TWinControl* FindNextTabStop(TWinControl& root, TWinControl* current, bool forward);

// Handles a Tab key press of the form (WM_KEYDOWN of VK_TAB, with or without Shift and Ctrl):
// true when it moved the focus or turned a page; false when the focused control wants Tab
// for itself (DLGC_WANTTAB) or the key is not one of these.
bool HandleTabKey(TWinControl& form, const MSG& msg);
