#include "skin/controls/skin_statusbar.h"

#include <commctrl.h>

#include <algorithm>

#include "skin/controls/control_painters.h"
#include "skin/data/skin_set.h"
#include "skin/frames/gdi_paint.h"
#include "toolkit/win/canvas.h"
#include "toolkit/core/utf8.h"
#include "toolkit/win/dc_guards.h"
#include "toolkit/win/graphics.h"
#include "toolkit/win/statusbar.h"

QUILLIMO_REGISTER_CLASS(TSkinStatusBar)

namespace {
COLORREF Rgb(TColor c) { return static_cast<COLORREF>(ColorToRGB(c)); }

std::string PartText(HWND bar, int part, WPARAM& flags) {
  const LRESULT info = SendMessageW(bar, SB_GETTEXTLENGTHW, static_cast<WPARAM>(part), 0);
  std::wstring text(static_cast<std::size_t>(LOWORD(info)) + 1, L'\0');
  flags = HIWORD(SendMessageW(bar, SB_GETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(text.data())));
  text.resize(LOWORD(info));
  return WideToUtf8(text);
}

void Edge(HDC dc, const RECT& r, COLORREF topLeft, COLORREF bottomRight) {
  HPEN a = CreatePen(PS_SOLID, 1, topLeft), b = CreatePen(PS_SOLID, 1, bottomRight);
  {
    TSelectObject p(dc, a);
    MoveToEx(dc, r.left, r.bottom - 1, nullptr);
    LineTo(dc, r.left, r.top);
    LineTo(dc, r.right - 1, r.top);
  }
  {
    TSelectObject p(dc, b);
    LineTo(dc, r.right - 1, r.bottom - 1);
    LineTo(dc, r.left - 1, r.bottom - 1);
  }
  DeleteObject(a);
  DeleteObject(b);
}
}  // namespace

std::vector<TSkinStatusBar::Panel> TSkinStatusBar::Panels(const RECT& rect) const {
  std::vector<Panel> panels;
  const int parts = static_cast<int>(SendMessageW(Handle(), SB_GETPARTS, 0, 0));
  auto* bar = dynamic_cast<TStatusBar*>(Control());
  if (SendMessageW(Handle(), SB_ISSIMPLE, 0, 0) || parts <= 0) {
    Panel p;
    p.Rect = rect;
    if (bar)
      p.Text = bar->SimpleText();
    else {
      WPARAM flags = 0;
      p.Text = PartText(Handle(), SB_SIMPLEID, flags);
    }
    panels.push_back(p);
    return panels;
  }
  for (int i = 0; i < parts; ++i) {
    Panel p;
    if (!SendMessageW(Handle(), SB_GETRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&p.Rect))) continue;
    WPARAM flags = 0;
    p.Text = PartText(Handle(), i, flags);
    p.Frame = (flags & SBT_NOBORDERS) ? 3 : ((flags & SBT_POPOUT) ? 2 : 1);
    bool rtl = flags & SBT_RTLREADING;
    if (bar && i < static_cast<int>(bar->Panels().size())) {
      const TStatusPanel& panel = bar->Panels()[static_cast<std::size_t>(i)];
      p.Alignment = panel.Alignment == taCenter ? DT_CENTER : (panel.Alignment == taRightJustify ? DT_RIGHT : DT_LEFT);
      rtl = panel.RightToLeft;
    }
    if (rtl && p.Alignment != DT_CENTER) p.Alignment = p.Alignment == DT_LEFT ? DT_RIGHT : DT_LEFT;
    panels.push_back(p);
  }
  return panels;
}

void TSkinStatusBar::Paint(HDC dc, const RECT& rect) {
  if (!Handle() || !Skin()) return;
  const int W = rect.right - rect.left, H = rect.bottom - rect.top;
  if (W <= 0 || H <= 0) return;
  TBitmap& scratch = SharedScratchBitmap();
  scratch.SetSize(W, H);
  HDC sdc = scratch.Canvas().Handle();
  const RECT local{0, 0, W, H};
  FillFace(sdc, local);
  TSelectObject font(sdc, reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0)));
  const TDataSkinObject* edges = SkinModel().StatusBarEdges.get();
  SetTextColor(sdc, Rgb(edges ? edges->NormalColour2 : SkinModel().ButtonTextColour));
  for (const Panel& p : Panels(local)) {
    if (edges && !edges->Image.Empty()) {
      DrawSkinElement(sdc, p.Rect, 3, p.Frame, edges);
    } else if (p.Frame == 1) {
      Edge(sdc, p.Rect, Rgb(SkinModel().ButtonShadowColour), Rgb(SkinModel().ButtonHilightColour));
    } else if (p.Frame == 2) {
      Edge(sdc, p.Rect, Rgb(SkinModel().ButtonHilightColour), Rgb(SkinModel().ButtonShadowColour));
    }
    const RECT text{p.Rect.left + 2, p.Rect.top, p.Rect.right - 2, p.Rect.bottom};
    DrawCaption(sdc, text, p.Alignment | DT_SINGLELINE, true, p.Text.empty() ? " " : p.Text);
  }
  const TDataSkinObject* extra = SkinModel().ExtraImages.get();
  if ((GetWindowLongPtrW(Handle(), GWL_STYLE) & SBARS_SIZEGRIP) && extra && !extra->Image.Empty()) {
    const int n = std::max(extra->FrameCount, 1);
    const int gw = extra->Image.Width() / n, gh = extra->Image.Height();
    DrawFrameTransparent(sdc, {W - gw, H - gh, W, H}, n, 5, extra->Image);
  }
  BitBlt(dc, rect.left, rect.top, W, H, sdc, 0, 0, SRCCOPY);
}
