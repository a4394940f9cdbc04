#include "toolkit/win/richedit.h"

QUILLIMO_REGISTER_CLASS(TRichEdit);

void TRichEdit::CreateParams(TCreateParams& params) {
  static const HMODULE library = LoadLibraryW(L"riched20.dll");
  TCustomMemo::CreateParams(params);
  if (library) params.ClassName = L"RichEdit20W";
}
