#pragma once
// List views in the skin: their scroll bars (as every scrolling window's) and their header,
// whose items are drawn from the Headerbar element.
#include "skin/controls/skin_scrollbars.h"

class TSkinHeader : public TSkinControl {
  QUILLIMO_CLASS(TSkinHeader, TSkinControl)
public:
  explicit TSkinHeader(TComponent* owner) : TSkinControl(owner) {}
  bool HandleBefore(TMessage& msg) override;
  void Paint(HDC dc, const RECT& rect) override;
};

class TSkinListView : public TSkinScrollbar {
  QUILLIMO_CLASS(TSkinListView, TSkinScrollbar)
public:
  explicit TSkinListView(TComponent* owner) : TSkinScrollbar(owner) {}
  void AttachScrollBars(TWinControl* control, TSkinSet* skin, bool handleMouse, TSkinFormFrame* frame,
                        TCanvas* canvas) override;

protected:
  void Notification(TComponent* component, TOperation operation) override;

private:
  TSkinHeader* header_ = nullptr;  // the companion of the list's header
};
