#pragma once
// TTrayIcon: a non-visual component that puts an icon into the notification area of the task
// bar on request (ShowIcon), takes it out again (HideIcon), and turns mouse actions on the icon
// into its events and its pop-up menu.
//
// It listens through its owner form's window: at creation it hooks the form's window procedure
// and picks the callback message WM_USER + its identifier, where the identifier counts the tray
// icons of the owner (1 for the first), so that several icons on one form each hear only their
// own callback. A component whose owner is no form has no window and no hook.
#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>

#include "toolkit/core/component.h"
#include "toolkit/core/properties.h"
#include "toolkit/win/messages.h"

class TIcon;
class TPopupMenu;
class TWindowHook;
class TWinControl;

class TTrayIcon : public TComponent {
  QUILLIMO_CLASS(TTrayIcon, TComponent)
public:
  // The operations of NotifyShell.
  enum : int { nsAdd = 0, nsModify = 1, nsDelete = 2 };
  // The tip field of the notification record holds 64 characters with the terminating zero.
  static constexpr int MaxTipLength = 63;

  explicit TTrayIcon(TComponent* owner);
  ~TTrayIcon() override;

  // Hands the icon's record to Shell_NotifyIconW with the operation; true when the shell
  // accepted it. Callers ignore the answer: a refused request changes nothing.
  bool NotifyShell(int operation);
  // The record NotifyShell hands over: the first form of NOTIFYICONDATAW (64-character tip),
  // the callback message, the icon (the system's logo when the picture is empty) and the tip
  // cut to MaxTipLength characters.
  NOTIFYICONDATAW NotifyRecord();
  // Puts the icon into the notification area, and keeps it there until HideIcon: the icon is
  // added again when the task bar is made anew (Explorer restarted: the registered message
  // "TaskbarCreated") and when the owner form's window is made anew. A form without a window
  // yet gets one, so that the icon can be reached.
  void ShowIcon();
  void HideIcon();

  // The picture shown; an empty one shows the system's logo icon. Setting it copies the
  // given icon; every change of the picture updates the shown icon.
  TIcon* Icon() const { return FIcon.get(); }
  void SetIcon(TIcon* icon);
  const std::string& Tip() const { return FTip; }
  void SetTip(const std::string& tip);
  // Popped up at the cursor on a right-button press (not owned).
  TPopupMenu* PopupMenu() const { return FPopupMenu; }
  void SetPopupMenu(TPopupMenu* menu);

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TNotifyEvent OnMouseDown;
  TNotifyEvent OnMouseMove;
  TNotifyEvent OnMouseUp;

  int IconID() const { return FIconID; }
  UINT CallbackMessage() const { return WM_USER + static_cast<UINT>(FIconID); }
  HWND WindowHandle() const { return FWindowHandle; }
  bool Hooked() const;

  void Notification(TComponent* component, TOperation operation) override;

protected:
  // The owner form's messages pass through here first.
  virtual void HookWndProc(TMessage& msg);

private:
  int NextFreeIconID(int count) const;
  // Runs what a mouse action on the icon asks for; false for a number that is no mouse action.
  bool MouseAction(UINT action);
  void PopupAtCursor();
  // Joins a window of the owner form: hooks it and lets the task bar's message through.
  void JoinWindow(HWND wnd);

  // The hook on the owner form's window; it keeps the procedure that was in place before it
  // and puts it back when it is detached. None when the owner is no form.
  std::unique_ptr<TWindowHook> FHookProc;
  HWND FWindowHandle = nullptr;
  TWinControl* FForm = nullptr;  // the owner form whose window the hook follows
  int FHandleWatch = 0;
  int FIconID = 0;
  bool FShown = false;  // between ShowIcon and HideIcon
  std::string FTip;
  std::unique_ptr<TIcon> FIcon;
  TPopupMenu* FPopupMenu = nullptr;
};
