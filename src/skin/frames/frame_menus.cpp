#include "skin/frames/frame_menus.h"

#include <algorithm>
#include <functional>

#include "skin/data/skin_set.h"
#include "skin/frames/form_frame.h"
#include "skin/frames/menu_accessible.h"
#include "skin/frames/menu_bar.h"
#include "skin/frames/menu_items.h"
#include "skin/frames/popup_window.h"
#include "skin/frames/skin_engine.h"
#include "toolkit/win/dc_guards.h"
#include "toolkit/win/form.h"
#include "toolkit/win/imagelist.h"
#include "toolkit/win/menus.h"
#include "toolkit/win/screen.h"

TFrameMenus::TFrameMenus(TSkinFormFrame& frame) : frame_(frame), doubleClickTime_(GetDoubleClickTime()) {}

TFrameMenus::~TFrameMenus() {
  StopBarKeys();
  EndTracking();
  DisconnectMenuBarObjects(frame_);
}

// ---- The bar ----

void TFrameMenus::AttachBar() {
  TSkinSet& skin = *frame_.SkinData();
  savedMenuUpdate_ = skin.MenuUpdate();
  nativeMenu_ = GetMenu(frame_.Handle());
  if (!nativeMenu_ || frame_.IsMdiChild()) return;
  bar_ = std::make_unique<TSkinMenuBar>(&frame_, &skin);
  barHeight_ = GetSystemMetrics(SM_CYMENU);
  if (frame_.Form()) bar_->SetToolkitMenu(frame_.Form()->Menu());
  bar_->BuildFromWindowMenu();
}

void TFrameMenus::DropBar() {
  LeaveBar();
  bar_.reset();
}

void TFrameMenus::GiveBackNativeBar() {
  if (!bar_) return;
  LeaveBar();
  SetMenu(frame_.Handle(), nativeMenu_);
  bar_.reset();
}

void TFrameMenus::PaintBar(HDC dc, const RECT& rect) {
  if (bar_ && barHeight_ > 0) bar_->Paint(dc, rect);
}

void TFrameMenus::RebuildChangedBar() {
  if (!bar_ || !frame_.SkinData()->MenuUpdate()) return;
  // A native menu handed back to the window is taken again; a toolkit menu changed in place
  // (the window has no native menu while it is skinned) is read from the menu.
  if (GetMenu(frame_.Handle()))
    bar_->BuildFromWindowMenu();
  else if (bar_->ToolkitMenu())
    bar_->BuildFromMenu();
  PostMessageW(frame_.Handle(), SkinMessage::RepaintFrame, 0, 0);
}

void TFrameMenus::RebuildBarForFrame() {
  if (!bar_) return;
  frame_.SkinData()->SetMenuUpdate(savedMenuUpdate_);
  if (bar_->ToolkitMenu())
    bar_->BuildFromMenu();
  else
    bar_->BuildFromHandle(bar_->MenuHandle());
}

void TFrameMenus::TakeMdiMenu(HMENU menu, bool forced) {
  if (bar_ && (forced || menu != bar_->MenuHandle()))
    bar_->BuildFromHandle(GetMenu(frame_.Handle()) ? GetMenu(frame_.Handle()) : menu);
  SetMenu(frame_.Handle(), nullptr);
}

bool TFrameMenus::HasItemForKey(wchar_t key) const { return bar_ && bar_->ButtonForKey(key); }

// ---- The system menu ----

namespace {
// The items' tags; the first three are the window states they lead to, so the item of the
// state the window is in is disabled.
constexpr int kSysRestore = static_cast<int>(TFrameWindowState::Normal);
constexpr int kSysMaximize = static_cast<int>(TFrameWindowState::Maximized);
constexpr int kSysMinimize = static_cast<int>(TFrameWindowState::Minimized);
constexpr int kSysClose = 3, kSysLine = 100;
}  // namespace

HMENU TFrameMenus::ReadSystemMenu() {
  systemMenu_ = GetSystemMenu(frame_.Handle(), FALSE);
  return systemMenu_;
}

void TFrameMenus::BuildSystemMenu(bool maximizeBox, bool minimizeBox) {
  systemMenuPopup_ = std::make_unique<TPopupMenu>(nullptr);
  systemMenuPopup_->SetTag(33333);
  systemMenuPopup_->SetOwnerDraw(true);
  systemMenuPopup_->Images = &SystemMenuGlyphList(*frame_.SkinData());
  auto add = [&](const char* caption, int tag, TShortCut shortCut = 0) {
    auto* item = new TMenuItem(systemMenuPopup_.get());
    item->SetCaption(caption);
    item->SetTag(tag);
    item->SetImageIndex(tag == kSysLine ? -1 : tag);
    item->SetShortCut(shortCut);
    TSkinFormFrame& frame = frame_;
    item->OnClick = [&frame, tag](TObject*) {
      switch (tag) {
        case kSysRestore: frame.Restore(); break;
        case kSysMaximize: frame.Maximize(); break;
        case kSysMinimize: frame.Minimize(); break;
        case kSysClose: frame.CloseWindow(); break;
        default: break;
      }
    };
    item->OnMeasureItem = [this](TObject* sender, HDC dc, int& width, int& height) {
      MeasurePopupItem(*static_cast<TMenuItem*>(sender), dc, width, height);
    };
    item->OnAdvancedDrawItem = [this](TObject* sender, HDC dc, RECT rect, TOwnerDrawState state) {
      DrawItem(*static_cast<TMenuItem*>(sender), dc, rect, state.Contains(odSelected));
    };
    systemMenuPopup_->Items()->Add(item);
  };
  add(" Restore ", kSysRestore);
  if (maximizeBox) add(" Maximize ", kSysMaximize);
  if (minimizeBox) add(" Minimize ", kSysMinimize);
  add("-", kSysLine);
  add(" Close ", kSysClose, MakeShortCut(VK_F4, true, false, false));
}

void TFrameMenus::DropSystemMenu() { systemMenuPopup_.reset(); }

void TFrameMenus::ShowSystemMenu(int x, int y) {
  if (systemMenuPopup_) {
    TMenuItem* items = systemMenuPopup_->Items();
    for (int i = 0; i < items->Count(); ++i) {
      TMenuItem* item = items->Items(i);
      if (item->Tag() <= kSysMinimize) item->SetEnabled(static_cast<int>(frame_.WindowState()) != item->Tag());
    }
  }
  const DWORD now = GetTickCount();
  if (now - lastSystemMenuTick_ > doubleClickTime_) {
    lastSystemMenuTick_ = now;
    if (systemMenuPopup_ && frame_.SkinData()->SkinControls().Contains(xcSystemMenu) && !frame_.IsMdiChild())
      systemMenuPopup_->Popup(x, y);
    else
      TrackPopupMenu(systemMenu_, TPM_RIGHTBUTTON, x, y, 0, frame_.Handle(), nullptr);
  } else if (frame_.HotObject()) {
    // The icon button clicked twice closes the window.
    frame_.CloseWindow();
  }
}

// ---- Owner-drawn items ----

void TFrameMenus::MeasurePopupItem(TMenuItem& item, HDC dc, int& width, int& height) const {
  MeasureWidenedItem(frame_.Model(), item, dc, width, height, 12);
}

void TFrameMenus::MeasureMenuItem(TMenuItem& item, HDC dc, int& width, int& height) const {
  MeasureWidenedItem(frame_.Model(), item, dc, width, height, 10);
}

void TFrameMenus::DrawItem(TMenuItem& item, HDC dc, const RECT& rect, bool selected) const {
  PaintMenuItem(frame_.Model(), frame_.RightToLeft(), ViewOfItem(item), dc, rect, selected, false);
}

namespace {
void ForEachItem(TMenuItem* item, const std::function<void(TMenuItem*)>& f) {
  for (int i = 0; i < item->Count(); ++i) {
    f(item->Items(i));
    ForEachItem(item->Items(i), f);
  }
}
}  // namespace

void TFrameMenus::SetPopupsOwnerDraw(bool on) {
  TCustomForm* form = frame_.Form();
  TSkinSet& skin = *frame_.SkinData();
  if (!form || !skin.SkinControls().Contains(xcPopupMenu)) return;
  for (int i = 0; i < form->ComponentCount(); ++i) {
    auto* popup = dynamic_cast<TPopupMenu*>(form->Components(i));
    if (!popup || skin.IsTagDisabled(popup->Tag())) continue;
    popup->SetOwnerDraw(on);
    ForEachItem(popup->Items(), [&](TMenuItem* item) {
      if (on) {
        if (!item->OnAdvancedDrawItem) {
          item->OnAdvancedDrawItem = [this](TObject* sender, HDC dc, RECT rect, TOwnerDrawState state) {
            DrawItem(*static_cast<TMenuItem*>(sender), dc, rect, state.Contains(odSelected));
          };
          item->OnMeasureItem = [this](TObject* sender, HDC dc, int& width, int& height) {
            MeasurePopupItem(*static_cast<TMenuItem*>(sender), dc, width, height);
          };
        }
      } else {
        item->OnAdvancedDrawItem = nullptr;
        item->OnMeasureItem = nullptr;
      }
    });
  }
}

bool TFrameMenus::HandleMeasureItem(MEASUREITEMSTRUCT& mis) const {
  if (mis.CtlType != ODT_MENU || !nativeMenu_) return false;
  TClientDC dc(frame_.Handle());
  TSelectObject font(dc, Screen->MenuFontHandle());
  if (frame_.Form()) {
    if (TMenuItem* item = TMenuItem::FindCommand(mis.itemID)) {
      int w = static_cast<int>(mis.itemWidth), h = static_cast<int>(mis.itemHeight);
      MeasureMenuItem(*item, dc, w, h);
      mis.itemWidth = static_cast<UINT>(std::max(w, 0));
      mis.itemHeight = static_cast<UINT>(std::max(h, 0));
      return true;
    }
  }
  MeasureNativeItem(frame_.Model(), NativeItemCaption(trackedMenu_, mis.itemID), dc, mis.itemWidth, mis.itemHeight);
  return true;
}

bool TFrameMenus::HandleDrawItem(const DRAWITEMSTRUCT& dis) const {
  if (dis.CtlType != ODT_MENU || !nativeMenu_) return false;
  auto menu = reinterpret_cast<HMENU>(dis.hwndItem);
  TSkinPopupWindow::LearnPendingMenu(menu);
  const bool selected = dis.itemState & ODS_SELECTED;
  if (frame_.Form()) {
    if (TMenuItem* item = TMenuItem::FindCommand(dis.itemID)) {
      TMenuItemView view = ViewOfItem(*item);
      view.Parent = menu;
      PaintMenuItem(frame_.Model(), frame_.RightToLeft(), view, dis.hDC, dis.rcItem, selected, false);
      return true;
    }
  }
  PaintMenuItem(frame_.Model(), frame_.RightToLeft(), ViewOfNativeItem(menu, dis.itemID), dis.hDC, dis.rcItem, selected,
                true);
  return true;
}
