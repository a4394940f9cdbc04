#pragma once
// Scroll bars in the skin: the bars a window carries in its non-client area (memos, list boxes,
// rich edits, list views: TSkinScrollbar, which can drag the thumb itself) and the stand-alone
// scroll bar control (TSkinScControl). Both draw a bar the same way: the track element between
// two arrows of the 23-frame Scrollbar image and the thumb element at its place, composed
// 16 pixels across (at 96 pixels per inch) and stretched to the bar (DrawSkinScrollBar).
#include "skin/controls/skin_control.h"

// The arrows, track and thumb along one bar.
struct TScrollBarGeometry {
  int ArrowLength = 0;  // the system's arrow size (the arrows drawn may be shorter)
  int TrackLength = 0;  // bar length less two arrows
  int ThumbLength = 0;  // 0: no thumb
  int ThumbOffset = 0;  // from the end of the first arrow
};

// Parts of a bar (the part pressed): 0 none, 1 left, 2 right, 3 up, 4 down arrow, 5 horizontal,
// 6 vertical thumb.
namespace ScrollPart {
inline constexpr int None = 0, LeftArrow = 1, RightArrow = 2, UpArrow = 3, DownArrow = 4, HorzThumb = 5, VertThumb = 6;
}

// Thumb length and offset of a bar barLength long with arrows of arrow length, for the range
// max - min, page and position. The thumb is at least 8 pixels long (the system's thumb size
// without a page); a page as large as the range gives a thumb one pixel short of the track.
TScrollBarGeometry ScrollThumbGeometry(int barLength, int arrow, int min, int max, int page, int pos);
// What lies at distance x along the bar: SB_LINEUP, SB_PAGEUP, SB_THUMBTRACK, SB_PAGEDOWN or
// SB_LINEDOWN.
int ScrollHitTest(const TScrollBarGeometry& g, int x);
// Draws one bar into rect of dc from the skin (the model drawn at that resolution).
void DrawSkinScrollBar(HDC dc, const RECT& rect, bool horizontal, const TSkinModel& skin, int pressedPart,
                       const TScrollBarGeometry& g, bool thumbDragged, int pixelsPerInch);

class TSkinScrollbar : public TSkinControl {
  QUILLIMO_CLASS(TSkinScrollbar, TSkinControl)
public:
  explicit TSkinScrollbar(TComponent* owner) : TSkinControl(owner) {}
  // Hooks the toolkit control (the owner when control is null); handleMouse: drag the thumb.
  virtual void AttachScrollBars(TWinControl* control, TSkinSet* skin, bool handleMouse, TSkinFormFrame* frame,
                                TCanvas* canvas);
  void AttachControl(TSkinFormFrame* frame, TSkinSet* skin, bool recolor, TCanvas* canvas) override;
  void AttachHandle(HWND wnd, TSkinSet* skin, TSkinFormFrame* frame, TCanvas* canvas) override;
  bool HandleBefore(TMessage& msg) override;
  void AfterMessage(TMessage& msg) override;
  void Paint(HDC dc, const RECT& rect) override;

  // One bar of the control as last laid out (window coordinates at 0, 0).
  struct TBar {
    RECT Rect{};  // empty when the control has no such bar
    SCROLLINFO Info{};
    TScrollBarGeometry Geometry;
    bool Scrolling = false;  // its scroll message is with the control (the bar is not drawn meanwhile)
  };
  // Recomputes the bars' places and thumbs (window coordinates at 0, 0); false without bars.
  bool Layout(const RECT& rect);
  const TBar& HorzBar() const { return horz_; }
  const TBar& VertBar() const { return vert_; }
  // The square between two bars (empty unless both are there).
  const RECT& CornerRect() const { return cornerRect_; }
  // The companion drags the thumb itself (a press on it runs the drag).
  bool DragsThumb() const { return dragsThumb_; }
  // A thumb drag is running.
  bool DraggingThumb() const { return draggingThumb_; }

protected:
  void WindowRecreated(HWND wnd) override;

private:
  void FrameChanged();
  // Runs the thumb drag of the bar; start: the press in screen coordinates.
  void DragThumb(bool horizontal, POINT start);
  bool ThumbHit(POINT screen, bool& horizontal);
  TBar& BarOf(bool horizontal) { return horizontal ? horz_ : vert_; }

  int pressedPart_ = ScrollPart::None;
  RECT cornerRect_{};
  bool draggingThumb_ = false;
  bool dragsThumb_ = false;
  TBar horz_, vert_;
};

class TSkinScControl : public TSkinControl {
  QUILLIMO_CLASS(TSkinScControl, TSkinControl)
public:
  explicit TSkinScControl(TComponent* owner) : TSkinControl(owner) {}
  bool HandleBefore(TMessage& msg) override;
  void Paint(HDC dc, const RECT& rect) override;

private:
  int pressedPart_ = ScrollPart::None;
};
