#pragma once
// A program directory of a test's own: a fresh temporary directory holding the two language
// directories, which ProgramDirectory() answers while the object lives (then the directory it
// answered before comes back). The windows then read and write their data files there. Names are UTF-8 and relative to
// the directory, with "\".
#include <string>

class TestProgramDirectory {
public:
  explicit TestProgramDirectory(const std::string& name);
  ~TestProgramDirectory();
  TestProgramDirectory(const TestProgramDirectory&) = delete;
  TestProgramDirectory& operator=(const TestProgramDirectory&) = delete;

  // The directory, without a trailing separator, as ProgramDirectory() gives it.
  const std::string& Path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "\\" + name; }

  bool Exists(const std::string& name) const;
  // The bytes of a file; empty when it is not there.
  std::string Read(const std::string& name) const;
  void Write(const std::string& name, const std::string& bytes) const;
  // Removes a file or a directory with everything in it.
  void Remove(const std::string& name) const;

private:
  std::string previous_;
  std::string path_;
};
