#include "skin/controls/skin_buttons.h"

#include "skin/controls/control_painters.h"
#include "skin/data/skin_set.h"
#include "skin/frames/form_frame.h"
#include "skin/frames/gdi_paint.h"
#include "skin/frames/text_painters.h"
#include "toolkit/win/canvas.h"
#include "toolkit/win/buttons.h"
#include "toolkit/win/dc_guards.h"
#include "toolkit/win/font_handle.h"

QUILLIMO_REGISTER_CLASS(TSkinButton)
QUILLIMO_REGISTER_CLASS(TSkinBitButton)
QUILLIMO_REGISTER_CLASS(TSkinSpeedButton)

namespace {
bool HasButtonImage(const TSkinSet* skin) {
  return skin && skin->Model().Buttons && !skin->Model().Buttons->Image.Empty();
}

HFONT WindowFont(HWND wnd) { return reinterpret_cast<HFONT>(SendMessageW(wnd, WM_GETFONT, 0, 0)); }
}  // namespace

// ---- TSkinButton

bool TSkinButton::HandleBefore(TMessage& msg) {
  switch (msg.Msg) {
    case WM_PAINT: HandlePaintMessage(msg); return true;
    case WM_ERASEBKGND: msg.Result = 1; return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (GetFocus() != Handle()) SetFocus(Handle());
      SetStateBit(SkinControlState::Pressed, true);
      // The release counts wherever it happens, so the button keeps the mouse until then.
      SetCapture(Handle());
      Redraw();
      return true;
    default: return TSkinControl::HandleBefore(msg);
  }
}

void TSkinButton::ClickButton() {
  if (Control()) {
    Control()->Click();
  } else if (Handle()) {
    PostMessageW(GetParent(Handle()), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(Handle()), BN_CLICKED),
                 reinterpret_cast<LPARAM>(Handle()));
  }
}

void TSkinButton::AfterMessage(TMessage& msg) {
  switch (msg.Msg) {
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (msg.WParam == VK_SPACE) {
        SetStateBit(SkinControlState::Pressed, msg.Msg == WM_KEYDOWN);
        RepaintNow();
      }
      return;
    case WM_MOUSEMOVE:
      if (!Hot()) {
        SetStateBit(SkinControlState::Hot, true);
        if (Frame() && Frame()->HotButton() && Frame()->HotButton() != this) Frame()->HotButton()->MouseLeft();
        if (Frame() && Frame()->HotButton() != this) {
          RepaintNow();
          Frame()->SetHotButton(this);
        }
      }
      return;
    case WM_LBUTTONUP:
      if (GetCapture() == Handle()) ReleaseCapture();
      if (Pressed()) {
        SetStateBit(SkinControlState::Pressed, false);
        RepaintNow();
        ClickButton();
      }
      return;
    case CM_MOUSEENTER:
      if (Enabled()) {
        SetStateBit(SkinControlState::Hot, true);
        RepaintNow();
        if (Frame()) Frame()->SetHotButton(this);
      }
      return;
    case CM_MOUSELEAVE:
      if (Enabled()) {
        SetStateBit(SkinControlState::Hot, false);
        // A button held down keeps its press until the release (which still clicks).
        if (!(Handle() && GetCapture() == Handle())) SetStateBit(SkinControlState::Pressed, false);
        RepaintNow();
        if (Frame() && Frame()->HotButton() == this) Frame()->SetHotButton(nullptr);
      }
      return;
    default: TSkinControl::AfterMessage(msg);
  }
}

void TSkinButton::ReadButtonState() {
  ReadWindowState();
  default_ = Handle() && (GetWindowLongPtrW(Handle(), GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON;
  if (Text().empty() && Control()) SetText(Control()->Caption());
}

// A default button shows its own frame only while it is not focused: once focused it shows
// the focused frame like any other button (while the system lets focus marks show).
int TSkinButton::StateIndex() const {
  if (!Enabled()) return 3;
  if (Pressed()) return 2;
  if (Hot() || ShowsFocus()) return 4;
  if (default_) return 5;
  return 1;
}

HDC TSkinButton::BufferWithFrame(int w, int h, int count, int state) {
  buffer_.SetSize(w, h);
  HDC buffer = buffer_.Canvas().Handle();
  FillFace(buffer, {0, 0, w, h});
  DrawSkinElement(buffer, {0, 0, w, h}, count, state, SkinModel().Buttons.get());
  return buffer;
}

void TSkinButton::Paint(HDC dc, const RECT& rect) {
  if (!HasButtonImage(Skin())) return;
  ReadButtonState();
  const int state = StateIndex();
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  HDC buffer = BufferWithFrame(w, h, 5, state);
  TSelectObject font(buffer, WindowFont(Handle()));
  TColor color = SkinModel().ButtonTextColour;
  if (state == 1) color = SkinModel().Buttons->NormalColour2;
  if (state == 4) color = SkinModel().Buttons->MouseOverColour2;
  if (state == 2) color = SkinModel().Buttons->PressedColour2;
  if (state == 3) color = RGBToColor(128, 128, 128);
  SetTextColor(buffer, static_cast<COLORREF>(ColorToRGB(color)));
  SetBkMode(buffer, TRANSPARENT);
  RECT measured{0, 0, 0, 0};
  DrawWideText(buffer, Text(), measured, DT_CALCRECT | DT_EXPANDTABS | DT_NOCLIP);
  const int tw = measured.right, th = measured.bottom;
  RECT at{(w - tw) / 2, (h - th) / 2 - 1, 0, 0};
  at.right = at.left + tw;
  at.bottom = at.top + th;
  DrawWideText(buffer, Text(), at, DT_CENTER | DT_EXPANDTABS | DT_NOCLIP);
  BitBlt(dc, rect.left, rect.top, w, h, buffer, 0, 0, SRCCOPY);
}

// ---- TSkinBitButton

int TSkinBitButton::GlyphButtonState() const {
  int state = 1;
  if (ShowsFocus()) state = 4;
  if (Pressed())
    state = 2;
  else if (Hot())
    state = 4;
  if (!Enabled()) state = 3;
  return state;
}

void TSkinBitButton::PaintGlyphAndCaption(HDC dc, const RECT& rect, const TGlyphSettings& glyphs, HFONT font,
                                          int state) {
  TSelectObject selected(dc, font);
  const SIZE glyph = GlyphSize(glyphs.Glyph(), glyphs.NumGlyphs());
  RECT measured{0, 0, 0, 0};
  if (!Text().empty()) DrawWideText(dc, Text(), measured, DT_CALCRECT | DT_SINGLELINE | DT_EXPANDTABS);
  const TGlyphPlaces places = LayoutGlyphAndCaption(rect, glyph, {measured.right, measured.bottom}, glyphs.Layout(),
                                                    glyphs.Margin(), glyphs.Spacing());
  static constexpr int glyphStates[] = {1, 1, 3, 2, 1};  // button state -> up, down, disabled, up
  if (glyph.cx > 0) DrawGlyph(dc, places.Glyph, glyphs.NumGlyphs(), glyphStates[state], glyphs.Glyph());
  if (Text().empty()) return;
  const TDataSkinButton& b = *SkinModel().Buttons;
  TColor color = SkinModel().ButtonTextColour;
  if (state == 1 && b.HasNormalColour2) color = b.NormalColour2;
  if (state == 4 && b.HasMouseOverColour2) color = b.MouseOverColour2;
  if (state == 2 && b.HasPressedColour2) color = b.PressedColour2;
  if (state == 3) color = clBtnShadow;
  SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(color)));
  SetBkMode(dc, TRANSPARENT);
  RECT at = places.Caption;
  UINT align = DT_CENTER;
  if (glyph.cx > 0 && glyphs.Layout() == blGlyphLeft) align = DT_LEFT;
  if (glyph.cx > 0 && glyphs.Layout() == blGlyphRight) align = DT_RIGHT;
  DrawWideText(dc, Text(), at, align | DT_SINGLELINE | DT_EXPANDTABS | DT_NOCLIP);
}

void TSkinBitButton::Paint(HDC dc, const RECT& rect) {
  if (!HasButtonImage(Skin())) return;
  ReadButtonState();
  const int state = GlyphButtonState();
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  HDC buffer = BufferWithFrame(w, h, SkinModel().Buttons->FrameCount, state);
  const RECT local{0, 0, w, h};
  static const TGlyphSettings none;
  auto* bitBtn = dynamic_cast<TBitBtn*>(Control());
  PaintGlyphAndCaption(buffer, local, bitBtn ? bitBtn->Glyphs() : none, WindowFont(Handle()), state);
  BitBlt(dc, rect.left, rect.top, w, h, buffer, 0, 0, SRCCOPY);
}

// ---- TSkinSpeedButton

void TSkinSpeedButton::AttachControl(TSkinFormFrame* frame, TSkinSet* skin, bool recolor, TCanvas* canvas) {
  auto* control = dynamic_cast<TControl*>(Owner());
  if (!control || !BeginAttach(frame, skin, canvas)) return;
  SetGraphicControl(control);
  HookControlProc(control);
  FinishAttach();
  control->Invalidate();
}

bool TSkinSpeedButton::HandleBefore(TMessage& msg) {
  switch (msg.Msg) {
    case WM_PAINT:
      if (!msg.WParam || !GraphicControl()) return false;
      Paint(reinterpret_cast<HDC>(msg.WParam), {0, 0, GraphicControl()->Width(), GraphicControl()->Height()});
      msg.Result = 1;
      return true;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: return PressAfterPrevious(msg);
    default: return TSkinControl::HandleBefore(msg);
  }
}

void TSkinSpeedButton::AfterMessage(TMessage& msg) {
  switch (msg.Msg) {
    case WM_NCDESTROY:
    case CM_RELEASE:
      UnhookControlProc();
      SetGraphicControl(nullptr);
      return;
    case WM_KEYDOWN:
    case WM_KEYUP:
      if (msg.WParam == VK_SPACE) RedrawWithState(SkinControlState::Pressed, msg.Msg == WM_KEYDOWN);
      return;
    case WM_LBUTTONUP: RedrawWithState(SkinControlState::Pressed, false); return;
    case CM_MOUSEENTER: RedrawWithState(SkinControlState::Hot, true); return;
    case CM_MOUSELEAVE:
      SetStateBit(SkinControlState::Hot | SkinControlState::Pressed, false);
      if (GraphicControl() && GraphicControl()->Visible()) Redraw();
      return;
    default: TSkinButton::AfterMessage(msg);
  }
}

void TSkinSpeedButton::Redraw(HDC) {
  if (!GraphicControl() || !GraphicControl()->Parent() || !GraphicControl()->Parent()->HandleAllocated()) return;
  TWinControl* parent = GraphicControl()->Parent();
  TClientDC dc(parent->Handle());
  const POINT at = GraphicControl()->ClientOrigin();
  const int saved = SaveDC(dc);
  IntersectClipRect(dc, at.x, at.y, at.x + GraphicControl()->Width(), at.y + GraphicControl()->Height());
  SetViewportOrgEx(dc, at.x, at.y, nullptr);
  try {
    Paint(dc, {0, 0, GraphicControl()->Width(), GraphicControl()->Height()});
  } catch (...) {
  }
  RestoreDC(dc, saved);
}

void TSkinSpeedButton::Paint(HDC dc, const RECT& rect) {
  if (!HasButtonImage(Skin()) || !GraphicControl()) return;
  auto* speed = dynamic_cast<TSpeedButton*>(GraphicControl());
  SetEnabled(GraphicControl()->Enabled());
  SetText(GraphicControl()->Caption());
  int state = 1;
  if (Pressed() || (speed && speed->Down()))
    state = 2;
  else if (Hot())
    state = 4;
  if (!Enabled()) state = 3;
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  TBitmap& scratch = SharedScratchBitmap();
  if (scratch.Width() < w || scratch.Height() < h)
    scratch.SetSize(std::max(scratch.Width(), w), std::max(scratch.Height(), h));
  const RECT local{0, 0, w, h};
  DrawSkinElementScratch(local, SkinModel().Buttons.get(), SkinModel().Buttons->Trans == 1,
                         SkinModel().Buttons->FrameCount, state, SkinModel().ButtonFaceColour);
  HDC scratchDc = scratch.Canvas().Handle();
  HFONT font = FontHandle(GraphicControl()->Font()->Data());
  if (speed && speed->Glyph() && speed->Glyph()->Width() > 0) {
    PaintGlyphAndCaption(scratchDc, local, speed->Glyphs(), font, state);
  } else {
    TSelectObject selected(scratchDc, font);
    SetTextColor(scratchDc, static_cast<COLORREF>(ColorToRGB(SkinModel().ButtonTextColour)));
    DrawCaption(scratchDc, local, DT_CENTER, Enabled(), Text());
  }
  BitBlt(dc, rect.left, rect.top, w, h, scratchDc, 0, 0, SRCCOPY);
}
