#pragma once
// Status bars in the skin: each panel (or the one simple panel) framed from the three-frame
// StatusBarEdges element by its bevel, its text in the panel's alignment, and the size grip
// from ExtraImages.
#include <string>
#include <vector>

#include "skin/controls/skin_control.h"

class TSkinStatusBar : public TSkinControl {
  QUILLIMO_CLASS(TSkinStatusBar, TSkinControl)
public:
  explicit TSkinStatusBar(TComponent* owner) : TSkinControl(owner) {}
  bool HandleBefore(TMessage& msg) override { return PaintsWholeWindow(msg) || TSkinControl::HandleBefore(msg); }
  void Paint(HDC dc, const RECT& rect) override;

  // A panel as the painter sees it.
  struct Panel {
    RECT Rect{};
    std::string Text;
    int Frame = 1;  // 1 lowered, 2 raised, 3 no bevel
    UINT Alignment = DT_LEFT;
  };
  // The panels the bar shows: its own, or one lowered left-aligned panel for a simple bar.
  std::vector<Panel> Panels(const RECT& rect) const;
};
