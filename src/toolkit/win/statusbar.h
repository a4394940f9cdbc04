#pragma once
// TStatusBar: the comctl32 status bar at the bottom of its parent, either one simple text or a
// row of panels, each with its width, bevel, alignment and text.
#include <memory>
#include <string>
#include <vector>

#include "toolkit/win/stdctrls.h"

QUILLIMO_ENUM(TStatusPanelBevel, pbNone, pbLowered, pbRaised)

struct TStatusPanel {
  std::string Text;
  int Width = 50;
  TStatusPanelBevel Bevel = pbLowered;
  TAlignment Alignment = taLeftJustify;
  bool RightToLeft = false;  // the panel's reading order (left and right alignment exchange)
};

class TStatusBar : public TWinControl {
  QUILLIMO_CLASS(TStatusBar, TWinControl)
public:
  explicit TStatusBar(TComponent* owner);
  // The panels; call PanelsChanged after changing them.
  std::vector<TStatusPanel>& Panels() { return panels_; }
  const std::vector<TStatusPanel>& Panels() const { return panels_; }
  void PanelsChanged();
  bool SimplePanel() const { return simplePanel_; }
  void SetSimplePanel(bool v);
  const std::string& SimpleText() const { return simpleText_; }
  void SetSimpleText(const std::string& v);
  bool SizeGrip() const { return sizeGrip_; }
  void SetSizeGrip(bool v) { sizeGrip_ = v; }

protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;

private:
  std::vector<TStatusPanel> panels_;
  bool simplePanel_ = false;
  std::string simpleText_;
  bool sizeGrip_ = true;
};
