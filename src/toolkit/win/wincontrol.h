#pragma once
// TWinControl: a control with a window of its own. The window is created on demand (when the
// control is shown or its Handle is asked for), parents before children. Standard controls
// ("BUTTON", "EDIT", "LISTBOX", comctl32 classes) are subclassed, so what the toolkit does not
// handle goes to the control's own class procedure; the toolkit's own classes (forms, panels)
// are registered under the toolkit class name with DefWindowProc behind them.
//
// The control object is bound to its window before the window's first message: a thread hook
// catches the creation, so WM_NCCREATE, the first WM_NCCALCSIZE and WM_CREATE reach WndProc.
//
// Objects that hook a control's window (skin frames, companions, the tray icon) register a
// handle watch: they are told when the window is destroyed (nullptr) and when it is made
// again (the new window), so they follow the control instead of holding a dead window.
//
// A parent reflects WM_COMMAND, WM_NOTIFY, WM_CTLCOLOR*, WM_DRAWITEM and WM_MEASUREITEM to the
// child control they concern as CN_* messages, so each control handles its own notifications.
#include <string>
#include <vector>

#include "toolkit/core/exceptions.h"
#include "toolkit/win/control.h"
#include "toolkit/win/window_hook.h"

QUILLIMO_EXCEPTION(EInvalidOperation, Exception);

struct TCreateParams {
  std::wstring ClassName;  // the window class
  std::wstring Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  HMENU Menu = nullptr;  // a top-level window's menu bar, there from the start
  // For the toolkit's own classes: registered on first use with DefWindowProc behind them.
  bool OwnClass = false;
  UINT ClassStyle = CS_DBLCLKS;
  HCURSOR Cursor = nullptr;
  HICON Icon = nullptr;
};

class TWinControl : public TControl {
  QUILLIMO_CLASS(TWinControl, TControl)
public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;

  // The window; created (with its parents) when it does not exist yet.
  HWND Handle();
  HWND Handle() const { return handle_; }
  bool HandleAllocated() const { return handle_ != nullptr; }
  void HandleNeeded() { Handle(); }
  // Destroys the window (and so those of the children); it is made again on demand.
  void DestroyHandle();

  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int index) const { return controls_.at(static_cast<std::size_t>(index)); }
  // The control object of a window of this program, or nullptr.
  static TWinControl* FindControl(HWND wnd);

  // Handle watches: watch(window) after the window was made (with its first messages already
  // handled), watch(nullptr) once it is gone. Returns an id for RemoveHandleWatch.
  using THandleWatch = std::function<void(HWND)>;
  int AddHandleWatch(THandleWatch watch);
  void RemoveHandleWatch(int id);

  int TabOrder() const { return tabOrder_; }
  void SetTabOrder(int order);
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool v);
  bool Focused() const;
  virtual bool CanFocus() const;
  void SetFocus();

  void SetBounds(int left, int top, int width, int height) override;
  // The control and its children, laid out once at the end.
  void ChangeScale(int fromPixelsPerInch, int toPixelsPerInch) override;
  RECT ClientRect() const override;
  bool Showing() const override;
  std::string GetText() const override;
  void Invalidate() override;
  void Update() override;
  POINT ClientOrigin() const override { return {0, 0}; }

  // Lays out the children that have an Align: top, bottom, left, right, then client.
  void Realign();
  // While disabled (the calls nest), size changes do not lay the children out; the last
  // EnableAlign lays them out once if a change came meanwhile. For work that changes the
  // window's size several times and ends where it began (a frame taken over and fitted).
  void DisableAlign() { ++alignDisabled_; }
  void EnableAlign();

  // A double-buffered control paints into an off-screen bitmap of its client area, erased
  // there, which is copied to the screen in one blit: the erase and the drawing over it never
  // show one after the other. Erases the window receives are answered without drawing.
  bool DoubleBuffered() const { return doubleBuffered_; }
  void SetDoubleBuffered(bool v) { doubleBuffered_ = v; }

  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;

  // Streaming: the children written with a control are the controls it parents.
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
  void Loaded() override;

protected:
  friend class TControl;
  virtual void CreateParams(TCreateParams& params);
  virtual void CreateWnd();
  // After the window exists: font, children, subclass-specific set-up.
  virtual void HandleCreated() {}
  // True for a window whose text the user edits (an edit box): its text is read from the
  // window; every other control answers from the text it keeps.
  virtual bool WindowEditsText() const { return false; }
  virtual void HandleDestroying() {}
  // A control was given this one as parent, or left it.
  virtual void ControlInserted(TControl* control) {}
  virtual void ControlRemoved(TControl* control) {}
  void WndProc(TMessage& msg) override;
  void DefaultHandler(TMessage& msg) override;

  void BoundsChanged() override;
  void VisibleChanged() override;
  void EnabledChanged() override;
  void TextChanged() override;
  void FontChanged() override;

  // The brush for WM_CTLCOLOR* answers and background erasing on dc, in Color: the stock DC
  // brush in that colour, so no control holds a brush of its own (one per control and colour,
  // made again whenever a skin changes the colours).
  HBRUSH BackgroundBrush(HDC dc) const;
  // Paints the windowless children into dc (the window's client coordinates).
  void PaintControls(HDC dc);
  // Paints a window of the toolkit's own classes (after the background was erased).
  virtual void PaintWindow(HDC dc) {}
  // Erases the background with the control's colour; own classes do it on WM_ERASEBKGND.
  void EraseBackground(HDC dc);
  // The children's part of ChangeScale.
  void ScaleControls(int fromPixelsPerInch, int toPixelsPerInch);
  // Sets the parent window of a top-level window (forms); nullptr for none.
  void SetOwnerWindow(HWND owner) { ownerWindow_ = owner; }
  bool Destroying() const { return destroying_; }

private:
  // WM_PAINT of a double-buffered control: erase and paint into a bitmap, one blit to the screen.
  void PaintBuffered();
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  void CreateHandle();
  void ReflectToChild(TMessage& msg);
  // Hands a mouse message of this window to the windowless child under the mouse (or the one
  // that holds the mouse since a button went down), in the child's coordinates; tells children
  // the mouse entered and left. True when a child took it.
  bool RouteMouseToGraphic(TMessage& msg);
  TGraphicControl* GraphicAt(POINT p) const;
  void SetHotGraphic(TGraphicControl* control);
  void BindWindow(HWND wnd);
  void TellHandleWatches(HWND wnd);
  static LRESULT CALLBACK CreationHook(int code, WPARAM wp, LPARAM lp);
  void UpdateWindowBounds();
  // Makes the window of a visible control without one whose parent has its window, when any of
  // the control lies inside the parent's client area, where it can be seen.
  void MakeWindowIfInView();
  void MakeChildrenInView();
  static void RegisterOwnClass(const TCreateParams& params);

  HWND handle_ = nullptr;
  HWND ownerWindow_ = nullptr;
  TWindowHook hook_;
  std::vector<TControl*> controls_;
  int tabOrder_ = -1;
  bool tabStop_ = false;
  bool realigning_ = false;
  int alignDisabled_ = 0;
  bool alignPending_ = false;
  bool ownClass_ = false;
  bool doubleBuffered_ = false;
  bool mouseInside_ = false;
  TGraphicControl* hotGraphic_ = nullptr;       // the windowless child under the mouse
  TGraphicControl* capturedGraphic_ = nullptr;  // the one a button went down on
  bool destroying_ = false;
  std::vector<std::pair<int, THandleWatch>> handleWatches_;
  int nextWatchId_ = 1;
};

// While alive, a control's window and the windows in it paint nothing; at the end the whole
// window, frame included, is painted once. For a batch of changes (a language switch renames
// every control) that would each paint at once.
class TRedrawSuspension {
public:
  explicit TRedrawSuspension(TWinControl& control);
  ~TRedrawSuspension();
  TRedrawSuspension(const TRedrawSuspension&) = delete;
  TRedrawSuspension& operator=(const TRedrawSuspension&) = delete;

private:
  HWND wnd_ = nullptr;
};
