#include "toolkit/win/scrollbar.h"

#include <algorithm>

QUILLIMO_REGISTER_CLASS(TScrollBar, [](TPropertyTable& p) {
  p.Enum("Kind", &TScrollBar::Kind, &TScrollBar::SetKind, sbHorizontal);
  p.Integer("Min", &TScrollBar::Min, &TScrollBar::SetMin, 0);
  p.Integer("Max", &TScrollBar::Max, &TScrollBar::SetMax, 100);
  p.Integer("PageSize", &TScrollBar::PageSize, &TScrollBar::SetPageSize, 0);
  p.Integer("Position", &TScrollBar::Position, &TScrollBar::SetPosition, 0);
  p.Integer("SmallChange", &TScrollBar::SmallChange, &TScrollBar::SetSmallChange, 1);
  p.Integer("LargeChange", &TScrollBar::LargeChange, &TScrollBar::SetLargeChange, 1);
  p.Event("OnChange", &TScrollBar::OnChange);
});

TScrollBar::TScrollBar(TComponent* owner) : TWinControl(owner) {
  SetTabStop(true);
  SetBounds(0, 0, 121, 17);
}

void TScrollBar::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.ClassName = L"SCROLLBAR";
  params.OwnClass = false;
  params.Style |= kind_ == sbHorizontal ? SBS_HORZ : SBS_VERT;
}

void TScrollBar::HandleCreated() { UpdateWindow(); }

void TScrollBar::UpdateWindow() {
  if (!HandleAllocated()) return;
  SCROLLINFO si{};
  si.cbSize = sizeof(si);
  si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  si.nMin = min_;
  si.nMax = max_;
  si.nPage = static_cast<UINT>(pageSize_);
  si.nPos = position_;
  SetScrollInfo(Handle(), SB_CTL, &si, TRUE);
}

void TScrollBar::SetMin(int v) {
  min_ = v;
  UpdateWindow();
}

void TScrollBar::SetMax(int v) {
  max_ = v;
  UpdateWindow();
}

void TScrollBar::SetPageSize(int v) {
  pageSize_ = std::max(v, 0);
  UpdateWindow();
}

void TScrollBar::SetPosition(int v) {
  v = std::clamp(v, min_, std::max(min_, max_ - std::max(pageSize_ - 1, 0)));
  if (v == position_) return;
  position_ = v;
  UpdateWindow();
  OnChange(this);
}

void TScrollBar::WndProc(TMessage& msg) {
  if (msg.Msg == CN_HSCROLL || msg.Msg == CN_VSCROLL) {
    switch (LOWORD(msg.WParam)) {
      case SB_LINEUP: SetPosition(position_ - smallChange_); break;
      case SB_LINEDOWN: SetPosition(position_ + smallChange_); break;
      case SB_PAGEUP: SetPosition(position_ - largeChange_); break;
      case SB_PAGEDOWN: SetPosition(position_ + largeChange_); break;
      case SB_TOP: SetPosition(min_); break;
      case SB_BOTTOM: SetPosition(max_); break;
      case SB_THUMBPOSITION:
      case SB_THUMBTRACK: {
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        si.fMask = SIF_TRACKPOS;
        GetScrollInfo(Handle(), SB_CTL, &si);
        SetPosition(si.nTrackPos);
        break;
      }
      default: break;
    }
    return;
  }
  TWinControl::WndProc(msg);
}
