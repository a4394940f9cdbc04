#pragma once
// TForm: a top-level window of the program. A form class is registered by name; creating it
// through Application->CreateForm (or TForm::Create) reads its stored layout, the RCDATA
// resource named after the class in upper case, binds the form's component fields by name
// (BindFields) and then runs its create handler.
//
//   class TForm1 : public TForm {
//     QUILLIMO_CLASS(TForm1, TForm)
//   public:
//     using TForm::TForm;
//     TButton* Button1 = nullptr;
//     void Button1Click(TObject* sender);
//   protected:
//     void BindFields() override { QUILLIMO_BIND(Button1); }
//   };
//   QUILLIMO_REGISTER_CLASS(TForm1, [](TPropertyTable& p) { p.Method("Button1Click", &TForm1::Button1Click); });
#include <string>
#include <string_view>

#include "toolkit/win/wincontrol.h"

class TMainMenu;
class TMenuItem;

QUILLIMO_ENUM(TFormBorderStyle, bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin)
QUILLIMO_ENUM(TBorderIcon, biSystemMenu, biMinimize, biMaximize, biHelp)
using TBorderIcons = TSet<TBorderIcon>;
QUILLIMO_ENUM(TPosition, poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter, poDesktopCenter,
              poMainFormCenter, poOwnerFormCenter)
QUILLIMO_ENUM(TFormStyle, fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop)
QUILLIMO_ENUM(TCloseAction, caNone, caHide, caFree, caMinimize)

using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;

// Embedded forms and frames share this base with top-level forms.
class TCustomForm : public TWinControl {
  QUILLIMO_CLASS(TCustomForm, TWinControl)
public:
  explicit TCustomForm(TComponent* owner);
  ~TCustomForm() override;

  // Told when a form is about to appear on the screen, by whatever call (ShowWindow, SetWindowPos
  // with SWP_SHOWWINDOW, a modal show), while it is still hidden. One watcher (the skin engine,
  // which takes the frame over before anything is painted); nullptr for none.
  static inline void (*AboutToAppear)(TCustomForm& form) = nullptr;

  // Makes a form of class T under owner and runs AfterConstruction (layout, fields, OnCreate).
  template <class T>
  static T* Create(TComponent* owner) {
    T* form = new T(owner);
    try {
      form->AfterConstruction();
    } catch (...) {
      delete form;
      throw;
    }
    return form;
  }
  // Reads the stored layout when the program has one for this class, binds the fields and
  // fires OnCreate (a failure in the create handler goes to the error box).
  virtual void AfterConstruction();
  // Reads the RCDATA resource named after the class; false when there is none.
  bool ReadLayout();

  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle v);
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons v);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition v) { position_ = v; }
  TFormStyle FormStyle() const { return formStyle_; }
  void SetFormStyle(TFormStyle v);
  TMainMenu* Menu() const { return menu_; }
  void SetMenu(TMainMenu* menu);
  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool v) { keyPreview_ = v; }
  // The resolution the form is laid out for. A stored layout gives the one it was made at (96
  // when it says none); once read, the form is scaled to its monitor's, and it follows the
  // monitor's when the window moves to another. Set outside a layout, it scales the form.
  int PixelsPerInch() const { return pixelsPerInch_; }
  void SetPixelsPerInch(int v);
  // The client size and the children scaled; the form's window keeps its place.
  void ChangeScale(int fromPixelsPerInch, int toPixelsPerInch) override;

  RECT ClientRect() const override;
  // The client size is kept as asked for and applied to the window once the frame is known.
  void SetClientWidth(int v);
  void SetClientHeight(int v);
  bool Showing() const override;

  void Show();
  void Hide() { SetVisible(false); }
  // Shows the form modally, other forms disabled, until ModalResult is set or it is closed.
  TModalResult ShowModal();
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult v) { modalResult_ = v; }
  // Asks OnCloseQuery and OnClose; hides the form (the main form ends the program).
  void Close();
  bool Active() const;

  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TEvent<void(TObject*, bool&)> OnCloseQuery;
  TEvent<void(TObject*, TCloseAction&)> OnClose;

  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
  void Notification(TComponent* component, TOperation operation) override;
  bool HasParent() const override { return false; }
  // A component of the layout may have made the window while it was loading (a tray icon
  // hooks it), before the menu bar was attached: the stored client size is applied again.
  void Loaded() override;

  // Keyboard handling of the message loop: menu shortcuts and dialog navigation. True when
  // the message was used up.
  static bool IsDialogKeyMessage(MSG& msg);
  bool IsShortCut(WORD key, bool shift, bool ctrl, bool alt);

protected:
  // Binds the form's component fields after loading; see QUILLIMO_BIND.
  virtual void BindFields() {}
  template <class T>
  void Bind(T*& field, std::string_view name) {
    TComponent* c = FindComponent(name);
    field = dynamic_cast<T*>(c);
    if (!field)
      throw EComponentError("Component " + std::string(name) + " of " + ClassName() +
                            (c ? " has the wrong class" : " not found"));
  }

  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void WndProc(TMessage& msg) override;
  void VisibleChanged() override;

private:
  void ApplyPosition();
  void UpdateMenu();
  // WM_DPICHANGED: the layout scaled to the new resolution, the window at the system's rectangle.
  void DpiChanged(int pixelsPerInch, const RECT& suggested);
  DWORD FrameStyle() const;
  DWORD FrameExStyle() const;
  TFormBorderStyle borderStyle_ = bsSizeable;
  TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
  TPosition position_ = poDesigned;
  TFormStyle formStyle_ = fsNormal;
  TMainMenu* menu_ = nullptr;
  bool keyPreview_ = false;
  bool positioned_ = false;
  TModalResult modalResult_ = mrNone;
  int clientWidth_ = -1, clientHeight_ = -1;
  int pixelsPerInch_ = FontPixelsPerInch;
};

class TForm : public TCustomForm {
  QUILLIMO_CLASS(TForm, TCustomForm)
public:
  explicit TForm(TComponent* owner) : TCustomForm(owner) {}
};

#define QUILLIMO_BIND(field) Bind(field, #field)
