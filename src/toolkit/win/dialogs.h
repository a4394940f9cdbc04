#pragma once
// TFontDialog: the system's font dialog (ChooseFont) with font, style, size, effects and
// colour. Execute starts it on Font (face, size, style and colour chosen in the lists; fonts
// for vertical writing, the "@" faces, left out) and, when the user confirms, puts the choice
// into Font. The show step (DoShow, which fires OnShow) runs once the dialog's window exists
// (Handle), before the user sees it, so that a descendant or caller can change its texts.
#include <windows.h>

#include <memory>

#include "toolkit/core/component.h"
#include "toolkit/core/properties.h"
#include "toolkit/core/tfont.h"

class TFontDialog : public TComponent {
  QUILLIMO_CLASS(TFontDialog, TComponent)
public:
  explicit TFontDialog(TComponent* owner);
  ~TFontDialog() override;

  TFont* Font() const { return font_.get(); }
  void SetFont(TFont* font) { font_->Assign(font); }

  // Shows the dialog modally over the active window; true when the user chose OK.
  bool Execute();
  // The dialog's window while it is shown, else nullptr.
  HWND Handle() const { return handle_; }

  TNotifyEvent OnShow;
  TNotifyEvent OnClose;

protected:
  virtual void DoShow() { OnShow(this); }

private:
  static UINT_PTR CALLBACK HookProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
  std::unique_ptr<TFont> font_;
  HWND handle_ = nullptr;
};
