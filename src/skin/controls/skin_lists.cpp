#include "skin/controls/skin_lists.h"

#include <commctrl.h>

#include <algorithm>

#include "skin/controls/control_painters.h"
#include "skin/data/skin_set.h"
#include "toolkit/win/canvas.h"
#include "toolkit/core/utf8.h"
#include "toolkit/win/dc_guards.h"
#include "toolkit/win/graphics.h"

QUILLIMO_REGISTER_CLASS(TSkinHeader)
QUILLIMO_REGISTER_CLASS(TSkinListView)

// ---- TSkinHeader

bool TSkinHeader::HandleBefore(TMessage& msg) {
  if (msg.Msg == WM_ERASEBKGND && Skin() && SkinModel().Headerbar && !SkinModel().Headerbar->Image.Empty()) {
    msg.Result = 1;
    return true;
  }
  return TSkinControl::HandleBefore(msg);
}

void TSkinHeader::Paint(HDC dc, const RECT& rect) {
  const TDataSkinObject* bar = Skin() ? SkinModel().Headerbar.get() : nullptr;
  if (!bar || bar->Image.Empty() || !Handle()) return;
  const int W = rect.right - rect.left, H = rect.bottom - rect.top;
  if (W <= 0 || H <= 0) return;
  const int frames = std::max(bar->FrameCount, 1);
  TBitmap work(W, H);
  HDC wdc = work.Canvas().Handle();
  TSelectObject font(wdc, reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0)));
  SetBkMode(wdc, TRANSPARENT);
  SetTextColor(wdc, static_cast<COLORREF>(ColorToRGB(bar->NormalColour2)));
  auto images = reinterpret_cast<HIMAGELIST>(SendMessageW(Handle(), HDM_GETIMAGELIST, 0, 0));
  const int count = static_cast<int>(SendMessageW(Handle(), HDM_GETITEMCOUNT, 0, 0));
  int right = 0;
  for (int i = 0; i < count; ++i) {
    RECT r{};
    if (!SendMessageW(Handle(), HDM_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&r))) continue;
    DrawSkinElement(wdc, r, frames, 1, bar);
    wchar_t text[256] = {};
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_FORMAT | HDI_IMAGE;
    item.pszText = text;
    item.cchTextMax = 255;
    SendMessageW(Handle(), HDM_GETITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    const int format = item.fmt & HDF_JUSTIFYMASK;
    const UINT align = format == HDF_RIGHT ? DT_RIGHT : (format == HDF_CENTER ? DT_CENTER : DT_LEFT);
    DrawIconCaption(wdc, r, align, WideToUtf8(text), (item.fmt & HDF_IMAGE) ? item.iImage : -1, images);
    right = std::max(right, static_cast<int>(r.right));
  }
  if (right < W) DrawSkinElement(wdc, {right, 0, W, H}, frames, 1, bar);
  BitBlt(dc, rect.left, rect.top, W, H, wdc, 0, 0, SRCCOPY);
}

// ---- TSkinListView

void TSkinListView::Notification(TComponent* component, TOperation operation) {
  TSkinScrollbar::Notification(component, operation);
  if (operation == opRemove && component == header_) header_ = nullptr;
}

void TSkinListView::AttachScrollBars(TWinControl* control, TSkinSet* skin, bool handleMouse, TSkinFormFrame* frame,
                                     TCanvas* canvas) {
  if (Attached()) return;
  TSkinScrollbar::AttachScrollBars(control, skin, handleMouse, frame, canvas);
  if (!Handle()) return;
  if (auto header = reinterpret_cast<HWND>(SendMessageW(Handle(), LVM_GETHEADER, 0, 0))) {
    header_ = new TSkinHeader(this);
    header_->AttachHandle(header, skin, frame, canvas);
  }
}
