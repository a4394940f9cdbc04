#include "skin/frames/form_frame.h"

#include <algorithm>

#include "skin/data/skin_manager.h"
#include "skin/data/skin_set.h"
#include "skin/frames/gdi_paint.h"
#include "skin/frames/menu_bar.h"
#include "skin/frames/skin_engine.h"
#include "skin/frames/window_side.h"
#include "toolkit/win/dc_guards.h"
#include "toolkit/win/dpi_awareness.h"
#include "toolkit/win/extctrls.h"
#include "toolkit/win/form.h"
#include "toolkit/win/menus.h"

QUILLIMO_REGISTER_CLASS(TSkinFormFrame)

TSkinFormFrame::TSkinFormFrame(TComponent* owner) : TComponent(owner), menus_(std::make_unique<TFrameMenus>(*this)) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  LOGFONTW caption{};
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
    caption = metrics.lfCaptionFont;
  else
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(caption), &caption);
  captionFont_ = CreateFontIndirectW(&caption);
  hook_.SetHandler([this](TMessage& m) { FrameWndProc(m); });
  clientHook_.SetHandler([this](TMessage& m) { ClientWndProc(m); });
}

TSkinFormFrame::~TSkinFormFrame() {
  ResumeWindowAnimation();
  if (hoverTimer_) hoverTimer_->SetEnabled(false);
  // The form's pop-up items draw through this frame: they must not outlive it (a form whose
  // window was destroyed keeps its menus, and its next frame sets them again).
  if (form_ && skinData_ && skinFrame_) menus_->SetPopupsOwnerDraw(false);
  DetachCompanions();
  UnhookForm();
  hook_.Detach();
  clientHook_.Detach();
  FreeSysButtons();
  menus_->DropBar();
  menus_->DropSystemMenu();
  if (region_) DeleteObject(region_);
  if (captionFont_) DeleteObject(captionFont_);
  if (TFrameWindowSide* side = FrameWindowSide()) side->RemoveForm(this);
}

void TSkinFormFrame::AttachToForm(TSkinSet* skin, TCustomForm* form) {
  form_ = form;
  formCommands_ = skin->SkinControls().Contains(xcMainMenu);
  AttachToWindow(skin);
  savedColor_ = form->Color();
  form->SetColor(skin->Model().ButtonFaceColour);
  if (skin->SkinControls().Contains(xcMainMenu)) menus_->SetPopupsOwnerDraw(true);
}

const TSkinModel& TSkinFormFrame::Model() const { return skinData_->ModelFor(pixelsPerInch_); }

void TSkinFormFrame::ReadWindowState() {
  WINDOWPLACEMENT wp{};
  wp.length = sizeof(wp);
  if (!GetWindowPlacement(handle_, &wp)) return;
  switch (wp.showCmd) {
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE: windowState_ = TFrameWindowState::Minimized; break;
    case SW_SHOWMAXIMIZED: windowState_ = TFrameWindowState::Maximized; break;
    default: windowState_ = TFrameWindowState::Normal; break;
  }
}

void TSkinFormFrame::AttachToWindow(TSkinSet* skin) {
  if (Subclassed() || !handle_) return;
  skinData_ = skin;
  pixelsPerInch_ = WindowPixelsPerInch(handle_);
  hoverTimer_ = std::make_unique<TTimer>(nullptr);
  hoverTimer_->SetEnabled(false);
  hoverTimer_->SetInterval(250);
  hoverTimer_->OnTimer = [this](TObject*) { HoverCheck(); };
  skinFrame_ = skin->SkinControls().Contains(xcMainMenu);

  style_ = static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_STYLE));
  showingUnpainted_ = !(style_ & WS_VISIBLE);  // a window framed before it appears
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(handle_, GWL_EXSTYLE));
  rightToLeft_ = exStyle & WS_EX_LEFTSCROLLBAR;
  const HMENU systemMenu = menus_->ReadSystemMenu();

  LoadIcon();
  captionText_ = GetWindowTextString(handle_);
  windowClass_ = GetClassNameString(handle_);
  ownerWindow_ = GetWindow(handle_, GW_OWNER);
  GetClientRect(handle_, &initialClientRect_);
  RECT wr{};
  GetWindowRect(handle_, &wr);
  nativeFrameSize_ = {0, 0, (wr.right - wr.left) - initialClientRect_.right,
                      (wr.bottom - wr.top) - initialClientRect_.bottom};

  borderIcons_ = 0;
  if ((style_ & WS_SYSMENU) || systemMenu) borderIcons_ |= kSystemMenu;
  if (style_ & WS_MINIMIZEBOX) borderIcons_ |= kMinimizeBox;
  if (style_ & WS_MAXIMIZEBOX) borderIcons_ |= kMaximizeBox;

  menus_->BuildSystemMenu(borderIcons_ & kMaximizeBox, borderIcons_ & kMinimizeBox);
  ReadWindowState();
  sizeable_ = style_ & WS_THICKFRAME;

  frameKind_ = TFrameKind::Plain;
  for (HWND child = GetWindow(handle_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (GetClassNameString(child) == "MDIClient") {
      frameKind_ = TFrameKind::MdiFrame;
      mdiClientWindow_ = child;
      if (TSkinManager* manager = GetSkinManager()) manager->SetMdiClient(reinterpret_cast<TSkinWindow>(child));
      break;
    }
  if (exStyle & WS_EX_MDICHILD) frameKind_ = TFrameKind::MdiChild;

  borderKind_ = TFrameBorder::Single;
  if ((style_ & WS_POPUP) && (style_ & WS_CAPTION) != WS_CAPTION)
    borderKind_ = TFrameBorder::None;
  else if (style_ & WS_THICKFRAME)
    borderKind_ = TFrameBorder::Sizeable;
  else if (style_ & DS_MODALFRAME)
    borderKind_ = TFrameBorder::Dialog;

  if (frameKind_ == TFrameKind::MdiFrame) clientHook_.Attach(mdiClientWindow_);

  if (skinFrame_) {
    menus_->AttachBar();
    const bool mdiMaximized = GetSkinManager() && GetSkinManager()->MdiMaximized();
    if (!(IsMdiChild() && mdiMaximized) && windowState_ != TFrameWindowState::Minimized) SetNativeCaption(false);
    LayoutSysButtons();
  }

  if (form_)
    HookForm();
  else
    hook_.Attach(handle_);
  if (ControlDispatcher) ControlDispatcher(*this);
  InvalidateRect(handle_, nullptr, TRUE);
}

void TSkinFormFrame::LoadIcon() {
  iconSize_ = GetSystemMetrics(SM_CXSMICON);
  const int cy = GetSystemMetrics(SM_CYSMICON);
  iconHandle_ = reinterpret_cast<HICON>(SendMessageW(handle_, WM_GETICON, ICON_SMALL, 0));
  if (!iconHandle_) iconHandle_ = reinterpret_cast<HICON>(SendMessageW(handle_, WM_GETICON, ICON_BIG, 0));
  if (iconHandle_) {
    TBitmap icon(iconSize_, cy);
    icon.Pixels().Fill(kSkinKeyColor);
    HICON small = static_cast<HICON>(CopyImage(iconHandle_, IMAGE_ICON, iconSize_, cy, LR_COPYFROMRESOURCE));
    DrawIconEx(icon.Canvas().Handle(), 0, 0, small ? small : iconHandle_, iconSize_, cy, 0, nullptr, DI_NORMAL);
    if (small) DestroyIcon(small);
    iconBitmap_ = icon.Pixels();
    return;
  }
  iconBitmap_ = TBitmapPixels(iconSize_, cy);
  iconBitmap_.Fill(kSkinKeyColor);
  if (skinData_->IconImage().Empty()) {
    if (TSkinManager* manager = GetSkinManager())
      for (TSkinSet* other : manager->SkinDataList())
        if (other->SkinFormtype() == sfMainform && !other->IconImage().Empty()) iconBitmap_ = other->IconImage();
  } else {
    iconBitmap_ = skinData_->IconImage();
  }
}

void TSkinFormFrame::SetNativeCaption(bool on) {
  const bool mdiMaximized = GetSkinManager() && GetSkinManager()->MdiMaximized();
  if (IsMdiChild() && mdiMaximized && !on) return;
  nativeCaption_ = on;
  LONG_PTR style = GetWindowLongPtrW(handle_, GWL_STYLE);
  if (on) {
    if (borderIcons_ & kSystemMenu) style |= WS_SYSMENU;
    if (borderIcons_ & kMinimizeBox) style |= WS_MINIMIZEBOX;
    if (borderIcons_ & kMaximizeBox) style |= WS_MAXIMIZEBOX;
    if (borderIcons_ & kCaptionRemoved) style |= WS_CAPTION;
  } else if (ownerWindow_ || IsMdiChild()) {
    style &= ~static_cast<LONG_PTR>(WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
  } else {
    borderIcons_ |= kCaptionRemoved;
    style &= ~static_cast<LONG_PTR>(WS_CAPTION);
  }
  SetWindowLongPtrW(handle_, GWL_STYLE, style);
  style_ = static_cast<DWORD>(style);
}

void TSkinFormFrame::FrameChanged() {
  SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TSkinFormFrame::LayoutSysButtons() {
  if (skinData_->Loading()) return;
  if (borderKind_ == TFrameBorder::None) {
    edgeLeft_ = edgeTop_ = edgeRight_ = edgeBottom_ = 0;
    menus_->SetBarHeight(0);
  } else {
    auto part = [](const TDataSkinBorder& b, bool height) {
      const int count = std::max(b.FrameCount, 1);
      return height ? b.Image.Height() / count : b.Image.Width() / count;
    };
    edgeTop_ = part(*Model().BorderTop, true);
    edgeLeft_ = part(*Model().BorderLeft, false);
    edgeRight_ = part(*Model().BorderRight, false);
    edgeBottom_ = part(*Model().BorderBottom, true);
  }
  FreeSysButtons();
  for (auto& button : Model().SysButtons) {
    if (button->Action == SysButtonAction::SystemMenu || button->Action == SysButtonAction::SystemMenuIcon) {
      if (button->Image.Empty()) button->Image = iconBitmap_;
      if (skinData_->IconImage().Empty()) skinData_->KeepIconImage(iconBitmap_);
      button->FrameCount = 1;
    }
    captionButtons_.push_back(std::make_unique<TSkinTitleButton>(this, button.get()));
  }
}

void TSkinFormFrame::FreeSysButtons() {
  hotObject_ = nullptr;
  captionButtons_.clear();
}

void TSkinFormFrame::FitWindow(bool refresh) {
  if (windowState_ == TFrameWindowState::Maximized) {
    FrameChanged();
    return;
  }
  int width = initialClientRect_.right + edgeLeft_ + edgeRight_;
  if (refresh) GetClientRect(handle_, &initialClientRect_);
  RECT wr{};
  GetWindowRect(handle_, &wr);
  if (!refresh && form_) {
    // The form's client size as its native frame had it: the window as the native frame sized
    // it, less that frame measured at attach (caption, menu bar and the border of its own
    // style; a fixed border is thinner than SM_CYFRAME, so the metrics would lose pixels).
    initialClientRect_.bottom = (wr.bottom - wr.top) - nativeFrameSize_.bottom;
    width = (wr.right - wr.left) - nativeFrameSize_.right + edgeLeft_ + edgeRight_;
  }
  if (refresh) width = initialClientRect_.right + edgeLeft_ + edgeRight_;
  const int height = initialClientRect_.bottom + edgeTop_ + edgeBottom_ + MenuBarHeight();
  if (!refresh && (windowClass_ == "TMessageForm" || windowClass_ == "#32770")) {
    TClientDC dc(handle_);
    TSelectObject font(dc, captionFont_);
    SIZE space{};
    GetTextExtentPoint32W(dc, L" ", 1, &space);
    spaceWidth_ = space.cx;
    captionText_ = GetWindowTextString(handle_);
    const TDataSkinTitle& t = *Model().Title;
    const int needed = (static_cast<int>(Utf8ToWide(captionText_).size()) + 7) * spaceWidth_ + edgeLeft_ + edgeRight_ +
                       t.LeftWidth + t.RightWidth + t.TXTBackleft + t.TXTBackRight;
    if (width < needed) {
      const int shift = (needed - width) / 2;
      for (HWND child = GetWindow(handle_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT cr{};
        GetWindowRect(child, &cr);
        MapWindowPoints(nullptr, handle_, reinterpret_cast<POINT*>(&cr), 2);
        SetWindowPos(child, nullptr, cr.left + shift, cr.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOSENDCHANGING | SWP_NOOWNERZORDER | SWP_NOACTIVATE);
      }
      width = needed;
    }
  }
  SetWindowPos(handle_, nullptr, wr.left, wr.top, width, height,
               SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
}

void TSkinFormFrame::ReapplySkin() {
  if (form_) {
    form_->SetColor(Model().ButtonFaceColour);
    for (int i = 0; i < form_->ComponentCount(); ++i)
      if (auto* embedded = dynamic_cast<TCustomForm*>(form_->Components(i)))
        embedded->SetColor(Model().ButtonFaceColour);
  }
  for (TFrameCompanion* control : std::vector<TFrameCompanion*>(controlList_)) control->NotifySkinChanged();
  frameState_ = TFrameState::Refreshing;
  // The region and the composed caption belong to the old skin: a window that keeps its size
  // (a maximised one, or two skins of the same edges) must still have both made anew.
  ForgetRegionShape();
  if (skinFrame_) {
    if (form_) menus_->SetPopupsOwnerDraw(true);
    FitWindow(true);
    frameState_ = TFrameState::Running;
    UpdateRegion();
  }
  frameState_ = TFrameState::Running;
}

void TSkinFormFrame::FollowResolution(TMessage& msg) {
  pixelsPerInch_ = HIWORD(msg.WParam);
  LayoutSysButtons();  // edges and caption buttons of the skin at the new resolution
  ForgetRegionShape();
  CallOldProc(msg);  // the form scales its layout and takes the system's rectangle
  FrameChanged();
  UpdateRegion();
  for (TFrameCompanion* control : std::vector<TFrameCompanion*>(controlList_)) control->NotifySkinChanged();
  RedrawWindow(handle_, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

bool TSkinFormFrame::AddSkinControl(TFrameCompanion* control) {
  if (std::find(controlList_.begin(), controlList_.end(), control) != controlList_.end()) return true;
  controlList_.push_back(control);
  return false;
}

void TSkinFormFrame::RemoveSkinControl(TFrameCompanion* control) {
  auto it = std::find(controlList_.rbegin(), controlList_.rend(), control);
  if (it != controlList_.rend()) controlList_.erase(std::next(it).base());
  if (hotButton_ == control) hotButton_ = nullptr;
}

void TSkinFormFrame::PurgeDeadControls() {
  for (TFrameCompanion* control : std::vector<TFrameCompanion*>(controlList_))
    if (control->IsDead()) {
      RemoveSkinControl(control);
      delete control;
    }
}

// Every companion is detached and freed (its destructor gives its control back).
void TSkinFormFrame::DetachCompanions() {
  hotButton_ = nullptr;
  while (!controlList_.empty()) {
    TFrameCompanion* control = controlList_.back();
    controlList_.pop_back();
    delete control;
  }
}

// Once the frame let go, its handler passes messages on to the one it was put in front of
// (another one put in front of it later keeps calling it).
void TSkinFormFrame::HookForm() {
  formHook_.Attach(form_, [this](TMessage& m) { FormWndProc(m); });
}

void TSkinFormFrame::UnhookForm() { formHook_.Detach(); }

void TSkinFormFrame::CallOldProc(TMessage& msg) {
  if (formHook_.HasPrevious())
    formHook_.CallPrevious(msg);
  else
    hook_.CallPrevious(msg);
}

void TSkinFormFrame::InvalidateFormControls() {
  if (!form_) return;
  for (int i = 0; i < form_->ComponentCount(); ++i)
    if (auto* control = dynamic_cast<TControl*>(form_->Components(i))) control->Invalidate();
}

void TSkinFormFrame::RestoreFormLook() {
  if (!form_) return;
  menus_->SetPopupsOwnerDraw(false);
  if (frameState_ != TFrameState::Closing) form_->SetColor(savedColor_);
}

void TSkinFormFrame::DetachPlain() {
  if (hoverTimer_) hoverTimer_->SetEnabled(false);
  DetachCompanions();
  RestoreFormLook();
  UnhookForm();
  hook_.Detach();
  clientHook_.Detach();
  if (form_ && frameState_ != TFrameState::Closing) InvalidateFormControls();
}

// The steps both detaches of a skinned caption begin with; false when nothing more is to do.
bool TSkinFormFrame::BeginDetach() {
  if (!skinFrame_) {
    DetachPlain();
    return false;
  }
  menus_->DropSystemMenu();
  if (hoverTimer_) hoverTimer_->SetEnabled(false);
  if (!Subclassed()) return false;
  UnhookForm();
  hook_.Detach();
  clientHook_.Detach();
  DetachCompanions();
  captionBuffer_.SetSize(0, 0);
  captionDrawn_ = false;
  return true;
}

void TSkinFormFrame::DetachRestore() {
  if (!BeginDetach()) return;
  RestoreFormLook();
  SetNativeCaption(true);
  menus_->GiveBackNativeBar();
  if (frameState_ != TFrameState::Closing && (IsMdiChild() || !(GetWindowLongPtrW(handle_, GWL_STYLE) & WS_CHILD))) {
    // The same client area inside the native frame.
    RECT wr{};
    GetWindowRect(handle_, &wr);
    if (IsMdiChild()) MapWindowPoints(nullptr, GetParent(handle_), reinterpret_cast<POINT*>(&wr), 2);
    const int w = (wr.right - wr.left) - edgeLeft_ - edgeRight_ + nativeFrameSize_.right;
    const int h = (wr.bottom - wr.top) - edgeTop_ - MenuBarHeight() - edgeBottom_ + nativeFrameSize_.bottom;
    SetWindowPos(handle_, nullptr, wr.left, wr.top, w, h, SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER);
  }
  SetWindowRgn(handle_, nullptr, TRUE);
  if (region_) DeleteObject(region_);
  region_ = nullptr;
  hasRegion_ = false;
}

// On WM_NCDESTROY: no style, size or colour change.
void TSkinFormFrame::QuietDetach() {
  if (BeginDetach()) menus_->DropBar();
}

POINT TSkinFormFrame::ToFrameCoords(int screenX, int screenY) const {
  POINT p{screenX, screenY};
  ScreenToClient(handle_, &p);
  if (windowState_ != TFrameWindowState::Minimized) {
    p.x += edgeLeft_;
    p.y += edgeTop_ + MenuBarHeight();
  }
  return p;
}

RECT TSkinFormFrame::CurrentWindowRect() const {
  RECT r{};
  GetWindowRect(handle_, &r);
  return r;
}

void TSkinFormFrame::FollowMdiMaximized(bool maximized) {
  if (maximized) {
    if (hasRegion_) DropRegion();
    SetNativeCaption(true);
  } else if (windowState_ == TFrameWindowState::Minimized) {
    SetNativeCaption(true);
  } else {
    windowState_ = TFrameWindowState::Normal;
    UpdateRegion();
    SetNativeCaption(false);
    if (!hasRegion_) FrameChanged();
  }
}

void TSkinFormFrame::ShowSystemMenu(int x, int y) {
  // A window without a system menu has none to show (its Close would end it by a way its
  // program does not offer).
  if (borderIcons_ & kSystemMenu) menus_->ShowSystemMenu(x, y);
}
