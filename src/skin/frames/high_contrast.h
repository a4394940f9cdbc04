#pragma once
// High contrast: while the system's high-contrast mode is on, skinning steps aside so that the
// windows show the native look in the system's colours; it comes back when the mode goes off,
// without a restart.
#include <functional>

class TSkinSet;

// Whether the system's high-contrast mode is on.
bool HighContrastOn();
// Replaces the system's answer (tests, and systems where the mode cannot be switched);
// nullptr restores it.
void SetHighContrastQuery(std::function<bool()> query);

// Keeps a skin component's Active in step with the mode: off while the mode is on, and on again
// when the mode goes off, but only when it was the follower that turned it off (a skin turned
// off for another reason stays off).
class THighContrastFollower {
public:
  explicit THighContrastFollower(TSkinSet& skin) : skin_(skin) {}
  // Looks at the mode now: at start-up, and whenever the system's settings change.
  void Follow();
  bool SteppedAside() const { return steppedAside_; }

private:
  TSkinSet& skin_;
  bool steppedAside_ = false;
};
