#include "toolkit/win/window_hook.h"

#include <mutex>
#include <unordered_map>
#include <vector>

#include "toolkit/win/callback_errors.h"

// Each hooked window has one chain: the procedure it had before the first hook, and the hooks
// in the order they were attached (the last one sees a message first). The chain's own
// procedure finds the chain in a table of this process. Window properties would do the same,
// but they are kept by the system's server, and a message that has to ask it where its hooks
// are costs a hundred times more than one that does not.
namespace {

struct TChain {
  WNDPROC original = nullptr;
  // A hook detached while a message of the window is being handled leaves an empty place, so
  // the places of the others stay put until the last message returns.
  std::vector<TWindowHook*> hooks;
  int running = 0;  // messages of the window being handled, nested sends counted
  bool destroyed = false;
};

std::mutex& TableLock() {
  static std::mutex lock;
  return lock;
}

std::unordered_map<HWND, TChain>& Table() {
  static std::unordered_map<HWND, TChain> table;
  return table;
}

// Elements of an unordered_map keep their address while others come and go.
TChain* FindChain(HWND wnd) {
  std::lock_guard<std::mutex> guard(TableLock());
  auto it = Table().find(wnd);
  return it == Table().end() ? nullptr : &it->second;
}

}  // namespace

// The chain's procedure: the front hook gets the message.
LRESULT CALLBACK TWindowHook::ChainProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp) {
  TChain* chain = FindChain(wnd);
  if (!chain) return DefWindowProcW(wnd, msg, wp, lp);
  ++chain->running;
  const LRESULT result = CallBelow(wnd, chain->hooks.size(), msg, wp, lp);
  --chain->running;
  if (msg == WM_NCDESTROY) {
    // The hooks let go of a destroyed window by themselves.
    for (TWindowHook*& hook : chain->hooks)
      if (hook) {
        hook->wnd_ = nullptr;
        hook = nullptr;
      }
    chain->destroyed = true;
  }
  if (chain->running == 0) Tidy(wnd);
  return result;
}

// Hands the message to the first hook below place `below` of the window's chain, or to the
// procedure the window had before its first hook.
LRESULT TWindowHook::CallBelow(HWND wnd, std::size_t below, UINT msg, WPARAM wp, LPARAM lp) {
  TChain* chain = FindChain(wnd);
  if (!chain) return DefWindowProcW(wnd, msg, wp, lp);
  while (below > 0) {
    --below;
    if (TWindowHook* hook = chain->hooks[below]) return hook->Dispatch(wnd, below, msg, wp, lp);
  }
  return CallWindowProcW(chain->original, wnd, msg, wp, lp);
}

LRESULT TWindowHook::Dispatch(HWND wnd, std::size_t place, UINT msg, WPARAM wp, LPARAM lp) {
  if (!handler_) return CallBelow(wnd, place, msg, wp, lp);
  std::shared_ptr<bool> alive = alive_;
  TMessage m{msg, wp, lp, 0};
  const HWND outerWindow = handling_;
  const std::size_t outerPlace = handlingPlace_;
  handling_ = wnd;
  handlingPlace_ = place;
  try {
    handler_(m);
  } catch (...) {
    ReportCallbackException();
  }
  if (*alive) {
    handling_ = outerWindow;
    handlingPlace_ = outerPlace;
  }
  return m.Result;
}

// With no message of the window running: empty places go; a chain without hooks gives the
// window its procedure back when the chain's procedure is still in front (one put in front of
// it later keeps it as the procedure it calls, so the chain stays as a plain pass-through); a
// destroyed window's chain goes.
void TWindowHook::Tidy(HWND wnd) {
  std::lock_guard<std::mutex> guard(TableLock());
  auto it = Table().find(wnd);
  if (it == Table().end() || it->second.running > 0) return;
  TChain& chain = it->second;
  std::erase(chain.hooks, nullptr);
  if (chain.destroyed) {
    Table().erase(it);
  } else if (chain.hooks.empty() &&
             GetWindowLongPtrW(wnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&TWindowHook::ChainProc)) {
    SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(chain.original));
    Table().erase(it);
  }
}

void TWindowHook::Attach(HWND wnd) {
  Detach();
  if (!wnd || !IsWindow(wnd)) return;
  {
    std::lock_guard<std::mutex> guard(TableLock());
    auto it = Table().find(wnd);
    if (it == Table().end() || it->second.destroyed) {
      if (it != Table().end()) return;  // the window is going
      const auto original = reinterpret_cast<WNDPROC>(
          SetWindowLongPtrW(wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TWindowHook::ChainProc)));
      if (!original) return;  // another process's window
      it = Table().emplace(wnd, TChain{original, {}, 0, false}).first;
    }
    it->second.hooks.push_back(this);
  }
  wnd_ = wnd;
}

void TWindowHook::Detach() {
  if (!wnd_) return;
  const HWND wnd = wnd_;
  wnd_ = nullptr;
  if (TChain* chain = FindChain(wnd)) {
    for (std::size_t i = chain->hooks.size(); i-- > 0;)
      if (chain->hooks[i] == this) {
        chain->hooks[i] = nullptr;
        break;
      }
    if (chain->running == 0) Tidy(wnd);
  }
}

void TWindowHook::CallPrevious(TMessage& msg) {
  // A handler that detached its own hook still passes the message on down the chain.
  if (handling_) {
    msg.Result = CallBelow(handling_, handlingPlace_, msg.Msg, msg.WParam, msg.LParam);
    return;
  }
  msg.Result = 0;
  if (TChain* chain = wnd_ ? FindChain(wnd_) : nullptr)
    for (std::size_t i = chain->hooks.size(); i-- > 0;)
      if (chain->hooks[i] == this) {
        msg.Result = CallBelow(wnd_, i, msg.Msg, msg.WParam, msg.LParam);
        return;
      }
}
