#include "skin/frames/window_side.h"

#include <algorithm>

#include "skin/data/skin_set.h"
#include "skin/frames/form_frame.h"
#include "skin/frames/gdi_paint.h"
#include "skin/frames/popup_window.h"
#include "toolkit/core/text.h"
#include "toolkit/win/form.h"
#include "toolkit/win/screen.h"

namespace {
std::string Lower(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

TCustomForm* FormOf(HWND wnd) {
  for (int i = 0; i < Screen->FormCount(); ++i) {
    TCustomForm* form = Screen->Forms(i);
    if (form->HandleAllocated() && form->Handle() == wnd) return form;
  }
  return nullptr;
}

HWND OwnerWindowOf(const TSkinSet& skin) {
  auto* form = dynamic_cast<TCustomForm*>(skin.Owner());
  return form && form->HandleAllocated() ? form->Handle() : nullptr;
}
}  // namespace

TFrameWindowSide* FrameWindowSide() {
  TSkinManager* manager = GetSkinManager();
  return manager ? dynamic_cast<TFrameWindowSide*>(&manager->Windows()) : nullptr;
}

TFrameWindowSide::TFrameWindowSide() = default;

TFrameWindowSide::~TFrameWindowSide() {
  RemoveHook();
  popupList_.clear();
  // Frames of forms die with their forms; those of bare windows are the manager's.
  std::vector<TSkinFormFrame*> owned = owned_;
  owned_.clear();
  formList_.clear();
  for (TSkinFormFrame* frame : owned) delete frame;
}

TSkinManager& TFrameWindowSide::Manager() const { return *GetSkinManager(); }

void TFrameWindowSide::InstallHook() {
  if (!cbtHook_) cbtHook_ = SetWindowsHookExW(WH_CBT, &TFrameWindowSide::CbtHookProc, nullptr, GetCurrentThreadId());
  TCustomForm::AboutToAppear = &TFrameWindowSide::FormAboutToAppear;
}

void TFrameWindowSide::RemoveHook() {
  if (cbtHook_) UnhookWindowsHookEx(cbtHook_);
  cbtHook_ = nullptr;
  if (TCustomForm::AboutToAppear == &TFrameWindowSide::FormAboutToAppear) TCustomForm::AboutToAppear = nullptr;
}

// A toolkit form is framed while it is still hidden, just before it appears: taking the frame
// over and fitting it costs least then, nothing native is ever painted, and a form shown without
// activation (which never passes HCBT_ACTIVATE) is framed too. Other windows (the system's
// dialogs) are framed as they are activated.
void TFrameWindowSide::FormAboutToAppear(TCustomForm& form) {
  TFrameWindowSide* side = FrameWindowSide();
  if (!side) return;
  // Taking the frame over changes the window's size twice (the native menu goes, the frame is
  // fitted) and ends with the client as it was: the form lays its children out once at the end,
  // if at all. The fit is done at once, before anything is painted (its posted message then
  // finds the frame running); a window framed as it is activated, a system dialog finishing its
  // own layout, is fitted when that message comes.
  form.DisableAlign();
  try {
    if (side->AttachWindow(reinterpret_cast<TSkinWindow>(form.Handle()))) {
      // Framed windows are on the screen: skin changes now go through the action timer, as
      // after an activation.
      side->Manager().SetStarted(true);
      if (TSkinFormFrame* frame = side->FindForm(form.Handle())) frame->FinishAttachment();
    }
  } catch (...) {
    // Showing the form goes on, with its native frame.
  }
  form.EnableAlign();
}

LRESULT CALLBACK TFrameWindowSide::CbtHookProc(int code, WPARAM wp, LPARAM lp) {
  TFrameWindowSide* side = FrameWindowSide();
  if (side && code >= 0) {
    auto wnd = reinterpret_cast<HWND>(wp);
    try {
      switch (code) {
        case HCBT_CREATEWND:
          if (GetClassNameString(wnd) == "#32768") side->AttachPopup(wnd);
          break;
        case HCBT_DESTROYWND: side->DetachPopup(wnd); break;
        case HCBT_ACTIVATE:
          side->Manager().SetStarted(true);
          side->AttachWindow(reinterpret_cast<TSkinWindow>(wnd));
          break;
        default: break;
      }
    } catch (...) {
      // The hook never stops the operation it watches.
    }
  }
  return CallNextHookEx(side ? side->cbtHook_ : nullptr, code, wp, lp);
}

bool TFrameWindowSide::AttachWindow(TSkinWindow window) {
  auto wnd = reinterpret_cast<HWND>(window);
  TSkinManager* manager = GetSkinManager();
  if (!manager || !manager->Active() || !IsWindow(wnd)) return false;
  if (SendMessageW(wnd, SkinMessage::QuerySkinned, 0, 0) == 1) return false;
  PurgeDeadForms();
  if (FindForm(wnd)) return false;
  TCustomForm* form = FormOf(wnd);
  const std::string className = GetClassNameString(wnd);
  if (!manager->Scanning() && (GetWindowLongPtrW(wnd, GWL_STYLE) & WS_CHILD) &&
      Lower(GetClassNameString(GetParent(wnd))) != "mdiclient")
    return false;
  RECT r{};
  GetWindowRect(wnd, &r);
  if (static_cast<long long>(r.right - r.left) * (r.bottom - r.top) == 0) return false;
  if (form && form->Tag() == 99) return false;
  if (className == "TApplication") return false;
  if (!manager->AcceptClassName(className)) return false;
  TSkinSet* skin = FindSkinFor(wnd);
  if (!skin || skin->Loading()) return false;

  TSkinFormFrame* frame = new TSkinFormFrame(form);
  frame->SetHandle(wnd);
  formList_.push_back(frame);
  if (form) {
    frame->AttachToForm(skin, form);
  } else {
    owned_.push_back(frame);
    frame->AttachToWindow(skin);
  }
  PostMessageW(wnd, SkinMessage::FinishAttach, 0, 1000);
  return true;
}

void TFrameWindowSide::AttachForm(TCustomForm& form) {
  if (!form.Visible() || !form.HandleAllocated()) return;
  if ((GetWindowLongPtrW(form.Handle(), GWL_STYLE) & WS_CHILD) && form.FormStyle() != fsMDIChild) return;
  AttachWindow(reinterpret_cast<TSkinWindow>(form.Handle()));
}

void TFrameWindowSide::AttachOwnerForm(TSkinSet& skin) {
  if (HWND wnd = OwnerWindowOf(skin)) GetSkinManager()->AttachWindow(reinterpret_cast<TSkinWindow>(wnd));
}

TSkinSet* TFrameWindowSide::FindSkinFor(HWND wnd) const {
  const auto& list = Manager().SkinDataList();
  TSkinSet* found = nullptr;
  for (TSkinSet* skin : list)
    if (skin->SkinFormtype() == sfOnlyThisForm && OwnerWindowOf(*skin) == wnd) found = skin;
  if (found) return found;
  const std::string lower = Lower(GetClassNameString(wnd));
  if (lower == "tmessageform" || lower == "#32770") {
    for (TSkinSet* skin : list)
      if (skin->SkinFormtype() == sfDialog) found = skin;
    if (found) return found;
  }
  for (TSkinSet* skin : list)
    if (skin->SkinFormtype() == sfMainform) found = skin;
  if (found) return found;
  return list.empty() ? nullptr : list.front();
}

TSkinFormFrame* TFrameWindowSide::FindForm(HWND wnd) const {
  for (TSkinFormFrame* frame : formList_)
    if (frame->Handle() == wnd) return frame;
  return nullptr;
}

void TFrameWindowSide::RemoveForm(TSkinFormFrame* frame) {
  auto it = std::find(formList_.begin(), formList_.end(), frame);
  if (it != formList_.end()) formList_.erase(it);
  std::erase(owned_, frame);
}

void TFrameWindowSide::PurgeDeadForms() {
  for (std::size_t i = formList_.size(); i-- > 0;) {
    if (i >= formList_.size()) continue;
    TSkinFormFrame* frame = formList_[i];
    if (frame->FrameState() != TFrameState::Dead) continue;
    formList_.erase(formList_.begin() + static_cast<std::ptrdiff_t>(i));
    std::erase(owned_, frame);
    delete frame;  // a form's frame leaves the form's components as it goes
  }
}

void TFrameWindowSide::DropSystemButtons() {
  for (TSkinFormFrame* frame : formList_) frame->FreeSysButtons();
}

void TFrameWindowSide::AttachPopup(HWND wnd) {
  TSkinManager& manager = Manager();
  if (!manager.Active()) return;
  if (SendMessageW(wnd, SkinMessage::QuerySkinned, 0, 0) == 1) return;
  for (auto& popup : popupList_)
    if (popup->Handle() == wnd) return;
  TSkinSet* skin = FindSkinFor(wnd);
  if (!skin || skin->Loading() || !skin->SkinControls().Contains(xcMainMenu)) return;
  auto popup = std::make_unique<TSkinPopupWindow>();
  popup->Attach(wnd, skin, nullptr);
  popupList_.push_back(std::move(popup));
}

bool TFrameWindowSide::DetachPopup(HWND wnd) {
  for (auto it = popupList_.begin(); it != popupList_.end(); ++it)
    if ((*it)->Handle() == wnd) {
      (*it)->Detach();
      popupList_.erase(it);
      return true;
    }
  return false;
}

const TBitmapPixels* TFrameWindowSide::PopupBackgroundFor(HMENU menu) const {
  for (auto& popup : popupList_)
    if (popup->MenuHandle() == menu) return &popup->Background();
  return nullptr;
}

void TFrameWindowSide::CarryOut(TSkinAction action, TSkinSet& skin) {
  TSkinManager& manager = Manager();
  auto detach = [&](TSkinFormFrame* frame) {
    frame->DetachRestore();
    InvalidateRect(frame->Handle(), nullptr, TRUE);
    UpdateWindow(frame->Handle());
    RemoveForm(frame);
    delete frame;
  };
  if (skin.SkinFormtype() == sfOnlyThisForm) {
    switch (action) {
      case TSkinAction::Activate:
        manager.SetScanning(true);
        for (int i = Screen->FormCount(); i-- > 0;)
          if (Screen->Forms(i) == skin.Owner()) {
            AttachForm(*Screen->Forms(i));
            break;
          }
        manager.SetScanning(false);
        break;
      case TSkinAction::Deactivate:
        PurgeDeadForms();
        for (std::size_t i = formList_.size(); i-- > 0;)
          if (formList_[i]->SkinData() == &skin) {
            detach(formList_[i]);
            break;
          }
        break;
      case TSkinAction::ApplyChangedSkin:
        PurgeDeadForms();
        for (TSkinFormFrame* frame : formList_)
          if (frame->SkinData() == &skin) {
            frame->FreeSysButtons();
            frame->LayoutSysButtons();
            frame->ReapplySkin();
            break;
          }
        break;
      default: PurgeDeadForms();
    }
    return;
  }
  switch (action) {
    case TSkinAction::Activate:
      manager.SetScanning(true);
      PurgeDeadForms();
      for (int i = Screen->FormCount(); i-- > 0;) AttachForm(*Screen->Forms(i));
      manager.SetScanning(false);
      break;
    case TSkinAction::Deactivate:
      PurgeDeadForms();
      while (!formList_.empty()) detach(formList_.back());
      break;
    case TSkinAction::ApplyChangedSkin: {
      PurgeDeadForms();
      const std::vector<TSkinFormFrame*> frames = formList_;
      for (TSkinFormFrame* frame : frames)
        if (frame->SkinData() == &skin) {
          frame->FreeSysButtons();
          frame->LayoutSysButtons();
        }
      for (TSkinFormFrame* frame : frames)
        if (frame->SkinData() == &skin) frame->ReapplySkin();
      break;
    }
    default: PurgeDeadForms();
  }
}

void TFrameWindowSide::SetMdiMaximized(bool value) {
  TSkinManager& manager = Manager();
  if (value == manager.MdiMaximized()) return;
  manager.SetMdiMaximized(value);
  for (TSkinFormFrame* frame : formList_) {
    if (frame->IsMdiChild()) frame->FollowMdiMaximized(value);
  }
}

int TFrameWindowSide::CountMdiChildren() const {
  return static_cast<int>(
      std::count_if(formList_.begin(), formList_.end(), [](TSkinFormFrame* f) { return f->IsMdiChild(); }));
}
