#include "toolkit/win/checklst.h"

#include <algorithm>

#include <windowsx.h>

#include "toolkit/core/format.h"
#include "toolkit/core/utf8.h"

QUILLIMO_REGISTER_CLASS(TListBoxStrings);

TListBoxStrings::Item& TListBoxStrings::At(int index) {
  if (index < 0 || index >= Count()) IndexError(index);
  return items_[static_cast<std::size_t>(index)];
}
const TListBoxStrings::Item& TListBoxStrings::At(int index) const {
  if (index < 0 || index >= Count()) IndexError(index);
  return items_[static_cast<std::size_t>(index)];
}

std::string TListBoxStrings::Get(int index) const { return At(index).Text; }
TObject* TListBoxStrings::GetObject(int index) const { return At(index).Object; }
void TListBoxStrings::PutObject(int index, TObject* object) { At(index).Object = object; }

void TListBoxStrings::Put(int index, const std::string& s) {
  At(index).Text = s;
  list_->SyncWindow();
}

void TListBoxStrings::Insert(int index, const std::string& s) {
  if (index < 0 || index > Count()) IndexError(index);
  items_.insert(items_.begin() + index, Item{s});
  if (list_->HandleAllocated()) {
    std::wstring w = Utf8ToWide(s);
    SendMessageW(list_->Handle(), LB_INSERTSTRING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(w.c_str()));
  }
}

void TListBoxStrings::Delete(int index) {
  At(index);
  items_.erase(items_.begin() + index);
  if (list_->HandleAllocated()) SendMessageW(list_->Handle(), LB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void TListBoxStrings::Clear() {
  items_.clear();
  list_->itemIndex_ = -1;
  if (list_->HandleAllocated()) SendMessageW(list_->Handle(), LB_RESETCONTENT, 0, 0);
}

QUILLIMO_REGISTER_CLASS(TCustomListBox, [](TPropertyTable& p) {
  p.Object("Items", &TCustomListBox::Items, &TCustomListBox::SetItems);
  p.Integer("ItemHeight", &TCustomListBox::ItemHeight, &TCustomListBox::SetItemHeight, 13);
  p.Integer("Color", &TCustomListBox::Color, &TCustomListBox::SetColor, clWindow);
  p.Bool("TabStop", &TCustomListBox::TabStop, &TCustomListBox::SetTabStop, true);
});
QUILLIMO_REGISTER_CLASS(TListBox);
QUILLIMO_REGISTER_CLASS(TCheckListBox,
                        [](TPropertyTable& p) { p.Event("OnClickCheck", &TCheckListBox::OnClickCheck); });

TCustomListBox::TCustomListBox(TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<TListBoxStrings>(this)) {
  SetColor(clWindow);
  SetTabStop(true);
  SetBounds(0, 0, 121, 97);
}

TCustomListBox::~TCustomListBox() = default;

void TCustomListBox::SetItems(TStrings* items) {
  if (items) items_->Assign(items);
}

void TCustomListBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.ClassName = L"LISTBOX";
  params.OwnClass = false;
  params.Style |= LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
  params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomListBox::HandleCreated() {
  SyncWindow();
  // A selection made before the window existed was kept in itemIndex_; the new window has
  // none yet.
  if (itemIndex_ >= 0 && itemIndex_ < Count()) SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
  SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, itemHeight_);
}

void TCustomListBox::SyncWindow() {
  if (!HandleAllocated()) return;
  int index = ItemIndex();
  // A list on the screen is filled without a paint per line and painted once; one that is not
  // is painted when it appears.
  const bool onScreen = IsWindowVisible(Handle());
  if (onScreen) SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
  SendMessageW(Handle(), LB_RESETCONTENT, 0, 0);
  for (const auto& item : items_->items_) {
    std::wstring w = Utf8ToWide(item.Text);
    SendMessageW(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(w.c_str()));
  }
  SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  if (onScreen) {
    SendMessageW(Handle(), WM_SETREDRAW, TRUE, 0);
    InvalidateRect(Handle(), nullptr, TRUE);
  }
}

int TCustomListBox::ItemIndex() const {
  if (!HandleAllocated()) return itemIndex_;
  return static_cast<int>(SendMessageW(Handle(), LB_GETCURSEL, 0, 0));
}

void TCustomListBox::SetItemIndex(int index) {
  if (index < -1 || index >= Count()) index = -1;
  itemIndex_ = index;
  if (HandleAllocated()) SendMessageW(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TCustomListBox::SetItemHeight(int v) {
  if (v <= 0) return;
  itemHeight_ = v;
  if (HandleAllocated()) SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, v);
}

void TCustomListBox::ChangeScale(int from, int to) {
  SetItemHeight(MulDiv(itemHeight_, to, from));
  TWinControl::ChangeScale(from, to);
}

void TCustomListBox::WndProc(TMessage& msg) {
  if (msg.Msg == CN_COMMAND && HIWORD(msg.WParam) == LBN_SELCHANGE) {
    // The list reports every click; only a new selection is a change.
    int index = ItemIndex();
    if (index == itemIndex_) return;
    itemIndex_ = index;
    Click();
    return;
  }
  if (msg.Msg == CN_COMMAND && HIWORD(msg.WParam) == LBN_DBLCLK) {
    OnDblClick(this);
    return;
  }
  TWinControl::WndProc(msg);
}

bool TCheckListBox::Checked(int index) const { return ItemList().At(index).Checked; }

void TCheckListBox::SetChecked(int index, bool checked) {
  auto& item = ItemList().At(index);
  if (item.Checked == checked) return;
  item.Checked = checked;
  if (HandleAllocated()) {
    RECT r;
    SendMessageW(Handle(), LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    InvalidateRect(Handle(), &r, FALSE);
  }
}

void TCheckListBox::CreateParams(TCreateParams& params) {
  TCustomListBox::CreateParams(params);
  params.Style |= LBS_OWNERDRAWFIXED;
}

int TCheckListBox::CheckWidth() const { return ItemHeight() + 2; }

void TCheckListBox::ChangeScale(int from, int to) {
  checkSide_ = MulDiv(checkSide_, to, from);
  TCustomListBox::ChangeScale(from, to);
}

void TCheckListBox::ToggleByUser(int index) {
  if (index < 0 || index >= Count()) return;
  SetChecked(index, !Checked(index));
  OnClickCheck(this);
  Click();
}

void TCheckListBox::DrawItem(const DRAWITEMSTRUCT& dis) {
  if (static_cast<int>(dis.itemID) < 0 || static_cast<int>(dis.itemID) >= Count()) {
    FillRect(dis.hDC, &dis.rcItem, BackgroundBrush(dis.hDC));
    return;
  }
  int index = static_cast<int>(dis.itemID);
  HDC dc = dis.hDC;
  RECT box = dis.rcItem;
  box.right = box.left + CheckWidth();
  FillRect(dc, &box, BackgroundBrush(dc));
  int side = std::min<int>(ItemHeight() - 2, checkSide_);
  RECT tick{box.left + 2, box.top + (box.bottom - box.top - side) / 2, 0, 0};
  tick.right = tick.left + side;
  tick.bottom = tick.top + side;
  DrawFrameControl(
      dc, &tick, DFC_BUTTON,
      DFCS_BUTTONCHECK | DFCS_FLAT | (Checked(index) ? DFCS_CHECKED : 0) | (Enabled() ? 0 : DFCS_INACTIVE));
  RECT text = dis.rcItem;
  text.left = box.right;
  bool selected = (dis.itemState & ODS_SELECTED) != 0;
  FillRect(dc, &text, selected ? GetSysColorBrush(COLOR_HIGHLIGHT) : BackgroundBrush(dc));
  HGDIOBJ old = SelectObject(dc, FontHandle(Font()->Data()));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : static_cast<COLORREF>(ColorToRGB(Font()->Color())));
  std::wstring w = Utf8ToWide(Items()->Get(index));
  RECT inner = text;
  inner.left += 2;
  DrawTextW(dc, w.c_str(), -1, &inner, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  SelectObject(dc, old);
  if (dis.itemState & ODS_FOCUS) DrawFocusRect(dc, &text);
}

void TCheckListBox::WndProc(TMessage& msg) {
  switch (msg.Msg) {
    case CN_DRAWITEM:
      DrawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(msg.LParam));
      msg.Result = TRUE;
      return;
    case WM_ERASEBKGND: {
      // The items paint their whole rows; only the space below the last one is erased. An
      // erase that comes after the items were drawn (Wine sends one when a resized window
      // around the list is repainted) then leaves them standing.
      RECT rest = ClientRect();
      const int top = static_cast<int>(SendMessageW(Handle(), LB_GETTOPINDEX, 0, 0));
      rest.top = std::max(0, Count() - top) * static_cast<int>(SendMessageW(Handle(), LB_GETITEMHEIGHT, 0, 0));
      if (rest.top < rest.bottom)
        FillRect(reinterpret_cast<HDC>(msg.WParam), &rest, BackgroundBrush(reinterpret_cast<HDC>(msg.WParam)));
      msg.Result = 1;
      return;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
      TCustomListBox::WndProc(msg);  // selects the item (and reports a new selection)
      POINT p{GET_X_LPARAM(msg.LParam), GET_Y_LPARAM(msg.LParam)};
      LRESULT hit = SendMessageW(Handle(), LB_ITEMFROMPOINT, 0, MAKELPARAM(p.x, p.y));
      if (HIWORD(hit) == 0 && p.x < CheckWidth()) ToggleByUser(LOWORD(hit));
      return;
    }
    case WM_KEYDOWN:
      if (msg.WParam == VK_SPACE) {
        ToggleByUser(ItemIndex());
        return;
      }
      break;
    case WM_CHAR:
      if (msg.WParam == L' ') return;
      break;
    default: break;
  }
  TCustomListBox::WndProc(msg);
}
