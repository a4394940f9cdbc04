#include "skin/frames/popup_window.h"

#include "skin/data/skin_manager.h"
#include "skin/data/skin_set.h"
#include "skin/frames/form_frame.h"
#include "skin/frames/gdi_paint.h"
#include "toolkit/win/dc_guards.h"
#include "toolkit/win/dpi_awareness.h"

namespace {
constexpr int kBorder = 3;
}  // namespace

void TSkinPopupWindow::LearnPendingMenu(HMENU menu) {
  if (!pending_) return;
  pending_->menuHandle_ = menu;
  pending_ = nullptr;
}

TSkinPopupWindow::TSkinPopupWindow() {
  hook_.SetHandler([this](TMessage& m) { WndProc(m); });
}

TSkinPopupWindow::~TSkinPopupWindow() {
  Detach();
  if (pending_ == this) pending_ = nullptr;
}

void TSkinPopupWindow::Attach(HWND window, TSkinSet* skin, HMENU menu) {
  handle_ = window;
  skinData_ = skin;
  menuHandle_ = menu;
  hook_.Attach(window);
}

void TSkinPopupWindow::Detach() {
  if (!Subclassed()) return;
  hook_.Detach();
  background_ = TBitmapPixels();
}

bool TSkinPopupWindow::RenderBackground() {
  const TDataSkinObject* element =
      skinData_ ? skinData_->ModelFor(WindowPixelsPerInch(handle_)).MenuBackground.get() : nullptr;
  if (!skinData_ || skinData_->Loading() || !element || element->Image.Empty()) return false;
  RECT r{};
  GetWindowRect(handle_, &r);
  background_ = BuildSlicedImage({0, 0, r.right - r.left, r.bottom - r.top}, element->Image, MarginsOf(*element), false,
                                 element->Tile == 1, 1, 1);
  if (!menuHandle_) pending_ = this;
  return true;
}

void TSkinPopupWindow::WndProc(TMessage& msg) {
  if (msg.Msg == SkinMessage::QuerySkinned) {
    msg.Result = 1;
    return;
  }
  TSkinManager* manager = GetSkinManager();
  if (!manager || !manager->Active()) return hook_.CallPrevious(msg);
  switch (msg.Msg) {
    case WM_DESTROY:
      hook_.CallPrevious(msg);
      Detach();
      return;
    case WM_NCPAINT: {
      if (!RenderBackground()) return hook_.CallPrevious(msg);
      TWindowDC dc(handle_);
      const int w = background_.Width(), h = background_.Height();
      BlitPixelsPart(dc, 0, 0, background_, {0, 0, w, kBorder});
      BlitPixelsPart(dc, 0, h - kBorder, background_, {0, h - kBorder, w, h});
      BlitPixelsPart(dc, 0, kBorder, background_, {0, kBorder, kBorder, h - kBorder});
      BlitPixelsPart(dc, w - kBorder, kBorder, background_, {w - kBorder, kBorder, w, h - kBorder});
      msg.Result = 0;
      return;
    }
    case WM_PRINT: {
      if (!RenderBackground()) return hook_.CallPrevious(msg);
      auto dc = reinterpret_cast<HDC>(msg.WParam);
      BlitPixels(dc, 0, 0, background_);
      const int oldMode = SetBkMode(dc, TRANSPARENT);
      HRGN oldClip = CreateRectRgn(0, 0, 0, 0);
      const bool hadClip = GetClipRgn(dc, oldClip) == 1;
      IntersectClipRect(dc, kBorder, kBorder, background_.Width() - kBorder, background_.Height() - kBorder);
      hook_.CallPrevious(msg);
      SelectClipRgn(dc, hadClip ? oldClip : nullptr);
      DeleteObject(oldClip);
      SetBkMode(dc, oldMode);
      return;
    }
    default: hook_.CallPrevious(msg);
  }
}
