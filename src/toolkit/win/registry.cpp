#include "toolkit/win/registry.h"

#include <algorithm>
#include <vector>

#include "toolkit/core/format.h"
#include "toolkit/core/utf8.h"

namespace {
std::wstring Wide(const std::string& s) { return Utf8ToWide(s); }
}  // namespace

void TRegistry::SetRootKey(HKEY root) {
  if (root == root_) return;
  CloseKey();
  root_ = root;
}

bool TRegistry::OpenKey(const std::string& path, bool create) {
  HKEY key = nullptr;
  LONG result;
  if (create) {
    result = RegCreateKeyExW(root_, Wide(path).c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_READ | KEY_WRITE,
                             nullptr, &key, nullptr);
    if (result != ERROR_SUCCESS) throw ERegistryException(Format(RegistryText::CreateKeyError, {path}));
  } else {
    result = RegOpenKeyExW(root_, Wide(path).c_str(), 0, KEY_READ | KEY_WRITE, &key);
    if (result != ERROR_SUCCESS) return false;
  }
  CloseKey();
  current_ = key;
  path_ = path;
  return true;
}

void TRegistry::CloseKey() {
  if (current_) RegCloseKey(current_);
  current_ = nullptr;
  path_.clear();
}

bool TRegistry::KeyExists(const std::string& path) const {
  HKEY key = nullptr;
  if (RegOpenKeyExW(root_, Wide(path).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  RegCloseKey(key);
  return true;
}

bool TRegistry::DeleteKey(const std::string& path) {
  return RegDeleteTreeW(root_, Wide(path).c_str()) == ERROR_SUCCESS;
}

void TRegistry::WriteString(const std::string& name, const std::string& value) {
  const std::wstring data = Wide(value);
  const LONG result = RegSetValueExW(current_ ? current_ : root_, Wide(name).c_str(), 0, REG_SZ,
                                     reinterpret_cast<const BYTE*>(data.c_str()),
                                     static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  if (result != ERROR_SUCCESS) throw ERegistryException(Format(RegistryText::SetDataError, {name}));
}

std::string TRegistry::ReadString(const std::string& name) const {
  HKEY key = current_ ? current_ : root_;
  const std::wstring wname = Wide(name);
  DWORD type = 0, size = 0;
  if (RegQueryValueExW(key, wname.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return {};
  if (type != REG_SZ && type != REG_EXPAND_SZ) throw ERegistryException(Format(RegistryText::InvalidDataType, {name}));
  std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
  DWORD got = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
  if (RegQueryValueExW(key, wname.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &got) !=
      ERROR_SUCCESS)
    return {};
  std::wstring text(buffer.data(), std::min<std::size_t>(got / sizeof(wchar_t), buffer.size()));
  while (!text.empty() && text.back() == L'\0') text.pop_back();  // the stored terminator, if any
  return WideToUtf8(text);
}

bool TRegistry::ValueExists(const std::string& name) const {
  return RegQueryValueExW(current_ ? current_ : root_, Wide(name).c_str(), nullptr, nullptr, nullptr, nullptr) ==
         ERROR_SUCCESS;
}

bool TRegistry::DeleteValue(const std::string& name) {
  return RegDeleteValueW(current_ ? current_ : root_, Wide(name).c_str()) == ERROR_SUCCESS;
}
