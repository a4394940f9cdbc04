#pragma once
// Timings of one measurement, printed as median, 90th percentile and minimum against a target.
#include <algorithm>
#include <cstdio>
#include <vector>

struct Figures {
  std::vector<double> values;
  void Print(const char* what, double target) {
    std::sort(values.begin(), values.end());
    const double median = values[values.size() / 2];
    const double p90 = values[values.size() * 9 / 10];
    std::printf("%-46s median %8.3f ms  p90 %8.3f ms  min %8.3f ms  (target %.0f ms, %zu runs)\n", what, median, p90,
                values.front(), target, values.size());
  }
};
