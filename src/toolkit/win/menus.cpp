#include "toolkit/win/menus.h"

#include <algorithm>
#include <unordered_map>

#include "toolkit/core/utf8.h"
#include "toolkit/win/callback_errors.h"
#include "toolkit/win/dc_guards.h"
#include "toolkit/win/screen.h"
#include "toolkit/win/messages.h"
#include "toolkit/win/wincontrol.h"

namespace {
// Live items by command number; also tells whether an item pointer from a message is live.
std::unordered_map<UINT, TMenuItem*>& Commands() {
  static std::unordered_map<UINT, TMenuItem*> map;
  return map;
}
UINT NextCommand() {
  static UINT next = 0x100;
  return next++;
}
TMenuItem* LiveItem(ULONG_PTR data) {
  auto* item = reinterpret_cast<TMenuItem*>(data);
  for (auto& [id, live] : Commands())
    if (live == item) return item;
  return nullptr;
}

std::string KeyName(WORD key) {
  if (key >= 'A' && key <= 'Z') return std::string(1, static_cast<char>(key));
  if (key >= '0' && key <= '9') return std::string(1, static_cast<char>(key));
  if (key >= VK_F1 && key <= VK_F24) return "F" + std::to_string(key - VK_F1 + 1);
  switch (key) {
    case VK_BACK: return "BkSp";
    case VK_TAB: return "Tab";
    case VK_RETURN: return "Enter";
    case VK_ESCAPE: return "Esc";
    case VK_SPACE: return "Space";
    case VK_PRIOR: return "PgUp";
    case VK_NEXT: return "PgDn";
    case VK_END: return "End";
    case VK_HOME: return "Home";
    case VK_LEFT: return "Left";
    case VK_UP: return "Up";
    case VK_RIGHT: return "Right";
    case VK_DOWN: return "Down";
    case VK_INSERT: return "Ins";
    case VK_DELETE: return "Del";
    default: return "";
  }
}
}  // namespace

TShortCut MakeShortCut(WORD key, bool shift, bool ctrl, bool alt) {
  TShortCut s = static_cast<TShortCut>(key & 0xFF);
  if (shift) s |= scShift;
  if (ctrl) s |= scCtrl;
  if (alt) s |= scAlt;
  return s;
}

std::string ShortCutToText(TShortCut shortCut) {
  std::string name = KeyName(static_cast<WORD>(shortCut & 0xFF));
  if (name.empty()) return "";
  std::string text;
  if (shortCut & scShift) text += "Shift+";
  if (shortCut & scCtrl) text += "Ctrl+";
  if (shortCut & scAlt) text += "Alt+";
  return text + name;
}

TOwnerDrawState OwnerDrawStateFromItemState(UINT s) {
  TOwnerDrawState state;
  if (s & ODS_SELECTED) state.Include(odSelected);
  if (s & ODS_GRAYED) state.Include(odGrayed);
  if (s & ODS_DISABLED) state.Include(odDisabled);
  if (s & ODS_CHECKED) state.Include(odChecked);
  if (s & ODS_FOCUS) state.Include(odFocused);
  if (s & ODS_DEFAULT) state.Include(odDefault);
  if (s & ODS_HOTLIGHT) state.Include(odHotLight);
  if (s & ODS_INACTIVE) state.Include(odInactive);
  if (s & ODS_NOACCEL) state.Include(odNoAccel);
  if (s & ODS_NOFOCUSRECT) state.Include(odNoFocusRect);
  return state;
}

QUILLIMO_REGISTER_CLASS(TMenuItem, [](TPropertyTable& p) {
  p.String("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption);
  p.Bool("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked, false);
  p.Bool("Default", &TMenuItem::Default, &TMenuItem::SetDefault, false);
  p.Bool("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled, true);
  p.String("Hint", &TMenuItem::Hint, &TMenuItem::SetHint);
  p.Integer("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex, -1);
  p.Bool("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem, false);
  p.Integer("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut, 0);
  p.Bool("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible, true);
  p.Event("OnClick", &TMenuItem::OnClick);
  p.Event("OnMeasureItem", &TMenuItem::OnMeasureItem);
  p.Event("OnAdvancedDrawItem", &TMenuItem::OnAdvancedDrawItem);
});
QUILLIMO_REGISTER_CLASS(TMenu,
                        [](TPropertyTable& p) { p.Bool("OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw, false); });
QUILLIMO_REGISTER_CLASS(TMainMenu);
QUILLIMO_REGISTER_CLASS(TPopupMenu, [](TPropertyTable& p) { p.Event("OnPopup", &TPopupMenu::OnPopup); });

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(NextCommand()) { Commands()[command_] = this; }

TMenuItem::~TMenuItem() {
  destroying_ = true;
  Commands().erase(command_);
  while (!items_.empty()) delete items_.back();
  if (parent_) parent_->Remove(this);
  if (handle_) {
    while (GetMenuItemCount(handle_) > 0) RemoveMenu(handle_, 0, MF_BYPOSITION);
    DestroyMenu(handle_);
  }
}

void TMenuItem::SetCaption(const std::string& v) { Change(caption_, v); }
void TMenuItem::SetShortCut(TShortCut v) { Change(shortCut_, v); }
void TMenuItem::SetImageIndex(int v) { Change(imageIndex_, v); }
void TMenuItem::SetChecked(bool v) { Change(checked_, v); }
void TMenuItem::SetEnabled(bool v) { Change(enabled_, v); }
void TMenuItem::SetVisible(bool v) {
  if (visible_ == v) return;
  visible_ = v;
  if (parent_) parent_->RebuildHandle();  // the entries after it change places
}
void TMenuItem::SetDefault(bool v) { Change(default_, v); }
void TMenuItem::SetRadioItem(bool v) { Change(radioItem_, v); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item || item->parent_ == this) return;
  if (item->parent_) item->parent_->Remove(item);
  index = std::clamp(index, 0, Count());
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
  RebuildHandle();
}

void TMenuItem::Remove(TMenuItem* item) {
  auto it = std::find(items_.begin(), items_.end(), item);
  if (it == items_.end()) return;
  items_.erase(it);
  item->parent_ = nullptr;
  if (!destroying_) RebuildHandle();
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  auto it = std::find(items_.begin(), items_.end(), item);
  return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
}

TMenu* TMenuItem::ParentMenu() const {
  const TMenuItem* i = this;
  while (i->parent_) i = i->parent_;
  return i->menu_;
}

HMENU TMenuItem::Handle() {
  if (!handle_) {
    handle_ = menu_ ? menu_->CreateMenuHandle() : CreatePopupMenu();
    RebuildHandle();
  }
  return handle_;
}

// A visible item's entry is rewritten in its place (a language switch renames every item of a
// menu, and rebuilding the menu for each costs a menu bar redraw each time). Owner-drawn entries
// are made anew, so that the system measures them again.
void TMenuItem::Changed() {
  if (!parent_) return;
  TMenu* menu = ParentMenu();
  if (!parent_->handle_ || parent_->destroying_ || !visible_ || (menu && menu->OwnerDraw())) {
    parent_->RebuildHandle();
    return;
  }
  UINT position = 0;
  for (TMenuItem* item : parent_->items_) {
    if (item == this) break;
    if (item->visible_) ++position;
  }
  std::wstring text;
  MENUITEMINFOW mi = EntryInfo(text);
  mi.hSubMenu = Count() > 0 ? Handle() : nullptr;
  if (!SetMenuItemInfoW(parent_->handle_, position, TRUE, &mi)) {
    parent_->RebuildHandle();
    return;
  }
  // Only the entries of the menu bar itself are on the screen until a menu opens.
  if (menu && !parent_->parent_) menu->MenuChanged();
}

MENUITEMINFOW TMenuItem::EntryInfo(std::wstring& text) const {
  text = Utf8ToWide(caption_);
  if (shortCut_) text += L"\t" + Utf8ToWide(ShortCutToText(shortCut_));
  MENUITEMINFOW mi{};
  mi.cbSize = sizeof(mi);
  mi.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU | MIIM_DATA;
  TMenu* menu = ParentMenu();
  if (IsLine()) mi.fType |= MFT_SEPARATOR;
  if (radioItem_) mi.fType |= MFT_RADIOCHECK;
  if (menu && menu->OwnerDraw()) mi.fType |= MFT_OWNERDRAW;
  if (checked_) mi.fState |= MFS_CHECKED;
  if (!enabled_) mi.fState |= MFS_GRAYED;
  if (default_) mi.fState |= MFS_DEFAULT;
  mi.wID = command_;
  mi.dwItemData = reinterpret_cast<ULONG_PTR>(this);
  mi.dwTypeData = text.data();
  mi.cch = static_cast<UINT>(text.size());
  return mi;
}

void TMenuItem::RebuildHandle() {
  if (!handle_ || destroying_) return;
  while (GetMenuItemCount(handle_) > 0) RemoveMenu(handle_, 0, MF_BYPOSITION);
  UINT position = 0;
  for (TMenuItem* item : items_) {
    if (!item->visible_) continue;
    std::wstring text;
    MENUITEMINFOW mi = item->EntryInfo(text);
    mi.hSubMenu = item->Count() > 0 ? item->Handle() : nullptr;
    InsertMenuItemW(handle_, position++, TRUE, &mi);
  }
  if (TMenu* menu = ParentMenu()) menu->MenuChanged();
}

void TMenuItem::Click() { OnClick(this); }

void TMenuItem::MeasureItem(HDC dc, int& width, int& height) {
  if (OnMeasureItem) {
    OnMeasureItem(this, dc, width, height);
    return;
  }
  if (IsLine()) {
    width = 10;
    height = GetSystemMetrics(SM_CYMENU) / 2;
    return;
  }
  std::wstring text = Utf8ToWide(caption_);
  if (shortCut_) text += L"    " + Utf8ToWide(ShortCutToText(shortCut_));
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  width = size.cx + 2 * GetSystemMetrics(SM_CXMENUCHECK);
  height = std::max<int>(size.cy + 4, GetSystemMetrics(SM_CYMENU));
}

void TMenuItem::AdvancedDrawItem(HDC dc, RECT rect, TOwnerDrawState state) {
  if (OnAdvancedDrawItem) {
    OnAdvancedDrawItem(this, dc, rect, state);
    return;
  }
  bool selected = state.Contains(odSelected);
  FillRect(dc, &rect, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_MENU));
  if (IsLine()) {
    RECT line{rect.left, (rect.top + rect.bottom) / 2 - 1, rect.right, (rect.top + rect.bottom) / 2 + 1};
    DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
    return;
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(!enabled_ ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
  RECT textRect = rect;
  textRect.left += GetSystemMetrics(SM_CXMENUCHECK) + 4;
  std::wstring text = Utf8ToWide(caption_);
  DrawTextW(dc, text.c_str(), -1, &textRect, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
  if (shortCut_) {
    std::wstring key = Utf8ToWide(ShortCutToText(shortCut_));
    textRect.right -= 8;
    DrawTextW(dc, key.c_str(), -1, &textRect, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
  }
}

TMenuItem* TMenuItem::FindCommand(UINT command) {
  auto it = Commands().find(command);
  return it == Commands().end() ? nullptr : it->second;
}

bool TMenuItem::DispatchCommand(UINT command) {
  TMenuItem* item = FindCommand(command);
  if (!item) return false;
  item->Click();
  return true;
}

bool TMenuItem::HandleDrawItem(DRAWITEMSTRUCT* dis) {
  if (dis->CtlType != ODT_MENU) return false;
  TMenuItem* item = LiveItem(dis->itemData);
  if (!item) return false;
  item->AdvancedDrawItem(dis->hDC, dis->rcItem, OwnerDrawStateFromItemState(dis->itemState));
  return true;
}

bool TMenuItem::HandleMeasureItem(MEASUREITEMSTRUCT* mis) {
  if (mis->CtlType != ODT_MENU) return false;
  TMenuItem* item = LiveItem(mis->itemData);
  if (!item) return false;
  // Items are measured in the font the system draws menus with.
  TClientDC dc(nullptr);
  TSelectObject font(dc, Screen->MenuFontHandle());
  int w = static_cast<int>(mis->itemWidth), h = static_cast<int>(mis->itemHeight);
  item->MeasureItem(dc, w, h);
  mis->itemWidth = static_cast<UINT>(std::max(w, 0));
  mis->itemHeight = static_cast<UINT>(std::max(h, 0));
  return true;
}

bool TMenuItem::FindShortCut(TShortCut shortCut) {
  for (TMenuItem* item : items_) {
    if (!item->visible_ || !item->enabled_) continue;
    if (item->shortCut_ == shortCut && item->Count() == 0) {
      item->Click();
      return true;
    }
    if (item->FindShortCut(shortCut)) return true;
  }
  return false;
}

void TMenuItem::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  for (TMenuItem* item : items_) proc(item);
}

TComponent* TMenuItem::GetParentComponent() const {
  if (parent_ && parent_->menu_) return parent_->menu_;
  return parent_;
}

void TMenuItem::SetParentComponent(TComponent* parent) {
  if (auto* item = dynamic_cast<TMenuItem*>(parent))
    item->Add(this);
  else if (auto* menu = dynamic_cast<TMenu*>(parent))
    menu->Items()->Add(this);
}

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(std::make_unique<TMenuItem>(nullptr)) {
  items_->menu_ = this;
}

TMenu::~TMenu() { items_.reset(); }

void TMenu::SetOwnerDraw(bool v) {
  if (v == ownerDraw_) return;
  ownerDraw_ = v;
  // Every level of the menu takes the new entry type.
  std::function<void(TMenuItem*)> rebuild = [&](TMenuItem* item) {
    item->RebuildHandle();
    for (TMenuItem* child : item->items_) rebuild(child);
  };
  rebuild(items_.get());
}

bool TMenu::DispatchShortCut(TShortCut shortCut) { return shortCut && items_->FindShortCut(shortCut); }

void TMenu::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  items_->GetChildren(proc, root);
}

void TMenu::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0 && changedInUpdate_) {
    changedInUpdate_ = false;
    MenuChanged();
  }
}

void TMenu::MenuChanged() {
  if (updateCount_ > 0) {
    changedInUpdate_ = true;
    return;
  }
  if (!window_ || !IsWindow(window_)) return;
  // The system draws a menu bar that is on the window; a skinned frame takes the menu off the
  // window and draws the bar itself. The change is sent to the window, so that whatever hooks
  // it learns of it too.
  if (GetMenu(window_)) DrawMenuBar(window_);
  SendMessageW(window_, CM_MENUCHANGED, 0, 0);
}

namespace {
LRESULT CALLBACK PopupWndProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  try {
    switch (msg) {
      case WM_COMMAND:
        if (TMenuItem::DispatchCommand(LOWORD(wp))) return 0;
        break;
      case WM_DRAWITEM:
        if (TMenuItem::HandleDrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lp))) return TRUE;
        break;
      case WM_MEASUREITEM:
        if (TMenuItem::HandleMeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lp))) return TRUE;
        break;
      default: break;
    }
  } catch (...) {
    ReportCallbackException();
    return 0;
  }
  return DefWindowProcW(wnd, msg, wp, lp);
}
}  // namespace

HWND TPopupMenu::PopupWindow() {
  static HWND wnd = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = PopupWndProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"TPopupList";
    RegisterClassW(&wc);
    return CreateWindowExW(WS_EX_TOOLWINDOW, wc.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                           wc.hInstance, nullptr);
  }();
  return wnd;
}

void TPopupMenu::Popup(int x, int y) {
  OnPopup(this);
  HWND wnd = PopupWindow();
  SetForegroundWindow(wnd);
  TrackPopupMenu(Handle(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, x, y, 0, wnd, nullptr);
  PostMessageW(wnd, WM_NULL, 0, 0);
}
