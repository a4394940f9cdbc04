#include "toolkit/win/comctrls.h"

#include <algorithm>

#include "toolkit/core/utf8.h"
#include "toolkit/win/menus.h"

// ---- TToolButton

QUILLIMO_REGISTER_CLASS(TToolButton, [](TPropertyTable& p) {
  p.String("Caption", &TToolButton::Caption, &TToolButton::SetCaption);
  p.Integer("ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex, -1);
  p.Enum("Style", &TToolButton::Style, &TToolButton::SetStyle, tbsButton);
  p.Bool("Down", &TToolButton::Down, &TToolButton::SetDown, false);
  p.Object("MenuItem", &TToolButton::MenuItem, &TToolButton::SetMenuItem);
});

TToolButton::TToolButton(TComponent* owner) : TControl(owner) { SetBounds(0, 0, 23, 22); }

TToolBar* TToolButton::ToolBar() const { return dynamic_cast<TToolBar*>(Parent()); }

void TToolButton::Changed() {
  if (TToolBar* bar = ToolBar()) bar->UpdateButtons();
}
void TToolButton::SetImageIndex(int v) {
  imageIndex_ = v;
  Changed();
}
void TToolButton::SetStyle(TToolButtonStyle v) {
  style_ = v;
  Changed();
}
void TToolButton::SetDown(bool v) {
  down_ = v;
  Changed();
}
void TToolButton::TextChanged() {
  if (TToolBar* bar = ToolBar()) bar->UpdateButtonCaption(this);
}
void TToolButton::EnabledChanged() { Changed(); }
void TToolButton::VisibleChanged() { Changed(); }

void TToolButton::Notification(TComponent* component, TOperation operation) {
  TControl::Notification(component, operation);
  if (operation == opRemove && component == menuItem_) menuItem_ = nullptr;
}

RECT TToolButton::ButtonRect() const {
  RECT r{};
  TToolBar* bar = ToolBar();
  if (bar && bar->HandleAllocated())
    SendMessageW(bar->Handle(), TB_GETRECT, static_cast<WPARAM>(bar->CommandOf(this)), reinterpret_cast<LPARAM>(&r));
  return r;
}

// ---- TToolBar

QUILLIMO_REGISTER_CLASS(TToolBar, [](TPropertyTable& p) {
  p.String("Caption", &TToolBar::Caption, &TToolBar::SetCaption);
  p.Integer("ButtonWidth", &TToolBar::ButtonWidth, &TToolBar::SetButtonWidth, 23);
  p.Integer("ButtonHeight", &TToolBar::ButtonHeight, &TToolBar::SetButtonHeight, 22);
  p.Bool("ShowCaptions", &TToolBar::ShowCaptions, &TToolBar::SetShowCaptions, false);
  p.Bool("Flat", &TToolBar::Flat, &TToolBar::SetFlat, false);
  p.Bool("Transparent", &TToolBar::Transparent, &TToolBar::SetTransparent, false);
  p.Bool("TabStop", &TToolBar::TabStop, &TToolBar::SetTabStop, true);
});

TToolBar::TToolBar(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 150, 29);
  SetAlign(alTop);
  SetTabStop(true);
}

void TToolBar::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.ClassName = TOOLBARCLASSNAMEW;
  params.OwnClass = false;
  params.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER | TBSTYLE_TOOLTIPS;
  if (flat_) params.Style |= TBSTYLE_FLAT;
  if (transparent_) params.Style |= TBSTYLE_TRANSPARENT;
}

void TToolBar::HandleCreated() {
  SendMessageW(Handle(), TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
  UpdateButtons();
}

void TToolBar::SetButtonWidth(int v) {
  buttonWidth_ = v;
  UpdateButtons();
}
void TToolBar::SetButtonHeight(int v) {
  buttonHeight_ = v;
  UpdateButtons();
}
void TToolBar::ChangeScale(int from, int to) {
  buttonWidth_ = MulDiv(buttonWidth_, to, from);
  buttonHeight_ = MulDiv(buttonHeight_, to, from);
  TWinControl::ChangeScale(from, to);
  UpdateButtons();
}

void TToolBar::SetShowCaptions(bool v) {
  showCaptions_ = v;
  UpdateButtons();
}
void TToolBar::SetFlat(bool v) {
  flat_ = v;
  if (HandleAllocated()) {
    LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
    SetWindowLongPtrW(Handle(), GWL_STYLE, v ? style | TBSTYLE_FLAT : style & ~TBSTYLE_FLAT);
    Invalidate();
  }
}
void TToolBar::SetTransparent(bool v) {
  transparent_ = v;
  if (HandleAllocated()) {
    LONG_PTR style = GetWindowLongPtrW(Handle(), GWL_STYLE);
    SetWindowLongPtrW(Handle(), GWL_STYLE, v ? style | TBSTYLE_TRANSPARENT : style & ~TBSTYLE_TRANSPARENT);
    Invalidate();
  }
}
void TToolBar::SetImages(HIMAGELIST images) {
  images_ = images;
  UpdateButtons();
}

void TToolBar::ControlInserted(TControl* control) {
  if (auto* b = dynamic_cast<TToolButton*>(control)) {
    buttons_.push_back(b);
    UpdateButtons();
  }
}

void TToolBar::ControlRemoved(TControl* control) {
  auto it = std::find(buttons_.begin(), buttons_.end(), control);
  if (it == buttons_.end()) return;
  buttons_.erase(it);
  UpdateButtons();
}

void TToolBar::Loaded() {
  TWinControl::Loaded();
  UpdateButtons();
}

void TToolBar::SortButtons() {
  std::stable_sort(buttons_.begin(), buttons_.end(),
                   [](TToolButton* a, TToolButton* b) { return a->Left() < b->Left(); });
}

int TToolBar::CommandOf(const TToolButton* button) const {
  auto it = std::find(buttons_.begin(), buttons_.end(), button);
  return it == buttons_.end() ? -1 : 1000 + static_cast<int>(it - buttons_.begin());
}

void TToolBar::UpdateButtonCaption(TToolButton* button) {
  auto it = std::find(buttons_.begin(), buttons_.end(), button);
  if (!HandleAllocated() || IsLoading() || updating_ || !showCaptions_ || it == buttons_.end() ||
      captions_.size() != buttons_.size()) {
    UpdateButtons();
    return;
  }
  std::wstring& caption = captions_[static_cast<std::size_t>(it - buttons_.begin())];
  caption = Utf8ToWide(button->Caption());
  TBBUTTONINFOW info{};
  info.cbSize = sizeof(info);
  info.dwMask = TBIF_TEXT;
  info.pszText = caption.data();
  if (!SendMessageW(Handle(), TB_SETBUTTONINFOW, static_cast<WPARAM>(CommandOf(button)),
                    reinterpret_cast<LPARAM>(&info)))
    UpdateButtons();
}

void TToolBar::UpdateButtons() {
  if (!HandleAllocated() || IsLoading() || updating_) return;
  updating_ = true;
  SortButtons();
  HWND wnd = Handle();
  while (SendMessageW(wnd, TB_BUTTONCOUNT, 0, 0) > 0) SendMessageW(wnd, TB_DELETEBUTTON, 0, 0);
  SendMessageW(wnd, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_));
  if (images_) {
    int cx = 0, cy = 0;
    ImageList_GetIconSize(images_, &cx, &cy);
    SendMessageW(wnd, TB_SETBITMAPSIZE, 0, MAKELPARAM(cx, cy));
  }
  captions_.clear();
  captions_.reserve(buttons_.size());
  std::vector<TBBUTTON> native;
  int x = 0;
  for (TToolButton* b : buttons_) {
    captions_.push_back(Utf8ToWide(b->Caption()));
    TBBUTTON tb{};
    tb.idCommand = CommandOf(b);
    bool separator = b->Style() == tbsSeparator || b->Style() == tbsDivider;
    if (separator) {
      tb.fsStyle = BTNS_SEP;
      tb.iBitmap = b->Width();
    } else {
      tb.iBitmap = b->ImageIndex() >= 0 ? b->ImageIndex() : I_IMAGENONE;
      tb.fsStyle =
          BTNS_BUTTON | (b->Style() == tbsCheck ? BTNS_CHECK : 0) | (b->Style() == tbsDropDown ? BTNS_DROPDOWN : 0);
      if (showCaptions_) tb.iString = reinterpret_cast<INT_PTR>(captions_.back().c_str());
    }
    tb.fsState =
        (b->Enabled() ? TBSTATE_ENABLED : 0) | (b->Down() ? TBSTATE_CHECKED : 0) | (b->Visible() ? 0 : TBSTATE_HIDDEN);
    native.push_back(tb);
    // The tool buttons take the places the tool bar gives them.
    int w = separator ? b->Width() : buttonWidth_;
    b->TControl::SetBounds(x, 0, w, separator ? buttonHeight_ : buttonHeight_);
    if (b->Visible()) x += w;
  }
  if (!native.empty()) SendMessageW(wnd, TB_ADDBUTTONSW, native.size(), reinterpret_cast<LPARAM>(native.data()));
  SendMessageW(wnd, TB_SETBUTTONSIZE, 0, MAKELPARAM(buttonWidth_, buttonHeight_));
  SendMessageW(wnd, TB_SETBUTTONWIDTH, 0, MAKELPARAM(buttonWidth_, buttonWidth_));
  SendMessageW(wnd, TB_AUTOSIZE, 0, 0);
  Invalidate();
  updating_ = false;
}

bool TToolBar::Pressable(int index) const {
  const TToolButton* b = buttons_[static_cast<std::size_t>(index)];
  return b->Visible() && b->Enabled() && b->Style() != tbsSeparator && b->Style() != tbsDivider;
}

TToolButton* TToolBar::KeyboardButton() const {
  if (!HandleAllocated()) return nullptr;
  const auto hot = static_cast<int>(SendMessageW(Handle(), TB_GETHOTITEM, 0, 0));
  return hot >= 0 && hot < ButtonCount() ? buttons_[static_cast<std::size_t>(hot)] : nullptr;
}

void TToolBar::MoveKeyboardButton(int step) {
  const int n = ButtonCount();
  if (!HandleAllocated() || n == 0) return;
  int at = static_cast<int>(SendMessageW(Handle(), TB_GETHOTITEM, 0, 0));
  for (int tried = 0; tried < n; ++tried) {
    at = at < 0 || at >= n ? (step > 0 ? 0 : n - 1) : (at + step + n) % n;
    if (Pressable(at)) {
      SendMessageW(Handle(), TB_SETHOTITEM, static_cast<WPARAM>(at), 0);
      return;
    }
  }
}

bool TToolBar::KeyDown(WPARAM key, LPARAM flags) {
  switch (key) {
    case VK_LEFT:
    case VK_UP: MoveKeyboardButton(-1); return true;
    case VK_RIGHT:
    case VK_DOWN: MoveKeyboardButton(1); return true;
    case VK_HOME:
    case VK_END:
      SendMessageW(Handle(), TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
      MoveKeyboardButton(key == VK_HOME ? 1 : -1);
      return true;
    case VK_SPACE:
    case VK_RETURN: {
      // A held key clicks once.
      constexpr LPARAM kRepeat = 1 << 30;
      TToolButton* b = KeyboardButton();
      if (b && !(flags & kRepeat)) b->Click();
      return true;
    }
    default: return false;
  }
}

void TToolBar::AnswerInfoTip(NMTBGETINFOTIPW& tip) const {
  const int index = tip.iItem - 1000;
  if (index < 0 || index >= ButtonCount() || !tip.pszText || tip.cchTextMax <= 0) return;
  const std::wstring caption = Utf8ToWide(buttons_[static_cast<std::size_t>(index)]->Caption());
  const std::size_t n = std::min(caption.size(), static_cast<std::size_t>(tip.cchTextMax - 1));
  caption.copy(tip.pszText, n);
  tip.pszText[n] = L'\0';
}

void TToolBar::WndProc(TMessage& msg) {
  switch (msg.Msg) {
    // The commands of the native buttons go to the tool bar's parent, which reflects them here.
    case CN_COMMAND: {
      int index = LOWORD(msg.WParam) - 1000;
      if (index >= 0 && index < ButtonCount()) buttons_[static_cast<std::size_t>(index)]->Click();
      return;
    }
    case WM_GETDLGCODE:
      TWinControl::WndProc(msg);
      msg.Result |= DLGC_WANTARROWS;
      return;
    case WM_KEYDOWN:
      if (KeyDown(msg.WParam, msg.LParam)) return;
      break;
    // The keyboard comes to a button with the focus and leaves it with the focus.
    case WM_SETFOCUS:
      TWinControl::WndProc(msg);
      if (!KeyboardButton()) MoveKeyboardButton(1);
      return;
    case WM_KILLFOCUS:
      TWinControl::WndProc(msg);
      SendMessageW(Handle(), TB_SETHOTITEM, static_cast<WPARAM>(-1), 0);
      return;
    case CN_NOTIFY:
      if (reinterpret_cast<NMHDR*>(msg.LParam)->code == TBN_GETINFOTIPW) {
        AnswerInfoTip(*reinterpret_cast<NMTBGETINFOTIPW*>(msg.LParam));
        return;
      }
      break;
    default: break;
  }
  if (msg.Msg == CN_NOTIFY && reinterpret_cast<NMHDR*>(msg.LParam)->code == NM_CUSTOMDRAW && OnCustomDrawButton) {
    auto* cd = reinterpret_cast<NMTBCUSTOMDRAW*>(msg.LParam);
    if (cd->nmcd.dwDrawStage == CDDS_PREPAINT) {
      msg.Result = CDRF_NOTIFYITEMDRAW;
      return;
    }
    if (cd->nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
      int index = static_cast<int>(cd->nmcd.dwItemSpec) - 1000;
      bool defaultDraw = true;
      if (index >= 0 && index < ButtonCount()) {
        customDrawDC_ = cd->nmcd.hdc;
        customDrawText_ = clNone;
        customDrawOwnFace_ = false;
        OnCustomDrawButton(this, buttons_[static_cast<std::size_t>(index)], cd->nmcd.uItemState, defaultDraw);
        customDrawDC_ = nullptr;
        if (customDrawText_ != clNone) cd->clrText = static_cast<COLORREF>(ColorToRGB(customDrawText_));
      }
      msg.Result = defaultDraw ? CDRF_DODEFAULT : CDRF_SKIPDEFAULT;
      if (defaultDraw && customDrawOwnFace_) msg.Result |= TBCDRF_NOBACKGROUND | TBCDRF_NOEDGES;
      return;
    }
  }
  TWinControl::WndProc(msg);
}

// ---- TTabSheet

QUILLIMO_REGISTER_CLASS(TTabSheet, [](TPropertyTable& p) {
  p.String("Caption", &TTabSheet::Caption, &TTabSheet::SetCaption);
  p.Integer("ImageIndex", &TTabSheet::ImageIndex, &TTabSheet::SetImageIndex, -1);
  p.Bool("TabVisible", &TTabSheet::TabVisible, &TTabSheet::SetTabVisible, true);
  p.Object("PageControl", &TTabSheet::PageControl, &TTabSheet::SetPageControl).Stored(false);
});

TTabSheet::TTabSheet(TComponent* owner) : TWinControl(owner) { SetVisibleFlag(false); }

TPageControl* TTabSheet::PageControl() const { return dynamic_cast<TPageControl*>(Parent()); }
void TTabSheet::SetPageControl(TPageControl* pageControl) { SetParent(pageControl); }

int TTabSheet::PageIndex() const {
  TPageControl* pc = PageControl();
  if (!pc) return -1;
  auto it = std::find(pc->pages_.begin(), pc->pages_.end(), this);
  return static_cast<int>(it - pc->pages_.begin());
}

void TTabSheet::SetImageIndex(int v) {
  imageIndex_ = v;
  if (TPageControl* pc = PageControl()) pc->UpdateTabs();
}

void TTabSheet::SetTabVisible(bool v) {
  tabVisible_ = v;
  if (TPageControl* pc = PageControl()) pc->UpdateTabs();
}

// A page holds controls: the dialog manager walks into it (Tab, mnemonics, arrows).
void TTabSheet::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.ExStyle |= WS_EX_CONTROLPARENT;
}

void TTabSheet::TextChanged() {
  TWinControl::TextChanged();
  if (TPageControl* pc = PageControl()) pc->UpdateTabCaption(this);
}

// ---- TPageControl

QUILLIMO_REGISTER_CLASS(TPageControl, [](TPropertyTable& p) {
  p.Object("ActivePage", &TPageControl::ActivePage, &TPageControl::SetActivePage);
  p.Bool("TabStop", &TPageControl::TabStop, &TPageControl::SetTabStop, true);
  p.Event("OnChange", &TPageControl::OnChange);
});

TPageControl::TPageControl(TComponent* owner) : TWinControl(owner) {
  SetBounds(0, 0, 289, 193);
  SetTabStop(true);
}

void TPageControl::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.ClassName = WC_TABCONTROLW;
  params.OwnClass = false;
  params.Style |= WS_CLIPCHILDREN;
  params.ExStyle |= WS_EX_CONTROLPARENT;  // the pages are its child windows
}

void TPageControl::HandleCreated() {
  SendTabPadding();
  UpdateTabs();
  PlacePages();
}

void TPageControl::ChangeScale(int from, int to) {
  tabPadding_ = {MulDiv(tabPadding_.x, to, from), MulDiv(tabPadding_.y, to, from)};
  tabPaddingScaled_ = true;
  SendTabPadding();
  TWinControl::ChangeScale(from, to);
}

void TPageControl::SendTabPadding() {
  if (tabPaddingScaled_ && HandleAllocated())
    SendMessageW(Handle(), TCM_SETPADDING, 0, MAKELPARAM(tabPadding_.x, tabPadding_.y));
}

void TPageControl::SetImages(HIMAGELIST images) {
  images_ = images;
  if (HandleAllocated()) SendMessageW(Handle(), TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
  UpdateTabs();
}

int TPageControl::TabIndexOf(const TTabSheet* page) const {
  int tab = 0;
  for (TTabSheet* p : pages_) {
    if (p == page) return p->TabVisible() ? tab : -1;
    if (p->TabVisible()) ++tab;
  }
  return -1;
}

void TPageControl::UpdateTabCaption(TTabSheet* page) {
  const int tab = TabIndexOf(page);
  if (!HandleAllocated() || IsLoading() || tab < 0) {
    UpdateTabs();
    return;
  }
  std::wstring text = Utf8ToWide(page->Caption());
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = text.data();
  SendMessageW(Handle(), TCM_SETITEMW, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&item));
  PlacePages();  // wider tabs may take another row
}

void TPageControl::UpdateTabs() {
  if (!HandleAllocated() || IsLoading()) return;
  HWND wnd = Handle();
  SendMessageW(wnd, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_));
  SendMessageW(wnd, TCM_DELETEALLITEMS, 0, 0);
  int tab = 0;
  for (TTabSheet* p : pages_) {
    if (!p->TabVisible()) continue;
    std::wstring text = Utf8ToWide(p->Caption());
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = text.data();
    item.iImage = p->ImageIndex();
    SendMessageW(wnd, TCM_INSERTITEMW, static_cast<WPARAM>(tab++), reinterpret_cast<LPARAM>(&item));
  }
  SendMessageW(wnd, TCM_SETCURSEL, static_cast<WPARAM>(TabIndexOf(activePage_)), 0);
  PlacePages();
}

RECT TPageControl::DisplayRect() const {
  RECT r = ClientRect();
  if (HandleAllocated()) SendMessageW(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
  return r;
}

void TPageControl::PlacePages() {
  if (!HandleAllocated()) return;
  RECT r = DisplayRect();
  for (TTabSheet* p : pages_) {
    p->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    p->SetVisible(p == activePage_);
  }
}

void TPageControl::BoundsChanged() {
  TWinControl::BoundsChanged();
  PlacePages();
}

void TPageControl::ControlInserted(TControl* control) {
  if (auto* sheet = dynamic_cast<TTabSheet*>(control)) {
    pages_.push_back(sheet);
    if (!activePage_) activePage_ = sheet;
    UpdateTabs();
  }
}

void TPageControl::ControlRemoved(TControl* control) {
  auto it = std::find(pages_.begin(), pages_.end(), control);
  if (it == pages_.end()) return;
  pages_.erase(it);
  if (activePage_ == control) activePage_ = pages_.empty() ? nullptr : pages_.front();
  UpdateTabs();
}

void TPageControl::Loaded() {
  TWinControl::Loaded();
  UpdateTabs();
}

void TPageControl::SetActivePage(TTabSheet* page) {
  if (page && page->PageControl() != this) return;
  if (page == activePage_) return;
  activePage_ = page;
  if (HandleAllocated()) SendMessageW(Handle(), TCM_SETCURSEL, static_cast<WPARAM>(TabIndexOf(page)), 0);
  PlacePages();
}

int TPageControl::ActivePageIndex() const { return activePage_ ? activePage_->PageIndex() : -1; }

void TPageControl::SetActivePageIndex(int index) {
  SetActivePage(index >= 0 && index < PageCount() ? pages_[static_cast<std::size_t>(index)] : nullptr);
}

bool TPageControl::SelectNextPage(bool forward) {
  std::vector<TTabSheet*> shown;
  for (TTabSheet* p : pages_)
    if (p->TabVisible()) shown.push_back(p);
  if (shown.empty()) return false;
  const auto at = std::find(shown.begin(), shown.end(), activePage_);
  const std::size_t n = shown.size();
  const std::size_t index = at == shown.end() ? (forward ? n - 1 : 0) : static_cast<std::size_t>(at - shown.begin());
  TTabSheet* next = shown[(index + (forward ? 1 : n - 1)) % n];
  if (next == activePage_) return false;
  SetActivePage(next);
  OnChange(this);
  return true;
}

void TPageControl::WndProc(TMessage& msg) {
  if (msg.Msg == CN_NOTIFY && reinterpret_cast<NMHDR*>(msg.LParam)->code == static_cast<UINT>(TCN_SELCHANGE)) {
    int tab = static_cast<int>(SendMessageW(Handle(), TCM_GETCURSEL, 0, 0));
    for (TTabSheet* p : pages_)
      if (TabIndexOf(p) == tab) {
        activePage_ = p;
        break;
      }
    PlacePages();
    OnChange(this);
    return;
  }
  TWinControl::WndProc(msg);
}
