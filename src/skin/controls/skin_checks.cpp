#include "skin/controls/skin_checks.h"

#include "skin/controls/control_painters.h"
#include "skin/data/skin_set.h"
#include "toolkit/win/canvas.h"
#include "toolkit/core/properties.h"
#include "toolkit/core/text.h"
#include "toolkit/win/wincontrol.h"

QUILLIMO_REGISTER_CLASS(TSkinCheckBox)
QUILLIMO_REGISTER_CLASS(TSkinRadioButton)

namespace {
constexpr UINT kCheckRepaint = 0xB0D0;  // a toolkit notice after which the box is repainted
}

void TSkinCheckBox::AfterMessage(TMessage& msg) {
  switch (msg.Msg) {
    case BM_SETCHECK:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case CM_EXIT:
    case kCheckRepaint: RepaintNow(); return;
    default: TSkinControl::AfterMessage(msg);
  }
}

int TSkinCheckBox::Value() const {
  if (Handle() && (SendMessageW(Handle(), BM_GETCHECK, 0, 0) & BST_CHECKED)) return 2;
  if (Control())
    if (const TPropInfo* checked = GetPropInfo(Control(), "Checked"))
      if (LowerCase(GetPropValue(Control(), *checked)) == "true") return 2;
  return 1;
}

bool TSkinCheckBox::Grayed() const {
  return Handle() && (SendMessageW(Handle(), BM_GETCHECK, 0, 0) & BST_INDETERMINATE);
}

const TBitmapPixels& TSkinCheckBox::Strip() const { return SkinModel().Buttons->CheckImage; }
int TSkinCheckBox::StripFrames() const { return SkinModel().Buttons->CheckFrameCount; }
const TBitmapPixels& TSkinRadioButton::Strip() const { return SkinModel().Buttons->RadioImage; }
int TSkinRadioButton::StripFrames() const { return SkinModel().Buttons->RadioFrameCount; }

int TSkinCheckBox::FrameIndex(int n) const {
  const int value = Value();
  if (Grayed()) return n == 12 ? (Enabled() ? 9 : 12) : 4;
  int frame = Enabled() ? value : value + 2;
  if (n == 12) {
    static constexpr int twelve[] = {0, 1, 5, 4, 8};
    frame = twelve[frame];
  }
  return frame;
}

int TSkinRadioButton::FrameIndex(int n) const {
  int frame = Enabled() ? Value() : Value() + 2;
  if (n == 8) {
    static constexpr int eight[] = {0, 1, 5, 4, 8};
    frame = eight[frame];
  }
  return frame;
}

void TSkinCheckBox::Paint(HDC dc, const RECT& rect) {
  if (!Skin() || !SkinModel().Buttons || Strip().Empty() || !Handle()) return;
  ReadWindowState();
  const int n = std::max(StripFrames(), 1);
  const int w = Strip().Width() / n, h = Strip().Height();
  const int top = rect.top + (rect.bottom - rect.top - h) / 2;
  const int column = GetSystemMetrics(SM_CXMENUCHECK) + 3;
  RECT box{}, cleared{};
  if (GetWindowLongPtrW(Handle(), GWL_STYLE) & BS_LEFTTEXT) {
    box.right = w < 15 ? rect.right - (14 - w) / 2 : rect.right - 1;
    box.left = box.right - w;
    cleared = {rect.right - column, rect.top, rect.right, rect.bottom};
  } else {
    box.left = w < 15 ? rect.left + Indent() + (14 - w) / 2 : rect.left + Indent();
    box.right = box.left + w;
    cleared = {rect.left, rect.top, rect.left + column, rect.bottom};
  }
  box.top = top;
  box.bottom = top + h;
  FillFace(dc, cleared);
  DrawFrameTransparent(dc, box, n, FrameIndex(n), Strip());
}
