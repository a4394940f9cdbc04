#include "toolkit/win/form.h"

#include <algorithm>

#include "toolkit/core/utf8.h"
#include "toolkit/win/application.h"
#include "toolkit/win/dpi_awareness.h"
#include "toolkit/win/layout_resource.h"
#include "toolkit/win/menus.h"
#include "toolkit/win/screen.h"
#include "toolkit/win/tab_navigation.h"

QUILLIMO_REGISTER_CLASS(TCustomForm, [](TPropertyTable& p) {
  p.Enum("BorderStyle", &TCustomForm::BorderStyle, &TCustomForm::SetBorderStyle, bsSizeable);
  p.Set("BorderIcons", &TCustomForm::BorderIcons, &TCustomForm::SetBorderIcons,
        TBorderIcons{biSystemMenu, biMinimize, biMaximize});
  p.String("Caption", &TCustomForm::Caption, &TCustomForm::SetCaption);
  p.Integer("ClientWidth", &TCustomForm::ClientWidth, &TCustomForm::SetClientWidth);
  p.Integer("ClientHeight", &TCustomForm::ClientHeight, &TCustomForm::SetClientHeight);
  p.Enum("Position", &TCustomForm::Position, &TCustomForm::SetPosition, poDesigned);
  p.Enum("FormStyle", &TCustomForm::FormStyle, &TCustomForm::SetFormStyle, fsNormal);
  p.Object("Menu", &TCustomForm::Menu, &TCustomForm::SetMenu);
  p.Bool("KeyPreview", &TCustomForm::KeyPreview, &TCustomForm::SetKeyPreview, false);
  p.Integer("PixelsPerInch", &TCustomForm::PixelsPerInch, &TCustomForm::SetPixelsPerInch, FontPixelsPerInch);
  p.Event("OnCreate", &TCustomForm::OnCreate);
  p.Event("OnDestroy", &TCustomForm::OnDestroy);
  p.Event("OnShow", &TCustomForm::OnShow);
  p.Event("OnHide", &TCustomForm::OnHide);
  p.Event("OnActivate", &TCustomForm::OnActivate);
  p.Event("OnDeactivate", &TCustomForm::OnDeactivate);
  p.Event("OnCloseQuery", &TCustomForm::OnCloseQuery);
  p.Event("OnClose", &TCustomForm::OnClose);
});
QUILLIMO_REGISTER_CLASS(TForm);

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {
  SetVisibleFlag(false);
  SetParentFont(false);
  Screen->AddForm(this);
}

TCustomForm::~TCustomForm() {
  try {
    OnDestroy(this);
  } catch (...) {
    Application->HandleException();
  }
  Screen->RemoveForm(this);
  DestroyComponents();
}

void TCustomForm::AfterConstruction() {
  if (ReadLayout()) BindFields();
  try {
    OnCreate(this);
  } catch (...) {
    Application->HandleException();
  }
}

bool TCustomForm::ReadLayout() { return ReadLayoutResource(this); }

DWORD TCustomForm::FrameStyle() const {
  DWORD style = 0;
  switch (borderStyle_) {
    case bsNone: style = WS_POPUP; break;
    case bsSingle:
    case bsToolWindow: style = WS_CAPTION | WS_BORDER; break;
    case bsSizeable:
    case bsSizeToolWin: style = WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog: style = WS_POPUP | WS_CAPTION | DS_MODALFRAME; break;
  }
  if (borderStyle_ != bsNone && borderIcons_.Contains(biSystemMenu)) {
    style |= WS_SYSMENU;
    if (borderStyle_ != bsDialog && borderStyle_ != bsToolWindow && borderStyle_ != bsSizeToolWin) {
      if (borderIcons_.Contains(biMinimize)) style |= WS_MINIMIZEBOX;
      if (borderIcons_.Contains(biMaximize)) style |= WS_MAXIMIZEBOX;
    }
  }
  return style;
}

DWORD TCustomForm::FrameExStyle() const {
  DWORD ex = 0;
  if (borderStyle_ == bsDialog) ex |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
  if (borderStyle_ == bsToolWindow || borderStyle_ == bsSizeToolWin) ex |= WS_EX_TOOLWINDOW;
  if (formStyle_ == fsStayOnTop) ex |= WS_EX_TOPMOST;
  return ex;
}

void TCustomForm::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.Style = FrameStyle() | WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  params.ExStyle = FrameExStyle();
  params.WndParent = nullptr;
  TCustomForm* main = Application->MainForm();
  if (main && main != this && main->HandleAllocated()) params.WndParent = main->Handle();
  params.Icon = LoadIconW(GetModuleHandleW(nullptr), L"MAINICON");
  // The window is made with its menu bar, at the size that gives the client size asked for:
  // the frame is not laid out again as soon as the window exists.
  if (menu_) params.Menu = menu_->Handle();
}

void TCustomForm::HandleCreated() {
  UpdateMenu();
  if (clientWidth_ >= 0) SetClientWidth(clientWidth_);
  if (clientHeight_ >= 0) SetClientHeight(clientHeight_);
  // Made on a monitor of another resolution than the one it was laid out for.
  if (!ComponentState().Contains(csLoading)) SetPixelsPerInch(WindowPixelsPerInch(Handle()));
}

void TCustomForm::SetPixelsPerInch(int v) {
  if (v <= 0 || v == pixelsPerInch_) return;
  if (ComponentState().Contains(csLoading))
    pixelsPerInch_ = v;  // the layout's own resolution: Loaded scales from it
  else
    ChangeScale(pixelsPerInch_, v);
}

void TCustomForm::ChangeScale(int from, int to) {
  DisableAlign();
  ScaleFont(from, to);
  ScaleControls(from, to);
  pixelsPerInch_ = to;
  if (clientWidth_ >= 0) SetClientWidth(MulDiv(clientWidth_, to, from));
  if (clientHeight_ >= 0) SetClientHeight(MulDiv(clientHeight_, to, from));
  EnableAlign();
}

void TCustomForm::DpiChanged(int pixelsPerInch, const RECT& suggested) {
  TRedrawSuspension once(*this);  // one paint at the end, frame included
  DisableAlign();
  if (pixelsPerInch != pixelsPerInch_) ChangeScale(pixelsPerInch_, pixelsPerInch);
  SetBounds(suggested.left, suggested.top, suggested.right - suggested.left, suggested.bottom - suggested.top);
  EnableAlign();
  Realign();
}

RECT TCustomForm::ClientRect() const {
  if (HandleAllocated()) return TWinControl::ClientRect();
  RECT frame{0, 0, 0, 0};
  AdjustWindowRectEx(&frame, FrameStyle(), menu_ != nullptr, FrameExStyle());
  int w = clientWidth_ >= 0 ? clientWidth_ : Width() - (frame.right - frame.left);
  int h = clientHeight_ >= 0 ? clientHeight_ : Height() - (frame.bottom - frame.top);
  return {0, 0, std::max(w, 0), std::max(h, 0)};
}

void TCustomForm::SetClientWidth(int v) {
  clientWidth_ = v;
  if (!HandleAllocated()) {
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, FrameStyle(), menu_ != nullptr, FrameExStyle());
    SetWidth(v + frame.right - frame.left);
    return;
  }
  RECT w, c;
  GetWindowRect(Handle(), &w);
  GetClientRect(Handle(), &c);
  SetWidth(v + (w.right - w.left) - c.right);
}

void TCustomForm::SetClientHeight(int v) {
  clientHeight_ = v;
  if (!HandleAllocated()) {
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, FrameStyle(), menu_ != nullptr, FrameExStyle());
    SetHeight(v + frame.bottom - frame.top);
    return;
  }
  RECT w, c;
  GetWindowRect(Handle(), &w);
  GetClientRect(Handle(), &c);
  SetHeight(v + (w.bottom - w.top) - c.bottom);
}

void TCustomForm::SetBorderStyle(TFormBorderStyle v) {
  borderStyle_ = v;
  if (HandleAllocated()) {
    SetWindowLongPtrW(Handle(), GWL_STYLE,
                      (GetWindowLongPtrW(Handle(), GWL_STYLE) & (WS_VISIBLE | WS_DISABLED)) | FrameStyle() |
                          WS_CLIPCHILDREN | WS_CLIPSIBLINGS);
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void TCustomForm::SetBorderIcons(TBorderIcons v) {
  borderIcons_ = v;
  if (HandleAllocated()) SetBorderStyle(borderStyle_);
}

void TCustomForm::SetFormStyle(TFormStyle v) {
  formStyle_ = v;
  if (HandleAllocated())
    SetWindowPos(Handle(), v == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TCustomForm::SetMenu(TMainMenu* menu) {
  if (menu == menu_) return;
  if (menu_) menu_->RemoveFreeNotification(this);
  menu_ = menu;
  if (menu_) menu_->FreeNotification(this);
  UpdateMenu();
}

void TCustomForm::UpdateMenu() {
  if (!HandleAllocated()) return;
  if (menu_) menu_->SetWindow(Handle());
  HMENU bar = menu_ ? menu_->Handle() : nullptr;
  if (::GetMenu(Handle()) != bar) ::SetMenu(Handle(), bar);
  SendMessageW(Handle(), CM_MENUCHANGED, 0, 0);  // through the window's hooks too
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
  TWinControl::Notification(component, operation);
  if (operation == opRemove && component == menu_) {
    menu_ = nullptr;
    if (HandleAllocated()) ::SetMenu(Handle(), nullptr);
  }
}

// The client size is taken again once the whole layout is read: the menu bar and the border
// style, which the window's size around it depends on, may come after it.
void TCustomForm::Loaded() {
  // The layout's pixels are the resolution's it was made at: scaled to the monitor's, while
  // its controls are still loading (nothing is laid out or told of a resize yet).
  const int monitor = HandleAllocated() ? WindowPixelsPerInch(Handle()) : Screen->PixelsPerInch();
  if (monitor != pixelsPerInch_) ChangeScale(pixelsPerInch_, monitor);
  TWinControl::Loaded();
  if (clientWidth_ >= 0) SetClientWidth(clientWidth_);
  if (clientHeight_ >= 0) SetClientHeight(clientHeight_);
}

void TCustomForm::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  for (int i = 0; i < ComponentCount(); ++i)
    if (!Components(i)->HasParent()) proc(Components(i));
  TWinControl::GetChildren(proc, root);
}

bool TCustomForm::Showing() const { return HandleAllocated() ? IsWindowVisible(Handle()) != FALSE : false; }

void TCustomForm::ApplyPosition() {
  if (positioned_) return;
  positioned_ = true;
  TCustomForm* center = nullptr;
  switch (position_) {
    case poScreenCenter:
    case poDesktopCenter:
      SetBounds(std::max((Screen->Width() - Width()) / 2, 0), std::max((Screen->Height() - Height()) / 2, 0), Width(),
                Height());
      return;
    case poMainFormCenter: center = Application->MainForm(); break;
    case poOwnerFormCenter: center = dynamic_cast<TCustomForm*>(Owner()); break;
    default: return;
  }
  if (!center || center == this) center = Application->MainForm();
  if (!center || center == this) return;
  SetBounds(center->Left() + (center->Width() - Width()) / 2, center->Top() + (center->Height() - Height()) / 2,
            Width(), Height());
}

void TCustomForm::VisibleChanged() {
  if (Visible()) {
    ApplyPosition();  // before the window is made, so it is made where it appears
    Handle();
    ShowWindow(Handle(), SW_SHOW);
    OnShow(this);
  } else if (HandleAllocated()) {
    ShowWindow(Handle(), SW_HIDE);
    OnHide(this);
  }
}

void TCustomForm::Show() {
  SetVisible(true);
  SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

bool TCustomForm::Active() const { return HandleAllocated() && GetActiveWindow() == Handle(); }

TModalResult TCustomForm::ShowModal() {
  if (Visible() || !Enabled()) throw EInvalidOperation("Cannot make a visible window modal");
  HWND previous = GetActiveWindow();
  std::vector<HWND> disabled;
  for (int i = 0; i < Screen->FormCount(); ++i) {
    TCustomForm* f = Screen->Forms(i);
    if (f != this && f->HandleAllocated() && IsWindowEnabled(f->Handle())) {
      EnableWindow(f->Handle(), FALSE);
      disabled.push_back(f->Handle());
    }
  }
  modalResult_ = mrNone;
  Application->ModalStarted();
  try {
    Show();
    while (modalResult_ == mrNone && !Application->Terminated()) {
      Application->HandleMessage();
      if (!Visible() && modalResult_ == mrNone) modalResult_ = mrCancel;
    }
  } catch (...) {
    Application->HandleException();
  }
  Application->ModalFinished();
  for (HWND w : disabled) EnableWindow(w, TRUE);
  Hide();
  if (previous && IsWindow(previous)) SetActiveWindow(previous);
  return modalResult_;
}

void TCustomForm::Close() {
  bool canClose = true;
  OnCloseQuery(this, canClose);
  if (!canClose) return;
  TCloseAction action = caHide;
  OnClose(this, action);
  if (action == caNone) return;
  if (this == Application->MainForm()) {
    Application->Terminate();
    return;
  }
  if (modalResult_ == mrNone) modalResult_ = mrCancel;
  Hide();
}

bool TCustomForm::IsShortCut(WORD key, bool shift, bool ctrl, bool alt) {
  return menu_ && menu_->DispatchShortCut(MakeShortCut(key, shift, ctrl, alt));
}

bool TCustomForm::IsDialogKeyMessage(MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN && msg.message != WM_SYSCHAR) return false;
  HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  auto* form = dynamic_cast<TCustomForm*>(FindControl(root));
  if (!form) return false;
  if (msg.message != WM_SYSCHAR) {
    bool shift = GetKeyState(VK_SHIFT) < 0, ctrl = GetKeyState(VK_CONTROL) < 0, alt = GetKeyState(VK_MENU) < 0;
    if ((ctrl || alt || (msg.wParam >= VK_F1 && msg.wParam <= VK_F24)) &&
        form->IsShortCut(static_cast<WORD>(msg.wParam), shift, ctrl, alt))
      return true;
    if (msg.wParam == VK_TAB) return HandleTabKey(*form, msg);
    switch (msg.wParam) {
      case VK_LEFT:
      case VK_RIGHT:
      case VK_UP:
      case VK_DOWN: break;
      default: return false;
    }
  } else {
    // Alt+letter: the form may take it first (a skinned menu bar opens its item), else it
    // opens the menu bar.
    if (form->Perform(CM_DIALOGCHAR, msg.wParam, msg.lParam)) return true;
    if (form->menu_) return false;
  }
  return IsDialogMessageW(root, &msg) != FALSE;
}

void TCustomForm::WndProc(TMessage& msg) {
  switch (msg.Msg) {
    case WM_WINDOWPOSCHANGING: {
      const auto* pos = reinterpret_cast<const WINDOWPOS*>(msg.LParam);
      if (AboutToAppear && pos && (pos->flags & SWP_SHOWWINDOW) && !IsWindowVisible(Handle())) AboutToAppear(*this);
      break;
    }
    case WM_DPICHANGED:
      DpiChanged(HIWORD(msg.WParam), *reinterpret_cast<const RECT*>(msg.LParam));
      msg.Result = 0;
      return;
    case WM_CLOSE:
      Close();
      msg.Result = 0;
      return;
    case WM_COMMAND:
      if (msg.LParam == 0 && HIWORD(msg.WParam) == 0 && TMenuItem::DispatchCommand(LOWORD(msg.WParam))) return;
      break;
    case WM_DRAWITEM:
      if (TMenuItem::HandleDrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(msg.LParam))) {
        msg.Result = TRUE;
        return;
      }
      break;
    case WM_MEASUREITEM:
      if (TMenuItem::HandleMeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(msg.LParam))) {
        msg.Result = TRUE;
        return;
      }
      break;
    case WM_ACTIVATE:
      TWinControl::WndProc(msg);
      if (LOWORD(msg.WParam) != WA_INACTIVE) {
        Perform(CM_ACTIVATE);
        OnActivate(this);
      } else {
        Perform(CM_DEACTIVATE);
        OnDeactivate(this);
      }
      return;
    default: break;
  }
  TWinControl::WndProc(msg);
}
