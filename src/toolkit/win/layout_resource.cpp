#include "toolkit/win/layout_resource.h"

#include <windows.h>

#include <string>

#include "toolkit/core/component.h"
#include "toolkit/core/exceptions.h"
#include "toolkit/core/streams.h"
#include "toolkit/core/utf8.h"

#include "toolkit/core/reader.h"

namespace {
// A read-only stream over a resource of the executable.
class TResourceStream : public TCustomMemoryStream {
public:
  TResourceStream(const void* memory, std::int64_t size) { SetPointer(memory, size); }
  std::int64_t Write(const void*, std::int64_t) override { throw EWriteError(ExceptionText::WriteError); }
};
}  // namespace

bool ReadLayoutResource(TComponent* root) {
  std::wstring name = Utf8ToWide(root->ClassName());
  for (wchar_t& c : name) c = static_cast<wchar_t>(towupper(c));
  HMODULE module = GetModuleHandleW(nullptr);
  HRSRC res = FindResourceW(module, name.c_str(), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
  if (!res) return false;
  HGLOBAL data = LoadResource(module, res);
  const void* bytes = data ? LockResource(data) : nullptr;
  if (!bytes) return false;
  TResourceStream stream(bytes, SizeofResource(module, res));
  ReadLayoutStream(root, stream);
  return true;
}

void ReadLayoutStream(TComponent* root, TStream& stream) {
  TReader reader(stream);
  reader.ReadRootComponent(root);
}
