#include "localisation/win/font_dialog.h"

#include "toolkit/core/utf8.h"
#include "toolkit/win/font_handle.h"
#include "toolkit/win/form.h"

QUILLIMO_REGISTER_CLASS(TlcFontDialog, [](TPropertyTable& p) {
  p.Object("lcLang", &TlcFontDialog::GetlcLang, &TlcFontDialog::SetlcLang);
});

// The standard identifiers of the system font dialog's controls.
const TlcFontDialog::TControlCaption TlcFontDialog::Captions[13] = {
    {1088, "Font:"},   {1089, "Font style:"}, {1090, "Size:"},     {1091, "Color:"}, {1026, "Apply"},
    {1072, "Effects"}, {1040, "Strikeout"},   {1041, "Underline"}, {1073, "Sample"}, {1094, "Script:"},
    {1038, "Help"},    {2, "Cancel"},         {1, "OK"},
};

const int TlcFontDialog::FontControls[13] = {1088, 1089, 1090, 1091, 1026, 1072, 1040, 1041, 1073, 1094, 1, 2, 1038};

void TlcFontDialog::Notification(TComponent* component, TOperation operation) {
  TFontDialog::Notification(component, operation);
  if (operation == opRemove) link_.Removed(component);
}

void TlcFontDialog::DoShow() {
  if (TlcCustomLang* lang = link_.Get(); lang && Handle()) {
    for (const TControlCaption& caption : Captions) {
      const std::string text = link_.Caption(caption.Key);
      HWND control = GetDlgItem(Handle(), caption.Id);
      if (!text.empty() && control) SetWindowTextW(control, Utf8ToWide(text).c_str());
    }
    if (auto* form = dynamic_cast<TCustomForm*>(lang->Owner())) {
      HFONT font = FontHandle(form->Font()->Data());
      for (int id : FontControls)
        if (HWND control = GetDlgItem(Handle(), id))
          SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
  }
  TFontDialog::DoShow();
}
