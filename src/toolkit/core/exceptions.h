#pragma once
// The toolkit's exception family. Every failure the program reports is one of these; the
// message is the text the user sees in the error box.
#include <stdexcept>
#include <string>

class Exception : public std::exception {
public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const char* what() const noexcept override { return message_.c_str(); }
  const std::string& Message() const noexcept { return message_; }
  void SetMessage(std::string message) { message_ = std::move(message); }

private:
  std::string message_;
};

#define QUILLIMO_EXCEPTION(Name, Base) \
  class Name : public Base {           \
  public:                              \
    using Base::Base;                  \
  }

QUILLIMO_EXCEPTION(EConvertError, Exception);
QUILLIMO_EXCEPTION(EListError, Exception);
QUILLIMO_EXCEPTION(EStringListError, EListError);
QUILLIMO_EXCEPTION(EStreamError, Exception);
QUILLIMO_EXCEPTION(EFileStreamError, EStreamError);
QUILLIMO_EXCEPTION(EFOpenError, EFileStreamError);
QUILLIMO_EXCEPTION(EFCreateError, EFileStreamError);
QUILLIMO_EXCEPTION(EReadError, EStreamError);
QUILLIMO_EXCEPTION(EWriteError, EStreamError);
QUILLIMO_EXCEPTION(EFilerError, EStreamError);
QUILLIMO_EXCEPTION(EClassNotFound, EFilerError);
QUILLIMO_EXCEPTION(EPropertyError, Exception);
QUILLIMO_EXCEPTION(EComponentError, Exception);
QUILLIMO_EXCEPTION(EInvalidImage, Exception);
QUILLIMO_EXCEPTION(EOutOfResources, Exception);

// Message texts (format strings for Format) of the family above.
namespace ExceptionText {
inline constexpr const char* InvalidInteger = "'%s' is not a valid integer value";
inline constexpr const char* ListIndexError = "List index out of bounds (%d)";
inline constexpr const char* FOpenError = "Cannot open file \"%s\". %s";
inline constexpr const char* FCreateError = "Cannot create file \"%s\". %s";
inline constexpr const char* ReadError = "Stream read error";
inline constexpr const char* WriteError = "Stream write error";
inline constexpr const char* ClassNotFound = "Class %s not found";
inline constexpr const char* InvalidImage = "Invalid stream format";
inline constexpr const char* InvalidPropertyValue = "Invalid property value";
inline constexpr const char* UnknownProperty = "Property %s does not exist";
inline constexpr const char* DuplicateName = "A component named %s already exists";
inline constexpr const char* InvalidBitmap = "Bitmap image is not valid";
}  // namespace ExceptionText
