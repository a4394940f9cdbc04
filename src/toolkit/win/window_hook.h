#pragma once
// TWindowHook puts a handler bound to an object in front of a window's procedure and takes it
// out again on Detach. The hooks of one window form a chain (kept in this process, so a message
// costs no more than a call), and they can be removed in any order: each one passes messages on
// to whatever was in place before it.
//
// The rule: this is the one way to intercept the messages of a window. The toolkit binds its
// own control object with a TWindowHook when the window is made, so every hook attached later
// (skin frames, skin companions, the tray icon) sits above the toolkit's handling and sees each
// message first; the toolkit's own window classes answer WM_PAINT and WM_ERASEBKGND without
// passing them on, so a hook that paints must do so before or instead of calling CallPrevious.
// A procedure put in with a plain SetWindowLongPtr(GWLP_WNDPROC) after a hook stays in front of
// the chain, and removing the hook keeps it working. A handler may detach its own hook (or
// another one) while it handles a message; nested sends are fine.
#include <cstddef>
#include <functional>
#include <memory>

#include "toolkit/win/messages.h"

class TWindowHook {
public:
  using Handler = std::function<void(TMessage&)>;

  TWindowHook() = default;
  explicit TWindowHook(Handler handler) : handler_(std::move(handler)) {}
  TWindowHook(const TWindowHook&) = delete;
  TWindowHook& operator=(const TWindowHook&) = delete;
  ~TWindowHook() {
    Detach();
    *alive_ = false;
  }

  void SetHandler(Handler handler) { handler_ = std::move(handler); }

  // Hooks wnd (detaching from a previous window first). Without a handler every message
  // goes straight on to the previous procedure.
  void Attach(HWND wnd);
  // Restores the previous procedure; nothing when not attached. The hook lets go of the
  // window by itself when the window is destroyed.
  void Detach();
  bool Attached() const { return wnd_ != nullptr; }
  HWND Handle() const { return wnd_; }

  // Passes msg to the procedure that was in place before this hook and stores its answer in
  // msg.Result. Only valid while a message of the hooked window is being handled.
  void CallPrevious(TMessage& msg);

private:
  static LRESULT CALLBACK ChainProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT CallBelow(HWND wnd, std::size_t below, UINT msg, WPARAM wp, LPARAM lp);
  static void Tidy(HWND wnd);
  LRESULT Dispatch(HWND wnd, std::size_t place, UINT msg, WPARAM wp, LPARAM lp);

  HWND wnd_ = nullptr;
  HWND handling_ = nullptr;        // the window whose message the handler is handling
  std::size_t handlingPlace_ = 0;  // and this hook's place in its chain
  Handler handler_;
  // Shared with a running Dispatch, so it can tell whether the handler freed the hook while
  // handling a message.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};
