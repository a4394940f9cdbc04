#pragma once
// Where an exception goes that escapes a handler the system called back (a window procedure,
// a window hook, a timer): it cannot travel on through the system's frames, so the code that
// catches it reports it here. The application object installs itself as the sink (it shows
// the error box); without a sink the exception is dropped and the program goes on.
class TCallbackErrorSink {
public:
  // Called inside the catch block, so the sink may rethrow to read the exception.
  virtual void HandleException() = 0;

protected:
  ~TCallbackErrorSink() = default;
};

// Installs the sink (nullptr: none). The sink must outlive every callback that may report.
void SetCallbackErrorSink(TCallbackErrorSink* sink);
// Reports the exception being handled to the sink; call only inside a catch block.
void ReportCallbackException();
