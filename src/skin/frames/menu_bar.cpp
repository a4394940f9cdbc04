#include "skin/frames/menu_bar.h"

#include <algorithm>

#include "skin/data/skin_manager.h"
#include "skin/data/skin_set.h"
#include "skin/frames/form_frame.h"
#include "skin/frames/gdi_paint.h"
#include "skin/frames/menu_keys.h"
#include "skin/frames/text_painters.h"
#include "skin/frames/window_side.h"
#include "skin/paint/three_part_image.h"
#include "toolkit/core/utf8.h"
#include "toolkit/win/dc_guards.h"
#include "toolkit/win/menus.h"
#include "toolkit/win/screen.h"

TMenuBtn::TMenuBtn(TSkinMenuBar* bar, int index, std::string caption, bool enabled, HMENU subMenu, UINT commandId)
    : TNCObject(bar->Frame()),
      bar_(bar),
      index_(index),
      caption_(std::move(caption)),
      enabled_(enabled),
      subMenu_(subMenu),
      commandId_(commandId) {}

TSkinMenuBar::TSkinMenuBar(TSkinFormFrame* frame, TSkinSet* skin) : frame_(frame), skin_(skin) {}

TSkinMenuBar::~TSkinMenuBar() {
  if (frame_->HotObject() && dynamic_cast<TMenuBtn*>(frame_->HotObject())) frame_->SetHotObject(nullptr);
}

void TSkinMenuBar::StartBuild() {
  if (frame_->HotObject() && dynamic_cast<TMenuBtn*>(frame_->HotObject())) frame_->SetHotObject(nullptr);
  buttons_.clear();
  if (HMENU menu = GetMenu(frame_->Handle())) menuHandle_ = menu;
}

// The bar is drawn in the frame's place: the native menu goes off the window (taking it off a
// window that has none would only make the system lay the frame out again).
void TSkinMenuBar::FinishBuild() {
  if (GetMenu(frame_->Handle())) SetMenu(frame_->Handle(), nullptr);
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
    HMENU subMenu = info.hSubMenu;
    bool enabled = !(info.fState & (MFS_GRAYED | MFS_DISABLED));
    UINT commandId = info.wID;
    std::string caption = (info.fType & MFT_OWNERDRAW) ? "" : WideToUtf8(text);
    if (caption.empty() && menu_) {
      // An owner-drawn entry: the toolkit item tells its caption.
      TMenuItem* item = nullptr;
      if (byCommand) {
        item = TMenuItem::FindCommand(info.wID);
      } else if (i < menu_->Items()->Count()) {
        item = menu_->Items()->Items(i);
      }
      if (item) {
        caption = item->Caption();
        enabled = item->Enabled();
        commandId = item->Command();
        if (item->Count() > 0) subMenu = item->Handle();
      }
    }
    buttons_.push_back(std::make_unique<TMenuBtn>(this, static_cast<int>(buttons_.size()), std::move(caption), enabled,
                                                  subMenu, commandId));
  }
}

void TSkinMenuBar::BuildFromWindowMenu() {
  StartBuild();
  if (!menuHandle_) return;
  AddFromHandle(menuHandle_, false);
  FinishBuild();
}

void TSkinMenuBar::BuildFromHandle(HMENU menu) {
  StartBuild();
  if (menu) {
    menuHandle_ = menu;
    AddFromHandle(menu, true);
  }
  FinishBuild();
}

void TSkinMenuBar::BuildFromMenu() {
  StartBuild();
  if (menu_) {
    TMenuItem* items = menu_->Items();
    for (int i = 0; i < items->Count(); ++i) {
      TMenuItem* item = items->Items(i);
      auto button = std::make_unique<TMenuBtn>(this, i, item->Caption(), item->Enabled(),
                                               item->Count() > 0 ? item->Handle() : nullptr, item->Command());
      button->Visible = item->Visible();
      buttons_.push_back(std::move(button));
    }
  }
  frame_->SetHotObject(nullptr);
  FinishBuild();
}

void TSkinMenuBar::DrawButtonCaption(HDC dc, const TMenuBtn& button, const RECT& cell) const {
  SetTextColor(dc, ColorToRGB(button.Enabled() ? skin_->Model().MenuBarTextColour : skin_->Model().ButtonShadowColour));
  DrawCenteredCaption(dc, cell, button.Caption(), DT_CENTER, true);
}

void TSkinMenuBar::Paint(HDC dc, const RECT& rect) {
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  if (w <= 0 || h <= 0) return;
  TBitmap& scratch = SharedScratchBitmap();
  scratch.SetSize(w, h);
  int x = 6;
  const TDataSkinObject* bar = frame_->Model().MenuBar.get();
  if (!bar || bar->Image.Empty()) {
    scratch.Pixels().Fill(ColorToRGB(skin_->Model().MenubarColour));
  } else {
    const int frame = frame_->WindowActive() ? 1 : 2;
    if (bar->Tile == 1)
      scratch.SetPixels(BuildSlicedImage({0, 0, w, h}, bar->Image, MarginsOf(*bar), true, false, 2, frame));
    else
      scratch.SetPixels(BuildThreePartImage(w, h, bar->Image, {true, 2, frame}, bar->LeftWidth, bar->RightWidth));
    x = frame_->RightToLeft() ? bar->RightWidth + 8 : bar->LeftWidth + 4;
    if (x > w) x = 12;
  }
  barRect_ = rect;
  barBackground_ = scratch.Pixels();

  HDC sdc = scratch.Canvas().Handle();
  TSelectObject font(sdc, Screen->MenuFontHandle());
  int right = w - x;
  for (auto& button : buttons_) {
    if (!button->Visible) continue;
    SIZE size{};
    std::wstring text = Utf8ToWide(button->Caption());
    GetTextExtentPoint32W(sdc, text.c_str(), static_cast<int>(text.size()), &size);
    int width = size.cx > 0 ? size.cx + 10 : 0;
    RECT cell;
    if (frame_->RightToLeft()) {
      cell = {right - width, 0, right, h - 1};
      right -= width;
    } else {
      cell = {x, 0, x + width, h - 1};
      x += width;
    }
    DrawButtonCaption(sdc, *button, cell);
    button->Bounds = {cell.left + barRect_.left, cell.top + barRect_.top, cell.right + barRect_.left,
                      cell.bottom + barRect_.top};
  }
  // Title-bar buttons of a maximised MDI child sit in the bar.
  if (frame_->FrameKind() == TFrameKind::MdiFrame && frame_->MdiClientWindow()) {
    BOOL maximized = FALSE;
    SendMessageW(frame_->MdiClientWindow(), WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&maximized));
    if (maximized) {
      for (auto& b : frame_->CaptionButtons())
        if (b->SkinButton->Visibility == 100 && !b->SkinButton->Image.Empty()) {
          RECT r = b->Bounds;
          OffsetRect(&r, -frame_->Edges().Left, -frame_->Edges().Top);
          DrawFrameImage(sdc, r, b->SkinButton->Image, true, b->SkinButton->FrameCount, 1);
        }
      if (TSkinManager* manager = GetSkinManager(); manager && !manager->MdiMaximized())
        if (TFrameWindowSide* side = FrameWindowSide()) side->SetMdiMaximized(true);
    }
  }
  BitBlt(dc, rect.left, rect.top, w, h, sdc, 0, 0, SRCCOPY);
}

TMenuBtn* TSkinMenuBar::ButtonAt(POINT p) const {
  for (auto& b : buttons_)
    if (b->Visible && !b->Caption().empty() && PtInRect(&b->Bounds, p)) return b.get();
  return nullptr;
}

TMenuBtn* TSkinMenuBar::ButtonForAccel(wchar_t key) const {
  for (auto& b : buttons_)
    if (b->Enabled() && b->Visible && SameLetter(AccessKeyOf(Utf8ToWide(b->Caption())), key)) return b.get();
  return nullptr;
}

TMenuBtn* TSkinMenuBar::ButtonForKey(wchar_t key) const {
  std::vector<TKeyedItem> items;
  for (auto& b : buttons_) items.push_back({Utf8ToWide(b->Caption()), b->Enabled() && b->Visible});
  const int index = ItemForKey(items, key);
  return index < 0 ? nullptr : buttons_[static_cast<std::size_t>(index)].get();
}

void TMenuBtn::Paint() { bar_->PaintButton(*this); }

void TSkinMenuBar::PaintButton(const TMenuBtn& button) const {
  if (!frame_->Handle() || barBackground_.Empty()) return;
  TWindowDC dc(frame_->Handle());
  const RECT& bounds = button.Bounds;
  const int left = bounds.left - barRect_.left;
  const int width = bounds.right - bounds.left;
  const int height = barRect_.bottom - barRect_.top;
  if (width <= 0 || height <= 0) return;
  TBitmap cell(width, height);
  cell.Pixels().CopyRect(0, 0, barBackground_, left, 0, width, height);
  HDC cdc = cell.Canvas().Handle();
  if (button.State == 2 || button.State == 3) {
    HBRUSH pen = CreateSolidBrush(ColorToRGB(skin_->Model().ButtonHilightColour));
    RECT r{0, bounds.top - barRect_.top, width, bounds.bottom - barRect_.top};
    FrameRect(cdc, &r, pen);
    DeleteObject(pen);
  }
  TSelectObject font(cdc, Screen->MenuFontHandle());
  DrawButtonCaption(cdc, button, {0, bounds.top - barRect_.top, width, bounds.bottom - barRect_.top});
  BitBlt(dc, bounds.left, barRect_.top, width, height, cdc, 0, 0, SRCCOPY);
}
