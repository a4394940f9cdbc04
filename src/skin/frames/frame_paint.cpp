// Painting a skinned window's non-client area (borders, caption bar with its text and title-bar
// buttons, the menu bar) and cutting the window region out of keyed border images.
#include <algorithm>

#include "skin/data/skin_set.h"
#include "skin/frames/form_frame.h"
#include "skin/frames/gdi_paint.h"
#include "skin/frames/menu_bar.h"
#include "skin/frames/text_painters.h"
#include "skin/paint/three_part_image.h"
#include "toolkit/win/dc_guards.h"

namespace {
enum BorderPiece { kLeft = 1, kRight = 2, kTop = 3, kBottom = 4 };
}

TBitmapPixels TSkinFormFrame::RenderBorder(int k, int width, int height) const {
  const TDataSkinBorder* b = k == kLeft ? SkinData->BorderLeft.get()
                             : k == kRight ? SkinData->BorderRight.get()
                             : k == kTop   ? SkinData->BorderTop.get()
                                           : SkinData->BorderBottom.get();
  const int count = std::max(b->FrameCount, 1);
  const int frame = (WindowActive || count == 1) ? 1 : 2;
  // Frames of the side pieces lie side by side, of the top and bottom stacked; the centre is
  // stretched for Tile 1 (the ini's <Name>Stretch) and tiled otherwise.
  return BuildSlicedImage({0, 0, width, height}, b->Image, MarginsOf(*b), k > kRight, b->Tile != 1, count, frame);
}

void TSkinFormFrame::PaintBorderPiece(HDC dc, int k, const RECT& r) {
  if (r.right < r.left || r.bottom < r.top) return;
  BlitPixels(dc, r.left, r.top, RenderBorder(k, r.right - r.left, r.bottom - r.top));
}

void TSkinFormFrame::PaintFrame(HDC dc) {
  if (FrameState != FrameStates::Running && FrameState != FrameStates::Refreshing) return;
  if (BorderKind == 2 || (IsMdiChild() && WindowState != 0) || !SkinData || SkinData->Loading()) return;
  try {
    std::unique_ptr<TWindowDC> own;
    if (!dc) {
      own = std::make_unique<TWindowDC>(Handle);
      dc = own->Handle();
    }
    GetWindowRect(Handle, &WindowRect);
    const int w = WindowRect.right - WindowRect.left, h = WindowRect.bottom - WindowRect.top;
    FrameWidth = w;
    FrameHeight = h;
    PaintBorderPiece(dc, kLeft, {0, 0, EdgeLeft, h});
    PaintBorderPiece(dc, kRight, {w - EdgeRight, 0, w, h});
    PaintBorderPiece(dc, kBottom, {EdgeLeft, h - EdgeBottom, w - EdgeRight, h});
    PaintCaptionBar(dc, w);
    if (SkinMenu && MenuBarHeight > 0)
      SkinMenu->Paint(dc, {EdgeLeft, EdgeTop, w - EdgeRight, EdgeTop + MenuBarHeight});
  } catch (...) {
    // A faulty skin never stops the window procedure.
  }
  HotObject = nullptr;
}

void TSkinFormFrame::PaintCaptionBar(HDC windowDc, int w) {
  if (EdgeTop <= 0 || w <= 0) return;
  CaptionBuffer.SetSize(w, EdgeTop);
  TBitmapPixels& pixels = CaptionBuffer.Pixels();
  // The corners belong to the side borders, which the strip takes from their top rows.
  const int h = FrameHeight;
  if (EdgeLeft > 0) pixels.CopyRect(0, 0, RenderBorder(kLeft, EdgeLeft, h), 0, 0, EdgeLeft, EdgeTop);
  if (EdgeRight > 0) pixels.CopyRect(w - EdgeRight, 0, RenderBorder(kRight, EdgeRight, h), 0, 0, EdgeRight, EdgeTop);
  const RECT area{EdgeLeft, 0, w - EdgeRight, EdgeTop};
  if (area.right > area.left)
    pixels.CopyRect(EdgeLeft, 0, RenderBorder(kTop, area.right - area.left, EdgeTop), 0, 0, area.right - area.left,
                    EdgeTop);
  HDC dc = CaptionBuffer.Canvas().Handle();
  LayoutButtons(w);  // the text is clipped by the buttons of a pop-up window
  PaintCaptionText(dc, area);
  LayoutButtons(w);  // buttons aligned to the text follow it
  DrawCaptionButtons(dc);
  captionDrawn_ = true;
  BitBlt(windowDc, 0, 0, w, EdgeTop, dc, 0, 0, SRCCOPY);
  SetBkMode(windowDc, OPAQUE);
}

void TSkinFormFrame::PaintCaptionText(HDC dc, const RECT& area) {
  const TDataSkinTitle& title = *SkinData->Title;
  TSelectObject font(dc, CaptionFont);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(WindowActive ? SkinData->TitleTextActiveColour : SkinData->TitleTextNoActiveColour));
  RECT text = area;
  DrawWideText(dc, CaptionPrefix + " " + CaptionText, text, DT_CALCRECT | DT_NOCLIP | DT_SINGLELINE);
  text.right += title.TXTBackleft + title.TXTBackRight;
  const int areaWidth = area.right - area.left, areaHeight = area.bottom - area.top;
  const int textWidth = text.right - text.left, textHeight = text.bottom - text.top;
  int dx = 0;
  int alignment = RightToLeft ? 2 : title.TextAlignment;
  switch (alignment) {
    case 0: dx = title.LeftWidth; break;
    case 1: dx = (areaWidth - textWidth) / 2; break;
    case 2: dx = areaWidth - title.RightWidth - textWidth; break;
    default: dx = 0; break;
  }
  const int dy = (areaHeight - textHeight) / 2 + title.TopHeight / 2;
  OffsetRect(&text, dx, dy);
  if (Style & WS_POPUP) {
    if (RightButtonsLeft - 5 > text.right) text.right = RightButtonsLeft - 5;
  } else if (text.right > area.right - title.RightWidth) {
    text.right = area.right - title.RightWidth;
  }
  TitleRect = text;
  if (!title.Image.Empty())
    DrawThreePartImage(dc, {text.left, area.top, text.right, area.bottom}, title.Image, true, true, 2,
                       WindowActive ? 1 : 2, title.TXTBackleft, title.TXTBackRight);
  text.left += title.TXTBackleft;
  text.right -= title.TXTBackRight;
  DrawWideText(dc, CaptionPrefix + CaptionText, text, DT_SINGLELINE | DT_END_ELLIPSIS | (RightToLeft ? DT_RIGHT : 0));
}

bool TSkinFormFrame::ButtonVisible(const TDataSkinSysButton& b) const {
  const bool maximized = WindowState == 1;
  const bool maxBox = BorderIcons & kMaximizeBox, minBox = BorderIcons & kMinimizeBox;
  const bool sysMenu = BorderIcons & kSystemMenu;
  bool mdiMaximizedChild = false;
  if (FrameKind == kFrameMdi && MdiClientWindow && MenuBarHeight > 0) {
    BOOL childMaximized = FALSE;
    SendMessageW(MdiClientWindow, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&childMaximized));
    mdiMaximizedChild = childMaximized != FALSE;
  }
  auto test = [&](int value, bool second) {
    switch (value) {
      // A dialog frame shows none of these but the close button of a window with a system
      // menu: a dialog has no icon, maximise or minimise button, but it does have its close
      // button (the About window is specified with one; message boxes have one).
      case 0:
        if (second) return true;
        if (BorderKind == 3) return b.Action == 0 && sysMenu;
        return !(b.Action == 0 && !sysMenu);
      case 1: return maximized;
      case 2: return !maximized;
      case 3: return WindowActive;
      case 4: return !WindowActive;
      case 6: return second ? maxBox : maxBox && sysMenu;
      case 7: return !maxBox;
      case 8: return second ? minBox : minBox && sysMenu;
      case 9: return !minBox;
      case 100: return mdiMaximizedChild;
      default: return value >= 200 && value <= 2000;
    }
  };
  bool visible = test(b.Visibility, false) && (b.Visibility1 == 100 ? test(b.Visibility, false) : test(b.Visibility1, true));
  if ((b.Action == 1 && !maxBox) || (b.Action == 2 && !minBox)) visible = false;
  return visible;
}

void TSkinFormFrame::LayoutButtons(int w) {
  RightButtonsLeft = 0;
  for (auto& button : CaptionButtons) {
    const TDataSkinSysButton& b = *button->SkinButton;
    button->Visible = ButtonVisible(b);
    if (!button->Visible || b.Image.Empty()) continue;
    const int bw = b.Image.Width() / std::max(b.FrameCount, 1), bh = b.Image.Height();
    int x = 0, y = 0;
    switch (b.Align) {
      case 0: x = b.XCoord; y = b.YCoord; break;
      case 1:
        x = w - b.XCoord;
        y = b.YCoord;
        RightButtonsLeft = std::max(RightButtonsLeft, x);
        break;
      case 2: case 8: x = TitleRect.left - bw - b.XCoord; y = b.YCoord; break;
      case 3: case 9: x = TitleRect.right + b.XCoord; y = b.YCoord; break;
      case 100: {
        const int lw = SkinData->MenuBar ? SkinData->MenuBar->LeftWidth : 0;
        y = (MenuBarHeight - bh) / 2 + EdgeTop;
        x = RightToLeft ? b.XCoord + lw + EdgeLeft : w - b.XCoord - EdgeRight - lw;
        break;
      }
      default: break;
    }
    button->Bounds = {x, y, x + bw, y + bh};
  }
}

void TSkinFormFrame::DrawCaptionButtons(HDC dc) {
  for (auto& button : CaptionButtons) {
    const TDataSkinSysButton& b = *button->SkinButton;
    if (!button->Visible || b.Image.Empty() || b.Visibility == 100) continue;
    if (b.Action == SysButtonAction::SystemMenu || b.Action == SysButtonAction::SystemMenuIcon) {
      if (IconHandle)
        DrawIconEx(dc, button->Bounds.left, button->Bounds.top, IconHandle, IconSize, IconSize, 0, nullptr, DI_NORMAL);
      else
        TransparentBlit(dc, button->Bounds.left, button->Bounds.top, IconBitmap);
      continue;
    }
    const int frame = (WindowActive || b.FrameCount < 4) ? 1 : 4;
    DrawFrameImage(dc, button->Bounds, b.Image, true, b.FrameCount, frame);
  }
}

void TSkinTitleButton::Paint() {
  TSkinFormFrame& f = *Frame;
  if (!f.Handle || !Visible || SkinButton->Image.Empty() || f.FrameState != FrameStates::Running) return;
  const int frame = (State == 3 && SkinButton->Visibility == 100) ? 4 : State;
  if (SkinButton->Action == SysButtonAction::SystemMenu || SkinButton->Action == SysButtonAction::SystemMenuIcon) return;
  TWindowDC dc(f.Handle);
  // Under the button: the caption as last composed, so keyed pixels show the bar.
  const int w = Bounds.right - Bounds.left, h = Bounds.bottom - Bounds.top;
  if (w <= 0 || h <= 0) return;
  TBitmapPixels back(w, h);
  if (f.captionDrawn_ && SkinButton->Visibility != 100) back.CopyRect(0, 0, f.CaptionBuffer.Pixels(), Bounds.left, Bounds.top, w, h);
  KeyedCopy(back, 0, 0, BuildFrameImage(w, h, SkinButton->Image, SkinButton->FrameCount, frame));
  BlitPixels(dc, Bounds.left, Bounds.top, back);
}

void TSkinFormFrame::UpdateRegion() {
  if (FrameState == FrameStates::Dead || !Handle) return;
  RECT wr{};
  GetWindowRect(Handle, &wr);
  const int w = wr.right - wr.left, h = wr.bottom - wr.top;
  if (w <= 0 || h <= 0 || (IsMdiChild() && WindowState != 0)) return;
  // The region depends on the size alone: a window sized again to the size it has (the first
  // showing sends such a WM_SIZE) keeps it, and is not repainted for nothing.
  if (HasRegion && w == RegionWidth && h == RegionHeight && !IsMdiChild() && FrameState != FrameStates::Refreshing)
    return;
  HRGN old = Region;
  Region = nullptr;
  RegionWidth = w;
  RegionHeight = h;
  const TDataSkinBorder &left = *SkinData->BorderLeft, &right = *SkinData->BorderRight, &top = *SkinData->BorderTop,
                        &bottom = *SkinData->BorderBottom;
  if (left.Trans == 0 && right.Trans == 0 && top.Trans == 0 && bottom.Trans == 0) {
    Region = CreateRectRgn(0, 0, w, h);
  } else {
    Region = CreateRectRgn(EdgeLeft, EdgeTop, w - EdgeRight, h - EdgeBottom);
    auto join = [&](HRGN part) {
      CombineRgn(Region, Region, part, RGN_OR);
      DeleteObject(part);
    };
    if (BorderKind != 2) {
      if (EdgeLeft > 0)
        join(left.Trans == 1 && h > 1 ? RegionFromBitmap(RenderBorder(kLeft, EdgeLeft, h), 0, 0)
                                      : CreateRectRgn(0, 0, EdgeLeft, h));
      if (EdgeRight > 0)
        join(right.Trans == 1 && h > 1 ? RegionFromBitmap(RenderBorder(kRight, EdgeRight, h), w - EdgeRight, 0)
                                       : CreateRectRgn(w - EdgeRight, 0, w, h));
      const int bw = w - EdgeLeft - EdgeRight;
      if (EdgeBottom > 0 && bw > 0)
        join(bottom.Trans == 1 && EdgeBottom >= 2
                 ? RegionFromBitmap(RenderBorder(kBottom, bw, EdgeBottom), EdgeLeft, h - EdgeBottom)
                 : CreateRectRgn(EdgeLeft, h - EdgeBottom, w - EdgeRight, h));
      if (EdgeTop > 0 && bw > 0) {
        if (top.Trans == 1 && EdgeTop > 1) {
          // The caption as composed (with its buttons) when there is one, else the top piece.
          if (captionDrawn_ && CaptionBuffer.Width() == w) {
            TBitmapPixels strip(bw, EdgeTop);
            strip.CopyRect(0, 0, CaptionBuffer.Pixels(), EdgeLeft, 0, bw, EdgeTop);
            join(RegionFromBitmap(strip, EdgeLeft, 0));
          } else {
            join(RegionFromBitmap(RenderBorder(kTop, bw, EdgeTop), EdgeLeft, 0));
          }
        } else {
          join(CreateRectRgn(EdgeLeft, 0, w - EdgeRight, EdgeTop));
        }
      }
    }
  }
  // The system owns the region once set; the frame keeps a copy to hand out.
  HRGN given = CreateRectRgn(0, 0, 0, 0);
  CombineRgn(given, Region, nullptr, RGN_COPY);
  SetWindowRgn(Handle, given, TRUE);
  if (old) DeleteObject(old);
  HasRegion = true;
}

void TSkinFormFrame::ForgetRegionShape() {
  RegionWidth = RegionHeight = 0;
  captionDrawn_ = false;
}

void TSkinFormFrame::DropRegion() {
  CaptionBuffer.SetSize(0, 0);
  captionDrawn_ = false;
  if (Region) DeleteObject(Region);
  Region = nullptr;
  SetWindowRgn(Handle, nullptr, FALSE);
  HasRegion = false;
}
