#include "test_program_directory.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/program_directory.h"

namespace {
std::filesystem::path FromUtf8(const std::string& name) {
  return std::filesystem::path(std::u8string(name.begin(), name.end()));
}
std::string ToUtf8(const std::filesystem::path& path) {
  const std::u8string s = path.u8string();
  return std::string(s.begin(), s.end());
}
}  // namespace

TestProgramDirectory::TestProgramDirectory(const std::string& name) : previous_(ProgramDirectory()) {
  std::filesystem::path dir = std::filesystem::temp_directory_path() /
                              FromUtf8("quillimo_" + name + "_" + std::to_string(GetCurrentProcessId()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir / "language0");
  std::filesystem::create_directories(dir / "language1");
  path_ = ToUtf8(dir.make_preferred());
  SetProgramDirectory(path_);
}

TestProgramDirectory::~TestProgramDirectory() {
  SetProgramDirectory(previous_);
  std::error_code ignored;
  std::filesystem::remove_all(FromUtf8(path_), ignored);
}

bool TestProgramDirectory::Exists(const std::string& name) const {
  return std::filesystem::exists(FromUtf8(File(name)));
}

std::string TestProgramDirectory::Read(const std::string& name) const {
  std::ifstream in(FromUtf8(File(name)), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void TestProgramDirectory::Write(const std::string& name, const std::string& bytes) const {
  std::ofstream(FromUtf8(File(name)), std::ios::binary) << bytes;
}

void TestProgramDirectory::Remove(const std::string& name) const {
  std::error_code ignored;
  std::filesystem::remove_all(FromUtf8(File(name)), ignored);
}
