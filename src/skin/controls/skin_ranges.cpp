#include "skin/controls/skin_ranges.h"

#include <commctrl.h>

#include <algorithm>

#include "skin/controls/control_painters.h"
#include "skin/data/skin_set.h"
#include "skin/frames/gdi_paint.h"
#include "skin/paint/sliced_image.h"
#include "toolkit/win/canvas.h"
#include "toolkit/win/dc_guards.h"
#include "toolkit/win/graphics.h"

QUILLIMO_REGISTER_CLASS(TSkinProgress)
QUILLIMO_REGISTER_CLASS(TSkinTrackBar)
QUILLIMO_REGISTER_CLASS(TSkinUpDown)

namespace {
COLORREF Rgb(TColor c) { return static_cast<COLORREF>(ColorToRGB(c)); }

}  // namespace

// ---- TSkinProgress

bool TSkinProgress::HandleBefore(TMessage& msg) {
  const bool image = Skin() && SkinModel().Progress && !SkinModel().Progress->Image.Empty();
  if (msg.Msg == WM_PAINT && !image) return TSkinControl::HandleBefore(msg);
  if (PaintsWholeWindow(msg)) return true;
  return TSkinControl::HandleBefore(msg);
}

int TSkinProgress::FilledWidth(int width) const {
  const auto p = static_cast<long long>(SendMessageW(Handle(), PBM_GETPOS, 0, 0));
  const auto m = static_cast<long long>(SendMessageW(Handle(), PBM_GETRANGE, FALSE, 0));
  if (p <= 0 || m <= 0) return 0;
  return static_cast<int>(std::min<long long>(p * width / m, width));
}

void TSkinProgress::Paint(HDC dc, const RECT& rect) {
  const TDataSkinBorder* e = Skin() ? SkinModel().Progress.get() : nullptr;
  if (!e || e->Image.Empty() || !Handle()) return;
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  const int filled = FilledWidth(w);
  TBitmap work(w, h);
  HDC wdc = work.Canvas().Handle();
  const RECT local{0, 0, w, h};
  FillFace(wdc, local);
  const bool keyed = true;
  if (e->Style == 1) {
    DrawSlicedImage(wdc, local, e->Image, false, e->Tile == 1, keyed, 1, 1, MarginsOf(*e));
    if (!e->Image2.Empty() && filled > 0) {
      const int cw = e->Image2.Width(), ch = e->Image2.Height();
      const int y = (h - ch) / 2;
      const int saved = SaveDC(wdc);
      IntersectClipRect(wdc, 0, 0, std::min(filled, w), h);
      for (int i = 0, x = e->LeftWidth; i < filled / std::max(cw, 1) + 1; ++i, x += cw)
        BlitPixels(wdc, x, y, e->Image2);
      RestoreDC(wdc, saved);
    }
  } else {
    DrawSlicedImage(wdc, local, e->Image, false, e->Tile == 1, keyed, 2, 1, MarginsOf(*e));
    if (filled > 0) DrawSlicedImage(wdc, {0, 0, filled, h}, e->Image, false, e->Tile == 1, keyed, 2, 2, MarginsOf(*e));
  }
  BitBlt(dc, rect.left, rect.top, w, h, wdc, 0, 0, SRCCOPY);
}

// ---- TSkinTrackBar

bool TSkinTrackBar::HandleBefore(TMessage& msg) {
  if (msg.Msg == WM_ERASEBKGND) {
    msg.Result = 1;
    return true;
  }
  if ((msg.Msg == WM_NOTIFY || msg.Msg == CN_NOTIFY) && reinterpret_cast<NMHDR*>(msg.LParam)->code == NM_CUSTOMDRAW) {
    auto* cd = reinterpret_cast<NMCUSTOMDRAW*>(msg.LParam);
    if (cd->dwDrawStage == CDDS_PREPAINT) {
      msg.Result = CDRF_NOTIFYITEMDRAW;
      return true;
    }
    if (cd->dwDrawStage == CDDS_ITEMPREPAINT) {
      if (cd->dwItemSpec != TBCD_THUMB) {
        msg.Result = CDRF_DODEFAULT;
        return true;
      }
      RECT thumb{};
      SendMessageW(Handle(), TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
      DrawThumb(cd->hdc, thumb);
      msg.Result = CDRF_SKIPDEFAULT;
      return true;
    }
  }
  return TSkinControl::HandleBefore(msg);
}

void TSkinTrackBar::DrawThumb(HDC dc, RECT thumb) {
  const bool vertical = GetWindowLongPtrW(Handle(), GWL_STYLE) & TBS_VERT;
  const TDataSkinObject* e = vertical && SkinModel().TrackbarThumbVert ? SkinModel().TrackbarThumbVert.get()
                                                                       : SkinModel().TrackbarThumbHorz.get();
  if (e && !e->Image.Empty()) {
    DrawFrameTransparent(dc, thumb, 5, 2, e->Image);
    return;
  }
  HBRUSH shadow = CreateSolidBrush(Rgb(SkinModel().ButtonShadowColour));
  FrameRect(dc, &thumb, shadow);
  DeleteObject(shadow);
}

// ---- TSkinUpDown

bool TSkinUpDown::HandleBefore(TMessage& msg) {
  if (PaintsWholeWindow(msg)) return true;
  switch (msg.Msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: return PressAfterPrevious(msg);
    case WM_LBUTTONUP:
      SetStateBit(SkinControlState::Pressed, false);
      CallPrevious(msg);
      Redraw();
      return true;
    default: return TSkinControl::HandleBefore(msg);
  }
}

bool TSkinUpDown::IsHorizontal() const {
  return horizontal_ || (Handle() && (GetWindowLongPtrW(Handle(), GWL_STYLE) & UDS_HORZ));
}

void TSkinUpDown::Paint(HDC dc, const RECT&) {
  if (!Handle() || !Skin()) return;
  RECT client{};
  GetClientRect(Handle(), &client);
  const int w = client.right, h = client.bottom;
  if (w <= 0 || h <= 0) return;
  TBitmap work(w, h);
  HDC wdc = work.Canvas().Handle();
  FillFace(wdc, client);
  RECT area = client;
  if (inset_) InflateRect(&area, -1, -1);
  const bool horizontal = IsHorizontal();
  RECT halves[2] = {area, area};
  if (horizontal) {
    halves[0].right = halves[1].left = area.left + (area.right - area.left) / 2;
  } else {
    halves[0].bottom = halves[1].top = area.top + (area.bottom - area.top) / 2;
  }
  POINT cursor{};
  GetCursorPos(&cursor);
  ScreenToClient(Handle(), &cursor);
  const bool enabled = !(GetWindowLongPtrW(Handle(), GWL_STYLE) & WS_DISABLED);
  const TDataSkinBorder* e = horizontal ? SkinModel().UpDownHorz.get() : SkinModel().UpDownVert.get();
  for (int half = 0; half < 2; ++half) {
    const RECT& r = halves[half];
    int state = Pressed() && PtInRect(&r, cursor) ? 2 : 1;
    if (!enabled) state = 3;
    const int arrow = (horizontal ? 2 : 0) + half;
    const int frame = ArrowFrame(arrow, state);
    if (e && !e->Image.Empty()) {
      DrawFrameImage(wdc, r, e->Image, true, 8, frame);
      if (!e->Image2.Empty()) {
        const int gw = e->Image2.Width() / 8, gh = e->Image2.Height();
        const int x = r.left + (r.right - r.left - gw) / 2, y = r.top + (r.bottom - r.top - gh) / 2;
        DrawFrameImage(wdc, {x, y, x + gw, y + gh}, e->Image2, true, 8, frame);
      }
      continue;
    }
    HPEN pen = CreatePen(PS_SOLID, 1, Rgb(SkinModel().ButtonDkShadowColour));
    HBRUSH fill =
        CreateSolidBrush(Rgb(state == 2 || state == 4 ? SkinModel().ButtonShadowColour : SkinModel().ButtonFaceColour));
    {
      TSelectObject p(wdc, pen);
      TSelectObject b(wdc, fill);
      Rectangle(wdc, r.left, r.top, r.right, r.bottom);
      // A small arrow of three lines at the centre, pointing away from the other half.
      const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
      for (int i = 0; i < 3; ++i) {
        switch (arrow) {
          case 0:
            MoveToEx(wdc, cx - i, cy - 1 + i, nullptr);
            LineTo(wdc, cx + i + 1, cy - 1 + i);
            break;
          case 1:
            MoveToEx(wdc, cx - i, cy + 1 - i, nullptr);
            LineTo(wdc, cx + i + 1, cy + 1 - i);
            break;
          case 2:
            MoveToEx(wdc, cx - 1 + i, cy - i, nullptr);
            LineTo(wdc, cx - 1 + i, cy + i + 1);
            break;
          default:
            MoveToEx(wdc, cx + 1 - i, cy - i, nullptr);
            LineTo(wdc, cx + 1 - i, cy + i + 1);
            break;
        }
      }
    }
    DeleteObject(pen);
    DeleteObject(fill);
  }
  BitBlt(dc, 0, 0, w, h, wdc, 0, 0, SRCCOPY);
}
