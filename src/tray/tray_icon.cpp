#include "tray_icon.h"

#include <cwchar>

#include "toolkit/core/utf8.h"
#include "toolkit/win/application.h"
#include "toolkit/win/form.h"
#include "toolkit/win/graphics.h"
#include "toolkit/win/menus.h"
#include "toolkit/win/window_hook.h"

QUILLIMO_REGISTER_CLASS(TTrayIcon, [](TPropertyTable& p) {
  p.Object("Icon", &TTrayIcon::Icon, &TTrayIcon::SetIcon);
  p.String("Tip", &TTrayIcon::Tip, &TTrayIcon::SetTip);
  p.Object("PopupMenu", &TTrayIcon::PopupMenu, &TTrayIcon::SetPopupMenu);
  p.Event("OnClick", &TTrayIcon::OnClick);
  p.Event("OnDblClick", &TTrayIcon::OnDblClick);
  p.Event("OnMouseDown", &TTrayIcon::OnMouseDown);
  p.Event("OnMouseMove", &TTrayIcon::OnMouseMove);
  p.Event("OnMouseUp", &TTrayIcon::OnMouseUp);
});

namespace {
// The tip as the record's field holds it: at most MaxTipLength UTF-16 units, never ending in
// the first half of a surrogate pair.
std::wstring ShellTip(const std::string& tip) {
  std::wstring wide = Utf8ToWide(tip);
  if (wide.size() > TTrayIcon::MaxTipLength) {
    wide.resize(TTrayIcon::MaxTipLength);
    if (wide.back() >= 0xD800 && wide.back() <= 0xDBFF) wide.pop_back();
  }
  return wide;
}

// A pop-up menu that can switch its automatic pop-up off says so; otherwise it is on.
template <class Menu>
bool AutoPopupOn(const Menu& menu) {
  if constexpr (requires { menu.AutoPopup(); })
    return menu.AutoPopup();
  else
    return true;
}
}  // namespace

TTrayIcon::TTrayIcon(TComponent* owner) : TComponent(owner), FIcon(std::make_unique<TIcon>()) {
  FIcon->OnChange = [this](TObject*) { NotifyShell(nsModify); };
  auto* form = dynamic_cast<TCustomForm*>(owner);
  if (!form) return;
  // The hook joins the form's window when it is made (a form being read has none yet, and
  // making it early would make all its child windows while their properties are still being
  // read), and follows it when it is destroyed and made again.
  FHookProc = std::make_unique<TWindowHook>([this](TMessage& msg) { HookWndProc(msg); });
  if (form->HandleAllocated()) JoinWindow(form->Handle());
  FForm = form;
  FHandleWatch = form->AddHandleWatch([this](HWND wnd) {
    FWindowHandle = nullptr;
    if (!wnd) return;
    JoinWindow(wnd);
    // The shell's icon went with the old window.
    if (FShown) NotifyShell(nsAdd);
  });
  int count = 0;
  for (int i = 0; i < owner->ComponentCount(); ++i)
    if (dynamic_cast<TTrayIcon*>(owner->Components(i))) ++count;
  FIconID = NextFreeIconID(count);
}

TTrayIcon::~TTrayIcon() {
  NotifyShell(nsDelete);
  FIcon->OnChange = nullptr;
  FIcon.reset();
  if (FForm) FForm->RemoveHandleWatch(FHandleWatch);
  if (FHookProc) FHookProc->Detach();
  FHookProc.reset();
  SetPopupMenu(nullptr);
}

// The count of tray icons is the identifier, unless an icon of the same owner holds that
// number already (one made before it was freed and the count went down): then the next
// number that nobody holds, so that no two icons share a callback message.
int TTrayIcon::NextFreeIconID(int count) const {
  for (int id = count;; ++id) {
    bool taken = false;
    for (int i = 0; i < Owner()->ComponentCount() && !taken; ++i) {
      auto* other = dynamic_cast<TTrayIcon*>(Owner()->Components(i));
      taken = other && other != this && other->FIconID == id;
    }
    if (!taken) return id;
  }
}

namespace {
// The message the task bar broadcasts to the top-level windows when it is made (again).
UINT TaskbarCreatedMessage() {
  static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
  return message;
}
}  // namespace

void TTrayIcon::JoinWindow(HWND wnd) {
  FWindowHandle = wnd;
  FHookProc->Attach(wnd);
  // An elevated program would not hear the task bar of the user's Explorer otherwise.
  ChangeWindowMessageFilterEx(wnd, TaskbarCreatedMessage(), MSGFLT_ALLOW, nullptr);
}

void TTrayIcon::ShowIcon() {
  FShown = true;
  if (FWindowHandle || !FForm)
    NotifyShell(nsAdd);
  else
    FForm->HandleNeeded();  // the new window brings the icon (the handle watch)
}

void TTrayIcon::HideIcon() {
  FShown = false;
  NotifyShell(nsDelete);
}

bool TTrayIcon::Hooked() const { return FHookProc && FHookProc->Attached(); }

NOTIFYICONDATAW TTrayIcon::NotifyRecord() {
  NOTIFYICONDATAW data{};
  data.cbSize = NOTIFYICONDATAW_V1_SIZE;
  data.hWnd = FWindowHandle;
  data.uID = static_cast<UINT>(FIconID);
  data.uFlags = NIF_MESSAGE | NIF_ICON;
  data.uCallbackMessage = CallbackMessage();
  HICON icon = FIcon && !FIcon->Empty() ? FIcon->Handle() : nullptr;
  data.hIcon = icon ? icon : LoadIconW(nullptr, IDI_WINLOGO);
  if (!FTip.empty()) {
    data.uFlags |= NIF_TIP;
    const std::wstring tip = ShellTip(FTip);
    std::wmemcpy(data.szTip, tip.c_str(), tip.size() + 1);
  }
  return data;
}

bool TTrayIcon::NotifyShell(int operation) {
  static constexpr DWORD messages[] = {NIM_ADD, NIM_MODIFY, NIM_DELETE};
  // Without a window nobody would hear the icon's callbacks, and it could never be told
  // apart from another window-less icon: the shell is not asked.
  if (!FWindowHandle || operation < nsAdd || operation > nsDelete) return false;
  NOTIFYICONDATAW data = NotifyRecord();
  return Shell_NotifyIconW(messages[operation], &data) != FALSE;
}

void TTrayIcon::SetIcon(TIcon* icon) {
  // Assigning changes the picture, and that change updates the shown icon.
  if (icon) {
    FIcon->Assign(icon);
  } else {
    TIcon empty;
    FIcon->Assign(&empty);
  }
}

void TTrayIcon::SetTip(const std::string& tip) {
  FTip = tip;
  NotifyShell(nsModify);
}

void TTrayIcon::SetPopupMenu(TPopupMenu* menu) {
  if (FPopupMenu == menu) return;
  if (FPopupMenu) FPopupMenu->RemoveFreeNotification(this);
  FPopupMenu = menu;
  if (FPopupMenu) FPopupMenu->FreeNotification(this);
}

void TTrayIcon::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == FPopupMenu) FPopupMenu = nullptr;
}

void TTrayIcon::HookWndProc(TMessage& msg) {
  if (msg.Msg == TaskbarCreatedMessage() && FShown) NotifyShell(nsAdd);
  if (msg.Msg != CallbackMessage()) {
    if (msg.Msg == WM_DESTROY) {
      // The icon cannot outlive its window: the shell would keep a dead icon, and a later
      // window could get the same handle.
      NotifyShell(nsDelete);
      FHookProc->CallPrevious(msg);
      FWindowHandle = nullptr;
      return;
    }
    FHookProc->CallPrevious(msg);
    return;
  }
  msg.Result = MouseAction(static_cast<UINT>(msg.LParam)) ? 0 : 1;
}

bool TTrayIcon::MouseAction(UINT action) {
  switch (action) {
    case WM_MOUSEMOVE: OnMouseMove(this); break;
    case WM_RBUTTONDOWN:
      if (FPopupMenu && AutoPopupOn(*FPopupMenu)) {
        PopupAtCursor();
        break;
      }
      [[fallthrough]];
    case WM_LBUTTONDOWN:
    case WM_MBUTTONDOWN:
      if (OnMouseDown)
        OnMouseDown(this);
      else
        OnClick(this);
      break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: OnMouseUp(this); break;
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK: OnDblClick(this); break;
    default: return false;
  }
  return true;
}

// The owner's window comes to the front first, so the menu closes when the user clicks
// elsewhere; the chosen item's command has run when this returns.
void TTrayIcon::PopupAtCursor() {
  SetForegroundWindow(FWindowHandle);
  Application->ProcessMessages();
  if (!FPopupMenu) return;  // freed by one of those messages
  FPopupMenu->PopupComponent = Owner();
  POINT pt{};
  GetCursorPos(&pt);
  FPopupMenu->Popup(pt.x, pt.y);
  Application->ProcessMessages();
}
