#include "toolkit/win/shell.h"

#include <windows.h>
#include <shellapi.h>

#include "toolkit/core/utf8.h"

namespace {
TShellOpenHandler& Handler() {
  static TShellOpenHandler handler;
  return handler;
}
}  // namespace

void ShellOpen(const std::string& address) {
  if (Handler()) {
    Handler()(address);
    return;
  }
  ShellExecuteW(nullptr, nullptr, Utf8ToWide(address).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

TShellOpenHandler SetShellOpenHandler(TShellOpenHandler handler) {
  TShellOpenHandler previous = std::move(Handler());
  Handler() = std::move(handler);
  return previous;
}
