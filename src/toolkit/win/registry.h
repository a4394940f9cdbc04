#pragma once
// TRegistry: a key of the system registry opened under a root key, with string values.
#include <windows.h>

#include <string>

#include "toolkit/core/exceptions.h"

QUILLIMO_EXCEPTION(ERegistryException, Exception);

namespace RegistryText {
inline constexpr const char* CreateKeyError = "Failed to create key %s";
inline constexpr const char* SetDataError = "Failed to set data for '%s'";
inline constexpr const char* InvalidDataType = "Invalid data type for '%s'";
}  // namespace RegistryText

class TRegistry {
public:
  TRegistry() = default;
  ~TRegistry() { CloseKey(); }
  TRegistry(const TRegistry&) = delete;
  TRegistry& operator=(const TRegistry&) = delete;

  // HKEY_CURRENT_USER at first; setting another root closes the open key.
  HKEY RootKey() const { return root_; }
  void SetRootKey(HKEY root);
  HKEY CurrentKey() const { return current_; }
  const std::string& CurrentPath() const { return path_; }

  // Opens path (relative to the root, "\" between the parts) for reading and writing. A
  // missing key is created when create is true; one that cannot be created raises
  // ERegistryException "Failed to create key <path>". Otherwise false when it cannot be opened.
  bool OpenKey(const std::string& path, bool create);
  void CloseKey();
  bool KeyExists(const std::string& path) const;
  bool DeleteKey(const std::string& path);

  // A REG_SZ value of the open key; a refusal raises "Failed to set data for '<name>'".
  void WriteString(const std::string& name, const std::string& value);
  // The value's text; empty when it does not exist, "Invalid data type for '<name>'" when it
  // is not a string.
  std::string ReadString(const std::string& name) const;
  bool ValueExists(const std::string& name) const;
  bool DeleteValue(const std::string& name);

private:
  HKEY root_ = HKEY_CURRENT_USER;
  HKEY current_ = nullptr;
  std::string path_;
};
