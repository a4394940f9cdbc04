#include "skin/frames/menu_bar.h"

#include <algorithm>

#include "skin/data/skin_manager.h"
#include "skin/data/skin_set.h"
#include "skin/frames/form_frame.h"
#include "skin/frames/gdi_paint.h"
#include "skin/frames/menu_items.h"
#include "skin/frames/text_painters.h"
#include "skin/frames/window_side.h"
#include "skin/paint/three_part_image.h"
#include "toolkit/core/utf8.h"
#include "toolkit/win/dc_guards.h"
#include "toolkit/win/menus.h"
#include "toolkit/win/screen.h"

TMenuBtn::TMenuBtn(TSkinMenuBar* bar, int index) : TNCObject(bar->Frame), Bar(bar), Index(index) {}

TSkinMenuBar::TSkinMenuBar(TSkinFormFrame* frame, TSkinSet* skin) : SkinData(skin), Frame(frame) {}

TSkinMenuBar::~TSkinMenuBar() {
  if (Frame->HotObject() && dynamic_cast<TMenuBtn*>(Frame->HotObject())) Frame->SetHotObject(nullptr);
}

void TSkinMenuBar::StartBuild() {
  if (Frame->HotObject() && dynamic_cast<TMenuBtn*>(Frame->HotObject())) Frame->SetHotObject(nullptr);
  MenuButtons.clear();
  if (HMENU menu = GetMenu(Frame->Handle())) MenuHandle = menu;
}

// The bar is drawn in the frame's place: the native menu goes off the window (taking it off a
// window that has none would only make the system lay the frame out again).
void TSkinMenuBar::FinishBuild() {
  if (GetMenu(Frame->Handle())) SetMenu(Frame->Handle(), nullptr);
}

void TSkinMenuBar::AddFromHandle(HMENU menu, bool byCommand) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    wchar_t text[81] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_TYPE;
    info.dwTypeData = text;
    info.cch = 80;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    auto button = std::make_unique<TMenuBtn>(this, static_cast<int>(MenuButtons.size()));
    button->SubMenu = info.hSubMenu;
    button->Enabled = !(info.fState & (MFS_GRAYED | MFS_DISABLED));
    button->CommandId = info.wID;
    button->Caption = (info.fType & MFT_OWNERDRAW) ? "" : WideToUtf8(text);
    if (button->Caption.empty() && Menu) {
      // An owner-drawn entry: the toolkit item tells its caption.
      TMenuItem* item = nullptr;
      if (byCommand) {
        item = TMenuItem::FindCommand(info.wID);
      } else if (i < Menu->Items()->Count()) {
        item = Menu->Items()->Items(i);
      }
      if (item) {
        button->Caption = item->Caption();
        button->Enabled = item->Enabled();
        button->CommandId = item->Command();
        if (item->Count() > 0) button->SubMenu = item->Handle();
      }
    }
    MenuButtons.push_back(std::move(button));
  }
}

void TSkinMenuBar::BuildFromWindowMenu() {
  StartBuild();
  if (!MenuHandle) return;
  AddFromHandle(MenuHandle, false);
  FinishBuild();
}

void TSkinMenuBar::BuildFromHandle(HMENU menu) {
  StartBuild();
  if (menu) {
    MenuHandle = menu;
    AddFromHandle(menu, true);
  }
  FinishBuild();
}

void TSkinMenuBar::BuildFromMenu() {
  StartBuild();
  if (Menu) {
    TMenuItem* items = Menu->Items();
    for (int i = 0; i < items->Count(); ++i) {
      TMenuItem* item = items->Items(i);
      auto button = std::make_unique<TMenuBtn>(this, i);
      button->Caption = item->Caption();
      button->Enabled = item->Enabled();
      button->Visible = item->Visible();
      button->CommandId = item->Command();
      if (item->Count() > 0) button->SubMenu = item->Handle();
      MenuButtons.push_back(std::move(button));
    }
  }
  Frame->SetHotObject(nullptr);
  FinishBuild();
}

void TSkinMenuBar::DrawButtonCaption(HDC dc, const TMenuBtn& button, const RECT& cell) const {
  SetTextColor(dc, ColorToRGB(button.Enabled ? SkinData->Model().MenuBarTextColour : SkinData->Model().ButtonShadowColour));
  DrawCenteredCaption(dc, cell, button.Caption, DT_CENTER, true);
}

void TSkinMenuBar::Paint(HDC dc, const RECT& rect) {
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  if (w <= 0 || h <= 0) return;
  TBitmap& scratch = SharedScratchBitmap();
  scratch.SetSize(w, h);
  int x = 6;
  const TDataSkinObject* bar = SkinData->Model().MenuBar.get();
  if (!bar || bar->Image.Empty()) {
    scratch.Pixels().Fill(ColorToRGB(SkinData->Model().MenubarColour));
  } else {
    const int frame = Frame->WindowActive() ? 1 : 2;
    if (bar->Tile == 1)
      scratch.SetPixels(BuildSlicedImage({0, 0, w, h}, bar->Image, MarginsOf(*bar), true, false, 2, frame));
    else
      scratch.SetPixels(BuildThreePartImage(w, h, bar->Image, {true, 2, frame}, bar->LeftWidth, bar->RightWidth));
    x = Frame->RightToLeft() ? bar->RightWidth + 8 : bar->LeftWidth + 4;
    if (x > w) x = 12;
  }
  BarLeft = rect.left;
  BarTop = rect.top;
  BarRight = rect.right;
  BarBottom = rect.bottom;
  BarBackground = scratch.Pixels();

  HDC sdc = scratch.Canvas().Handle();
  TSelectObject font(sdc, Screen->MenuFontHandle());
  Painting = true;
  int right = w - x;
  for (auto& button : MenuButtons) {
    if (!button->Visible) continue;
    SIZE size{};
    std::wstring text = Utf8ToWide(button->Caption);
    GetTextExtentPoint32W(sdc, text.c_str(), static_cast<int>(text.size()), &size);
    int width = size.cx > 0 ? size.cx + 10 : 0;
    RECT cell;
    if (Frame->RightToLeft()) {
      cell = {right - width, 0, right, h - 1};
      right -= width;
    } else {
      cell = {x, 0, x + width, h - 1};
      x += width;
    }
    DrawButtonCaption(sdc, *button, cell);
    button->Bounds = {cell.left + BarLeft, cell.top + BarTop, cell.right + BarLeft, cell.bottom + BarTop};
  }
  Painting = false;
  // Title-bar buttons of a maximised MDI child sit in the bar.
  if (Frame->FrameKind() == TFrameKind::MdiFrame && Frame->MdiClientWindow()) {
    BOOL maximized = FALSE;
    SendMessageW(Frame->MdiClientWindow(), WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized));
    if (maximized) {
      for (auto& b : Frame->CaptionButtons())
        if (b->SkinButton->Visibility == 100 && !b->SkinButton->Image.Empty()) {
          RECT r = b->Bounds;
          OffsetRect(&r, -Frame->Edges().Left, -Frame->Edges().Top);
          DrawFrameImage(sdc, r, b->SkinButton->Image, true, b->SkinButton->FrameCount, 1);
        }
      if (TSkinManager* manager = GetSkinManager(); manager && !manager->MdiMaximized())
        if (TFrameWindowSide* side = FrameWindowSide()) side->SetMdiMaximized(true);
    }
  }
  BitBlt(dc, rect.left, rect.top, w, h, sdc, 0, 0, SRCCOPY);
}

TMenuBtn* TSkinMenuBar::ButtonAt(POINT p) const {
  for (auto& b : MenuButtons)
    if (b->Visible && !b->Caption.empty() && PtInRect(&b->Bounds, p)) return b.get();
  return nullptr;
}

TMenuBtn* TSkinMenuBar::ButtonForAccel(wchar_t key) const {
  const wchar_t wanted = static_cast<wchar_t>(
      reinterpret_cast<std::uintptr_t>(CharUpperW(reinterpret_cast<LPWSTR>(static_cast<std::uintptr_t>(key)))));
  for (auto& b : MenuButtons) {
    if (!b->Enabled || !b->Visible) continue;
    std::wstring text = Utf8ToWide(b->Caption);
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
      if (text[i] != L'&') continue;
      if (text[i + 1] == L'&') {
        ++i;
        continue;
      }
      const wchar_t accel = static_cast<wchar_t>(reinterpret_cast<std::uintptr_t>(
          CharUpperW(reinterpret_cast<LPWSTR>(static_cast<std::uintptr_t>(text[i + 1])))));
      if (accel == wanted) return b.get();
      break;
    }
  }
  return nullptr;
}

void TMenuBtn::Paint() {
  if (!Frame->Handle() || Bar->BarBackground.Empty()) return;
  TWindowDC dc(Frame->Handle());
  const int left = Bounds.left - Bar->BarLeft;
  const int width = Bounds.right - Bounds.left;
  const int height = Bar->BarBottom - Bar->BarTop;
  if (width <= 0 || height <= 0) return;
  TBitmap cell(width, height);
  cell.Pixels().CopyRect(0, 0, Bar->BarBackground, left, 0, width, height);
  HDC cdc = cell.Canvas().Handle();
  if (State == 2 || State == 3) {
    HBRUSH pen = CreateSolidBrush(ColorToRGB(Bar->SkinData->Model().ButtonHilightColour));
    RECT r{0, Bounds.top - Bar->BarTop, width, Bounds.bottom - Bar->BarTop};
    FrameRect(cdc, &r, pen);
    DeleteObject(pen);
  }
  TSelectObject font(cdc, Screen->MenuFontHandle());
  Bar->DrawButtonCaption(cdc, *this, {0, Bounds.top - Bar->BarTop, width, Bounds.bottom - Bar->BarTop});
  BitBlt(dc, Bounds.left, Bar->BarTop, width, height, cdc, 0, 0, SRCCOPY);
}
