#pragma once
// TApplication: the program's application object. It creates the forms in order, runs the
// message loop until the main form closes, and turns every failure that reaches a window
// procedure, timer or hook of the toolkit into the error box, after which the program goes on.
#include <windows.h>

#include <functional>
#include <new>
#include <string>
#include <string_view>

#include "toolkit/core/component.h"
#include "toolkit/win/callback_errors.h"

class TForm;

// The error box's text: the message with a full stop appended when its last character sorts
// after the full stop (compared as unsigned bytes), so "Failed" gets one but "Failed." or
// "(x)" do not.
std::string ErrorBoxText(std::string_view message);

// The user-visible message of the exception being handled (call only inside a catch block).
std::string CurrentExceptionMessage();

class TApplication : public TComponent, public TCallbackErrorSink {
  QUILLIMO_CLASS(TApplication, TComponent)
public:
  explicit TApplication(TComponent* owner = nullptr);
  ~TApplication() override;

  void Initialize();

  const std::string& Title() const { return title_; }
  void SetTitle(std::string title);

  // Creates a form owned by the application. As with the classic toolkit, ref already points
  // at the form while its constructor runs, so code in the form's create handler may use it.
  // The first form created becomes the main form.
  template <class T>
  void CreateForm(T*& ref) {
    void* memory = ::operator new(sizeof(T));
    ref = static_cast<T*>(memory);
    try {
      new (memory) T(this);
    } catch (...) {
      ref = nullptr;
      ::operator delete(memory);
      throw;
    }
    // The stored layout, the fields and the create handler (TCustomForm::AfterConstruction).
    try {
      ref->AfterConstruction();
    } catch (...) {
      T* form = ref;
      ref = nullptr;
      delete form;
      throw;
    }
    FormCreated(ref);
  }

  TForm* MainForm() const { return mainForm_; }

  // Shows the main form and dispatches messages until Terminate (closing the main form
  // terminates).
  void Run();
  // Dispatches the messages that are waiting, then returns.
  void ProcessMessages();
  // Waits for one message and dispatches it (returns at once when terminated).
  void HandleMessage();
  void Terminate();
  bool Terminated() const { return terminated_; }

  // Call inside a catch block: shows the error box for the exception being handled (or hands
  // the message to OnException when that is set).
  void HandleException() override;
  // The error box itself: modal, titled with Title, OK button, stop icon.
  void ShowException(const std::string& message);
  std::function<void(const std::string& message)> OnException;

  // Modal loops (ShowModal) count here, so message filters can tell.
  int ModalLevel() const { return modalLevel_; }
  void ModalStarted() { ++modalLevel_; }
  void ModalFinished() { --modalLevel_; }

private:
  void FormCreated(TForm* form);
  bool ProcessMessage(MSG& msg);
  std::string title_;
  TForm* mainForm_ = nullptr;
  bool terminated_ = false;
  int modalLevel_ = 0;
};

extern TApplication* Application;
