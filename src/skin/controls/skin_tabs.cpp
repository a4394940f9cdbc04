#include "skin/controls/skin_tabs.h"

#include <commctrl.h>

#include <algorithm>

#include "skin/controls/control_painters.h"
#include "skin/controls/skin_ranges.h"
#include "skin/data/skin_set.h"
#include "skin/frames/gdi_paint.h"
#include "skin/paint/pixel_turns.h"
#include "skin/paint/sliced_image.h"
#include "toolkit/win/canvas.h"
#include "toolkit/core/properties.h"
#include "toolkit/core/strings.h"
#include "toolkit/core/text.h"
#include "toolkit/core/utf8.h"
#include "toolkit/win/dc_guards.h"
#include "toolkit/win/font_handle.h"
#include "toolkit/win/wincontrol.h"

QUILLIMO_REGISTER_CLASS(TSkinTab)
QUILLIMO_REGISTER_CLASS(TSkinTab31)

namespace {
bool HasTabs(const TSkinSet* skin) { return skin && skin->Model().Tabs && !skin->Model().Tabs->Image.Empty(); }

// The tab page image's fixed border at the resolution.
TSliceMargins TabPageMargins(int pixelsPerInch) {
  return {ScaledPixels(TabPageBorder::Left, pixelsPerInch), ScaledPixels(TabPageBorder::Top, pixelsPerInch),
          ScaledPixels(TabPageBorder::Right, pixelsPerInch), ScaledPixels(TabPageBorder::Bottom, pixelsPerInch)};
}

COLORREF Rgb(TColor c) { return static_cast<COLORREF>(ColorToRGB(c)); }

// One tab of the Tabs element at r of dc: sliced with its margins, Tile and Trans.
void DrawTab(HDC dc, const RECT& r, const TBitmapPixels& image, const TDataSkinObject& tabs, int frame) {
  DrawSlicedImage(dc, r, image, false, tabs.Tile == 1, tabs.Trans == 1, std::max(tabs.FrameCount, 1), frame,
                  MarginsOf(tabs));
}
}  // namespace

// ---- TSkinTab

void TSkinTab::Notification(TComponent* component, TOperation operation) {
  TSkinControl::Notification(component, operation);
  if (operation == opRemove && component == upDown_) upDown_ = nullptr;
}

void TSkinTab::AttachHandle(HWND wnd, TSkinSet* skin, TSkinFormFrame* frame, TCanvas* canvas) {
  if (Attached()) return;
  TSkinControl::AttachHandle(wnd, skin, frame, canvas);
  PrepareImages();
  FindScroller();
}

void TSkinTab::NotifySkinChanged() {
  PrepareImages();
  TSkinControl::NotifySkinChanged();
}

void TSkinTab::PrepareImages() {
  tabImage_ = borderImage_ = TBitmapPixels();
  if (!Handle()) return;
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE));
  orientation_ = TabOrientation::Top;
  if (style & TCS_VERTICAL)
    orientation_ = (style & TCS_RIGHT) ? TabOrientation::Right : TabOrientation::Left;
  else if (style & TCS_BOTTOM)
    orientation_ = TabOrientation::Bottom;
  if (!HasTabs(Skin())) return;
  tabImage_ = SkinModel().Tabs->Image;
  tabImage_.SetPixelFormat(pf24bit);
  borderImage_ = SkinModel().Tabs->Image2;
  if (!borderImage_.Empty()) borderImage_.SetPixelFormat(pf24bit);
  switch (orientation_) {
    case TabOrientation::Bottom:
      tabImage_ = FlipVertically(tabImage_);
      if (!borderImage_.Empty()) borderImage_ = FlipVertically(borderImage_);
      break;
    case TabOrientation::Left:
      if (!borderImage_.Empty()) borderImage_ = RotateCounterClockwise(borderImage_);
      break;
    case TabOrientation::Right:
      if (!borderImage_.Empty()) borderImage_ = RotateClockwise(borderImage_);
      break;
    default: break;
  }
}

void TSkinTab::FindScroller() {
  if (upDown_ || !Handle()) return;
  for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (LowerCase(GetClassNameString(child)) == "msctls_updown32") {
      upDown_ = new TSkinUpDown(this);
      upDown_->AttachHandle(child, Skin(), Frame(), Canvas());
      return;
    }
}

// With a Tabs element the skin draws all of the control (the tabs, the page's border and the
// face around them): the control's own painting, which would be covered at once, is left out.
bool TSkinTab::HandleBefore(TMessage& msg) {
  if (HasTabs(Skin()) && Handle() && PaintsWholeWindow(msg)) return true;
  return TSkinControl::HandleBefore(msg);
}

RECT TSkinTab::PageArea() const {
  RECT r{};
  GetClientRect(Handle(), &r);
  SendMessageW(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  InflateRect(&r, 4, 4);
  switch (orientation_) {
    case TabOrientation::Top: OffsetRect(&r, 0, -1); break;
    case TabOrientation::Bottom: OffsetRect(&r, 0, 1); break;
    case TabOrientation::Left: OffsetRect(&r, -1, 0); break;
    default: OffsetRect(&r, 1, 0); break;
  }
  return r;
}

void TSkinTab::Paint(HDC dc, const RECT& rect) {
  if (!HasTabs(Skin()) || !Handle()) return;
  FindScroller();
  if (tabImage_.Empty()) PrepareImages();
  const TDataSkinObject& tabs = *SkinModel().Tabs;
  const int W = rect.right - rect.left, H = rect.bottom - rect.top;
  const RECT page = PageArea();
  const bool vertical = orientation_ == TabOrientation::Left || orientation_ == TabOrientation::Right;
  // The strip in window coordinates, and its size laid out horizontally.
  RECT strip{0, 0, W, H};
  switch (orientation_) {
    case TabOrientation::Top: strip.bottom = page.top; break;
    case TabOrientation::Bottom: strip.top = page.bottom; break;
    case TabOrientation::Left: strip.right = page.left; break;
    default: strip.left = page.right; break;
  }
  const int along = vertical ? H : W;
  const int across = vertical ? strip.right - strip.left : strip.bottom - strip.top;
  // The face under everything, and the strip over it, around the child windows (the pages and
  // the scroller).
  const int saved = SaveDC(dc);
  for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
    if (IsWindowVisible(child)) {
      RECT c{};
      GetWindowRect(child, &c);
      MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&c), 2);
      ExcludeClipRect(dc, c.left, c.top, c.right, c.bottom);
    }
  RECT client{};
  GetClientRect(Handle(), &client);
  FillFace(dc, client);
  if (along > 0 && across > 0) {
    buffer_.SetSize(along, across);
    HDC bdc = buffer_.Canvas().Handle();
    FillFace(bdc, {0, 0, along, across});
    TSelectObject font(bdc, reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0)));
    auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(Handle(), TCM_GETIMAGELIST, 0, 0));
    SetFocused(GetFocus() == Handle());
    int focused = static_cast<int>(SendMessageW(Handle(), TCM_GETCURFOCUS, 0, 0));
    if (focused < 0) focused = static_cast<int>(SendMessageW(Handle(), TCM_GETCURSEL, 0, 0));
    const int count = static_cast<int>(SendMessageW(Handle(), TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
      RECT r{};
      if (!SendMessageW(Handle(), TCM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r))) continue;
      // The item in the horizontal layout of the buffer.
      RECT b{};
      switch (orientation_) {
        case TabOrientation::Top: b = r; break;
        case TabOrientation::Bottom: b = {r.left, r.top - strip.top, r.right, r.bottom - strip.top}; break;
        case TabOrientation::Left: b = {H - r.bottom, r.left, H - r.top, r.right}; break;
        default: b = {r.top, strip.right - r.right, r.bottom, strip.right - r.left}; break;
      }
      const int frame = i == focused ? 2 : 1;
      DrawTab(bdc, b, tabImage_, tabs, frame);
      wchar_t text[256] = {};
      TCITEMW item{};
      item.mask = TCIF_TEXT | TCIF_IMAGE;
      item.pszText = text;
      item.cchTextMax = 255;
      SendMessageW(Handle(), TCM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
      SetTextColor(bdc, Rgb(frame == 2 ? tabs.MouseOverColour2 : tabs.NormalColour2));
      DrawIconCaption(bdc, b, DT_CENTER, WideToUtf8(text), item.iImage, images);
      // The tab image has no focused look: a focused tab control marks its tab the system's way.
      if (i == focused && ShowsFocus()) {
        RECT mark = b;
        InflateRect(&mark, -3, -3);
        DrawFocusRect(bdc, &mark);
      }
    }
    TBitmapPixels strips = buffer_.Pixels();
    if (orientation_ == TabOrientation::Left) strips = RotateCounterClockwise(strips);
    if (orientation_ == TabOrientation::Right) strips = RotateClockwise(strips);
    BlitPixels(dc, strip.left, strip.top, strips);
  }
  RestoreDC(dc, saved);
  if (!borderImage_.Empty()) DrawSlicedBorder(dc, page, borderImage_, false, 1, 1, TabPageMargins(PixelsPerInch()));
}

// ---- TSkinTab31

void TSkinTab31::Notification(TComponent* component, TOperation operation) {
  TSkinControl::Notification(component, operation);
  if (operation != opRemove) return;
  if (component == upDown_) upDown_ = nullptr;
  if (component == scroller_) scroller_ = nullptr;
}

void TSkinTab31::AttachControl(TSkinFormFrame* frame, TSkinSet* skin, bool, TCanvas* canvas) {
  if (Attached()) return;
  auto* tabSet = dynamic_cast<TWinControl*>(Owner());
  if (!tabSet) return;
  SetControl(tabSet);
  AttachHandle(tabSet->Handle(), skin, frame, canvas);
  if (HasTabs(skin)) {
    tabImage_ = SkinModel().Tabs->Image;
    tabImage_.SetPixelFormat(pf24bit);
    tabImage_ = FlipVertically(tabImage_);
  }
  if (tabSet->ComponentCount() > 0)
    if (auto* scroller = dynamic_cast<TWinControl*>(tabSet->Components(0))) {
      scroller_ = scroller;
      FreeNotification(scroller);
      upDown_ = new TSkinUpDown(this);
      upDown_->SetHorizontal(true);
      upDown_->AttachHandle(scroller->Handle(), skin, frame, canvas);
    }
}

bool TSkinTab31::HandleBefore(TMessage& msg) {
  if (msg.Msg == WM_PAINT) {
    // Painted here; the tab set's own paint then finds nothing left to paint.
    HandlePaintMessage(msg);
    return false;
  }
  if (msg.Msg == WM_ERASEBKGND) {
    msg.Result = 1;
    return true;
  }
  return TSkinControl::HandleBefore(msg);
}

void TSkinTab31::Paint(HDC dc, const RECT& rect) {
  if (!HasTabs(Skin()) || tabImage_.Empty() || !Control()) return;
  const TDataSkinObject& tabs = *SkinModel().Tabs;
  const int W = rect.right - rect.left, H = rect.bottom - rect.top;
  TBitmap work(W, H);
  HDC wdc = work.Canvas().Handle();
  FillFace(wdc, {0, 0, W, H});
  TSelectObject font(wdc, FontHandle(Control()->Font()->Data()));
  auto integer = [&](const char* name, int fallback) {
    const TPropInfo* prop = GetPropInfo(Control(), name);
    return prop ? static_cast<int>(GetOrdProp(Control(), *prop)) : fallback;
  };
  auto* list = dynamic_cast<TStrings*>(GetPropInfo(Control(), "Tabs") ? GetObjectProp(Control(), "Tabs") : nullptr);
  const int selected = integer("TabIndex", -1);
  const int endMargin = integer("EndMargin", 5);
  const bool scroller = scroller_ && scroller_->HandleAllocated() && IsWindowVisible(scroller_->Handle());
  const int reserve = scroller ? 21 : 9;
  int x = integer("StartMargin", 5);
  for (int i = std::max(integer("FirstIndex", 0), 0); list && i < list->Count(); ++i) {
    const std::string caption = list->Get(i);
    SIZE size{};
    const std::wstring wide = Utf8ToWide(caption);
    GetTextExtentPoint32W(wdc, wide.c_str(), static_cast<int>(wide.size()), &size);
    if (x + size.cx + reserve > W - endMargin) break;
    const RECT r{x, 0, x + size.cx + 9, H};
    const int frame = i == selected ? 2 : 1;
    DrawTab(wdc, r, tabImage_, tabs, frame);
    SetTextColor(wdc, Rgb(frame == 2 ? tabs.MouseOverColour2 : tabs.NormalColour2));
    DrawCaption(wdc, r, DT_CENTER, Control()->Enabled(), caption);
    x = r.right;
  }
  BitBlt(dc, rect.left, rect.top, W, H, wdc, 0, 0, SRCCOPY);
}
