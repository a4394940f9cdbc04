#pragma once
// A window's messages checked against a table: each row a message, whether it comes sent or
// through the queue, and whether it may be missing. Every recorded message that is not on the
// ignore list must stand in the table in its order, so an extra one fails as a missing one does.
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "win_test_support.h"

namespace msgseq {

enum class Via { Sent, Posted };

struct Step {
  UINT Msg;
  Via How;
  bool Optional = false;
};

inline Step Sent(UINT msg) { return {msg, Via::Sent}; }
inline Step Posted(UINT msg) { return {msg, Via::Posted}; }
// A step the system may leave out (it depends on where the mouse or the focus happens to be).
inline Step Maybe(Step step) {
  step.Optional = true;
  return step;
}

// Messages left out of every comparison: the mouse over the window as the pointer happens to
// lie, timers, and icons and captions read by the system for the task list.
bool Ignored(UINT msg);

// The messages of wnd in the recording (ignored ones dropped).
std::vector<MessageRecorder::Entry> Relevant(const MessageRecorder& recorder, HWND wnd);

// Success when the window's relevant messages follow the table; else a message that shows both
// lists in full, marking the first place they part.
::testing::AssertionResult Follows(const MessageRecorder& recorder, HWND wnd, std::initializer_list<Step> table);

}  // namespace msgseq
