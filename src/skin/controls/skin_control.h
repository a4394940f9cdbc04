#pragma once
// TSkinControl: the companion that paints one control of a skinned window from the skin. It
// joins the control's message stream (the toolkit control's message handler, or the window's
// subclass chain for a bare window), keeps the control's visual state, and paints the control
// or the parts of it that carry the skin. The companion family derives from it; the control
// dispatch (control_dispatch.h) makes them, and the frame of the window lists them.
//
// Message flow: HandleMessage asks HandleBefore first (true: the message is finished there),
// then passes the message on (CallPrevious) and lets AfterMessage react to it.
//
// Ownership: a companion of a toolkit control is owned by that control (or by whoever the
// dispatch chose); one of a bare window by the frame. It follows its control's window when the
// toolkit makes it anew, and forgets a control that is freed before it.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "toolkit/win/messages.h"

#include "skin/frames/frame_companion.h"
#include "toolkit/core/color.h"
#include "toolkit/core/component.h"
#include "toolkit/win/window_hook.h"
#include "toolkit/win/window_proc_hook.h"

class TCanvas;
class TControl;
class TWinControl;
class TSkinFormFrame;
class TSkinModel;
class TSkinSet;

namespace SkinControlState {
inline constexpr std::uint8_t Hot = 1;      // the mouse is over the control
inline constexpr std::uint8_t Pressed = 2;  // a button is held down on it
}  // namespace SkinControlState

// Where a companion is in its life (the values are those it has always had).
enum class TSkinControlPhase {
  Detached = 0,  // not attached yet
  Attached = 1,
  Restored = 2,  // a box gave its colour back
  Dead = 6,      // the window is gone
};

class TSkinControl : public TComponent, public TFrameCompanion {
  QUILLIMO_CLASS(TSkinControl, TComponent)
public:
  explicit TSkinControl(TComponent* owner);
  ~TSkinControl() override;

  // Attach to the owner, a toolkit control: its message handler is replaced by HandleMessage.
  // A second attach does nothing.
  virtual void AttachControl(TSkinFormFrame* frame, TSkinSet* skin, bool recolor, TCanvas* canvas);
  // Attach to a window by joining its subclass chain.
  virtual void AttachHandle(HWND wnd, TSkinSet* skin, TSkinFormFrame* frame, TCanvas* canvas);
  // Gives the control its own colour back (when it was recoloured).
  virtual void RestoreColor();
  // Runs before the control's previous handler; true when it handled the message, which then
  // goes no further (its result is what was stored in msg.Result). The frame's handlers say
  // "handled" the same way.
  virtual bool HandleBefore(TMessage& msg);
  // Runs after the control's previous handler.
  virtual void AfterMessage(TMessage& msg);
  // Paints at once, into dc or into the window's own (whole-window) context.
  virtual void Redraw(HDC dc = nullptr);
  // Draws the control into dc; rect is the window's area at (0, 0). The base draws nothing.
  virtual void Paint(HDC dc, const RECT& rect) {}
  // The skin was replaced: take the new face colour and repaint.
  void NotifySkinChanged() override;

  bool IsDead() const override { return phase_ == TSkinControlPhase::Dead; }
  void MouseLeft() override;
  bool Serves(HWND wnd) const override { return wnd && wnd == handle_; }

  void HandleMessage(TMessage& msg);
  // Passes the message to the handler or procedure that was in place before the companion.
  void CallPrevious(TMessage& msg);
  // Invalidates the window (without erasing) and paints it now; only for a window with a parent.
  void RepaintNow();
  // Fills rect with the skin's button face colour.
  void FillFace(HDC dc, const RECT& rect) const;
  // WM_PAINT: paints into the message's DC, or into a paint cycle of its own.
  void HandlePaintMessage(TMessage& msg);
  // For companions that draw the whole window: WM_PAINT goes to HandlePaintMessage and
  // WM_ERASEBKGND is answered 1. True when msg was one of them (it is then finished).
  bool PaintsWholeWindow(TMessage& msg);

  // Attached to a window (by joining its subclass chain) rather than to a toolkit handler.
  bool AttachedByHandle() const { return windowHook_.Attached(); }
  // An attach has run (a second one does nothing).
  bool Attached() const { return attached_; }
  // The window served; nullptr while the control has none (or after it went).
  HWND Handle() const { return handle_; }
  // The windowed toolkit control served, or nullptr.
  TWinControl* Control() const { return control_; }
  // The windowless toolkit control served (speed buttons), or nullptr.
  TControl* GraphicControl() const { return graphicControl_; }
  // The text the companion last read from its window or control.
  const std::string& Text() const { return text_; }
  // The control takes the skin's face colour while attached (and gets its own back after). A
  // companion made by an OnSkinControl handler is attached with its own setting.
  bool Recolor() const { return recolor_; }
  void SetRecolor(bool value) { recolor_ = value; }
  bool Hot() const { return state_ & SkinControlState::Hot; }
  bool Pressed() const { return state_ & SkinControlState::Pressed; }
  void SetStateBit(std::uint8_t bit, bool on) { state_ = on ? (state_ | bit) : (state_ & ~bit); }

protected:
  void Notification(TComponent* component, TOperation operation) override;
  // Puts HandleMessage in front of the toolkit control's message handler.
  void HookControlProc(TControl* control);
  void UnhookControlProc();
  // Joins the window's subclass chain (windowHook_); a window of a toolkit control is
  // followed when the toolkit makes it anew.
  void HookWindow(HWND wnd);
  // Refreshes Enabled, Focused and Text from the window.
  void ReadWindowState();
  // The start of every attach: false when the companion is attached already (the attach then
  // does nothing); otherwise the skin, the frame and the frame's canvas are taken.
  bool BeginAttach(TSkinFormFrame* frame, TSkinSet* skin, TCanvas* canvas);
  // With Recolor on, the control takes the skin's face colour; its own is kept to give back.
  void TakeFaceColor(TWinControl* control);
  // The end of every attach: listed in the frame, and attached.
  void FinishAttach();
  // Sets a state bit and paints the new state at once.
  void RedrawWithState(std::uint8_t bit, bool on);
  // A press that the previous handler sees first (it may capture the mouse or start a repeat):
  // the message is finished, the control shows pressed.
  bool PressAfterPrevious(TMessage& msg);
  TSkinSet* Skin() const { return skin_; }
  // The skin as drawn at the resolution of the frame's window (of the control's own window
  // without a frame); taken afresh for each paint, never kept.
  const TSkinModel& SkinModel() const;
  int PixelsPerInch() const;
  TSkinFormFrame* Frame() const { return frame_; }
  TCanvas* Canvas() const { return canvas_; }  // the frame's control canvas, borrowed
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value) { enabled_ = value; }
  bool Focused() const { return focused_; }
  void SetFocused(bool value) { focused_ = value; }
  // Focused, and the system's keyboard cues let focus marks show (they stay hidden until the
  // keyboard is used when the system says so): the window's state (WM_QUERYUISTATE) and what the
  // last WM_UPDATEUISTATE asked for, which a system that keeps no state of its own (Wine) sends
  // all the same.
  bool ShowsFocus() const;
  void SetText(std::string text) { text_ = std::move(text); }
  void SetControl(TWinControl* control) { control_ = control; }
  void SetGraphicControl(TControl* control) { graphicControl_ = control; }
  void SetPhase(TSkinControlPhase phase) { phase_ = phase; }
  // Called when the toolkit control's window was made anew (wnd) or destroyed (nullptr).
  virtual void WindowRecreated(HWND wnd) {}

private:
  // The window's area at (0, 0) into area; false when the window is gone.
  bool WindowArea(RECT& area) const;
  void Watch(TWinControl* control);
  void StopWatching();
  TWindowProcHook procHook_;  // HandleMessage in front of the toolkit control's handler
  TWindowHook windowHook_;    // the place in the window's subclass chain
  std::uint8_t state_ = 0;
  TCanvas* canvas_ = nullptr;
  bool enabled_ = true;
  bool focused_ = false;
  bool focusMarksHidden_ = false;  // by the last WM_UPDATEUISTATE
  std::string text_;
  TSkinSet* skin_ = nullptr;
  HWND handle_ = nullptr;
  TWinControl* control_ = nullptr;
  TControl* graphicControl_ = nullptr;
  bool recolor_ = false;
  TColor savedColor_ = clBtnFace;
  bool attached_ = false;
  TSkinControlPhase phase_ = TSkinControlPhase::Detached;
  TSkinFormFrame* frame_ = nullptr;
  TWinControl* watched_ = nullptr;    // the control whose windows the companion follows
  bool savedDoubleBuffered_ = false;  // its own setting, given back when it is no longer followed
  int watchId_ = 0;
  bool hookFollows_ = false;  // windowHook_ moves to the control's new window
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
