#pragma once
// The program's windows for a benchmark, started as the program tests start them. False, with
// the reason on stderr, when they could not be.
#include <cstdio>
#include <string>

#include "app_test_support.h"

inline bool StartProgramForBenchmark() {
  std::string failure;
  if (apptest::StartProgramWindows(failure)) return true;
  std::fprintf(stderr, "start-up failed: %s\n", failure.c_str());
  return false;
}
