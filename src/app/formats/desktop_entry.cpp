#include "app/formats/desktop_entry.h"

namespace {
constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";

// A value of the entry's string type: backslash, line breaks and tabs as escapes.
std::string StringValue(std::string_view text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default: out += c;
    }
  }
  return out;
}
}  // namespace

std::string DesktopExecArgument(std::string_view argument) {
  std::string quoted;
  if (!argument.empty() && argument.find_first_of(kReserved) == std::string_view::npos) {
    quoted = argument;
  } else {
    quoted = "\"";
    for (char c : argument) {
      if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
      quoted += c;
    }
    quoted += '"';
  }
  std::string out;
  for (char c : StringValue(quoted)) {
    out += c;
    if (c == '%') out += '%';
  }
  return out;
}

std::string DesktopAutostartEntry(std::string_view name, const std::vector<std::string>& command) {
  std::string exec;
  for (const std::string& argument : command) {
    if (!exec.empty()) exec += ' ';
    exec += DesktopExecArgument(argument);
  }
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=" +
         StringValue(name) +
         "\n"
         "Exec=" +
         exec +
         "\n"
         "Terminal=false\n"
         "X-GNOME-Autostart-enabled=true\n";
}

std::string DesktopEntryFileName(std::string_view name) { return std::string(name) + ".desktop"; }
