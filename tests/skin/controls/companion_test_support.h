#pragma once
// Skinned-control tests: a shown form whose controls the test places, framed by hand with the
// control dispatch in place; what a control shows on the screen; and the pixels a skin element
// should show, computed from the skin's own images by the plain slicing reference.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "frame_test_support.h"
#include "skin/controls/control_dispatch.h"
#include "skin/controls/skin_control.h"
#include "skin/paint/pixel_copy.h"
#include "skin/sliced_reference.h"
#include "toolkit/win/wincontrol.h"

namespace controltest {
using frametest::BuiltSkin;

// A shown form; Frame() attaches the skinned frame, which dispatches the controls placed so far
// (unless dispatch is false: then the test attaches companions itself).
struct SkinnedForm {
  explicit SkinnedForm(TSkinSet& skin, bool dispatch = true, int width = 460, int height = 340) : skin(skin) {
    TSkinFormFrame::ControlDispatcher = dispatch ? std::function<void(TSkinFormFrame&)>(DispatchControls) : nullptr;
    form.SetBorderStyle(bsSizeable);
    form.SetBounds(40, 40, width, height);
    form.SetCaption("T");
    form.Show();
    PumpFor(20);
  }
  template <class C>
  C* Add(int left, int top, int width, int height, TWinControl* parent = nullptr) {
    auto* c = new C(&form);
    c->SetBounds(left, top, width, height);
    c->SetParent(parent ? parent : &form);
    return c;
  }
  TSkinFormFrame& Frame() {
    frame = new TSkinFormFrame(&form);
    frame->SetHandle(form.Handle());
    frame->AttachToForm(&skin, &form);
    SendMessageW(form.Handle(), SkinMessage::FinishAttach, 0, 1000);
    SetForegroundWindow(form.Handle());
    PumpFor(40);
    return *frame;
  }
  // The companion serving the component (by control or by window), or nullptr.
  TSkinControl* CompanionOf(TComponent* component) const {
    if (!frame) return nullptr;
    for (TFrameCompanion* listed : frame->ControlList())
      if (auto* c = dynamic_cast<TSkinControl*>(listed)) {
        auto* w = dynamic_cast<TWinControl*>(component);
        if (c->Control() == component || c->GraphicControl() == component ||
            (w && w->HandleAllocated() && c->Handle() == w->Handle()))
          return c;
      }
    return nullptr;
  }
  TSkinSet& skin;
  TForm form{nullptr};
  TSkinFormFrame* frame = nullptr;
};

// What the screen shows of the window (its whole area), after it painted what was pending.
// Wine hands window drawing to the display when the thread next waits for messages, so the
// queue is pumped a little before the screen is read.
inline TBitmapPixels Shown(HWND wnd) {
  UpdateWindow(wnd);
  PumpFor(30);
  return frametest::ScreenOf(wnd);
}

// Repaints the window (and its frame) now and returns what it shows.
inline TBitmapPixels Repainted(HWND wnd) {
  RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  return Shown(wnd);
}

// Frame `frame` of a `count`-frame element sliced to width x height over the face colour (keyed
// pixels show the face), as the element painters draw it.
inline TBitmapPixels ExpectedElement(const TDataSkinObject& e, int width, int height, int count, int frame,
                                     TColor face) {
  TBitmapPixels out(width, height);
  out.Fill(ColorToRGB(face));
  const TBitmapPixels built = skintest::ReferenceElement(e, width, height, false, e.Tile == 1, count, frame);
  if (e.Trans == 1)
    KeyedCopy(out, 0, 0, built);
  else
    out = built;
  return out;
}

// Frame `frame` of a strip of `count` frames side by side, at its own size.
inline TBitmapPixels FrameOf(const TBitmapPixels& strip, int count, int frame) {
  const int w = strip.Width() / count;
  TBitmapPixels out(w, strip.Height());
  out.CopyRect(0, 0, strip, (frame - 1) * w, 0, w, strip.Height());
  return out;
}

// True when every non-key pixel of expected is the pixel of shown at (x, y) + its place.
inline ::testing::AssertionResult ShowsKeyed(const TBitmapPixels& shown, int x, int y, const TBitmapPixels& expected) {
  for (int j = 0; j < expected.Height(); ++j)
    for (int i = 0; i < expected.Width(); ++i) {
      const TColor want = expected.GetPixel(i, j);
      if (want == kSkinKeyColor) continue;
      const TColor got = shown.GetPixel(x + i, y + j);
      if (got != want)
        return ::testing::AssertionFailure()
               << "pixel " << i << "," << j << " is " << std::hex << got << ", wanted " << want;
    }
  return ::testing::AssertionSuccess();
}

// The pixels of the rows and columns along the edges of a w x h area (left, right, top, bottom
// lines one pixel in), where a centred caption never reaches.
inline std::vector<TColor> EdgePixels(const TBitmapPixels& p, int x, int y, int w, int h) {
  std::vector<TColor> out;
  for (int i = 0; i < w; ++i) {
    out.push_back(p.GetPixel(x + i, y + 1));
    out.push_back(p.GetPixel(x + i, y + h - 2));
  }
  for (int j = 0; j < h; ++j) {
    out.push_back(p.GetPixel(x + 1, y + j));
    out.push_back(p.GetPixel(x + w - 2, y + j));
  }
  return out;
}

// Access violations raised in this process since the first call. Wine swallows a fault inside a
// window procedure called back from the system, so a test asks this counter instead.
inline long AccessViolations() {
  static long count = 0;
  static const bool installed = [] {
    AddVectoredExceptionHandler(1, [](EXCEPTION_POINTERS* info) -> LONG {
      if (info->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION) ++count;
      return EXCEPTION_CONTINUE_SEARCH;
    });
    return true;
  }();
  (void)installed;
  return count;
}

}  // namespace controltest
