#include "toolkit/win/dialogs.h"

#include <commdlg.h>

#include "toolkit/core/utf8.h"
#include "toolkit/win/application.h"
#include "toolkit/win/dpi_awareness.h"
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
    self->DoShow();
  } catch (...) {
    Application->HandleException();
  }
  return 0;  // the dialog sets the focus itself
}

namespace {
// The face the system really uses for a requested one. A face that is only a substitute (an
// old name that the system maps to another font) is not in the dialog's list, which would then
// open on its first entry; the face the mapping gives is in it.
std::wstring RealFaceName(const LOGFONTW& logFont) {
  HFONT font = CreateFontIndirectW(&logFont);
  if (!font) return logFont.lfFaceName;
  HDC dc = GetDC(nullptr);
  HGDIOBJ old = SelectObject(dc, font);
  wchar_t face[LF_FACESIZE] = {};
  int length = GetTextFaceW(dc, LF_FACESIZE, face);
  SelectObject(dc, old);
  ReleaseDC(nullptr, dc);
  DeleteObject(font);
  return length > 0 ? std::wstring(face) : std::wstring(logFont.lfFaceName);
}

bool FaceIsListed(const LOGFONTW& logFont) {
  LOGFONTW query{};
  query.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(query.lfFaceName, logFont.lfFaceName, LF_FACESIZE);
  bool found = false;
  HDC dc = GetDC(nullptr);
  EnumFontFamiliesExW(
      dc, &query,
      [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) -> int {
        *reinterpret_cast<bool*>(found) = true;
        return 0;
      },
      reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, dc);
  return found;
}
}  // namespace

bool TFontDialog::Execute() {
  // The dialog turns pixel heights into points at the screen's resolution: the font goes in
  // and comes out at that resolution, so the point size shown is the font's own.
  const int pixelsPerInch = SystemPixelsPerInch();
  LOGFONTW logFont = FontToLogFont(ScaledFontData(font_->Data(), pixelsPerInch));
  if (!FaceIsListed(logFont)) {
    const std::wstring face = RealFaceName(logFont);
    lstrcpynW(logFont.lfFaceName, face.c_str(), LF_FACESIZE);
  }
  CHOOSEFONTW cf{};
  cf.lStructSize = sizeof(cf);
  cf.hwndOwner = GetActiveWindow();
  cf.lpLogFont = &logFont;
  cf.Flags = CF_SCREENFONTS | CF_EFFECTS | CF_INITTOLOGFONTSTRUCT | CF_NOVERTFONTS | CF_ENABLEHOOK;
  cf.rgbColors = static_cast<COLORREF>(ColorToRGB(font_->Color()));
  cf.lpfnHook = &TFontDialog::HookProc;
  cf.lCustData = reinterpret_cast<LPARAM>(this);
  BOOL chosen = ChooseFontW(&cf);
  handle_ = nullptr;
  OnClose(this);
  if (!chosen) return false;

  TFontData data = font_->Data();
  data.PixelsPerInch = pixelsPerInch;
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
