#include "toolkit/win/wincontrol.h"

#include <algorithm>
#include <memory>
#include <set>
#include <unordered_map>

#include "toolkit/core/format.h"
#include "toolkit/core/utf8.h"
#include "toolkit/win/canvas.h"
#include "toolkit/win/dc_guards.h"
#include "toolkit/win/graphics.h"

namespace {
// The control of each bound window. Kept here rather than in a window property: finding the
// control of a window is done for many messages, and a property is a round trip to the system.
std::unordered_map<HWND, TWinControl*>& BoundControls() {
  static std::unordered_map<HWND, TWinControl*> controls;
  return controls;
}

// The bitmap a buffered paint draws in. One bitmap, grown to the largest control, serves the
// paints one after another: a bitmap made for each paint costs a mapping of fresh, zeroed
// memory every time. Each paint gets it as a new one would be: black over the control's size,
// its device context's state as it was. It is not clipped to the control's size: with a clip
// region already set, painters that save, clip and restore the context were seen to lose a
// region per paint under Wine. A paint that comes while another is drawing (a control painted
// from within another's paint) gets a bitmap of its own.
class TPaintBuffer {
public:
  TPaintBuffer(int width, int height) {
    TShared& shared = Shared();
    if (shared.busy) {
      own_ = std::make_unique<TBitmap>(width, height);
      dc_ = own_->Canvas().Handle();
      return;
    }
    if (!shared.bitmap)
      shared.bitmap = std::make_unique<TBitmap>(width, height);
    else if (shared.bitmap->Width() < width || shared.bitmap->Height() < height)
      shared.bitmap->SetSize(std::max(width, shared.bitmap->Width()), std::max(height, shared.bitmap->Height()));
    dc_ = shared.bitmap->Canvas().Handle();
    saved_ = SaveDC(dc_);
    PatBlt(dc_, 0, 0, width, height, BLACKNESS);
    shared.busy = true;
  }
  ~TPaintBuffer() {
    if (own_) return;
    RestoreDC(dc_, saved_);
    Shared().busy = false;
  }
  TPaintBuffer(const TPaintBuffer&) = delete;
  TPaintBuffer& operator=(const TPaintBuffer&) = delete;

  HDC Handle() const { return dc_; }

private:
  struct TShared {
    std::unique_ptr<TBitmap> bitmap;
    bool busy = false;
  };
  static TShared& Shared() {
    static thread_local TShared shared;
    return shared;
  }
  std::unique_ptr<TBitmap> own_;
  HDC dc_ = nullptr;
  int saved_ = 0;
};

bool HasNonClientArea(HWND wnd) {
  RECT window{}, client{};
  GetWindowRect(wnd, &window);
  GetClientRect(wnd, &client);
  return window.right - window.left != client.right || window.bottom - window.top != client.bottom;
}

void Unbind(HWND wnd, const TWinControl* control) {
  auto it = BoundControls().find(wnd);
  if (it != BoundControls().end() && it->second == control) BoundControls().erase(it);
}

bool IsToolkitMessage(UINT msg) { return msg >= CM_BASE && msg < CN_BASE + 0x400; }

int NextControlId() {
  static int id = 100;
  return ++id;
}

// The control whose window CreateWnd is making: the creation hook binds it to the first window
// that the call creates.
thread_local TWinControl* creating = nullptr;
thread_local HHOOK creationHook = nullptr;

// Keeps the creation hook set while a window, and the windows of its children made with it, are
// created: the outermost scope sets it and takes it away, so a tree of windows sets it once
// (setting and removing a hook are a server request each).
class TCreationHookScope {
public:
  explicit TCreationHookScope(HOOKPROC hook) : own_(!creationHook) {
    if (own_) creationHook = SetWindowsHookExW(WH_CBT, hook, nullptr, GetCurrentThreadId());
  }
  ~TCreationHookScope() {
    if (!own_) return;
    UnhookWindowsHookEx(creationHook);
    creationHook = nullptr;
  }
  TCreationHookScope(const TCreationHookScope&) = delete;
  TCreationHookScope& operator=(const TCreationHookScope&) = delete;

private:
  bool own_;
};
}  // namespace

QUILLIMO_REGISTER_CLASS(TWinControl, [](TPropertyTable& p) {
  p.Integer("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder, -1);
  p.Bool("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop, false);
  p.Event("OnEnter", &TWinControl::OnEnter);
  p.Event("OnExit", &TWinControl::OnExit);
});

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {
  hook_.SetHandler([this](TMessage& m) {
    // A double-buffered control erases in its buffered paint only, which sends the erase for
    // the bitmap straight to the control.
    if (m.Msg == WM_ERASEBKGND && doubleBuffered_) {
      m.Result = 1;
      return;
    }
    if (WindowProc)
      WindowProc(m);
    else
      WndProc(m);
  });
}

TWinControl::~TWinControl() {
  destroying_ = true;
  while (!controls_.empty()) delete controls_.back();
  // No window is left pointing at a control that is gone, whatever became of its window.
  std::erase_if(BoundControls(), [this](const auto& bound) { return bound.second == this; });
  if (handle_) {
    hook_.Detach();
    HWND wnd = handle_;
    handle_ = nullptr;
    DestroyWindow(wnd);
  }
}

TWinControl* TWinControl::FindControl(HWND wnd) {
  if (!wnd) return nullptr;
  auto it = BoundControls().find(wnd);
  return it == BoundControls().end() ? nullptr : it->second;
}

HWND TWinControl::Handle() {
  if (!handle_) CreateHandle();
  return handle_;
}

void TWinControl::CreateHandle() {
  if (handle_) return;
  if (Parent()) {
    Parent()->Handle();  // creates this control's window too, with the parent's children
    if (handle_) return;
  }
  TCreationHookScope hook(&TWinControl::CreationHook);
  CreateWnd();
  if (!hook_.Attached()) BindWindow(handle_);
  SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle(Font()->Data())), FALSE);
  HandleCreated();
  // Hidden children (the pages not shown) and children wholly outside the client area get
  // their windows when they are shown, come into view or are asked for their handle: making
  // windows is the dearest part of showing a form.
  MakeChildrenInView();
  Realign();
  TellHandleWatches(handle_);
}

void TWinControl::BindWindow(HWND wnd) {
  handle_ = wnd;
  BoundControls()[wnd] = this;
  hook_.Attach(wnd);
}

// HCBT_CREATEWND comes before the window's first message: the control takes the window there.
LRESULT CALLBACK TWinControl::CreationHook(int code, WPARAM wp, LPARAM lp) {
  if (code == HCBT_CREATEWND && creating) {
    TWinControl* control = creating;
    creating = nullptr;
    control->BindWindow(reinterpret_cast<HWND>(wp));
  }
  return CallNextHookEx(nullptr, code, wp, lp);
}

int TWinControl::AddHandleWatch(THandleWatch watch) {
  handleWatches_.emplace_back(nextWatchId_, std::move(watch));
  return nextWatchId_++;
}

void TWinControl::RemoveHandleWatch(int id) {
  std::erase_if(handleWatches_, [id](const auto& w) { return w.first == id; });
}

void TWinControl::TellHandleWatches(HWND wnd) {
  auto watches = handleWatches_;  // a watch may remove itself
  for (auto& [id, watch] : watches)
    if (std::any_of(handleWatches_.begin(), handleWatches_.end(), [id = id](const auto& w) { return w.first == id; }))
      watch(wnd);
}

void TWinControl::RegisterOwnClass(const TCreateParams& params) {
  static std::set<std::wstring> registered;
  if (registered.count(params.ClassName)) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = params.ClassStyle;
  wc.lpfnWndProc = DefWindowProcW;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = params.Cursor ? params.Cursor : LoadCursorW(nullptr, IDC_ARROW);
  wc.hIcon = params.Icon;
  wc.lpszClassName = params.ClassName.c_str();
  RegisterClassExW(&wc);
  registered.insert(params.ClassName);
}

void TWinControl::CreateParams(TCreateParams& params) {
  params.ClassName = Utf8ToWide(ClassName());
  params.OwnClass = true;
  params.Caption = Utf8ToWide(TControl::GetText());
  params.Style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
  if (Visible()) params.Style |= WS_VISIBLE;
  if (!Enabled()) params.Style |= WS_DISABLED;
  if (tabStop_) params.Style |= WS_TABSTOP;
  params.X = Left();
  params.Y = Top();
  params.Width = Width();
  params.Height = Height();
  params.WndParent = Parent() ? Parent()->handle_ : ownerWindow_;
}

void TWinControl::CreateWnd() {
  TCreateParams params;
  CreateParams(params);
  if ((params.Style & WS_CHILD) && !params.WndParent)
    throw EInvalidOperation(Format("Control '%s' has no parent window", {Name()}));
  if (params.OwnClass) RegisterOwnClass(params);
  ownClass_ = params.OwnClass;
  HMENU id = (params.Style & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(NextControlId())) : params.Menu;
  TWinControl* outer = creating;
  HWND wnd = nullptr;
  {
    TCreationHookScope hook(&TWinControl::CreationHook);
    creating = this;
    wnd = CreateWindowExW(params.ExStyle, params.ClassName.c_str(), params.Caption.c_str(), params.Style, params.X,
                          params.Y, params.Width, params.Height, params.WndParent, id, GetModuleHandleW(nullptr),
                          nullptr);
    creating = outer;
  }
  if (!wnd) {
    // A window whose creation failed after the hook bound it is gone again.
    if (hook_.Attached()) hook_.Detach();
    handle_ = nullptr;
  } else if (!hook_.Attached()) {
    BindWindow(wnd);
  }
  if (!handle_) throw EOutOfResources(Format("Error creating window of class %s", {ClassName()}));
}

void TWinControl::DestroyHandle() {
  if (!handle_) return;
  HandleDestroying();
  DestroyWindow(handle_);
  handle_ = nullptr;
}

void TWinControl::InsertControl(TControl* control) {
  controls_.push_back(control);
  control->parent_ = this;
  if (auto* w = dynamic_cast<TWinControl*>(control)) {
    if (w->handle_ && handle_)
      ::SetParent(w->handle_, handle_);
    else if (handle_ && !ComponentState().Contains(csLoading))
      w->CreateHandle();
  }
  if (control->Align() != alNone) Realign();
  control->Invalidate();
  ControlInserted(control);
}

void TWinControl::RemoveControl(TControl* control) {
  control->Invalidate();
  controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
  control->parent_ = nullptr;
  if (control == hotGraphic_) hotGraphic_ = nullptr;
  if (control == capturedGraphic_) capturedGraphic_ = nullptr;
  if (!destroying_) ControlRemoved(control);
  if (!destroying_) {
    if (auto* w = dynamic_cast<TWinControl*>(control); w && !w->destroying_) w->DestroyHandle();
    if (control->Align() != alNone) Realign();
  }
}

void TWinControl::SetTabOrder(int order) { tabOrder_ = order; }

void TWinControl::SetTabStop(bool v) {
  tabStop_ = v;
  if (handle_) {
    LONG_PTR style = GetWindowLongPtrW(handle_, GWL_STYLE);
    SetWindowLongPtrW(handle_, GWL_STYLE, v ? style | WS_TABSTOP : style & ~WS_TABSTOP);
  }
}

bool TWinControl::Focused() const { return handle_ && GetFocus() == handle_; }

bool TWinControl::CanFocus() const { return Showing() && Enabled(); }

void TWinControl::SetFocus() { ::SetFocus(Handle()); }

void TWinControl::SetBounds(int left, int top, int width, int height) { TControl::SetBounds(left, top, width, height); }

void TWinControl::BoundsChanged() {
  UpdateWindowBounds();
  MakeWindowIfInView();
  Realign();
}

void TWinControl::MakeWindowIfInView() {
  if (handle_ || !Visible() || !Parent() || !Parent()->handle_) return;
  const RECT client = Parent()->ClientRect();
  if (Left() < client.right && Top() < client.bottom && Left() + Width() > client.left && Top() + Height() > client.top)
    CreateHandle();
}

void TWinControl::MakeChildrenInView() {
  std::vector<TControl*> children = controls_;
  for (TControl* child : children)
    if (auto* w = dynamic_cast<TWinControl*>(child)) w->MakeWindowIfInView();
}

void TWinControl::UpdateWindowBounds() {
  if (!handle_) return;
  RECT r{};
  GetWindowRect(handle_, &r);
  if (HWND parent = GetParent(handle_); parent && (GetWindowLongPtrW(handle_, GWL_STYLE) & WS_CHILD))
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  if (r.left == Left() && r.top == Top() && r.right - r.left == Width() && r.bottom - r.top == Height()) return;
  SetWindowPos(handle_, nullptr, Left(), Top(), Width(), Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

RECT TWinControl::ClientRect() const {
  RECT r{0, 0, Width(), Height()};
  if (handle_) GetClientRect(handle_, &r);
  return r;
}

bool TWinControl::Showing() const {
  if (handle_) return IsWindowVisible(handle_) != FALSE;
  return Visible() && Parent() && Parent()->Showing();
}

// The toolkit keeps the text it gave the window and every text set on the window from outside
// (WM_SETTEXT); only a window whose text the user edits is asked.
std::string TWinControl::GetText() const {
  if (!handle_ || !WindowEditsText()) return TControl::GetText();
  int n = GetWindowTextLengthW(handle_);
  std::wstring w(static_cast<std::size_t>(n) + 1, L'\0');
  n = GetWindowTextW(handle_, w.data(), n + 1);
  w.resize(static_cast<std::size_t>(std::max(n, 0)));
  return WideToUtf8(w);
}

void TWinControl::TextChanged() {
  if (handle_) SetWindowTextW(handle_, Utf8ToWide(TControl::GetText()).c_str());
}

// A window that is not on the screen (it or a window it sits in is hidden) is painted whole
// when it appears: invalidating it before is a request to the system for nothing.
void TWinControl::Invalidate() {
  if (handle_ && IsWindowVisible(handle_)) InvalidateRect(handle_, nullptr, TRUE);
}

void TWinControl::Update() {
  if (handle_) UpdateWindow(handle_);
}

void TWinControl::VisibleChanged() {
  if (handle_)
    ShowWindow(handle_, Visible() ? SW_SHOWNA : SW_HIDE);
  else if (Visible() && Parent() && Parent()->HandleAllocated())
    CreateHandle();
  TControl::VisibleChanged();
}

void TWinControl::EnabledChanged() {
  if (handle_) EnableWindow(handle_, Enabled());
}

void TWinControl::FontChanged() {
  if (handle_) SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(FontHandle(Font()->Data())), TRUE);
  TControl::FontChanged();
}

HBRUSH TWinControl::BackgroundBrush(HDC dc) const {
  SetDCBrushColor(dc, BackgroundRGB());
  return static_cast<HBRUSH>(GetStockObject(DC_BRUSH));
}

void TWinControl::EraseBackground(HDC dc) {
  RECT r;
  GetClientRect(handle_, &r);
  FillRect(dc, &r, BackgroundBrush(dc));
}

void TWinControl::PaintControls(HDC dc) {
  for (TControl* c : controls_) {
    auto* g = dynamic_cast<TGraphicControl*>(c);
    if (!g || !g->Visible()) continue;
    int saved = SaveDC(dc);
    IntersectClipRect(dc, g->Left(), g->Top(), g->Left() + g->Width(), g->Top() + g->Height());
    POINT old;
    OffsetViewportOrgEx(dc, g->Left(), g->Top(), &old);
    g->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    RestoreDC(dc, saved);
  }
}

void TWinControl::EnableAlign() {
  if (alignDisabled_ > 0 && --alignDisabled_ == 0 && alignPending_) Realign();
}

void TWinControl::Realign() {
  if (realigning_ || ComponentState().Contains(csLoading)) return;
  if (alignDisabled_ > 0) {
    alignPending_ = true;
    return;
  }
  alignPending_ = false;
  realigning_ = true;
  RECT r = ClientRect();
  auto place = [&](TAlign align) {
    std::vector<TControl*> list;
    for (TControl* c : controls_)
      if (c->Align() == align && c->Visible()) list.push_back(c);
    std::stable_sort(list.begin(), list.end(), [align](TControl* a, TControl* b) {
      switch (align) {
        case alTop: return a->Top() < b->Top();
        case alBottom: return a->Top() + a->Height() > b->Top() + b->Height();
        case alLeft: return a->Left() < b->Left();
        case alRight: return a->Left() + a->Width() > b->Left() + b->Width();
        default: return false;
      }
    });
    for (TControl* c : list) {
      int w = c->Width(), h = c->Height();
      switch (align) {
        case alTop:
          c->SetBounds(r.left, r.top, r.right - r.left, h);
          r.top += h;
          break;
        case alBottom:
          c->SetBounds(r.left, r.bottom - h, r.right - r.left, h);
          r.bottom -= h;
          break;
        case alLeft:
          c->SetBounds(r.left, r.top, w, r.bottom - r.top);
          r.left += w;
          break;
        case alRight:
          c->SetBounds(r.right - w, r.top, w, r.bottom - r.top);
          r.right -= w;
          break;
        case alClient: c->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top); break;
        default: break;
      }
    }
  };
  for (TAlign a : {alTop, alBottom, alLeft, alRight, alClient}) place(a);
  realigning_ = false;
}

void TWinControl::ChangeScale(int from, int to) {
  DisableAlign();
  TControl::ChangeScale(from, to);
  ScaleControls(from, to);
  EnableAlign();
}

void TWinControl::ScaleControls(int from, int to) {
  // A copy: a control may make or move others as it scales.
  const std::vector<TControl*> controls = controls_;
  for (TControl* c : controls) c->ChangeScale(from, to);
}

void TWinControl::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  for (TControl* c : controls_)
    if (c->Owner() == root) proc(c);
}

void TWinControl::Loaded() {
  TControl::Loaded();
  Realign();
}

void TWinControl::ReflectToChild(TMessage& msg) {
  HWND child = nullptr;
  switch (msg.Msg) {
    case WM_NOTIFY: child = reinterpret_cast<NMHDR*>(msg.LParam)->hwndFrom; break;
    case WM_DRAWITEM: child = reinterpret_cast<DRAWITEMSTRUCT*>(msg.LParam)->hwndItem; break;
    case WM_MEASUREITEM:
      child = GetDlgItem(handle_, static_cast<int>(reinterpret_cast<MEASUREITEMSTRUCT*>(msg.LParam)->CtlID));
      break;
    default: child = reinterpret_cast<HWND>(msg.LParam); break;
  }
  TWinControl* control = FindControl(child);
  if (control && control != this)
    msg.Result = control->Perform(CN_BASE + msg.Msg, msg.WParam, msg.LParam);
  else
    DefaultHandler(msg);
}

void TWinControl::WndProc(TMessage& msg) {
  switch (msg.Msg) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (msg.LParam) return ReflectToChild(msg);
      break;
    case WM_NOTIFY:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: return ReflectToChild(msg);
    case WM_DRAWITEM:
      if (reinterpret_cast<DRAWITEMSTRUCT*>(msg.LParam)->CtlType != ODT_MENU) return ReflectToChild(msg);
      break;
    case WM_MEASUREITEM:
      if (reinterpret_cast<MEASUREITEMSTRUCT*>(msg.LParam)->CtlType != ODT_MENU) return ReflectToChild(msg);
      break;
    case CN_CTLCOLORBTN:
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORSTATIC: {
      HDC dc = reinterpret_cast<HDC>(msg.WParam);
      SetTextColor(dc, static_cast<COLORREF>(ColorToRGB(Font()->Color())));
      SetBkColor(dc, BackgroundRGB());
      msg.Result = reinterpret_cast<LRESULT>(BackgroundBrush(dc));
      return;
    }
    case WM_SETTEXT:
      DefaultHandler(msg);
      if (msg.Result && msg.LParam) text_ = WideToUtf8(reinterpret_cast<const wchar_t*>(msg.LParam));
      return;
    case WM_SIZE: {
      if (!realigning_) {
        RECT r{};
        GetWindowRect(handle_, &r);
        if (HWND parent = GetParent(handle_); parent && (GetWindowLongPtrW(handle_, GWL_STYLE) & WS_CHILD))
          MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
        DefaultHandler(msg);
        TControl::SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
        Realign();
        MakeChildrenInView();
        return;
      }
      break;
    }
    case WM_ERASEBKGND:
      if (!ownClass_) break;
      EraseBackground(reinterpret_cast<HDC>(msg.WParam));
      msg.Result = 1;
      return;
    case WM_MOUSEMOVE:
      if (!mouseInside_) {
        mouseInside_ = true;
        TRACKMOUSEEVENT tme{sizeof(tme), TME_LEAVE, handle_, 0};
        TrackMouseEvent(&tme);
        Perform(CM_MOUSEENTER);
      }
      if (RouteMouseToGraphic(msg)) return;
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
      if (RouteMouseToGraphic(msg)) return;
      break;
    case WM_MOUSELEAVE:
      mouseInside_ = false;
      if (!capturedGraphic_) SetHotGraphic(nullptr);
      Perform(CM_MOUSELEAVE);
      break;
    case WM_PAINT:
      if (doubleBuffered_ && !msg.WParam) {
        PaintBuffered();
        msg.Result = 0;
        return;
      }
      if (ownClass_) {
        TPaintDC dc(handle_, msg.WParam);
        PaintWindow(dc);
        PaintControls(dc);
        return;
      }
      if (std::none_of(controls_.begin(), controls_.end(),
                       [](TControl* c) { return dynamic_cast<TGraphicControl*>(c) != nullptr; }))
        break;
      DefaultHandler(msg);
      if (msg.WParam) {
        PaintControls(reinterpret_cast<HDC>(msg.WParam));
      } else {
        TClientDC dc(handle_);
        PaintControls(dc);
      }
      return;
    case WM_SETFOCUS:
      DefaultHandler(msg);
      Perform(CM_ENTER);
      OnEnter(this);
      return;
    case WM_KILLFOCUS:
      DefaultHandler(msg);
      Perform(CM_EXIT);
      OnExit(this);
      return;
    case WM_NCDESTROY:
      DefaultHandler(msg);
      if (handle_) Unbind(handle_, this);
      handle_ = nullptr;
      if (!destroying_) TellHandleWatches(nullptr);
      return;
    default: break;
  }
  TControl::WndProc(msg);
}

void TWinControl::PaintBuffered() {
  TPaintDC screen(handle_);
  RECT client{};
  GetClientRect(handle_, &client);
  if (client.right <= 0 || client.bottom <= 0) return;
  TPaintBuffer buffer(client.right, client.bottom);
  HDC dc = buffer.Handle();
  Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  // The control's own painting (and its window class's) into the bitmap; what is hooked in
  // front of the control saw the WM_PAINT this answers.
  TMessage paint{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
  WndProc(paint);
  BitBlt(screen, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
}

TGraphicControl* TWinControl::GraphicAt(POINT p) const {
  for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
    auto* g = dynamic_cast<TGraphicControl*>(*it);
    if (!g || !g->Visible() || !g->Enabled()) continue;
    if (p.x >= g->Left() && p.x < g->Left() + g->Width() && p.y >= g->Top() && p.y < g->Top() + g->Height()) return g;
  }
  return nullptr;
}

void TWinControl::SetHotGraphic(TGraphicControl* control) {
  if (control == hotGraphic_) return;
  TGraphicControl* old = hotGraphic_;
  hotGraphic_ = control;
  if (old) old->Perform(CM_MOUSELEAVE);
  if (control) control->Perform(CM_MOUSEENTER);
}

bool TWinControl::RouteMouseToGraphic(TMessage& msg) {
  const POINT p{static_cast<short>(LOWORD(msg.LParam)), static_cast<short>(HIWORD(msg.LParam))};
  TGraphicControl* target = capturedGraphic_ ? capturedGraphic_ : GraphicAt(p);
  if (msg.Msg == WM_MOUSEMOVE) SetHotGraphic(GraphicAt(p));
  if (!target) return false;
  if (msg.Msg == WM_LBUTTONDOWN || msg.Msg == WM_LBUTTONDBLCLK) {
    capturedGraphic_ = target;
    SetCapture(handle_);
  }
  const LPARAM local = MAKELPARAM(p.x - target->Left(), p.y - target->Top());
  msg.Result = target->Perform(msg.Msg, msg.WParam, local);
  if (msg.Msg == WM_LBUTTONUP && capturedGraphic_) {
    capturedGraphic_ = nullptr;
    if (GetCapture() == handle_) ReleaseCapture();
    SetHotGraphic(GraphicAt(p));
  }
  return true;
}

void TWinControl::DefaultHandler(TMessage& msg) {
  if (IsToolkitMessage(msg.Msg) || !handle_) return;
  // A window whose client area is the whole window (no border, caption or scroll bar) has
  // nothing outside it to paint: the system would only fetch a device context for nothing,
  // for every such control each time a form is shown.
  if (msg.Msg == WM_NCPAINT && !HasNonClientArea(handle_)) {
    msg.Result = 0;
    return;
  }
  hook_.CallPrevious(msg);
}

TRedrawSuspension::TRedrawSuspension(TWinControl& control) {
  if (!control.HandleAllocated() || !IsWindowVisible(control.Handle())) return;
  wnd_ = control.Handle();
  SendMessageW(wnd_, WM_SETREDRAW, FALSE, 0);
}

TRedrawSuspension::~TRedrawSuspension() {
  if (!wnd_ || !IsWindow(wnd_)) return;
  SendMessageW(wnd_, WM_SETREDRAW, TRUE, 0);
  RedrawWindow(wnd_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}
