#include "skin/controls/skin_edits.h"

#include "skin/controls/control_painters.h"
#include "skin/controls/skin_ranges.h"
#include "skin/data/skin_set.h"
#include "skin/frames/gdi_paint.h"
#include "toolkit/win/canvas.h"
#include "toolkit/core/text.h"

QUILLIMO_REGISTER_CLASS(TSkinComBox)
QUILLIMO_REGISTER_CLASS(TSkinEdit)

namespace {
void FrameWith(HDC dc, const RECT& r, TColor color) {
  HBRUSH brush = CreateSolidBrush(static_cast<COLORREF>(ColorToRGB(color)));
  FrameRect(dc, &r, brush);
  DeleteObject(brush);
}
}  // namespace

// ---- TSkinComBox

void TSkinComBox::AfterMessage(TMessage& msg) {
  switch (msg.Msg) {
    case WM_NCPAINT: Redraw(); return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP: RedrawWithState(SkinControlState::Pressed, msg.Msg != WM_LBUTTONUP); return;
    case CM_MOUSEENTER:
    case CM_MOUSELEAVE:
      if (Enabled()) RedrawWithState(SkinControlState::Hot, msg.Msg == CM_MOUSEENTER);
      return;
    default: TSkinControl::AfterMessage(msg);
  }
}

int TSkinComBox::StateIndex() const {
  if (Pressed()) return 2;
  if (Focused() || Hot()) return 4;
  return Enabled() ? 1 : 3;
}

RECT TSkinComBox::ButtonArea(const RECT& rect) const {
  const int width = GetSystemMetrics(SM_CXHSCROLL) + 2;
  if (exStyle_ & WS_EX_LEFTSCROLLBAR) return {rect.left, rect.top, rect.left + width, rect.bottom};
  return {rect.right - width, rect.top, rect.right, rect.bottom};
}

void TSkinComBox::Paint(HDC dc, const RECT& rect) {
  const TDataSkinBorder* button = Skin() ? SkinModel().ComboButton.get() : nullptr;
  if (!button || button->Image.Empty() || !Handle()) return;
  exStyle_ = static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_EXSTYLE));
  ReadWindowState();
  const HWND focus = GetFocus();
  SetFocused(focus && (focus == Handle() || IsChild(Handle(), focus)));
  const int state = StateIndex();
  const bool left = exStyle_ & WS_EX_LEFTSCROLLBAR;
  if (button->Style == 1) {
    RECT inner{rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
    FrameRect(dc, &inner, static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH)));
    const int thumb = GetSystemMetrics(SM_CXVSCROLL);
    const RECT area = left ? RECT{inner.left, inner.top, inner.left + thumb, inner.bottom}
                           : RECT{inner.right - thumb, inner.top, inner.right, inner.bottom};
    FillFace(dc, area);
    DrawFrameImage(dc, area, left ? button->Image2 : button->Image, false, std::max(button->FrameCount, 1), state);
    FrameWith(dc, rect, SkinModel().ButtonShadowColour);
    return;
  }
  const TDataSkinObject* edge = SkinModel().SunkEdge.get();
  if (!edge || edge->Image.Empty()) return;
  const RECT area = ButtonArea(rect);
  const int saved = SaveDC(dc);
  RECT edit{rect.left + 2, rect.top + 2, rect.right - 2, rect.bottom - 2};
  if (left)
    edit.left = area.right;
  else
    edit.right = area.left;
  ExcludeClipRect(dc, edit.left, edit.top, edit.right, edit.bottom);
  DrawSkinElement(dc, rect, std::max(edge->FrameCount, 1), state, edge);
  DrawFrameTransparent(dc, area, std::max(button->FrameCount, 1), state, left ? button->Image2 : button->Image);
  if (const TDataSkinObject* arrow = SkinModel().ExtraImages.get(); arrow && !arrow->Image.Empty()) {
    const int n = std::max(arrow->FrameCount, 1);
    const int aw = arrow->Image.Width() / n, ah = arrow->Image.Height();
    RECT inside = area;
    if (left)
      inside.left += 2;
    else
      inside.right -= 2;
    const int x = inside.left + (inside.right - inside.left - aw) / 2;
    const int y = inside.top + (inside.bottom - inside.top - ah) / 2;
    DrawFrameTransparent(dc, {x, y, x + aw, y + ah}, n, state, arrow->Image);
  }
  RestoreDC(dc, saved);
}

// ---- TSkinEdit

void TSkinEdit::Notification(TComponent* component, TOperation operation) {
  TSkinControl::Notification(component, operation);
  if (operation == opRemove && component == upDown_) upDown_ = nullptr;
}

void TSkinEdit::AfterMessage(TMessage& msg) {
  switch (msg.Msg) {
    case WM_PAINT:
      if (!msg.WParam) Redraw();
      return;
    case WM_PRINT: PaintPrintBorder(reinterpret_cast<HDC>(msg.WParam)); return;
    default: TSkinControl::AfterMessage(msg);
  }
}

void TSkinEdit::FindSpinChild() {
  if (upDown_ || !Handle()) return;
  for (HWND child = GetWindow(Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const std::string cls = GetClassNameString(child);
    if (LowerCase(cls) != "msctls_updown32" && cls != "TSpinButton") continue;
    upDown_ = new TSkinUpDown(this);
    upDown_->SetInset(true);
    upDown_->AttachHandle(child, Skin(), Frame(), Canvas());
    return;
  }
}

void TSkinEdit::Paint(HDC dc, const RECT& rect) {
  FindSpinChild();
  RECT client{};
  GetClientRect(Handle(), &client);
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  if (client.right == w || client.bottom == h) return;
  FrameWith(dc, rect, SkinModel().ButtonShadowColour);
  const RECT inner{rect.left + 1, rect.top + 1, rect.right - 1, rect.bottom - 1};
  FrameWith(dc, inner, clWhite);
}

void TSkinEdit::PaintPrintBorder(HDC dc) {
  if (!dc || !Handle()) return;
  RECT window{}, client{};
  GetWindowRect(Handle(), &window);
  GetClientRect(Handle(), &client);
  const int w = window.right - window.left, h = window.bottom - window.top;
  if (w - client.right <= 2 || h - client.bottom <= 2) return;
  const RECT outer{0, 0, w, h}, inner{1, 1, w - 1, h - 1};
  FrameRect(dc, &inner, static_cast<HBRUSH>(GetCurrentObject(dc, OBJ_BRUSH)));
  FrameWith(dc, outer, SkinModel().ButtonShadowColour);
}
