#include "toolkit/win/layout_resource.h"

#include <windows.h>

#include <string>

#include "toolkit/core/component.h"
#include "toolkit/core/text.h"
#include "toolkit/core/utf8.h"

bool ReadLayoutResource(TComponent* root) {
  std::wstring name = Utf8ToWide(root->ClassName());
  for (wchar_t& c : name) c = static_cast<wchar_t>(towupper(c));
  HRSRC res = FindResourceW(nullptr, name.c_str(), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
  if (!res) return false;
  // The layout reader arrives with the binary layout stream; until then a form with a
  // stored layout is built in code.
  return false;
}
