#include "toolkit/win/callback_errors.h"

#include <atomic>

namespace {
std::atomic<TCallbackErrorSink*> sink{nullptr};
}  // namespace

void SetCallbackErrorSink(TCallbackErrorSink* value) { sink = value; }

void ReportCallbackException() {
  if (TCallbackErrorSink* current = sink.load()) current->HandleException();
}
