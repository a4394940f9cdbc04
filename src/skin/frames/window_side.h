#pragma once
// The skin manager's window side: the thread's CBT hook, which gives every window that becomes
// active its skinned frame and every pop-up menu window its wrapper (a toolkit form that is
// shown without ever being activated, as the flash window is, gets its frame when it is first
// shown), the choice of skin for a
// window, and the frame work of the manager's deferred actions (switch on, switch off, apply a
// new skin, purge dead frames).
#include <memory>
#include <string>
#include <vector>

#include "toolkit/win/messages.h"

#include "skin/data/skin_manager.h"
#include "toolkit/core/bitmap.h"

class TCustomForm;
class TSkinFormFrame;
class TSkinPopupWindow;
class TSkinSet;

class TFrameWindowSide : public TSkinWindowSide {
public:
  TFrameWindowSide();
  ~TFrameWindowSide() override;

  void InstallHook() override;
  void RemoveHook() override;
  // The ten tests in order; true when a frame was attached.
  bool AttachWindow(TSkinWindow window) override;
  void AttachOwnerForm(TSkinSet& skin) override;
  void DropSystemButtons() override;
  void CarryOut(TSkinAction action, TSkinSet& skin) override;

  // The first frame attached to the window, or nullptr.
  TSkinFormFrame* FindForm(HWND wnd) const;
  // Takes the frame out of the list (its destructor calls this; it is not freed here).
  void RemoveForm(TSkinFormFrame* frame);
  // Frees every frame whose window was destroyed.
  void PurgeDeadForms();
  const std::vector<TSkinFormFrame*>& FormList() const { return formList_; }
  const std::vector<std::unique_ptr<TSkinPopupWindow>>& PopupList() const { return popupList_; }
  // The skin component a window is skinned with (see the rules in window_side.cpp), or nullptr.
  TSkinSet* FindSkinFor(HWND wnd) const;
  // AttachWindow of the form's window when the form is visible (and not a plain child).
  void AttachForm(TCustomForm& form);
  void AttachPopup(HWND wnd);
  bool DetachPopup(HWND wnd);
  // The rendered background of the wrapper showing the menu, or nullptr.
  const TBitmapPixels* PopupBackgroundFor(HMENU menu) const;
  void SetMdiMaximized(bool value);
  int CountMdiChildren() const;

private:
  static LRESULT CALLBACK CbtHookProc(int code, WPARAM wp, LPARAM lp);
  static void FormAboutToAppear(TCustomForm& form);
  TSkinManager& Manager() const;
  HHOOK cbtHook_ = nullptr;
  std::vector<TSkinFormFrame*> formList_;
  std::vector<std::unique_ptr<TSkinPopupWindow>> popupList_;
  // Frames of windows without a toolkit form, which the manager owns.
  std::vector<TSkinFormFrame*> owned_;
};

// The window side of the process-wide manager, or nullptr (no manager, or one without it).
TFrameWindowSide* FrameWindowSide();
