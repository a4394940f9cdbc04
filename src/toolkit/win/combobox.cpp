#include "toolkit/win/combobox.h"

#include <algorithm>

#include "toolkit/core/utf8.h"

QUILLIMO_REGISTER_CLASS(TCustomComboBox, [](TPropertyTable& p) {
  p.Enum("Style", &TCustomComboBox::Style, &TCustomComboBox::SetStyle, csDropDown);
  p.Object("Items", &TCustomComboBox::Items, &TCustomComboBox::SetItems);
  p.Integer("ItemIndex", &TCustomComboBox::ItemIndex, &TCustomComboBox::SetItemIndex, -1);
  p.Integer("Color", &TCustomComboBox::Color, &TCustomComboBox::SetColor, clWindow);
  p.Event("OnChange", &TCustomComboBox::OnChange);
});
QUILLIMO_REGISTER_CLASS(TComboBox);

TCustomComboBox::TCustomComboBox(TComponent* owner) : TWinControl(owner), items_(std::make_unique<TStringList>()) {
  SetColor(clWindow);
  SetTabStop(true);
  SetBounds(0, 0, 145, 21);
  items_->OnChange = [this](TObject*) { FillWindow(); };
}

TCustomComboBox::~TCustomComboBox() { items_->OnChange = nullptr; }

void TCustomComboBox::SetItems(TStrings* items) {
  if (items) items_->Assign(items);
}

void TCustomComboBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.ClassName = L"COMBOBOX";
  params.OwnClass = false;
  params.Style |= WS_VSCROLL | CBS_AUTOHSCROLL;
  switch (style_) {
    case csDropDown: params.Style |= CBS_DROPDOWN; break;
    case csSimple: params.Style |= CBS_SIMPLE; break;
    case csDropDownList: params.Style |= CBS_DROPDOWNLIST; break;
  }
  // A drop-down combo box is made as high as its open list; the system reports the closed height.
  if (style_ != csSimple) params.Height = std::max(params.Height, 160);
}

void TCustomComboBox::HandleCreated() { FillWindow(); }

void TCustomComboBox::FillWindow() {
  if (!HandleAllocated()) return;
  SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
  for (int i = 0; i < items_->Count(); ++i)
    SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Utf8ToWide(items_->Get(i)).c_str()));
  SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
}

int TCustomComboBox::ItemIndex() const {
  if (!HandleAllocated()) return itemIndex_;
  return static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0));
}

void TCustomComboBox::SetItemIndex(int v) {
  itemIndex_ = v;
  if (HandleAllocated()) SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(v), 0);
}

void TCustomComboBox::WndProc(TMessage& msg) {
  if (msg.Msg == CN_COMMAND && HIWORD(msg.WParam) == CBN_SELCHANGE) {
    itemIndex_ = ItemIndex();
    OnChange(this);
    return;
  }
  TWinControl::WndProc(msg);
}
