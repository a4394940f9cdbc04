#pragma once
// TSkinManager: the one process-wide coordinator of the skin engine, its portable core.
//
// It keeps the registered skin components, whether skinning is on, and the deferred actions
// that skin components request (1 switch on, 2 switch off, 3 apply a changed skin, 6 purge
// dead frames), carried out on a 250 ms timer so that a component can ask from inside a
// property setter or while its form is being read. A changed skin, which the user is waiting
// to see, is carried out as soon as the message loop is idle; its timer stays as the fallback.
//
// Everything that touches windows (the CBT hook, frames, forms) is behind TSkinWindowSide,
// which the skinned-windows layer provides; the timer is behind TSkinActionTimer, which the
// windowed program backs with a toolkit timer. Without them the manager runs with a timer
// that only ticks when told (TManualActionTimer) and a window side that does nothing.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/core/object.h"

class TSkinSet;

// A window handle, as the portable layer carries it.
using TSkinWindow = std::uintptr_t;

// What the manager's timer is asked to do (the values are those the skin component's callers
// have always passed).
enum class TSkinAction { None = 0, Activate = 1, Deactivate = 2, ApplyChangedSkin = 3, PurgeDeadFrames = 6 };

class TSkinActionTimer {
public:
  virtual ~TSkinActionTimer() = default;
  virtual void SetInterval(int milliseconds) = 0;
  virtual int Interval() const = 0;
  virtual void SetEnabled(bool enabled) = 0;
  virtual bool Enabled() const = 0;
  // Asks for one tick as soon as the message loop is idle (the interval's ticks go on after
  // it); nothing while disabled.
  virtual void FireSoon() = 0;
  // Called on every tick while enabled.
  std::function<void()> OnTimer;
};

// A timer that ticks only when Tick is called (tests; a program without a message loop).
class TManualActionTimer : public TSkinActionTimer {
public:
  void SetInterval(int milliseconds) override { interval_ = milliseconds; }
  int Interval() const override { return interval_; }
  void SetEnabled(bool enabled) override { enabled_ = enabled; }
  bool Enabled() const override { return enabled_; }
  // Nothing runs by itself here: the request is only noted, until the next Tick.
  void FireSoon() override { soonAsked_ = enabled_; }
  bool SoonAsked() const { return soonAsked_; }
  // One tick: runs OnTimer when enabled; false when it was not.
  bool Tick();

private:
  int interval_ = 250;
  bool enabled_ = false;
  bool soonAsked_ = false;
};

// The window part of the manager: hooks, frames and forms.
class TSkinWindowSide {
public:
  virtual ~TSkinWindowSide() = default;
  virtual void InstallHook() {}
  virtual void RemoveHook() {}
  // Gives the window a frame when it qualifies; true when one was attached.
  virtual bool AttachWindow(TSkinWindow window) { return false; }
  // AttachWindow for the window of the skin component's owner, when the owner is a form.
  virtual void AttachOwnerForm(TSkinSet& skin) {}
  // Every frame frees its caption-bar buttons (they refer to the model a load replaces).
  virtual void DropSystemButtons() {}
  // The frame work of an action of the timer (attach, detach, refresh, purge); the manager
  // has already set Active for actions 1 and 2.
  virtual void CarryOut(TSkinAction action, TSkinSet& skin) {}
};

class TSkinManager : public TObject {
  QUILLIMO_CLASS(TSkinManager, TObject)
public:
  explicit TSkinManager(std::unique_ptr<TSkinActionTimer> timer = nullptr,
                        std::unique_ptr<TSkinWindowSide> windows = nullptr);
  ~TSkinManager() override;

  // Registered skin components, in registration order (each once).
  void RegisterSkinData(TSkinSet* skin);
  void UnregisterSkinData(TSkinSet* skin);
  const std::vector<TSkinSet*>& SkinDataList() const { return skinDataList_; }

  void InstallHook();
  bool AttachWindow(TSkinWindow window);
  void AttachOwnerForm(TSkinSet& skin);
  void DropSystemButtons();

  // Sets the pending action and the timer's interval; the timer runs once a window has been
  // activated (Started), and for a changed skin it ticks as soon as the loop is idle. Before
  // that, Activate and Deactivate take effect at once (Active) and the others do nothing.
  void RequestAction(TSkinAction action, int interval);
  // One tick of the action timer.
  void OnActionTimer();

  // Whether windows of the class are to be skinned: asks the first main-form component
  // (TSkinSet::CheckFormSkin); every class without one.
  bool AcceptClassName(const std::string& className) const;

  // Skinning is on: new windows of the thread get frames.
  bool Active() const { return active_; }
  void SetActive(bool value) { active_ = value; }
  // The window side is going through the thread's windows (attaching or refreshing them all).
  bool Scanning() const { return scanning_; }
  void SetScanning(bool value) { scanning_ = value; }
  // A window has been activated: from then on requested actions wait for the timer.
  bool Started() const { return started_; }
  void SetStarted(bool value) { started_ = value; }
  // The children of the MDI frame are maximised; the frame's client window.
  bool MdiMaximized() const { return mdiMaximized_; }
  void SetMdiMaximized(bool value) { mdiMaximized_ = value; }
  TSkinWindow MdiClient() const { return mdiClient_; }
  void SetMdiClient(TSkinWindow window) { mdiClient_ = window; }
  // The action the timer carries out at its next tick, and for which skin component.
  TSkinAction PendingAction() const { return pendingAction_; }
  TSkinSet* PendingSkin() const { return pendingSkin_; }
  void SetPendingSkin(TSkinSet* skin) { pendingSkin_ = skin; }
  // Forgets the requested action (the timer keeps ticking, with nothing to do).
  void ClearPendingAction() {
    pendingAction_ = TSkinAction::None;
    pendingSkin_ = nullptr;
  }

  TSkinActionTimer& ActionTimer() { return *timer_; }
  TSkinWindowSide& Windows() { return *windows_; }

private:
  std::unique_ptr<TSkinActionTimer> timer_;
  std::unique_ptr<TSkinWindowSide> windows_;
  std::vector<TSkinSet*> skinDataList_;
  bool hookInstalled_ = false;
  bool active_ = false;
  bool scanning_ = false;
  bool started_ = false;
  bool mdiMaximized_ = false;
  TSkinWindow mdiClient_ = 0;
  TSkinAction pendingAction_ = TSkinAction::None;
  TSkinSet* pendingSkin_ = nullptr;
};

// The process-wide manager: null until the first skin component finishes loading.
TSkinManager* GetSkinManager();
// Creates it (through the factory) when there is none.
TSkinManager& CreateSkinManager();
// Frees it (program end; tests).
void FreeSkinManager();
// How CreateSkinManager makes the manager; the skinned-windows layer installs one that gives
// it a toolkit timer and its window side. nullptr restores the portable default.
using TSkinManagerFactory = std::function<std::unique_ptr<TSkinManager>()>;
void SetSkinManagerFactory(TSkinManagerFactory factory);
