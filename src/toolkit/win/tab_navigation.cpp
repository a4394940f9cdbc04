#include "toolkit/win/tab_navigation.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "toolkit/win/comctrls.h"
#include "toolkit/win/wincontrol.h"

namespace {
// Every control in root, in tab order: siblings by TabOrder (one without a TabOrder takes its
// place among the siblings), each container followed by its own controls.
void CollectTabOrder(const TWinControl& parent, std::vector<TWinControl*>& out) {
  std::vector<std::pair<int, TWinControl*>> children;
  for (int i = 0; i < parent.ControlCount(); ++i)
    if (auto* w = dynamic_cast<TWinControl*>(parent.Controls(i)))
      children.emplace_back(w->TabOrder() >= 0 ? w->TabOrder() : i, w);
  std::stable_sort(children.begin(), children.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& [order, child] : children) {
    out.push_back(child);
    CollectTabOrder(*child, out);
  }
}

// A tab stop whose window is on the screen and takes input, its containers up to root too.
bool CanTakeTab(const TWinControl& control, HWND root) {
  if (!control.TabStop() || !control.HandleAllocated()) return false;
  for (HWND w = control.Handle(); w && w != root; w = GetParent(w))
    if (!IsWindowVisible(w) || !IsWindowEnabled(w)) return false;
  return true;
}

// The toolkit control that has the focus (a control's inner window counts as the control).
TWinControl* FocusedControl(HWND focus) {
  for (HWND w = focus; w; w = GetParent(w))
    if (TWinControl* c = TWinControl::FindControl(w)) return c;
  return nullptr;
}

// The page control around the focus, else the first one of the form that is on the screen.
TPageControl* PageControlFor(TWinControl& form, TWinControl* focused) {
  for (TWinControl* c = focused; c && c != &form; c = c->Parent())
    if (auto* pages = dynamic_cast<TPageControl*>(c)) return pages;
  std::vector<TWinControl*> all;
  CollectTabOrder(form, all);
  for (TWinControl* c : all)
    if (auto* pages = dynamic_cast<TPageControl*>(c); pages && pages->Showing()) return pages;
  return nullptr;
}

// Turns the page; a focus left on the page that went away moves to the new page's first tab
// stop, or to the tabs when the page has none.
bool TurnPage(TWinControl& form, TWinControl* focused, bool forward) {
  TPageControl* pages = PageControlFor(form, focused);
  if (!pages || !pages->SelectNextPage(forward)) return false;
  HWND focus = GetFocus();
  if (focus && !IsWindowVisible(focus)) {
    TWinControl* first = pages->ActivePage() ? FindNextTabStop(*pages->ActivePage(), nullptr, true) : nullptr;
    (first ? first : static_cast<TWinControl*>(pages))->SetFocus();
  }
  return true;
}
}  // namespace

TWinControl* FindNextTabStop(TWinControl& root, TWinControl* current, bool forward) {
  std::vector<TWinControl*> order;
  CollectTabOrder(root, order);
  if (!forward) std::reverse(order.begin(), order.end());
  const HWND rootWnd = root.HandleAllocated() ? root.Handle() : nullptr;
  const auto at = std::find(order.begin(), order.end(), current);
  const std::size_t first = at == order.end() ? 0 : static_cast<std::size_t>(at - order.begin()) + 1;
  for (std::size_t k = 0; k < order.size(); ++k) {
    TWinControl* candidate = order[(first + k) % order.size()];
    if (candidate != current && CanTakeTab(*candidate, rootWnd)) return candidate;
  }
  return nullptr;
}

bool HandleTabKey(TWinControl& form, const MSG& msg) {
  if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB || GetKeyState(VK_MENU) < 0) return false;
  const bool forward = GetKeyState(VK_SHIFT) >= 0;
  TWinControl* focused = FocusedControl(GetFocus());
  if (GetKeyState(VK_CONTROL) < 0) return TurnPage(form, focused, forward);
  if (SendMessageW(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg)) & DLGC_WANTTAB) return false;
  TWinControl* next = FindNextTabStop(form, focused, forward);
  if (!next) return true;
  next->SetFocus();
  // An edit reached by Tab has its text selected, as in a dialog.
  if (SendMessageW(next->Handle(), WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
    SendMessageW(next->Handle(), EM_SETSEL, 0, -1);
  return true;
}
