#include "toolkit/win/listview.h"

#include <commctrl.h>

#include "toolkit/core/utf8.h"

QUILLIMO_REGISTER_CLASS(TListView);

TListView::TListView(TComponent* owner) : TWinControl(owner) {
  SetColor(clWindow);
  SetTabStop(true);
  SetBounds(0, 0, 250, 150);
}

void TListView::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.ClassName = WC_LISTVIEWW;
  params.OwnClass = false;
  params.Style |= LVS_REPORT | LVS_SHOWSELALWAYS;
  params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListView::AddColumn(const std::string& caption, int width) {
  std::wstring text = Utf8ToWide(caption);
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.cx = width;
  column.pszText = text.data();
  SendMessageW(Handle(), LVM_INSERTCOLUMNW, static_cast<WPARAM>(columns_++), reinterpret_cast<LPARAM>(&column));
}

void TListView::AddItem(const std::string& caption) {
  std::wstring text = Utf8ToWide(caption);
  LVITEMW item{};
  item.mask = LVIF_TEXT;
  item.iItem = ItemCount();
  item.pszText = text.data();
  SendMessageW(Handle(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

int TListView::ItemCount() const {
  return HandleAllocated() ? static_cast<int>(SendMessageW(Handle(), LVM_GETITEMCOUNT, 0, 0)) : 0;
}

HWND TListView::HeaderHandle() const {
  return HandleAllocated() ? reinterpret_cast<HWND>(SendMessageW(Handle(), LVM_GETHEADER, 0, 0)) : nullptr;
}
