// Painting a skinned window's non-client area (borders, caption bar with its text and title-bar
// buttons, the menu bar) and cutting the window region out of keyed border images.
#include <algorithm>

#include "skin/data/skin_set.h"
#include "skin/frames/form_frame.h"
#include "skin/frames/gdi_paint.h"
#include "skin/frames/text_painters.h"
#include "skin/paint/three_part_image.h"
#include "toolkit/win/dc_guards.h"

namespace {
enum BorderPiece { kLeft = 1, kRight = 2, kTop = 3, kBottom = 4 };
}

TBitmapPixels TSkinFormFrame::RenderBorder(int k, int width, int height) const {
  const TDataSkinBorder* b = k == kLeft    ? Model().BorderLeft.get()
                             : k == kRight ? Model().BorderRight.get()
                             : k == kTop   ? Model().BorderTop.get()
                                           : Model().BorderBottom.get();
  const int count = std::max(b->FrameCount, 1);
  const int frame = (windowActive_ || count == 1) ? 1 : 2;
  // Frames of the side pieces lie side by side, of the top and bottom stacked; the centre is
  // stretched for Tile 1 (the ini's <Name>Stretch) and tiled otherwise.
  return BuildSlicedImage({0, 0, width, height}, b->Image, MarginsOf(*b), k > kRight, b->Tile != 1, count, frame);
}

void TSkinFormFrame::PaintBorderPiece(HDC dc, int k, const RECT& r) {
  if (r.right < r.left || r.bottom < r.top) return;
  BlitPixels(dc, r.left, r.top, RenderBorder(k, r.right - r.left, r.bottom - r.top));
}

void TSkinFormFrame::PaintFrame(HDC dc) {
  if (frameState_ != TFrameState::Running && frameState_ != TFrameState::Refreshing) return;
  if (borderKind_ == TFrameBorder::None || (IsMdiChild() && windowState_ != TFrameWindowState::Normal) || !skinData_ ||
      skinData_->Loading())
    return;
  try {
    std::unique_ptr<TWindowDC> own;
    if (!dc) {
      own = std::make_unique<TWindowDC>(handle_);
      dc = own->Handle();
    }
    GetWindowRect(handle_, &windowRect_);
    const int w = windowRect_.right - windowRect_.left, h = windowRect_.bottom - windowRect_.top;
    frameWidth_ = w;
    frameHeight_ = h;
    PaintBorderPiece(dc, kLeft, {0, 0, edgeLeft_, h});
    PaintBorderPiece(dc, kRight, {w - edgeRight_, 0, w, h});
    PaintBorderPiece(dc, kBottom, {edgeLeft_, h - edgeBottom_, w - edgeRight_, h});
    PaintCaptionBar(dc, w);
    menus_->PaintBar(dc, {edgeLeft_, edgeTop_, w - edgeRight_, edgeTop_ + MenuBarHeight()});
  } catch (...) {
    // A faulty skin never stops the window procedure.
  }
  hotObject_ = nullptr;
}

void TSkinFormFrame::PaintCaptionBar(HDC windowDc, int w) {
  if (edgeTop_ <= 0 || w <= 0) return;
  captionBuffer_.SetSize(w, edgeTop_);
  TBitmapPixels& pixels = captionBuffer_.Pixels();
  // The corners belong to the side borders, which the strip takes from their top rows.
  const int h = frameHeight_;
  if (edgeLeft_ > 0) pixels.CopyRect(0, 0, RenderBorder(kLeft, edgeLeft_, h), 0, 0, edgeLeft_, edgeTop_);
  if (edgeRight_ > 0)
    pixels.CopyRect(w - edgeRight_, 0, RenderBorder(kRight, edgeRight_, h), 0, 0, edgeRight_, edgeTop_);
  const RECT area{edgeLeft_, 0, w - edgeRight_, edgeTop_};
  if (area.right > area.left)
    pixels.CopyRect(edgeLeft_, 0, RenderBorder(kTop, area.right - area.left, edgeTop_), 0, 0, area.right - area.left,
                    edgeTop_);
  HDC dc = captionBuffer_.Canvas().Handle();
  LayoutButtons(w);  // the text is clipped by the buttons of a pop-up window
  PaintCaptionText(dc, area);
  LayoutButtons(w);  // buttons aligned to the text follow it
  DrawCaptionButtons(dc);
  captionDrawn_ = true;
  BitBlt(windowDc, 0, 0, w, edgeTop_, dc, 0, 0, SRCCOPY);
  SetBkMode(windowDc, OPAQUE);
}

void TSkinFormFrame::PaintCaptionText(HDC dc, const RECT& area) {
  const TDataSkinTitle& title = *Model().Title;
  TSelectObject font(dc, captionFont_);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ColorToRGB(windowActive_ ? Model().TitleTextActiveColour : Model().TitleTextNoActiveColour));
  RECT text = area;
  DrawWideText(dc, captionPrefix_ + " " + captionText_, text, DT_CALCRECT | DT_NOCLIP | DT_SINGLELINE);
  text.right += title.TXTBackleft + title.TXTBackRight;
  const int areaWidth = area.right - area.left, areaHeight = area.bottom - area.top;
  const int textWidth = text.right - text.left, textHeight = text.bottom - text.top;
  int dx = 0;
  int alignment = rightToLeft_ ? 2 : title.TextAlignment;
  switch (alignment) {
    case 0: dx = title.LeftWidth; break;
    case 1: dx = (areaWidth - textWidth) / 2; break;
    case 2: dx = areaWidth - title.RightWidth - textWidth; break;
    default: dx = 0; break;
  }
  const int dy = (areaHeight - textHeight) / 2 + title.TopHeight / 2;
  OffsetRect(&text, dx, dy);
  if (style_ & WS_POPUP) {
    if (rightButtonsLeft_ - 5 > text.right) text.right = rightButtonsLeft_ - 5;
  } else if (text.right > area.right - title.RightWidth) {
    text.right = area.right - title.RightWidth;
  }
  titleRect_ = text;
  if (!title.Image.Empty())
    DrawThreePartImage(dc, {text.left, area.top, text.right, area.bottom}, title.Image, true, true, 2,
                       windowActive_ ? 1 : 2, title.TXTBackleft, title.TXTBackRight);
  text.left += title.TXTBackleft;
  text.right -= title.TXTBackRight;
  DrawWideText(dc, captionPrefix_ + captionText_, text,
               DT_SINGLELINE | DT_END_ELLIPSIS | (rightToLeft_ ? DT_RIGHT : 0));
}

bool TSkinFormFrame::ButtonVisible(const TDataSkinSysButton& b) const {
  const bool maximized = windowState_ == TFrameWindowState::Maximized;
  const bool maxBox = borderIcons_ & kMaximizeBox, minBox = borderIcons_ & kMinimizeBox;
  const bool sysMenu = borderIcons_ & kSystemMenu;
  bool mdiMaximizedChild = false;
  if (frameKind_ == TFrameKind::MdiFrame && mdiClientWindow_ && MenuBarHeight() > 0) {
    BOOL childMaximized = FALSE;
    SendMessageW(mdiClientWindow_, WM_MDIGETACTIVE, 0, reinterpret_cast<LPARAM>(&childMaximized));
    mdiMaximizedChild = childMaximized != FALSE;
  }
  auto test = [&](int value, bool second) {
    switch (value) {
      // A dialog frame shows none of these but the close button of a window with a system
      // menu: a dialog has no icon, maximise or minimise button, but it does have its close
      // button (the About window is specified with one; message boxes have one).
      case 0:
        if (second) return true;
        if (borderKind_ == TFrameBorder::Dialog) return b.Action == 0 && sysMenu;
        return !(b.Action == 0 && !sysMenu);
      case 1: return maximized;
      case 2: return !maximized;
      case 3: return windowActive_;
      case 4: return !windowActive_;
      case 6: return second ? maxBox : maxBox && sysMenu;
      case 7: return !maxBox;
      case 8: return second ? minBox : minBox && sysMenu;
      case 9: return !minBox;
      case 100: return mdiMaximizedChild;
      default: return value >= 200 && value <= 2000;
    }
  };
  bool visible =
      test(b.Visibility, false) && (b.Visibility1 == 100 ? test(b.Visibility, false) : test(b.Visibility1, true));
  if ((b.Action == 1 && !maxBox) || (b.Action == 2 && !minBox)) visible = false;
  return visible;
}

void TSkinFormFrame::LayoutButtons(int w) {
  rightButtonsLeft_ = 0;
  for (auto& button : captionButtons_) {
    const TDataSkinSysButton& b = *button->SkinButton;
    button->Visible = ButtonVisible(b);
    if (!button->Visible || b.Image.Empty()) continue;
    const int bw = b.Image.Width() / std::max(b.FrameCount, 1), bh = b.Image.Height();
    int x = 0, y = 0;
    switch (b.Align) {
      case 0:
        x = b.XCoord;
        y = b.YCoord;
        break;
      case 1:
        x = w - b.XCoord;
        y = b.YCoord;
        rightButtonsLeft_ = std::max(rightButtonsLeft_, x);
        break;
      case 2:
      case 8:
        x = titleRect_.left - bw - b.XCoord;
        y = b.YCoord;
        break;
      case 3:
      case 9:
        x = titleRect_.right + b.XCoord;
        y = b.YCoord;
        break;
      case 100: {
        const int lw = Model().MenuBar ? Model().MenuBar->LeftWidth : 0;
        y = (MenuBarHeight() - bh) / 2 + edgeTop_;
        x = rightToLeft_ ? b.XCoord + lw + edgeLeft_ : w - b.XCoord - edgeRight_ - lw;
        break;
      }
      default: break;
    }
    button->Bounds = {x, y, x + bw, y + bh};
  }
}

void TSkinFormFrame::DrawCaptionButtons(HDC dc) {
  for (auto& button : captionButtons_) {
    const TDataSkinSysButton& b = *button->SkinButton;
    if (!button->Visible || b.Image.Empty() || b.Visibility == 100) continue;
    if (b.Action == SysButtonAction::SystemMenu || b.Action == SysButtonAction::SystemMenuIcon) {
      if (iconHandle_)
        DrawIconEx(dc, button->Bounds.left, button->Bounds.top, iconHandle_, iconSize_, iconSize_, 0, nullptr,
                   DI_NORMAL);
      else
        TransparentBlit(dc, button->Bounds.left, button->Bounds.top, iconBitmap_);
      continue;
    }
    const int frame = (windowActive_ || b.FrameCount < 4) ? 1 : 4;
    DrawFrameImage(dc, button->Bounds, b.Image, true, b.FrameCount, frame);
  }
}

void TSkinTitleButton::Paint() { Frame->PaintTitleButton(*this); }

void TSkinFormFrame::PaintTitleButton(const TSkinTitleButton& button) {
  const TDataSkinSysButton& look = *button.SkinButton;
  if (!handle_ || !button.Visible || look.Image.Empty() || frameState_ != TFrameState::Running) return;
  const int frame = (button.State == 3 && look.Visibility == 100) ? 4 : button.State;
  if (look.Action == SysButtonAction::SystemMenu || look.Action == SysButtonAction::SystemMenuIcon) return;
  TWindowDC dc(handle_);
  // Under the button: the caption as last composed, so keyed pixels show the bar.
  const RECT& r = button.Bounds;
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (w <= 0 || h <= 0) return;
  TBitmapPixels back(w, h);
  if (captionDrawn_ && look.Visibility != 100) back.CopyRect(0, 0, captionBuffer_.Pixels(), r.left, r.top, w, h);
  KeyedCopy(back, 0, 0, BuildFrameImage(w, h, look.Image, look.FrameCount, frame));
  BlitPixels(dc, r.left, r.top, back);
}

void TSkinFormFrame::UpdateRegion() {
  if (frameState_ == TFrameState::Dead || !handle_) return;
  RECT wr{};
  GetWindowRect(handle_, &wr);
  const int w = wr.right - wr.left, h = wr.bottom - wr.top;
  if (w <= 0 || h <= 0 || (IsMdiChild() && windowState_ != TFrameWindowState::Normal)) return;
  // The region depends on the size alone: a window sized again to the size it has (the first
  // showing sends such a WM_SIZE) keeps it, and is not repainted for nothing.
  if (hasRegion_ && w == regionWidth_ && h == regionHeight_ && !IsMdiChild() && frameState_ != TFrameState::Refreshing)
    return;
  HRGN old = region_;
  region_ = nullptr;
  regionWidth_ = w;
  regionHeight_ = h;
  const TDataSkinBorder &left = *Model().BorderLeft, &right = *Model().BorderRight, &top = *Model().BorderTop,
                        &bottom = *Model().BorderBottom;
  if (left.Trans == 0 && right.Trans == 0 && top.Trans == 0 && bottom.Trans == 0) {
    region_ = CreateRectRgn(0, 0, w, h);
  } else {
    region_ = CreateRectRgn(edgeLeft_, edgeTop_, w - edgeRight_, h - edgeBottom_);
    auto join = [&](HRGN part) {
      CombineRgn(region_, region_, part, RGN_OR);
      DeleteObject(part);
    };
    if (borderKind_ != TFrameBorder::None) {
      if (edgeLeft_ > 0)
        join(left.Trans == 1 && h > 1 ? RegionFromBitmap(RenderBorder(kLeft, edgeLeft_, h), 0, 0)
                                      : CreateRectRgn(0, 0, edgeLeft_, h));
      if (edgeRight_ > 0)
        join(right.Trans == 1 && h > 1 ? RegionFromBitmap(RenderBorder(kRight, edgeRight_, h), w - edgeRight_, 0)
                                       : CreateRectRgn(w - edgeRight_, 0, w, h));
      const int bw = w - edgeLeft_ - edgeRight_;
      if (edgeBottom_ > 0 && bw > 0)
        join(bottom.Trans == 1 && edgeBottom_ >= 2
                 ? RegionFromBitmap(RenderBorder(kBottom, bw, edgeBottom_), edgeLeft_, h - edgeBottom_)
                 : CreateRectRgn(edgeLeft_, h - edgeBottom_, w - edgeRight_, h));
      if (edgeTop_ > 0 && bw > 0) {
        if (top.Trans == 1 && edgeTop_ > 1) {
          // The caption as composed (with its buttons) when there is one, else the top piece.
          if (captionDrawn_ && captionBuffer_.Width() == w) {
            TBitmapPixels strip(bw, edgeTop_);
            strip.CopyRect(0, 0, captionBuffer_.Pixels(), edgeLeft_, 0, bw, edgeTop_);
            join(RegionFromBitmap(strip, edgeLeft_, 0));
          } else {
            join(RegionFromBitmap(RenderBorder(kTop, bw, edgeTop_), edgeLeft_, 0));
          }
        } else {
          join(CreateRectRgn(edgeLeft_, 0, w - edgeRight_, edgeTop_));
        }
      }
    }
  }
  // The system owns the region once set; the frame keeps a copy to hand out.
  HRGN given = CreateRectRgn(0, 0, 0, 0);
  CombineRgn(given, region_, nullptr, RGN_COPY);
  SetWindowRgn(handle_, given, TRUE);
  if (old) DeleteObject(old);
  hasRegion_ = true;
}

void TSkinFormFrame::ForgetRegionShape() {
  regionWidth_ = regionHeight_ = 0;
  captionDrawn_ = false;
}

void TSkinFormFrame::DropRegion() {
  captionBuffer_.SetSize(0, 0);
  captionDrawn_ = false;
  if (region_) DeleteObject(region_);
  region_ = nullptr;
  SetWindowRgn(handle_, nullptr, FALSE);
  hasRegion_ = false;
}
