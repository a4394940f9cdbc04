#pragma once
// A fresh directory for one test, removed with everything in it afterwards. Names are
// UTF-8, as the toolkit's file functions take them.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

class TempDir {
public:
  TempDir() {
    const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = std::filesystem::temp_directory_path() /
           (std::string("quillimo_") + test->test_suite_name() + "_" + test->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(dir_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  std::string Path(const std::string& name) const { return ToUtf8(dir_ / FromUtf8(name)); }

  static std::filesystem::path FromUtf8(const std::string& name) {
    return std::filesystem::path(std::u8string(name.begin(), name.end()));
  }
  static std::string ToUtf8(const std::filesystem::path& path) {
    const std::u8string s = path.u8string();
    return std::string(s.begin(), s.end());
  }
  static bool Exists(const std::string& name) { return std::filesystem::exists(FromUtf8(name)); }
  static std::string Read(const std::string& name) {
    std::ifstream in(FromUtf8(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  static void Write(const std::string& name, const std::string& bytes) {
    std::ofstream(FromUtf8(name), std::ios::binary) << bytes;
  }

private:
  std::filesystem::path dir_;
};
