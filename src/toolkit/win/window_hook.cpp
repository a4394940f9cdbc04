#include "toolkit/win/window_hook.h"

#include <commctrl.h>

#include "toolkit/win/application.h"

void TWindowHook::Attach(HWND wnd) {
  Detach();
  if (!wnd || !SetWindowSubclass(wnd, &TWindowHook::SubclassProc, reinterpret_cast<UINT_PTR>(this),
                                 reinterpret_cast<DWORD_PTR>(this)))
    return;
  wnd_ = wnd;
}

void TWindowHook::Detach() {
  if (!wnd_) return;
  RemoveWindowSubclass(wnd_, &TWindowHook::SubclassProc, reinterpret_cast<UINT_PTR>(this));
  wnd_ = nullptr;
}

void TWindowHook::CallPrevious(TMessage& msg) {
  // A handler that detached its own hook still passes the message on down the chain.
  HWND wnd = wnd_ ? wnd_ : handling_;
  msg.Result = wnd ? DefSubclassProc(wnd, msg.Msg, msg.WParam, msg.LParam) : 0;
}

LRESULT CALLBACK TWindowHook::SubclassProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id,
                                           DWORD_PTR ref) {
  auto* self = reinterpret_cast<TWindowHook*>(ref);
  std::shared_ptr<bool> alive = self->alive_;
  TMessage m{msg, wp, lp, 0};
  if (!self->handler_) {
    m.Result = DefSubclassProc(wnd, msg, wp, lp);
  } else {
    HWND outer = self->handling_;
    self->handling_ = wnd;
    try {
      self->handler_(m);
    } catch (...) {
      Application->HandleException();
    }
    if (*alive) self->handling_ = outer;
  }
  if (msg == WM_NCDESTROY && *alive && self->wnd_ == wnd) {
    RemoveWindowSubclass(wnd, &TWindowHook::SubclassProc, id);
    self->wnd_ = nullptr;
  }
  return m.Result;
}
