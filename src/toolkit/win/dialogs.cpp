#include "toolkit/win/dialogs.h"

#include <commdlg.h>

#include "toolkit/core/utf8.h"
#include "toolkit/win/application.h"
#include "toolkit/win/font_handle.h"

QUILLIMO_REGISTER_CLASS(TFontDialog, [](TPropertyTable& p) {
  p.Object("Font", &TFontDialog::Font, &TFontDialog::SetFont);
  p.Event("OnShow", &TFontDialog::OnShow);
  p.Event("OnClose", &TFontDialog::OnClose);
});

TFontDialog::TFontDialog(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>()) {}

TFontDialog::~TFontDialog() = default;

UINT_PTR CALLBACK TFontDialog::HookProc(HWND wnd, UINT msg, WPARAM, LPARAM lp) {
  if (msg != WM_INITDIALOG) return 0;
  auto* self = reinterpret_cast<TFontDialog*>(reinterpret_cast<CHOOSEFONTW*>(lp)->lCustData);
  self->handle_ = wnd;
  // An exception must not cross the system's dialog code: it goes to the error box here.
  try {
    self->OnShow(self);
  } catch (...) {
    Application->HandleException();
  }
  return 0;  // the dialog sets the focus itself
}

bool TFontDialog::Execute() {
  LOGFONTW logFont = FontToLogFont(font_->Data());
  CHOOSEFONTW cf{};
  cf.lStructSize = sizeof(cf);
  cf.hwndOwner = GetActiveWindow();
  cf.lpLogFont = &logFont;
  cf.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT | CF_ENABLEHOOK;
  cf.rgbColors = static_cast<COLORREF>(ColorToRGB(font_->GetColor()));
  cf.lpfnHook = &TFontDialog::HookProc;
  cf.lCustData = reinterpret_cast<LPARAM>(this);
  BOOL chosen = ChooseFontW(&cf);
  handle_ = nullptr;
  OnClose(this);
  if (!chosen) return false;

  TFontData data = font_->Data();
  data.Name = WideToUtf8(logFont.lfFaceName);
  data.Height = logFont.lfHeight;
  TFontStyles style;
  if (logFont.lfWeight >= FW_BOLD) style.Include(fsBold);
  if (logFont.lfItalic) style.Include(fsItalic);
  if (logFont.lfUnderline) style.Include(fsUnderline);
  if (logFont.lfStrikeOut) style.Include(fsStrikeOut);
  data.Style = style;
  data.Charset = logFont.lfCharSet;
  data.Color = static_cast<TColor>(cf.rgbColors);
  font_->SetData(data);
  return true;
}
