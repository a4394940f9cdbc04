#include "skin/frames/menu_items.h"

#include "skin/data/skin_set.h"
#include "skin/frames/gdi_paint.h"
#include "skin/frames/popup_window.h"
#include "skin/frames/text_painters.h"
#include "skin/frames/window_side.h"
#include "skin/paint/three_part_image.h"
#include "toolkit/core/utf8.h"
#include "toolkit/win/canvas.h"
#include "toolkit/win/dc_guards.h"
#include "toolkit/win/graphics.h"
#include "toolkit/win/imagelist.h"
#include "toolkit/win/menus.h"
#include "toolkit/win/screen.h"

namespace {
int ItemLeftWidth(const TSkinModel& skin) { return skin.MenuItem ? skin.MenuItem->LeftWidth : 0; }
}  // namespace

std::string NativeItemCaption(HMENU menu, UINT id) {
  wchar_t text[81] = {};
  GetMenuStringW(menu, id, text, 80, MF_BYCOMMAND);
  return WideToUtf8(text);
}

TMenuItemView ViewOfItem(TMenuItem& item) {
  TMenuItemView v;
  v.Caption = item.Caption();
  v.Enabled = item.Enabled();
  v.Checked = item.Checked();
  v.Default = item.Default();
  v.ShortCut = item.ShortCut();
  v.ImageIndex = item.ImageIndex();
  if (TMenu* menu = item.ParentMenu()) v.Images = menu->Images;
  if (item.Parent()) v.Parent = item.Parent()->Handle();
  return v;
}

TKeyedItem KeyedItemAt(HMENU menu, int position) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE;
  if (!GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info) || (info.fType & MFT_SEPARATOR))
    return {L"", false};
  const bool enabled = !(info.fState & (MFS_GRAYED | MFS_DISABLED));
  TMenuItem* item = TMenuItem::FindCommand(info.wID);
  if (item && item->Parent() && item->Parent()->Handle() == menu)
    return {Utf8ToWide(item->Caption()), enabled && !item->IsLine()};
  wchar_t text[81] = {};
  GetMenuStringW(menu, static_cast<UINT>(position), text, 80, MF_BYPOSITION);
  return {text, enabled};
}

TMenuItemView ViewOfNativeItem(HMENU menu, UINT id) {
  TMenuItemView view;
  view.Caption = NativeItemCaption(menu, id);
  if (view.Caption.empty()) view.Caption = "-";
  const UINT state = GetMenuState(menu, id, MF_BYCOMMAND);
  view.Enabled = !(state & (MF_GRAYED | MF_DISABLED));
  view.Checked = state & MF_CHECKED;
  view.Parent = menu;
  return view;
}

namespace {
// The item's content over its background: glyph box, caption, shortcut, or an etched line.
void DrawContent(const TSkinModel& skin, bool rtl, const TMenuItemView& item, HDC dc, const RECT& rect, bool selected) {
  if (item.IsLine()) {
    RECT line{rect.left, rect.top + 4, rect.right, rect.top + 6};
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  int glyph = item.Images ? std::max(item.Images->Width(), 1) : 16;
  if (item.Checked) glyph = std::max(glyph, 16);
  const int lw = ItemLeftWidth(skin);
  RECT box;
  if (rtl)
    box = {rect.right - 1 - lw - glyph, rect.top + 1, rect.right - 1 - lw, rect.top + 1 + glyph};
  else
    box = {rect.left + 1 + lw, rect.top + 1, rect.left + 1 + lw + glyph, rect.top + 1 + glyph};
  if (item.Images && item.ImageIndex >= 0 && item.ImageIndex < item.Images->ImageCount()) {
    if (item.Checked) DrawEdge(dc, &box, BDR_SUNKENOUTER, BF_RECT);
    TCanvas canvas(dc);
    item.Images->Draw(canvas, box.left, box.top, item.ImageIndex, item.Enabled);
  } else if (item.Checked) {
    HBITMAP check = LoadBitmapW(nullptr, MAKEINTRESOURCEW(32760 /* OBM_CHECK */));
    BITMAP bm{};
    GetObjectW(check, sizeof(bm), &bm);
    HDC mdc = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(mdc, check);
    const int x = box.left + (glyph - bm.bmWidth) / 2 + 1, y = box.top + (glyph - bm.bmHeight) / 2 + 1;
    GdiTransparentBlt(dc, x, y, bm.bmWidth, bm.bmHeight, mdc, 0, 0, bm.bmWidth, bm.bmHeight, RGB(255, 255, 255));
    SelectObject(mdc, old);
    DeleteDC(mdc);
    DeleteObject(check);
  }
  TColor color = skin.MenuTextColour;
  if (item.Enabled && selected) color = skin.HilightTextColour;
  if (!item.Enabled) color = skin.ButtonShadowColour == skin.MenuTextColour ? clBtnShadow : skin.ButtonShadowColour;
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(color));
  HFONT bold = nullptr;
  if (item.Default) {
    LOGFONTW lf{};
    GetObjectW(Screen->MenuFontHandle(), sizeof(lf), &lf);
    lf.lfWeight = FW_BOLD;
    bold = CreateFontIndirectW(&lf);
  }
  TSelectObject font(dc, bold ? bold : Screen->MenuFontHandle());
  RECT text = rtl ? RECT{rect.left + 1, rect.top, box.left - 3, rect.bottom}
                  : RECT{box.right + 3, rect.top, rect.right - 1, rect.bottom};
  const std::string caption = item.Caption.empty() || item.Caption == "&" ? item.Caption + " " : item.Caption;
  RECT measured = text;
  DrawWideText(dc, caption, measured, DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE);
  const int h = measured.bottom - measured.top;
  RECT at{text.left, rect.top + (rect.bottom - rect.top - h) / 2, text.right, 0};
  at.bottom = at.top + h;
  DrawWideText(dc, caption, at, DT_EXPANDTABS | DT_SINGLELINE | (rtl ? DT_RIGHT : DT_LEFT));
  if (item.ShortCut) {
    const std::string keys = ShortCutToText(item.ShortCut);
    RECT keyRect = rtl ? RECT{rect.left + 10, at.top, text.right - (measured.right - measured.left), at.bottom}
                       : RECT{text.left + (measured.right - measured.left), at.top, rect.right - 11, at.bottom};
    DrawWideText(dc, keys, keyRect, DT_SINGLELINE | (rtl ? DT_LEFT : DT_RIGHT));
  }
  if (bold) {
    SelectObject(dc, Screen->MenuFontHandle());
    DeleteObject(bold);
  }
}

}  // namespace

void PaintMenuItem(const TSkinModel& skin, bool rightToLeft, const TMenuItemView& item, HDC dc, const RECT& rect,
                   bool selected, bool native) {
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  if (w <= 0 || h <= 0) return;
  TBitmap buffer(w, h);
  HDC bdc = buffer.Canvas().Handle();
  const TDataSkinObject* element = skin.MenuItem.get();
  if (!element || element->Image.Empty()) {
    buffer.Pixels().Fill(ColorToRGB(selected ? skin.HilightColour : skin.MenuColour));
    RECT local{0, 0, w, h};
    DrawContent(skin, rightToLeft, item, bdc, local, selected);
    BitBlt(dc, rect.left, rect.top, w, h, bdc, 0, 0, SRCCOPY);
    return;
  }
  TSkinPopupWindow::LearnPendingMenu(item.Parent);
  const TBitmapPixels* background = nullptr;
  if (TFrameWindowSide* side = FrameWindowSide()) background = side->PopupBackgroundFor(item.Parent);
  if (background && !background->Empty())
    buffer.Pixels().CopyRect(0, 0, *background, rect.left + 3, rect.top + 3, w, h);
  else
    buffer.Pixels().Fill(ColorToRGB(skin.MenuColour));
  const TSliceMargins margins = MarginsOf(*element);
  if (item.IsLine() && !native) {
    // The separator strip: the bottom rows of frame 2, caps at their width, middle stretched.
    const TPixelRect f = SourceFrame(element->Image, {false, std::max(element->FrameCount, 5), 2});
    const int rows = std::min(h, f.Height());
    TBitmapPixels strip(f.Width(), rows);
    strip.CopyRect(0, 0, element->Image, f.Left, f.Bottom - rows, f.Width(), rows);
    TBitmapPixels line = BuildThreePartImage(w, rows, strip, {false, 1, 1}, element->LeftWidth, element->RightWidth);
    KeyedCopy(buffer.Pixels(), 0, 0, line);
  } else {
    TBitmapPixels face = BuildSlicedImage({0, 0, w, h}, element->Image, margins, false, element->Tile == 1,
                                          std::max(element->FrameCount, 1), selected ? 4 : 1);
    if (element->Trans == 1)
      KeyedCopy(buffer.Pixels(), 0, 0, face);
    else
      buffer.Pixels().CopyRect(0, 0, face, 0, 0, w, h);
    RECT local{0, 0, w, h};
    DrawContent(skin, rightToLeft, item, bdc, local, selected);
  }
  BitBlt(dc, rect.left, rect.top, w, h, bdc, 0, 0, SRCCOPY);
}

void MeasureWidenedItem(const TSkinModel& skin, TMenuItem& item, HDC dc, int& width, int& height, int withImages) {
  auto saved = item.OnMeasureItem;
  item.OnMeasureItem = nullptr;
  item.MeasureItem(dc, width, height);
  item.OnMeasureItem = saved;
  TMenu* menu = item.ParentMenu();
  width += ItemLeftWidth(skin) + (menu && menu->Images ? withImages : 35);
}

void MeasureNativeItem(const TSkinModel& skin, const std::string& caption, HDC dc, UINT& width, UINT& height) {
  SIZE size{};
  const std::wstring wide = Utf8ToWide(caption);
  GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
  width = static_cast<UINT>(size.cx + 26 + ItemLeftWidth(skin));
  if (!caption.empty())
    height = static_cast<UINT>(size.cy + 4);
  else
    height = 8;
}

void MakeOwnerDrawn(HMENU menu) {
  const int count = GetMenuItemCount(menu);
  for (int i = 0; i < count; ++i) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_SUBMENU;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info)) continue;
    if (!(info.fType & MFT_OWNERDRAW)) {
      info.fMask = MIIM_FTYPE;
      info.fType |= MFT_OWNERDRAW;
      SetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
    }
    if (info.hSubMenu) MakeOwnerDrawn(info.hSubMenu);
  }
}
