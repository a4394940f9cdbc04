#include "skin/controls/skin_boxes.h"

#include "skin/data/skin_set.h"
#include "skin/frames/form_frame.h"
#include "skin/frames/gdi_paint.h"
#include "skin/frames/text_painters.h"
#include "toolkit/win/canvas.h"
#include "toolkit/win/dc_guards.h"
#include "toolkit/win/font_handle.h"
#include "toolkit/win/wincontrol.h"

QUILLIMO_REGISTER_CLASS(TSkinGroupBox)
QUILLIMO_REGISTER_CLASS(TSkinBox)
QUILLIMO_REGISTER_CLASS(TSkinSizer)

namespace {
COLORREF Rgb(TColor c) { return static_cast<COLORREF>(ColorToRGB(c)); }
}  // namespace

// ---- TSkinGroupBox

void TSkinGroupBox::Paint(HDC dc, const RECT& rect) {
  if (!Handle()) return;
  SetText(GetWindowTextString(Handle()));
  if (Text().empty() && Control()) SetText(Control()->Caption());
  HFONT font = Control() ? FontHandle(Control()->Font()->Data())
                         : reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0));
  TSelectObject selected(dc, font);
  SIZE zero{};
  GetTextExtentPoint32W(dc, L"0", 1, &zero);
  const int y = zero.cy / 2 - 1;
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  HBRUSH face = CreateSolidBrush(Rgb(SkinModel().FaceBrush));
  const RECT border{0, y, w, h}, inset{1, y + 1, w - 1, h - 1};
  FrameRect(dc, &border, face);
  FrameRect(dc, &inset, face);
  DeleteObject(face);
  HPEN pen = CreatePen(PS_SOLID, 1, Rgb(SkinModel().ButtonShadowColour));
  {
    TSelectObject p(dc, pen);
    TSelectObject b(dc, GetStockObject(NULL_BRUSH));
    RoundRect(dc, 1, y, w - 1, h - 1, 5, 5);
  }
  DeleteObject(pen);
  if (Text().empty()) return;
  SetBkMode(dc, OPAQUE);
  SetBkColor(dc, Rgb(SkinModel().ButtonFaceColour));
  if (Control()) SetTextColor(dc, Rgb(Control()->Font()->Color()));
  RECT at{rect.left + 9, rect.top, rect.right, rect.bottom};
  DrawWideText(dc, Text(), at, DT_LEFT | DT_TOP | DT_SINGLELINE | DT_EXPANDTABS);
}

// ---- TSkinBox

void TSkinBox::AttachControl(TSkinFormFrame* frame, TSkinSet* skin, bool recolor, TCanvas* canvas) {
  auto* control = dynamic_cast<TWinControl*>(Owner());
  if (!control || !BeginAttach(frame, skin, canvas)) return;
  SetControl(control);
  SetRecolor(recolor);
  FreeNotification(control);
  TakeFaceColor(control);
  FinishAttach();
}

void TSkinBox::RestoreColor() {
  TSkinControl::RestoreColor();
  SetPhase(TSkinControlPhase::Restored);
}

// ---- TSkinSizer

bool TSkinSizer::HandleBefore(TMessage& msg) { return PaintsWholeWindow(msg) || TSkinControl::HandleBefore(msg); }

// The grip's background is not erased (WM_ERASEBKGND is answered), so the face colour fills it
// under the frame.
void TSkinSizer::Paint(HDC dc, const RECT& rect) {
  FillFace(dc, rect);
  HBRUSH shadow = CreateSolidBrush(Rgb(SkinModel().ButtonShadowColour));
  FrameRect(dc, &rect, shadow);
  DeleteObject(shadow);
}
