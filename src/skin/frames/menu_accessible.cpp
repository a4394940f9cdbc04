#include "skin/frames/menu_accessible.h"

#include <oleacc.h>

#include <algorithm>
#include <string>
#include <vector>

#include "skin/frames/form_frame.h"
#include "skin/frames/frame_menus.h"
#include "skin/frames/menu_bar.h"
#include "skin/frames/menu_keys.h"
#include "toolkit/core/utf8.h"

namespace {
// The accessibility library and the string allocator its clients free with, loaded on the
// first question: a program nobody asks keeps its start-up without them.
struct TAccessibilityLibrary {
  LRESULT(WINAPI* LresultFromObject)(REFIID, WPARAM, LPUNKNOWN) = nullptr;
  HRESULT(WINAPI* CreateStdAccessibleObject)(HWND, LONG, REFIID, void**) = nullptr;
  BSTR(WINAPI* SysAllocStringLen)(const OLECHAR*, UINT) = nullptr;
};

const TAccessibilityLibrary& Library() {
  static const TAccessibilityLibrary library = [] {
    TAccessibilityLibrary l;
    HMODULE oleacc = LoadLibraryW(L"oleacc.dll");
    HMODULE oleaut = LoadLibraryW(L"oleaut32.dll");
    if (!oleacc || !oleaut) return l;
    l.LresultFromObject = reinterpret_cast<decltype(l.LresultFromObject)>(
        reinterpret_cast<void*>(GetProcAddress(oleacc, "LresultFromObject")));
    l.CreateStdAccessibleObject = reinterpret_cast<decltype(l.CreateStdAccessibleObject)>(
        reinterpret_cast<void*>(GetProcAddress(oleacc, "CreateStdAccessibleObject")));
    l.SysAllocStringLen = reinterpret_cast<decltype(l.SysAllocStringLen)>(
        reinterpret_cast<void*>(GetProcAddress(oleaut, "SysAllocStringLen")));
    if (!l.SysAllocStringLen) l.LresultFromObject = nullptr;
    return l;
  }();
  return library;
}

HRESULT AnswerText(const std::wstring& text, BSTR* out) {
  const auto allocate = Library().SysAllocStringLen;
  *out = allocate ? allocate(text.data(), static_cast<UINT>(text.size())) : nullptr;
  return *out ? S_OK : E_OUTOFMEMORY;
}

void SetChildId(VARIANT* v, long id) {
  v->vt = VT_I4;
  v->lVal = id;
}

class TMenuBarAccessible;
// The objects handed out and not yet released: a frame that goes disconnects its own.
std::vector<TMenuBarAccessible*> liveObjects;

class TMenuBarAccessible final : public IAccessible {
public:
  TMenuBarAccessible(TSkinFormFrame& frame, HWND wnd) : frame_(&frame), wnd_(wnd) { liveObjects.push_back(this); }
  ~TMenuBarAccessible() { std::erase(liveObjects, this); }
  void Disconnect() { frame_ = nullptr; }
  const TSkinFormFrame* Frame() const { return frame_; }

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (iid != __uuidof(IUnknown) && iid != __uuidof(IDispatch) && iid != __uuidof(IAccessible)) return E_NOINTERFACE;
    *out = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
  ULONG STDMETHODCALLTYPE Release() override {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }

  // IDispatch: no type information; clients call the IAccessible methods.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }

  // IAccessible
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
    *parent = nullptr;
    const auto create = Library().CreateStdAccessibleObject;
    if (!create || !IsWindow(wnd_)) return S_FALSE;
    return create(wnd_, OBJID_WINDOW, __uuidof(IDispatch), reinterpret_cast<void**>(parent));
  }
  HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override {
    TSkinMenuBar* bar = Bar();
    if (!bar) return RPC_E_DISCONNECTED;
    *count = static_cast<LONG>(bar->Buttons().size());
    return S_OK;
  }
  // The items are simple elements, named by their child ids (1 for the first).
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override {
    *out = nullptr;
    TMenuBtn* button = nullptr;
    const HRESULT found = Find(child, button);
    return FAILED(found) ? found : S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    *name = nullptr;
    TMenuBtn* button = nullptr;
    if (HRESULT found = Find(child, button); FAILED(found)) return found;
    if (!button) return S_FALSE;
    return AnswerText(ShownCaption(Utf8ToWide(button->Caption())), name);
  }
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT, BSTR* value) override { return NoText(value); }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* text) override { return NoText(text); }
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* text) override { return NoText(text); }
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) override {
    *topic = 0;
    return NoText(file);
  }
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT, BSTR* text) override { return NoText(text); }
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    TMenuBtn* button = nullptr;
    if (HRESULT found = Find(child, button); FAILED(found)) return found;
    SetChildId(role, button ? ROLE_SYSTEM_MENUITEM : ROLE_SYSTEM_MENUBAR);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    TMenuBtn* button = nullptr;
    if (HRESULT found = Find(child, button); FAILED(found)) return found;
    SetChildId(state, button ? ItemState(*button) : 0);
    return S_OK;
  }
  // Alt and the letter that opens the item from the window.
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* text) override {
    *text = nullptr;
    TMenuBtn* button = nullptr;
    if (HRESULT found = Find(child, button); FAILED(found)) return found;
    const wchar_t key = button ? ChoosingKeyOf(Utf8ToWide(button->Caption())) : 0;
    if (!key) return S_FALSE;
    wchar_t upper[2] = {key, 0};
    CharUpperW(upper);
    return AnswerText(std::wstring(L"Alt+") + upper, text);
  }
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
    focus->vt = VT_EMPTY;
    if (!frame_) return RPC_E_DISCONNECTED;
    auto* selected = dynamic_cast<TMenuBtn*>(frame_->HotObject());
    if (selected && frame_->Menus().KeyboardMode()) SetChildId(focus, selected->Index() + 1);
    return focus->vt == VT_EMPTY ? S_FALSE : S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
    selection->vt = VT_EMPTY;
    return S_FALSE;
  }
  HRESULT STDMETHODCALLTYPE accSelect(LONG, VARIANT) override { return S_FALSE; }
  HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height, VARIANT child) override {
    TMenuBtn* button = nullptr;
    if (HRESULT found = Find(child, button); FAILED(found)) return found;
    RECT window{};
    GetWindowRect(wnd_, &window);
    RECT r = button ? button->Bounds : BarBounds();
    *left = window.left + r.left;
    *top = window.top + r.top;
    *width = r.right - r.left;
    *height = r.bottom - r.top;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override {
    end->vt = VT_EMPTY;
    TMenuBtn* button = nullptr;
    if (HRESULT found = Find(start, button); FAILED(found)) return found;
    const long count = static_cast<long>(Bar()->Buttons().size());
    long to = 0;
    switch (direction) {
      case NAVDIR_FIRSTCHILD: to = button ? 0 : 1; break;
      case NAVDIR_LASTCHILD: to = button ? 0 : count; break;
      case NAVDIR_NEXT:
      case NAVDIR_RIGHT: to = button ? button->Index() + 2 : 0; break;
      case NAVDIR_PREVIOUS:
      case NAVDIR_LEFT: to = button ? button->Index() : 0; break;
      default: return E_INVALIDARG;
    }
    if (to < 1 || to > count) return S_FALSE;
    SetChildId(end, to);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override {
    child->vt = VT_EMPTY;
    TSkinMenuBar* bar = Bar();
    if (!bar) return RPC_E_DISCONNECTED;
    RECT window{};
    GetWindowRect(wnd_, &window);
    const POINT p{x - window.left, y - window.top};
    if (TMenuBtn* button = bar->ButtonAt(p)) {
      SetChildId(child, button->Index() + 1);
    } else {
      const RECT all = BarBounds();
      if (!PtInRect(&all, p)) return S_FALSE;
      SetChildId(child, CHILDID_SELF);
    }
    return S_OK;
  }
  // An item's action is the click: its submenu opens, or its command runs.
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
    TMenuBtn* button = nullptr;
    if (HRESULT found = Find(child, button); FAILED(found)) return found;
    if (!button) return DISP_E_MEMBERNOTFOUND;
    frame_->Menus().PostOpenBarButton(*button);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override { return E_NOTIMPL; }

private:
  TSkinMenuBar* Bar() const { return frame_ ? frame_->Menus().Bar() : nullptr; }
  // The item a child id names (nullptr for the bar itself); an error for an id that names
  // nothing, or once the bar is gone.
  HRESULT Find(const VARIANT& child, TMenuBtn*& button) const {
    button = nullptr;
    TSkinMenuBar* bar = Bar();
    if (!bar) return RPC_E_DISCONNECTED;
    if (child.vt != VT_I4) return E_INVALIDARG;
    if (child.lVal == CHILDID_SELF) return S_OK;
    if (child.lVal < 1 || child.lVal > static_cast<long>(bar->Buttons().size())) return E_INVALIDARG;
    button = bar->Buttons()[static_cast<std::size_t>(child.lVal - 1)].get();
    return S_OK;
  }
  LONG ItemState(const TMenuBtn& button) const {
    const TFrameMenus& menus = frame_->Menus();
    LONG state = STATE_SYSTEM_FOCUSABLE;
    if (!button.Enabled()) state |= STATE_SYSTEM_UNAVAILABLE;
    if (button.SubMenu()) state |= STATE_SYSTEM_HASPOPUP;
    if (frame_->HotObject() == &button) {
      state |= STATE_SYSTEM_HOTTRACKED;
      if (menus.KeyboardMode()) state |= STATE_SYSTEM_FOCUSED;
    }
    if (menus.Tracking() && menus.OpenIndex() == button.Index()) state |= STATE_SYSTEM_PRESSED;
    return state;
  }
  // The union of the items' places, window coordinates.
  RECT BarBounds() const {
    RECT all{};
    if (TSkinMenuBar* bar = Bar())
      for (const auto& b : bar->Buttons()) UnionRect(&all, &all, &b->Bounds);
    return all;
  }
  static HRESULT NoText(BSTR* text) {
    *text = nullptr;
    return S_FALSE;
  }

  TSkinFormFrame* frame_;
  HWND wnd_;
  LONG refs_ = 1;
};
}  // namespace

IAccessible* NewMenuBarObject(TSkinFormFrame& frame) { return new TMenuBarAccessible(frame, frame.Handle()); }

LRESULT AnswerMenuBarObject(TSkinFormFrame& frame, WPARAM wp, LPARAM lp) {
  const auto answer = Library().LresultFromObject;
  if (static_cast<LONG>(lp) != OBJID_MENU || !frame.Menus().Bar() || !answer) return 0;
  IAccessible* object = NewMenuBarObject(frame);
  const LRESULT result = answer(__uuidof(IAccessible), wp, object);
  object->Release();
  return FAILED(static_cast<HRESULT>(result)) ? 0 : result;
}

void DisconnectMenuBarObjects(const TSkinFormFrame& frame) {
  for (TMenuBarAccessible* object : liveObjects)
    if (object->Frame() == &frame) object->Disconnect();
}

void NotifyMenuBarStart(HWND wnd) { NotifyWinEvent(EVENT_SYSTEM_MENUSTART, wnd, OBJID_MENU, CHILDID_SELF); }

void NotifyMenuBarFocus(HWND wnd, int index) { NotifyWinEvent(EVENT_OBJECT_FOCUS, wnd, OBJID_MENU, index + 1); }

void NotifyMenuBarEnd(HWND wnd) { NotifyWinEvent(EVENT_SYSTEM_MENUEND, wnd, OBJID_MENU, CHILDID_SELF); }
