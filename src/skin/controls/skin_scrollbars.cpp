#include "skin/controls/skin_scrollbars.h"

#include <algorithm>

#include "skin/data/skin_set.h"
#include "skin/frames/gdi_paint.h"
#include "skin/paint/frame_strip.h"
#include "skin/paint/pixel_copy.h"
#include "skin/paint/pixel_turns.h"
#include "skin/paint/sliced_image.h"
#include "toolkit/win/canvas.h"
#include "toolkit/win/dc_guards.h"
#include "toolkit/win/scrollbar.h"
#include "toolkit/win/wincontrol.h"

QUILLIMO_REGISTER_CLASS(TSkinScrollbar)
QUILLIMO_REGISTER_CLASS(TSkinScControl)

namespace {
constexpr int kAcross = 16;  // at 96 pixels per inch

SCROLLINFO InfoRecord(UINT mask) {
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = mask;
  return info;
}  // the working bitmap's size across the bar

int PartOfRequest(WPARAM request, bool horizontal) {
  switch (LOWORD(request)) {
    case SB_LINEUP: return horizontal ? ScrollPart::LeftArrow : ScrollPart::UpArrow;
    case SB_LINEDOWN: return horizontal ? ScrollPart::RightArrow : ScrollPart::DownArrow;
    case SB_THUMBTRACK: return horizontal ? ScrollPart::HorzThumb : ScrollPart::VertThumb;
    default: return ScrollPart::None;
  }
}

// After the scroll message: arrows for line requests, the thumb for thumb requests.
int PartAfterRequest(WPARAM request, bool horizontal) {
  switch (LOWORD(request)) {
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: return horizontal ? ScrollPart::HorzThumb : ScrollPart::VertThumb;
    default: return PartOfRequest(request, horizontal);
  }
}

void KeyedOrPlain(TBitmapPixels& dest, int x, int y, const TBitmapPixels& piece, bool keyed) {
  if (keyed)
    KeyedCopy(dest, x, y, piece);
  else
    dest.CopyRect(x, y, piece, 0, 0, piece.Width(), piece.Height());
}

// An element's piece along the bar: built at its own orientation, turned for vertical bars.
TBitmapPixels Piece(const TDataSkinObject& e, int along, int across, bool horizontal, int count, int frame) {
  const int w = horizontal ? along : across, h = horizontal ? across : along;
  TBitmapPixels built = BuildSlicedImage({0, 0, w, h}, e.Image, MarginsOf(e), false, e.Tile == 1, count, frame);
  return horizontal ? built : Transpose(built);
}
}  // namespace

TScrollBarGeometry ScrollThumbGeometry(int barLength, int arrow, int min, int max, int page, int pos) {
  TScrollBarGeometry g;
  g.ArrowLength = arrow;
  g.TrackLength = barLength - 2 * arrow;
  const long long r = static_cast<long long>(max) - min;
  const int L = g.TrackLength;
  if (r <= 0 || L <= 0) return g;
  const int minimum = page == 0 ? GetSystemMetrics(SM_CXHTHUMB) : 8;
  long long t = std::max<long long>(static_cast<long long>(page) * L / r, minimum);
  t = std::min<long long>(t, L);
  if (page == r) {
    g.ThumbLength = static_cast<int>(t) - 1;
    g.ThumbOffset = 0;
    return g;
  }
  g.ThumbLength = static_cast<int>(t);
  long long offset = r - page != 0 ? (static_cast<long long>(pos) - min) * (L - t) / (r - page) : 0;
  g.ThumbOffset = static_cast<int>(std::clamp<long long>(offset, 0, L - t));
  return g;
}

int ScrollHitTest(const TScrollBarGeometry& g, int x) {
  if (x < g.ArrowLength) return SB_LINEUP;
  if (x < g.ArrowLength + g.ThumbOffset) return SB_PAGEUP;
  if (g.ThumbLength > 0 && x < g.ArrowLength + g.ThumbOffset + g.ThumbLength) return SB_THUMBTRACK;
  if (x < g.ArrowLength + g.TrackLength) return SB_PAGEDOWN;
  return SB_LINEDOWN;
}

void DrawSkinScrollBar(HDC dc, const RECT& rect, bool horizontal, const TSkinModel& skin, int pressedPart,
                       const TScrollBarGeometry& g, bool thumbDragged, int pixelsPerInch) {
  const TDataSkinObject* bar = skin.Scrollbar.get();
  if (!bar || bar->Image.Empty()) return;
  const int length = horizontal ? rect.right - rect.left : rect.bottom - rect.top;
  if (length <= 0 || rect.right <= rect.left || rect.bottom <= rect.top) return;
  // Composed along x, 16 pixels across; turned for a vertical bar.
  const int across = ScaledPixels(kAcross, pixelsPerInch);
  TBitmapPixels work(length, across);
  work.Fill(ColorToRGB(skin.ScrollbarColour));
  const int s = g.ArrowLength;
  const TDataSkinObject* track = horizontal ? skin.HorzScroll.get() : skin.VertScroll.get();
  if (track && !track->Image.Empty() && length - 2 * s > 0) {
    const TBitmapPixels piece = Piece(*track, length - 2 * s, across, horizontal, 4, 1);
    KeyedOrPlain(work, s, 0, piece, track->Trans == 1);
  }
  const int a = length < 2 * s ? length / 2 : s;
  const int first =
      horizontal ? (pressedPart == ScrollPart::LeftArrow ? 2 : 1) : (pressedPart == ScrollPart::UpArrow ? 10 : 9);
  const int second =
      horizontal ? (pressedPart == ScrollPart::RightArrow ? 6 : 5) : (pressedPart == ScrollPart::DownArrow ? 14 : 13);
  if (a > 0) {
    auto arrow = [&](int frame) {
      TBitmapPixels p = BuildFrameImage(horizontal ? a : across, horizontal ? across : a, bar->Image, 23, frame);
      return horizontal ? p : Transpose(p);
    };
    KeyedCopy(work, 0, 0, arrow(first));
    KeyedCopy(work, length - a, 0, arrow(second));
  }
  const TDataSkinObject* thumb = horizontal ? skin.HorzScrollThumb.get() : skin.VertScrollThumb.get();
  if (thumb && !thumb->Image.Empty() && g.ThumbLength > 0 && g.TrackLength >= g.ThumbLength) {
    const int count = std::max(thumb->FrameCount, 1);
    const TBitmapPixels piece = Piece(*thumb, g.ThumbLength, across, horizontal, count, thumbDragged ? 2 : 1);
    KeyedOrPlain(work, s + g.ThumbOffset, 0, piece, thumb->Trans == 1);
  }
  const TBitmapPixels finished = horizontal ? work : Transpose(work);
  TBitmapPixels stretched(rect.right - rect.left, rect.bottom - rect.top);
  StretchCopy(stretched, {0, 0, stretched.Width(), stretched.Height()}, finished,
              {0, 0, finished.Width(), finished.Height()});
  BlitPixels(dc, rect.left, rect.top, stretched);
}

// ---- TSkinScrollbar

void TSkinScrollbar::FrameChanged() {
  if (Handle())
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TSkinScrollbar::AttachScrollBars(TWinControl* control, TSkinSet* skin, bool handleMouse, TSkinFormFrame* frame,
                                      TCanvas* canvas) {
  if (Attached()) return;
  if (!control) control = dynamic_cast<TWinControl*>(Owner());
  if (!control) return;
  dragsThumb_ = handleMouse;
  TSkinControl::AttachControl(frame, skin, false, canvas);
  FrameChanged();
}

void TSkinScrollbar::AttachControl(TSkinFormFrame* frame, TSkinSet* skin, bool recolor, TCanvas* canvas) {
  AttachScrollBars(nullptr, skin, true, frame, canvas);
}

void TSkinScrollbar::AttachHandle(HWND wnd, TSkinSet* skin, TSkinFormFrame* frame, TCanvas* canvas) {
  if (Attached()) return;
  dragsThumb_ = false;
  TSkinControl::AttachHandle(wnd, skin, frame, canvas);
  FrameChanged();
}

void TSkinScrollbar::WindowRecreated(HWND wnd) {
  if (wnd) FrameChanged();
}

bool TSkinScrollbar::HandleBefore(TMessage& msg) {
  switch (msg.Msg) {
    case WM_NCCALCSIZE: CallPrevious(msg); return true;
    case WM_NCMOUSEMOVE:
      if (msg.WParam == HTHSCROLL || msg.WParam == HTVSCROLL) return true;
      return false;
    case WM_NCLBUTTONDOWN: {
      bool horizontal = false;
      const POINT screen{static_cast<short>(LOWORD(msg.LParam)), static_cast<short>(HIWORD(msg.LParam))};
      if (dragsThumb_ && (msg.WParam == HTHSCROLL || msg.WParam == HTVSCROLL) && ThumbHit(screen, horizontal)) {
        DragThumb(horizontal, screen);
        return true;
      }
      return false;
    }
    case WM_HSCROLL:
    case WM_VSCROLL: {
      const bool horizontal = msg.Msg == WM_HSCROLL;
      pressedPart_ = PartOfRequest(msg.WParam, horizontal);
      BarOf(horizontal).Scrolling = true;
      CallPrevious(msg);
      BarOf(horizontal).Scrolling = false;
      Redraw();
      return true;
    }
    default: return TSkinControl::HandleBefore(msg);
  }
}

void TSkinScrollbar::AfterMessage(TMessage& msg) {
  switch (msg.Msg) {
    case WM_SIZE:
    case WM_NCPAINT:
    case WM_PRINT: RepaintNow(); return;
    case WM_HSCROLL:
    case WM_VSCROLL:
      pressedPart_ = PartAfterRequest(msg.WParam, msg.Msg == WM_HSCROLL);
      Redraw();
      return;
    default: TSkinControl::AfterMessage(msg);
  }
}

bool TSkinScrollbar::Layout(const RECT& rect) {
  if (!Handle()) return false;
  auto style = static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE));
  const auto exStyle = static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_EXSTYLE));
  if (horz_.Scrolling) style |= WS_HSCROLL;
  if (vert_.Scrolling) style |= WS_VSCROLL;
  const bool hasH = style & WS_HSCROLL, hasV = style & WS_VSCROLL;
  horz_.Rect = vert_.Rect = cornerRect_ = RECT{};
  if (!hasH && !hasV) return false;
  RECT client{};
  GetClientRect(Handle(), &client);
  const int W = rect.right - rect.left, H = rect.bottom - rect.top;
  const int s = GetSystemMetrics(SM_CXHSCROLL);
  const int e = hasV ? (W - client.right - s) / 2 : (H - client.bottom - s) / 2;
  const bool leftBar = exStyle & WS_EX_LEFTSCROLLBAR;
  if (hasV) {
    vert_.Rect = leftBar ? RECT{e, e, e + s, H - e} : RECT{W - e - s, e, W - e, H - e};
    if (hasH) vert_.Rect.bottom -= s;
  }
  if (hasH) {
    horz_.Rect = {e, H - e - s, W - e, H - e};
    if (hasV && leftBar) horz_.Rect.left += s;
    if (hasV && !leftBar) horz_.Rect.right -= s;
  }
  if (hasH && hasV) cornerRect_ = leftBar ? RECT{e, H - e - s, e + s, H - e} : RECT{W - e - s, H - e - s, W - e, H - e};
  auto geometry = [&](int which, TBar& bar, int length) {
    SCROLLINFO& info = bar.Info;
    info = InfoRecord(SIF_ALL);
    if (!GetScrollInfo(Handle(), which, &info)) info = InfoRecord(0);
    if (draggingThumb_) return;  // the drag keeps its own thumb
    bar.Geometry = ScrollThumbGeometry(length, s, info.nMin, info.nMax, static_cast<int>(info.nPage), info.nPos);
  };
  if (hasH) geometry(SB_HORZ, horz_, horz_.Rect.right - horz_.Rect.left);
  if (hasV) geometry(SB_VERT, vert_, vert_.Rect.bottom - vert_.Rect.top);
  return true;
}

void TSkinScrollbar::Paint(HDC dc, const RECT& rect) {
  if (!Skin() || !SkinModel().Scrollbar || SkinModel().Scrollbar->Image.Empty()) return;
  if (rect.left > 10000 || rect.top > 10000 || !Layout(rect)) return;
  if (cornerRect_.right > cornerRect_.left) FillFace(dc, cornerRect_);
  const bool thumbH = draggingThumb_ && pressedPart_ == ScrollPart::HorzThumb;
  const bool thumbV = draggingThumb_ && pressedPart_ == ScrollPart::VertThumb;
  for (const TBar* bar : {&horz_, &vert_}) {
    const RECT& r = bar->Rect;
    if (bar->Scrolling || r.right <= r.left || r.bottom <= r.top) continue;
    const bool horizontal = bar == &horz_;
    DrawSkinScrollBar(dc, r, horizontal, SkinModel(), pressedPart_, bar->Geometry, horizontal ? thumbH : thumbV,
                      PixelsPerInch());
  }
}

bool TSkinScrollbar::ThumbHit(POINT screen, bool& horizontal) {
  RECT window{};
  GetWindowRect(Handle(), &window);
  if (!Layout({0, 0, window.right - window.left, window.bottom - window.top})) return false;
  const POINT p{screen.x - window.left, screen.y - window.top};
  if (PtInRect(&vert_.Rect, p)) {
    horizontal = false;
    return ScrollHitTest(vert_.Geometry, p.y - vert_.Rect.top) == SB_THUMBTRACK;
  }
  if (PtInRect(&horz_.Rect, p)) {
    horizontal = true;
    return ScrollHitTest(horz_.Geometry, p.x - horz_.Rect.left) == SB_THUMBTRACK;
  }
  return false;
}

void TSkinScrollbar::DragThumb(bool horizontal, POINT start) {
  HWND wnd = Handle();
  const std::shared_ptr<bool> alive = std::make_shared<bool>(true);
  SetCapture(wnd);
  draggingThumb_ = true;
  pressedPart_ = horizontal ? ScrollPart::HorzThumb : ScrollPart::VertThumb;
  TScrollBarGeometry& g = BarOf(horizontal).Geometry;
  const SCROLLINFO info = BarOf(horizontal).Info;
  const int bar = horizontal ? SB_HORZ : SB_VERT;
  const UINT scroll = horizontal ? WM_HSCROLL : WM_VSCROLL;
  const int startOffset = g.ThumbOffset;
  const int L = g.TrackLength, t = g.ThumbLength;
  const int page = static_cast<int>(info.nPage);
  int position = info.nPos;
  Redraw();
  MSG m{};
  while (GetCapture() == wnd) {
    if (!PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE)) {
      WaitMessage();
      continue;
    }
    if (m.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(m.wParam));
      break;
    }
    if (m.message == WM_MOUSEMOVE || m.message == WM_NCMOUSEMOVE) {
      DispatchMessageW(&m);
      POINT p{static_cast<short>(LOWORD(m.lParam)), static_cast<short>(HIWORD(m.lParam))};
      if (m.message == WM_MOUSEMOVE) ClientToScreen(m.hwnd, &p);
      const int moved = horizontal ? p.x - start.x : p.y - start.y;
      int offset = std::max(startOffset + moved, 0);
      const long long span = static_cast<long long>(info.nMax) - info.nMin;
      int pos = info.nMin;
      if (page > 0) {
        offset = std::min(offset, L);
        pos = L > 0 ? static_cast<int>(info.nMin + offset * span / L) : info.nMin;
        if (pos >= info.nMax - page) pos = info.nMax - page + 1;
      } else {
        offset = std::min(offset, L - t);
        pos = L - t > 0 ? static_cast<int>(info.nMin + offset * span / (L - t)) : info.nMin;
        pos = std::min(pos, info.nMax);
      }
      pos = std::max(pos, info.nMin);
      g.ThumbOffset = std::clamp(offset, 0, std::max(L - t, 0));
      if (pos != position) {
        position = pos;
        SCROLLINFO si = InfoRecord(SIF_POS);
        si.nPos = pos;
        SetScrollInfo(wnd, bar, &si, FALSE);
        SendMessageW(wnd, scroll, MAKEWPARAM(SB_THUMBTRACK, pos), 0);
      }
      continue;
    }
    if (m.message == WM_LBUTTONUP || m.message == WM_NCLBUTTONUP) {
      draggingThumb_ = false;
      SendMessageW(wnd, scroll, MAKEWPARAM(SB_THUMBPOSITION, position), 0);
      PostMessageW(wnd, scroll, SB_ENDSCROLL, 0);
      break;
    }
    TranslateMessage(&m);
    DispatchMessageW(&m);
  }
  draggingThumb_ = false;
  if (GetCapture() == wnd) ReleaseCapture();
  Redraw();
}

// ---- TSkinScControl

bool TSkinScControl::HandleBefore(TMessage& msg) {
  switch (msg.Msg) {
    case WM_NCMOUSEMOVE:
      if (msg.WParam == HTHSCROLL || msg.WParam == HTVSCROLL) return true;
      return false;
    case SBM_SETSCROLLINFO:
      CallPrevious(msg);
      Redraw();
      return true;
    case CN_HSCROLL:
    case CN_VSCROLL:
      pressedPart_ = PartOfRequest(msg.WParam, msg.Msg == CN_HSCROLL);
      CallPrevious(msg);
      Redraw();
      return true;
    default: return TSkinControl::HandleBefore(msg);
  }
}

void TSkinScControl::Paint(HDC dc, const RECT& rect) {
  if (!Skin() || !SkinModel().Scrollbar || SkinModel().Scrollbar->Image.Empty() || !Handle()) return;
  const bool horizontal = !(GetWindowLongPtrW(Handle(), GWL_STYLE) & SBS_VERT);
  RECT client{};
  GetClientRect(Handle(), &client);
  int min = 0, max = 100, page = 0, pos = 0;
  if (auto* bar = dynamic_cast<TScrollBar*>(Control())) {
    min = bar->Min();
    max = bar->Max();
    page = bar->PageSize();
    pos = bar->Position();
  } else {
    SCROLLINFO si = InfoRecord(SIF_ALL);
    GetScrollInfo(Handle(), SB_CTL, &si);
    min = si.nMin;
    max = si.nMax;
    page = static_cast<int>(si.nPage);
    pos = si.nPos;
  }
  const int length = horizontal ? client.right : client.bottom;
  const int arrow = GetSystemMetrics(SM_CXHSCROLL);
  // The range counts both ends.
  const TScrollBarGeometry bar = ScrollThumbGeometry(length, arrow, min, max + 1, page, pos);
  DrawSkinScrollBar(dc, client, horizontal, SkinModel(), pressedPart_, bar, false, PixelsPerInch());
}
