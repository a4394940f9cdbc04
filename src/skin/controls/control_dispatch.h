#pragma once
// The control dispatch: when a frame attaches to a window it walks the window's controls and
// gives each one the companion that draws it, or leaves it alone. For a toolkit form the order
// is: exclusions (DisableTag, controls already served), the skin component's OnSkinControl
// event, its class-name map (SkinAliases), then the built-in rules by class and class name,
// each gated by a member of SkinControls. A window without a toolkit form (message boxes,
// standard dialogs) is walked by its child windows, by window class and style. The built-in
// rules, the kinds of the class-name map and the window classes are tables in
// control_dispatch.cpp, read in order: the first row that takes a component decides.
//
// Every companion made is listed in the frame's control list; the frame detaches and frees
// them. UseSkinControlDispatch makes every frame dispatch its controls this way.
#include <string>

#include "toolkit/win/messages.h"

#include "toolkit/win/comctrls.h"

class TComponent;
class TSkinControl;
class TSkinFormFrame;

// Makes the frames dispatch their controls (TSkinFormFrame::ControlDispatcher).
void UseSkinControlDispatch();

// The dispatch of a frame: a toolkit form's components, or a bare window's child windows.
void DispatchControls(TSkinFormFrame& frame);
// Purges dead companions, then dispatches every component owned by container, in order.
void ScanContainer(TSkinFormFrame& frame, TComponent* container);
void DispatchComponent(TSkinFormFrame& frame, TComponent* component, TComponent* container);
// The SkinAliases rules for the class name; true when a line matched (even when its kind made
// nothing).
bool ApplySkinMap(TSkinFormFrame& frame, const std::string& className, TComponent* component);
// Every direct child window with WS_CHILD of a window without a toolkit form.
void ScanChildWindows(TSkinFormFrame& frame);
void DispatchChildWindow(TSkinFormFrame& frame, HWND wnd);
// A listed companion serves the component already.
bool IsServed(const TSkinFormFrame& frame, TComponent* component);
// The listed companion attached to the window, or nullptr.
TSkinControl* FindByHandle(const TSkinFormFrame& frame, HWND wnd);
// The OnCustomDrawButton handler of skinned tool bars: the button's frame of the Buttons
// element under the toolbar's own drawing.
void PaintToolBarButton(TSkinFormFrame& frame, TToolBar* toolBar, TToolButton* button, TCustomDrawState state);
// Sets a published enumerated property by names (e.g. "Flat" := "True") when the component has
// one; otherwise nothing.
void SetEnumPropByName(TComponent* component, const std::string& property, const std::string& value);
