#pragma once
// Gives a setting a value for a scope and puts its former value back when the scope ends,
// however it ends: DoRaiseExceptions during a collector pass, the batch depth of a
// multi-section file operation, the temporary mark while the binary file reader fills a
// table, the screen cursor while a language is applied.
#include <functional>
#include <utility>

template <typename T>
class TRestoringScope {
public:
  TRestoringScope(T former, T value, std::function<void(T)> set) : set_(std::move(set)), former_(std::move(former)) {
    set_(std::move(value));
  }
  ~TRestoringScope() { set_(former_); }
  TRestoringScope(const TRestoringScope&) = delete;
  TRestoringScope& operator=(const TRestoringScope&) = delete;

private:
  std::function<void(T)> set_;
  T former_;
};
