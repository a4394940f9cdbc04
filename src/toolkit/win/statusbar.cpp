#include "toolkit/win/statusbar.h"

#include <commctrl.h>

#include "toolkit/core/utf8.h"

QUILLIMO_REGISTER_CLASS(TStatusBar, [](TPropertyTable& p) {
  p.Bool("SimplePanel", &TStatusBar::SimplePanel, &TStatusBar::SetSimplePanel, false);
  p.String("SimpleText", &TStatusBar::SimpleText, &TStatusBar::SetSimpleText);
  p.Bool("SizeGrip", &TStatusBar::SizeGrip, &TStatusBar::SetSizeGrip, true);
});

TStatusBar::TStatusBar(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 150, 19);
  SetAlign(alBottom);
}

void TStatusBar::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.ClassName = STATUSCLASSNAMEW;
  params.OwnClass = false;
  params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE;
  if (sizeGrip_) params.Style |= SBARS_SIZEGRIP;
}

void TStatusBar::HandleCreated() { PanelsChanged(); }

void TStatusBar::PanelsChanged() {
  if (!HandleAllocated()) return;
  HWND wnd = Handle();
  std::vector<int> rights;
  int right = 0;
  for (std::size_t i = 0; i < panels_.size(); ++i) {
    right += panels_[i].Width;
    rights.push_back(i + 1 == panels_.size() ? -1 : right);
  }
  if (rights.empty()) rights.push_back(-1);
  SendMessageW(wnd, SB_SETPARTS, rights.size(), reinterpret_cast<LPARAM>(rights.data()));
  for (std::size_t i = 0; i < panels_.size(); ++i) {
    WPARAM flags = i;
    if (panels_[i].Bevel == pbNone) flags |= SBT_NOBORDERS;
    if (panels_[i].Bevel == pbRaised) flags |= SBT_POPOUT;
    if (panels_[i].RightToLeft) flags |= SBT_RTLREADING;
    SendMessageW(wnd, SB_SETTEXTW, flags, reinterpret_cast<LPARAM>(Utf8ToWide(panels_[i].Text).c_str()));
  }
  SendMessageW(wnd, SB_SIMPLE, simplePanel_ || panels_.empty(), 0);
  if (simplePanel_ || panels_.empty())
    SendMessageW(wnd, SB_SETTEXTW, SB_SIMPLEID, reinterpret_cast<LPARAM>(Utf8ToWide(simpleText_).c_str()));
}

void TStatusBar::SetSimplePanel(bool v) {
  simplePanel_ = v;
  PanelsChanged();
}

void TStatusBar::SetSimpleText(const std::string& v) {
  simpleText_ = v;
  PanelsChanged();
}
