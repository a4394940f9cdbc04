#include "skin/frames/form_frame.h"

#include <algorithm>

#include "skin/data/skin_manager.h"
#include "skin/data/skin_set.h"
#include "skin/frames/gdi_paint.h"
#include "skin/frames/menu_bar.h"
#include "skin/frames/menu_items.h"
#include "skin/frames/skin_engine.h"
#include "skin/frames/window_side.h"
#include "toolkit/win/dc_guards.h"
#include "toolkit/win/extctrls.h"
#include "toolkit/win/form.h"
#include "toolkit/win/imagelist.h"
#include "toolkit/win/menus.h"

QUILLIMO_REGISTER_CLASS(TSkinFormFrame)

TSkinFormFrame::TSkinFormFrame(TComponent* owner) : TComponent(owner) {
  DoubleClickTime = GetDoubleClickTime();
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof(metrics);
  LOGFONTW caption{};
  if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(metrics), &metrics, 0))
    caption = metrics.lfCaptionFont;
  else
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(caption), &caption);
  CaptionFont = CreateFontIndirectW(&caption);
  hook_.SetHandler([this](TMessage& m) { FrameWndProc(m); });
  clientHook_.SetHandler([this](TMessage& m) { ClientWndProc(m); });
}

TSkinFormFrame::~TSkinFormFrame() {
  ResumeWindowAnimation();
  if (HoverTimer) HoverTimer->SetEnabled(false);
  // The form's pop-up items draw through this frame: they must not outlive it (a form whose
  // window was destroyed keeps its menus, and its next frame sets them again).
  if (Form && SkinData && SkinFrame) SetPopupsOwnerDraw(*this, *Form, false);
  DetachCompanions();
  UnhookForm();
  hook_.Detach();
  clientHook_.Detach();
  FreeSysButtons();
  SkinMenu.reset();
  SysMenuPopup.reset();
  if (Region) DeleteObject(Region);
  if (CaptionFont) DeleteObject(CaptionFont);
  if (TFrameWindowSide* side = FrameWindowSide()) side->RemoveForm(this);
}

void TSkinFormFrame::AttachToForm(TSkinSet* skin, TCustomForm* form) {
  Form = form;
  if (skin->GetSkinControls().Contains(xcMainMenu)) {
    oldFormWndProc_ = form->WindowProc;
    form->WindowProc = [this](TMessage& m) { FormWndProc(m); };
  }
  AttachToWindow(skin);
  SavedColor = form->Color();
  form->SetColor(skin->ButtonFaceColour);
  if (skin->GetSkinControls().Contains(xcMainMenu)) SetPopupsOwnerDraw(*this, *form, true);
}

void TSkinFormFrame::ReadWindowState() {
  WINDOWPLACEMENT wp{};
  wp.length = sizeof(wp);
  if (!GetWindowPlacement(Handle, &wp)) return;
  switch (wp.showCmd) {
    case SW_SHOWMINIMIZED: case SW_MINIMIZE: case SW_SHOWMINNOACTIVE: WindowState = 2; break;
    case SW_SHOWMAXIMIZED: WindowState = 1; break;
    default: WindowState = 0; break;
  }
}

void TSkinFormFrame::AttachToWindow(TSkinSet* skin) {
  if (Subclassed() || !Handle) return;
  SkinData = skin;
  HoverTimer = std::make_unique<TTimer>(nullptr);
  HoverTimer->SetEnabled(false);
  HoverTimer->SetInterval(250);
  HoverTimer->OnTimer = [this](TObject*) { HoverCheck(); };
  SkinFrame = skin->GetSkinControls().Contains(xcMainMenu);

  Style = static_cast<DWORD>(GetWindowLongPtrW(Handle, GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(Handle, GWL_EXSTYLE));
  RightToLeft = exStyle & WS_EX_LEFTSCROLLBAR;
  SystemMenu = GetSystemMenu(Handle, FALSE);

  LoadIcon();
  CaptionText = GetWindowTextString(Handle);
  WindowClass = GetClassNameString(Handle);
  OwnerWindow = GetWindow(Handle, GW_OWNER);
  GetClientRect(Handle, &InitialClientRect);
  RECT wr{};
  GetWindowRect(Handle, &wr);
  NativeFrameSize = {0, 0, (wr.right - wr.left) - InitialClientRect.right, (wr.bottom - wr.top) - InitialClientRect.bottom};

  BorderIcons = 0;
  if ((Style & WS_SYSMENU) || SystemMenu) BorderIcons |= kSystemMenu;
  if (Style & WS_MINIMIZEBOX) BorderIcons |= kMinimizeBox;
  if (Style & WS_MAXIMIZEBOX) BorderIcons |= kMaximizeBox;

  BuildSystemMenu();
  ReadWindowState();
  Sizeable = Style & WS_THICKFRAME;

  FrameKind = 0;
  for (HWND child = GetWindow(Handle, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (GetClassNameString(child) == "MDIClient") {
      FrameKind = kFrameMdi;
      MdiClientWindow = child;
      if (TSkinManager* manager = GetSkinManager()) manager->MdiClient = reinterpret_cast<TSkinWindow>(child);
      break;
    }
  if (exStyle & WS_EX_MDICHILD) FrameKind = kFrameMdiChild;

  BorderKind = 1;
  if ((Style & WS_POPUP) && (Style & WS_CAPTION) != WS_CAPTION)
    BorderKind = 2;
  else if (Style & WS_THICKFRAME)
    BorderKind = 0;
  else if (Style & DS_MODALFRAME)
    BorderKind = 3;

  if (FrameKind == kFrameMdi) {
    SavedMenuUpdate = skin->GetMenuUpdate();
    clientHook_.Attach(MdiClientWindow);
  }

  if (SkinFrame) {
    NativeMenu = GetMenu(Handle);
    if (NativeMenu && !IsMdiChild()) {
      SkinMenu = std::make_unique<TSkinMenuBar>(this, skin);
      MenuBarHeight = GetSystemMetrics(SM_CYMENU);
      if (Form) SkinMenu->Menu = Form->Menu();
      SkinMenu->BuildFromWindowMenu();
    }
    const bool mdiMaximized = GetSkinManager() && GetSkinManager()->MdiMaximized;
    if (!(IsMdiChild() && mdiMaximized) && WindowState != 2) SetNativeCaption(false);
    LayoutSysButtons();
  }

  hook_.Attach(Handle);
  if (ControlDispatcher) ControlDispatcher(*this);
  InvalidateRect(Handle, nullptr, TRUE);
}

void TSkinFormFrame::LoadIcon() {
  IconSize = GetSystemMetrics(SM_CXSMICON);
  const int cy = GetSystemMetrics(SM_CYSMICON);
  IconHandle = reinterpret_cast<HICON>(SendMessageW(Handle, WM_GETICON, ICON_SMALL, 0));
  if (!IconHandle) IconHandle = reinterpret_cast<HICON>(SendMessageW(Handle, WM_GETICON, ICON_BIG, 0));
  if (IconHandle) {
    TBitmap icon(IconSize, cy);
    icon.Pixels().Fill(kSkinKeyColour);
    HICON small = static_cast<HICON>(CopyImage(IconHandle, IMAGE_ICON, IconSize, cy, LR_COPYFROMRESOURCE));
    DrawIconEx(icon.Canvas().Handle(), 0, 0, small ? small : IconHandle, IconSize, cy, 0, nullptr, DI_NORMAL);
    if (small) DestroyIcon(small);
    IconBitmap = icon.Pixels();
    return;
  }
  IconBitmap = TBitmapPixels(IconSize, cy);
  IconBitmap.Fill(kSkinKeyColour);
  if (SkinData->IconImage.Empty()) {
    if (TSkinManager* manager = GetSkinManager())
      for (TSkinSet* other : manager->SkinDataList())
        if (other->GetSkinFormtype() == sfMainform && !other->IconImage.Empty()) IconBitmap = other->IconImage;
  } else {
    IconBitmap = SkinData->IconImage;
  }
}

void TSkinFormFrame::SetNativeCaption(bool on) {
  const bool mdiMaximized = GetSkinManager() && GetSkinManager()->MdiMaximized;
  if (IsMdiChild() && mdiMaximized && !on) return;
  NativeCaption = on;
  LONG_PTR style = GetWindowLongPtrW(Handle, GWL_STYLE);
  if (on) {
    if (BorderIcons & kSystemMenu) style |= WS_SYSMENU;
    if (BorderIcons & kMinimizeBox) style |= WS_MINIMIZEBOX;
    if (BorderIcons & kMaximizeBox) style |= WS_MAXIMIZEBOX;
    if (BorderIcons & kCaptionRemoved) style |= WS_CAPTION;
  } else if (OwnerWindow || IsMdiChild()) {
    style &= ~static_cast<LONG_PTR>(WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
  } else {
    BorderIcons |= kCaptionRemoved;
    style &= ~static_cast<LONG_PTR>(WS_CAPTION);
  }
  SetWindowLongPtrW(Handle, GWL_STYLE, style);
  Style = static_cast<DWORD>(style);
}

void TSkinFormFrame::FrameChanged() {
  SetWindowPos(Handle, nullptr, 0, 0, 0, 0,
               SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TSkinFormFrame::LayoutSysButtons() {
  if (SkinData->Loading()) return;
  if (BorderKind == 2) {
    EdgeLeft = EdgeTop = EdgeRight = EdgeBottom = MenuBarHeight = 0;
  } else {
    auto part = [](const TDataSkinBorder& b, bool height) {
      const int count = std::max(b.FrameCount, 1);
      return height ? b.Image.Height() / count : b.Image.Width() / count;
    };
    EdgeTop = part(*SkinData->BorderTop, true);
    EdgeLeft = part(*SkinData->BorderLeft, false);
    EdgeRight = part(*SkinData->BorderRight, false);
    EdgeBottom = part(*SkinData->BorderBottom, true);
  }
  FreeSysButtons();
  for (auto& button : SkinData->SysButtons) {
    if (button->Action == SysButtonAction::SystemMenu || button->Action == SysButtonAction::SystemMenuIcon) {
      if (button->Image.Empty()) button->Image = IconBitmap;
      if (SkinData->IconImage.Empty()) SkinData->IconImage = IconBitmap;
      button->FrameCount = 1;
    }
    CaptionButtons.push_back(std::make_unique<TSkinTitleButton>(this, button.get()));
  }
}

void TSkinFormFrame::FreeSysButtons() {
  HotObject = nullptr;
  CaptionButtons.clear();
}

void TSkinFormFrame::FitWindow(bool refresh) {
  if (WindowState == 1) {
    FrameChanged();
    return;
  }
  int width = InitialClientRect.right + EdgeLeft + EdgeRight;
  if (refresh) GetClientRect(Handle, &InitialClientRect);
  RECT wr{};
  GetWindowRect(Handle, &wr);
  if (!refresh && Form) {
    // The form's client size as its native frame had it: the window as the native frame sized
    // it, less that frame measured at attach (caption, menu bar and the border of its own
    // style; a fixed border is thinner than SM_CYFRAME, so the metrics would lose pixels).
    InitialClientRect.bottom = (wr.bottom - wr.top) - NativeFrameSize.bottom;
    width = (wr.right - wr.left) - NativeFrameSize.right + EdgeLeft + EdgeRight;
  }
  if (refresh) width = InitialClientRect.right + EdgeLeft + EdgeRight;
  const int height = InitialClientRect.bottom + EdgeTop + EdgeBottom + MenuBarHeight;
  if (!refresh && (WindowClass == "TMessageForm" || WindowClass == "#32770")) {
    TClientDC dc(Handle);
    TSelectObject font(dc, CaptionFont);
    SIZE space{};
    GetTextExtentPoint32W(dc, L" ", 1, &space);
    SpaceWidth = space.cx;
    CaptionText = GetWindowTextString(Handle);
    const TDataSkinTitle& t = *SkinData->Title;
    const int needed = (static_cast<int>(Utf8ToWide(CaptionText).size()) + 7) * SpaceWidth + EdgeLeft + EdgeRight +
                       t.LeftWidth + t.RightWidth + t.TXTBackleft + t.TXTBackRight;
    if (width < needed) {
      const int shift = (needed - width) / 2;
      for (HWND child = GetWindow(Handle, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT cr{};
        GetWindowRect(child, &cr);
        MapWindowPoints(nullptr, Handle, reinterpret_cast<POINT*>(&cr), 2);
        SetWindowPos(child, nullptr, cr.left + shift, cr.top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOSENDCHANGING | SWP_NOOWNERZORDER | SWP_NOACTIVATE);
      }
      width = needed;
    }
  }
  SetWindowPos(Handle, nullptr, wr.left, wr.top, width, height,
               SWP_FRAMECHANGED | SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
}

void TSkinFormFrame::ReapplySkin() {
  if (Form) {
    Form->SetColor(SkinData->ButtonFaceColour);
    for (int i = 0; i < Form->ComponentCount(); ++i)
      if (auto* embedded = dynamic_cast<TCustomForm*>(Form->Components(i))) embedded->SetColor(SkinData->ButtonFaceColour);
  }
  for (TFrameCompanion* control : std::vector<TFrameCompanion*>(controlList_)) control->NotifySkinChanged();
  FrameState = FrameStates::Refreshing;
  // The region and the composed caption belong to the old skin: a window that keeps its size
  // (a maximised one, or two skins of the same edges) must still have both made anew.
  ForgetRegionShape();
  if (SkinFrame) {
    if (Form) SetPopupsOwnerDraw(*this, *Form, true);
    FitWindow(true);
    FrameState = FrameStates::Running;
    UpdateRegion();
  }
  FrameState = FrameStates::Running;
}

bool TSkinFormFrame::AddSkinControl(TFrameCompanion* control) {
  if (std::find(controlList_.begin(), controlList_.end(), control) != controlList_.end()) return true;
  controlList_.push_back(control);
  return false;
}

void TSkinFormFrame::RemoveSkinControl(TFrameCompanion* control) {
  auto it = std::find(controlList_.rbegin(), controlList_.rend(), control);
  if (it != controlList_.rend()) controlList_.erase(std::next(it).base());
  if (HotButton == control) HotButton = nullptr;
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
  HotButton = nullptr;
  while (!controlList_.empty()) {
    TFrameCompanion* control = controlList_.back();
    controlList_.pop_back();
    delete control;
  }
}

void TSkinFormFrame::UnhookForm() {
  if (Form && oldFormWndProc_) Form->WindowProc = oldFormWndProc_;
  oldFormWndProc_ = nullptr;
}

void TSkinFormFrame::InvalidateFormControls() {
  if (!Form) return;
  for (int i = 0; i < Form->ComponentCount(); ++i)
    if (auto* control = dynamic_cast<TControl*>(Form->Components(i))) control->Invalidate();
}

void TSkinFormFrame::RestoreFormLook() {
  if (!Form) return;
  SetPopupsOwnerDraw(*this, *Form, false);
  if (FrameState != FrameStates::Closing) Form->SetColor(SavedColor);
}

void TSkinFormFrame::DetachPlain() {
  if (HoverTimer) HoverTimer->SetEnabled(false);
  DetachCompanions();
  RestoreFormLook();
  hook_.Detach();
  clientHook_.Detach();
  if (Form && FrameState != FrameStates::Closing) InvalidateFormControls();
}

// The steps both detaches of a skinned caption begin with; false when nothing more is to do.
bool TSkinFormFrame::BeginDetach() {
  if (!SkinFrame) {
    DetachPlain();
    return false;
  }
  SysMenuPopup.reset();
  if (HoverTimer) HoverTimer->SetEnabled(false);
  if (!Subclassed()) return false;
  UnhookForm();
  hook_.Detach();
  clientHook_.Detach();
  DetachCompanions();
  CaptionBuffer.SetSize(0, 0);
  captionDrawn_ = false;
  return true;
}

void TSkinFormFrame::DetachRestore() {
  if (!BeginDetach()) return;
  RestoreFormLook();
  SetNativeCaption(true);
  if (SkinMenu) {
    SetMenu(Handle, NativeMenu);
    SkinMenu.reset();
  }
  if (FrameState != FrameStates::Closing && (IsMdiChild() || !(GetWindowLongPtrW(Handle, GWL_STYLE) & WS_CHILD))) {
    // The same client area inside the native frame.
    RECT wr{};
    GetWindowRect(Handle, &wr);
    if (IsMdiChild()) MapWindowPoints(nullptr, GetParent(Handle), reinterpret_cast<POINT*>(&wr), 2);
    const int w = (wr.right - wr.left) - EdgeLeft - EdgeRight + NativeFrameSize.right;
    const int h = (wr.bottom - wr.top) - EdgeTop - MenuBarHeight - EdgeBottom + NativeFrameSize.bottom;
    SetWindowPos(Handle, nullptr, wr.left, wr.top, w, h, SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER);
  }
  SetWindowRgn(Handle, nullptr, TRUE);
  if (Region) DeleteObject(Region);
  Region = nullptr;
  HasRegion = false;
}

// On WM_NCDESTROY: no style, size or colour change.
void TSkinFormFrame::QuietDetach() {
  if (BeginDetach()) SkinMenu.reset();
}

POINT TSkinFormFrame::ToFrameCoords(int screenX, int screenY) const {
  POINT p{screenX, screenY};
  ScreenToClient(Handle, &p);
  if (WindowState != 2) {
    p.x += EdgeLeft;
    p.y += EdgeTop + MenuBarHeight;
  }
  return p;
}

RECT TSkinFormFrame::CurrentWindowRect() const {
  RECT r{};
  GetWindowRect(Handle, &r);
  return r;
}

// ---- The system menu ----

namespace {
constexpr int kSysRestore = 0, kSysMaximize = 1, kSysMinimize = 2, kSysClose = 3, kSysLine = 100;
}

void TSkinFormFrame::BuildSystemMenu() {
  SysMenuPopup = std::make_unique<TPopupMenu>(nullptr);
  SysMenuPopup->SetTag(33333);
  SysMenuPopup->SetOwnerDraw(true);
  SysMenuPopup->Images = &SystemMenuGlyphList(*SkinData);
  auto add = [&](const char* caption, int tag, TShortCut shortCut = 0) {
    auto* item = new TMenuItem(SysMenuPopup.get());
    item->SetCaption(caption);
    item->SetTag(tag);
    item->SetImageIndex(tag == kSysLine ? -1 : tag);
    item->SetShortCut(shortCut);
    item->OnClick = [this, tag](TObject*) {
      switch (tag) {
        case kSysRestore: Restore(); break;
        case kSysMaximize: Maximize(); break;
        case kSysMinimize: Minimize(); break;
        case kSysClose: CloseWindow(); break;
        default: break;
      }
    };
    item->OnMeasureItem = [this](TObject* sender, HDC dc, int& width, int& height) {
      MeasurePopupItem(*this, *static_cast<TMenuItem*>(sender), dc, width, height);
    };
    item->OnAdvancedDrawItem = [this](TObject* sender, HDC dc, RECT rect, TOwnerDrawState state) {
      DrawMenuItem(*this, *static_cast<TMenuItem*>(sender), dc, rect, state.Contains(odSelected));
    };
    SysMenuPopup->Items()->Add(item);
  };
  add(" Restore ", kSysRestore);
  if (BorderIcons & kMaximizeBox) add(" Maximize ", kSysMaximize);
  if (BorderIcons & kMinimizeBox) add(" Minimize ", kSysMinimize);
  add("-", kSysLine);
  add(" Close ", kSysClose, MakeShortCut(VK_F4, true, false, false));
}

void TSkinFormFrame::ShowSystemMenu(int x, int y) {
  // A window without a system menu has none to show (its Close would end it by a way its
  // program does not offer).
  if (!(BorderIcons & kSystemMenu)) return;
  if (SysMenuPopup) {
    TMenuItem* items = SysMenuPopup->Items();
    for (int i = 0; i < items->Count(); ++i) {
      TMenuItem* item = items->Items(i);
      if (item->GetTag() <= kSysMinimize) item->SetEnabled(WindowState != item->GetTag());
    }
  }
  const DWORD now = GetTickCount();
  if (now - LastMenuTick > DoubleClickTime) {
    LastMenuTick = now;
    if (SysMenuPopup && SkinData->GetSkinControls().Contains(xcSystemMenu) && !IsMdiChild())
      SysMenuPopup->Popup(x, y);
    else
      TrackPopupMenu(SystemMenu, TPM_RIGHTBUTTON, x, y, 0, Handle, nullptr);
  } else if (HotObject) {
    // The icon button clicked twice closes the window.
    CloseWindow();
  }
}
