#include "skin/controls/control_dispatch.h"

#include <algorithm>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "skin/controls/skin_boxes.h"
#include "skin/controls/skin_buttons.h"
#include "skin/controls/skin_checks.h"
#include "skin/controls/skin_edits.h"
#include "skin/controls/skin_lists.h"
#include "skin/controls/skin_ranges.h"
#include "skin/controls/skin_scrollbars.h"
#include "skin/controls/skin_tabs.h"
#include "skin/data/skin_set.h"
#include "skin/frames/form_frame.h"
#include "skin/frames/gdi_paint.h"
#include "skin/frames/frame_menus.h"
#include "skin/frames/window_side.h"
#include "toolkit/win/canvas.h"
#include "toolkit/core/properties.h"
#include "toolkit/core/text.h"
#include "toolkit/win/buttons.h"
#include "toolkit/win/checklst.h"
#include "toolkit/win/form.h"
#include "toolkit/win/menus.h"
#include "toolkit/win/stdctrls.h"

namespace {
bool Has(const TSkinFormFrame& frame, TSkinControlType type) { return frame.SkinData()->SkinControls().Contains(type); }
bool HasTabs(const TSkinFormFrame& frame) { return Has(frame, xcTab) && frame.Model().Tabs != nullptr; }

TCanvas* CanvasOf(TSkinFormFrame& frame) { return &frame.ControlCanvas(); }

// A companion of class C owned by owner, attached to it (AttachControl) with the container flag.
template <class C>
C* Attach(TSkinFormFrame& frame, TComponent* owner, bool recolor) {
  auto* companion = new C(owner);
  companion->AttachControl(&frame, frame.SkinData(), recolor, CanvasOf(frame));
  return companion;
}

// A companion of class C owned by owner, attached to the window.
template <class C>
C* AttachByHandle(TSkinFormFrame& frame, TComponent* owner, HWND wnd) {
  auto* companion = new C(owner);
  companion->AttachHandle(wnd, frame.SkinData(), &frame, CanvasOf(frame));
  return companion;
}

// The same for a toolkit control whose window may not be made yet (on a page not shown): the
// companion joins the window when it is made, if the window's frame is still there then.
template <class C>
void AttachByHandleWhenMade(TSkinFormFrame& frame, TWinControl* control) {
  if (control->HandleAllocated()) {
    AttachByHandle<C>(frame, control, control->Handle());
    return;
  }
  const HWND form = frame.Handle();
  auto id = std::make_shared<int>(0);
  *id = control->AddHandleWatch([form, control, id](HWND wnd) {
    if (!wnd) return;
    control->RemoveHandleWatch(*id);
    TSkinFormFrame* now = FrameWindowSide() ? FrameWindowSide()->FindForm(form) : nullptr;
    if (now && !IsServed(*now, control)) AttachByHandle<C>(*now, control, wnd);
  });
}

TSkinScrollbar* AttachBars(TSkinFormFrame& frame, TWinControl* control, bool handleMouse) {
  auto* bars = new TSkinScrollbar(control);
  bars->AttachScrollBars(control, frame.SkinData(), handleMouse, &frame, CanvasOf(frame));
  return bars;
}

void ForEachItem(TMenuItem* item, const std::function<void(TMenuItem*)>& f) {
  for (int i = 0; i < item->Count(); ++i) {
    f(item->Items(i));
    ForEachItem(item->Items(i), f);
  }
}

// What the dispatch writes into components beside the companions (a tool bar's custom-draw
// handler, the drawing of a tool button's menu) points at the frame. The frame lists one of
// these, which takes those handlers out again when the frame frees its companions; a component
// freed before it is forgotten.
class TFrameHandlers final : public TComponent, public TFrameCompanion {
public:
  TFrameHandlers() : TComponent(nullptr) {}
  ~TFrameHandlers() override {
    for (TToolBar* bar : toolBars_) bar->OnCustomDrawButton = nullptr;
    for (TMenuItem* root : menus_) {
      auto clear = [](TMenuItem* item) {
        item->OnAdvancedDrawItem = nullptr;
        item->OnMeasureItem = nullptr;
      };
      clear(root);
      ForEachItem(root, clear);
    }
  }
  // The one of the frame, listed on first use.
  static TFrameHandlers& Of(TSkinFormFrame& frame) {
    for (TFrameCompanion* listed : frame.ControlList())
      if (auto* handlers = dynamic_cast<TFrameHandlers*>(listed)) return *handlers;
    auto* handlers = new TFrameHandlers;
    frame.AddSkinControl(handlers);
    return *handlers;
  }
  void Track(TToolBar* bar) { Add(toolBars_, bar); }
  void Track(TMenuItem* root) { Add(menus_, root); }
  void NotifySkinChanged() override {}
  bool IsDead() const override { return false; }

protected:
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    if (operation != opRemove) return;
    std::erase(toolBars_, component);
    std::erase(menus_, component);
  }

private:
  template <class T>
  void Add(std::vector<T*>& list, T* component) {
    if (std::find(list.begin(), list.end(), component) != list.end()) return;
    list.push_back(component);
    FreeNotification(component);
  }
  std::vector<TToolBar*> toolBars_;
  std::vector<TMenuItem*> menus_;
};

// The skinned drawing of a menu shown from a tool button.
void SkinMenuItems(TSkinFormFrame& frame, TMenuItem* root) {
  TFrameHandlers::Of(frame).Track(root);
  auto skin = [&frame](TMenuItem* item) {
    item->OnAdvancedDrawItem = [&frame](TObject* sender, HDC dc, RECT rect, TOwnerDrawState state) {
      frame.Menus().DrawItem(*static_cast<TMenuItem*>(sender), dc, rect, state.Contains(odSelected));
    };
    item->OnMeasureItem = [&frame](TObject* sender, HDC dc, int& width, int& height) {
      frame.Menus().MeasureMenuItem(*static_cast<TMenuItem*>(sender), dc, width, height);
    };
  };
  skin(root);
  ForEachItem(root, skin);
}

// A companion of class C for each child control of the group, owned by the child.
template <class C>
void SkinGroupItems(TSkinFormFrame& frame, TComponent* group) {
  auto* container = dynamic_cast<TWinControl*>(group);
  if (!container) return;
  for (int i = 0; i < container->ControlCount(); ++i)
    if (dynamic_cast<TWinControl*>(container->Controls(i))) Attach<C>(frame, container->Controls(i), false);
}

// Windowed controls whose window scrolls: a scroll style, a memo, a list box, or Tag 55.
bool IsScrolling(TComponent* component) {
  if (component->Tag() == 55) return true;
  auto* control = dynamic_cast<TWinControl*>(component);
  if (!control) return false;
  if (dynamic_cast<TMemo*>(control) || dynamic_cast<TCustomListBox*>(control)) return true;
  return control->HandleAllocated() && (GetWindowLongPtrW(control->Handle(), GWL_STYLE) & (WS_HSCROLL | WS_VSCROLL));
}

bool IsPreviewForm(const TSkinFormFrame& frame) {
  if (!frame.Form()) return false;
  const std::string name = frame.Form()->Name();
  return LowerCase(name).find("preview") != std::string::npos || name == "TRPStandardPreview" ||
         name == "TzzPrintPreview" || name == "TgvfmStdPreview";
}

// A companion of class C for the component (AttachControl), with or without the recolouring.
template <class C, bool Recolor = false>
void AttachTo(TSkinFormFrame& frame, TComponent* component) {
  Attach<C>(frame, component, Recolor);
}

// A recoloured box for a container, then the container's own components.
void BoxAndScan(TSkinFormFrame& frame, TComponent* component) {
  Attach<TSkinBox>(frame, component, true);
  ScanContainer(frame, component);
}

// Scroll bars drawn into a windowed control's frame; HandleMouse: the companion drags the thumb.
template <bool HandleMouse>
void BarsOf(TSkinFormFrame& frame, TComponent* component) {
  AttachBars(frame, static_cast<TWinControl*>(component), HandleMouse);
}

// A rule of the dispatch: the components it takes (by upper-case class name, or by class), the
// member of SkinControls that turns it on (none: always on; xcTab also wants a Tabs element),
// whether it wants a windowed control, and what it does with the component. The first rule
// that takes a component is the only one that runs.
struct TDispatchRule {
  std::vector<std::string> names;
  bool (*takes)(TComponent*) = nullptr;
  std::optional<TSkinControlType> gate;
  bool windowed = false;
  void (*apply)(TSkinFormFrame&, TComponent*) = nullptr;
};

template <class T>
bool Is(TComponent* component) {
  return dynamic_cast<T*>(component) != nullptr;
}

bool GateOpen(const TSkinFormFrame& frame, const std::optional<TSkinControlType>& gate) {
  if (!gate) return true;
  return *gate == xcTab ? HasTabs(frame) : Has(frame, *gate);
}

bool Takes(const TDispatchRule& rule, TComponent* component, const std::string& upper) {
  const bool named = std::find(rule.names.begin(), rule.names.end(), upper) != rule.names.end();
  return (named || (rule.takes && rule.takes(component))) && (!rule.windowed || Is<TWinControl>(component));
}

// The built-in rules in their order of precedence.
const std::vector<TDispatchRule>& BuiltInRules() {
  static const std::vector<TDispatchRule> rules = {
      {{},
       Is<TToolButton>,
       xcMainMenu,
       false,
       [](TSkinFormFrame& frame, TComponent* c) {
         if (TMenuItem* menu = static_cast<TToolButton*>(c)->MenuItem()) SkinMenuItems(frame, menu);
       }},
      {{"TTABSET"}, nullptr, xcTab, false, AttachTo<TSkinTab31>},
      {{"TTABBEDNOTEBOOK"},
       nullptr,
       xcTab,
       true,
       [](TSkinFormFrame& frame, TComponent* c) {
         AttachByHandle<TSkinTab>(frame, c, static_cast<TWinControl*>(c)->Handle());
       }},
      {{"TMVCPANEL"}, nullptr, std::nullopt, false, ScanContainer},
      // A page control's companion is owned by the frame.
      {{},
       Is<TPageControl>,
       xcTab,
       false,
       [](TSkinFormFrame& frame, TComponent* c) {
         AttachByHandle<TSkinTab>(frame, &frame, static_cast<TWinControl*>(c)->Handle());
       }},
      {{"TTRACKBAR"}, nullptr, xcButton, false, AttachTo<TSkinTrackBar>},
      {{"TUPDOWN"}, nullptr, xcButton, false, AttachTo<TSkinUpDown>},
      {{},
       Is<TCustomRadioGroup>,
       xcRadioButton,
       false,
       [](TSkinFormFrame& frame, TComponent* c) {
         SkinGroupItems<TSkinRadioButton>(frame, c);
         Attach<TSkinGroupBox>(frame, c, true);
       }},
      {{"TDBNAVIGATOR"},
       nullptr,
       xcPanel,
       false,
       [](TSkinFormFrame& frame, TComponent* c) {
         SetEnumPropByName(c, "Flat", "True");
         Attach<TSkinBox>(frame, c, true);
       }},
      {{},
       Is<TCustomGroupBox>,
       xcPanel,
       false,
       [](TSkinFormFrame& frame, TComponent* c) {
         Attach<TSkinGroupBox>(frame, c, true);
         ScanContainer(frame, c);
       }},
      {{}, Is<TRadioButton>, xcRadioButton, false, AttachTo<TSkinRadioButton>},
      {{},
       Is<TToolBar>,
       xcToolbar,
       false,
       [](TSkinFormFrame& frame, TComponent* c) {
         SetEnumPropByName(c, "Flat", "True");
         SetEnumPropByName(c, "Transparent", "True");
         auto* toolBar = static_cast<TToolBar*>(c);
         toolBar->OnCustomDrawButton = [&frame](TToolBar* bar, TToolButton* b, TCustomDrawState state, bool&) {
           PaintToolBarButton(frame, bar, b, state);
         };
         TFrameHandlers::Of(frame).Track(toolBar);
         Attach<TSkinBox>(frame, c, true);
       }},
      // A picker in DateMode 1 is skinned as an edit, in any other mode as a combo box.
      {{"TDATETIMEPICKER"},
       nullptr,
       xcEdit,
       false,
       [](TSkinFormFrame& frame, TComponent* c) {
         const TPropInfo* mode = GetPropInfo(c, "DateMode");
         if (mode && GetOrdProp(c, *mode) == 1)
           Attach<TSkinEdit>(frame, c, false);
         else
           Attach<TSkinComBox>(frame, c, false);
       }},
      {{"TRICHEDIT", "TPQDBRICHEDIT", "TGVDBMEMO"}, nullptr, xcScrollbar, true, BarsOf<true>},
      {{}, Is<TSpeedButton>, xcSpeedButton, false, AttachTo<TSkinSpeedButton>},
      {{}, Is<TCustomPanel>, xcPanel, false, BoxAndScan},
      {{"TGVTREELIST", "TGVDBTREELIST", "TGVDBGRID"}, nullptr, xcScrollbar, true, BarsOf<false>},
      {{}, Is<TCustomMemo>, xcScrollbar, false, BarsOf<true>},
      {{}, IsScrolling, xcScrollbar, true, BarsOf<true>},
      {{}, Is<TButton>, xcButton, false, AttachTo<TSkinButton>},
      {{},
       Is<TCustomEdit>,
       xcEdit,
       false,
       [](TSkinFormFrame& frame, TComponent* c) {
         AttachByHandleWhenMade<TSkinEdit>(frame, static_cast<TWinControl*>(c));
       }},
      {{}, Is<TCustomForm>, std::nullopt, false, BoxAndScan},
  };
  return rules;
}

// The kinds of the SkinAliases map (class name=kind), each with its gate.
const std::vector<TDispatchRule>& SkinMapRules() {
  static const std::vector<TDispatchRule> rules = {
      {{"combobox"}, nullptr, xcCombo, false, AttachTo<TSkinComBox>},
      {{"edit"},
       nullptr,
       xcEdit,
       true,
       [](TSkinFormFrame& frame, TComponent* c) {
         AttachByHandleWhenMade<TSkinEdit>(frame, static_cast<TWinControl*>(c));
       }},
      {{"radiobutton"}, nullptr, xcRadioButton, false, AttachTo<TSkinRadioButton>},
      {{"panel"},
       nullptr,
       xcPanel,
       false,
       [](TSkinFormFrame& frame, TComponent* c) {
         SetEnumPropByName(c, "Transparent", "True");
         Attach<TSkinBox>(frame, c, true);
       }},
      {{"trackbar"},
       nullptr,
       xcButton,
       false,
       [](TSkinFormFrame& frame, TComponent* c) {
         SetEnumPropByName(c, "Transparent", "True");
         Attach<TSkinTrackBar>(frame, c, false);
       }},
      {{"button"}, nullptr, xcButton, false, AttachTo<TSkinButton>},
      {{"tab"},
       nullptr,
       xcTab,
       true,
       [](TSkinFormFrame& frame, TComponent* c) {
         AttachByHandle<TSkinTab>(frame, c, static_cast<TWinControl*>(c)->Handle());
       }},
      {{"progress"}, nullptr, xcProgress, false, AttachTo<TSkinProgress>},
      {{"scrollbar"}, nullptr, xcScrollbar, true, BarsOf<true>},
      {{"groupbox"}, nullptr, xcGroupBox, false, AttachTo<TSkinGroupBox, true>},
      {{"radiogroup"},
       nullptr,
       xcPanel,
       false,
       [](TSkinFormFrame& frame, TComponent* c) {
         if (Has(frame, xcRadioButton)) SkinGroupItems<TSkinRadioButton>(frame, c);
         Attach<TSkinGroupBox>(frame, c, true);
       }},
      {{"checkgroup"},
       nullptr,
       xcPanel,
       false,
       [](TSkinFormFrame& frame, TComponent* c) {
         if (Has(frame, xcRadioButton)) SkinGroupItems<TSkinCheckBox>(frame, c);
         Attach<TSkinGroupBox>(frame, c, true);
       }},
      {{"checkbox"}, nullptr, xcCheckBox, false, AttachTo<TSkinCheckBox>},
  };
  return rules;
}

// Runs the first rule of rules that takes the component (key: its upper-case class name, or
// the kind of the class-name map) and whose gate is open; false when none did.
bool ApplyFirstRule(const std::vector<TDispatchRule>& rules, TSkinFormFrame& frame, TComponent* component,
                    const std::string& key) {
  for (const TDispatchRule& rule : rules)
    if (Takes(rule, component, key) && GateOpen(frame, rule.gate)) {
      rule.apply(frame, component);
      return true;
    }
  return false;
}

// The companions of a bare window's child windows, by window class (lower case) and style.
struct TWindowClassRule {
  const char* windowClass;
  void (*apply)(TSkinFormFrame&, HWND, DWORD style);
};

const std::vector<TWindowClassRule>& WindowClassRules() {
  static const std::vector<TWindowClassRule> rules = {
      {"button",
       [](TSkinFormFrame& frame, HWND wnd, DWORD style) {
         if ((style & 7) == 7) return;  // a group box
         if ((style & 3) == 3 || (style & 2) || (style & 5) == 5)
           AttachByHandle<TSkinCheckBox>(frame, &frame, wnd);
         else if ((style & 9) == 9 || (style & 4))
           AttachByHandle<TSkinRadioButton>(frame, &frame, wnd);
         else
           AttachByHandle<TSkinButton>(frame, &frame, wnd);
       }},
      {"combobox",
       [](TSkinFormFrame& frame, HWND wnd, DWORD style) {
         if ((style & 3) != 1) AttachByHandle<TSkinComBox>(frame, &frame, wnd);
       }},
      {"comboboxex32",
       [](TSkinFormFrame& frame, HWND wnd, DWORD) {
         if (HWND first = GetWindow(wnd, GW_CHILD)) AttachByHandle<TSkinComBox>(frame, &frame, first);
       }},
      {"scrollbar", [](TSkinFormFrame& frame, HWND wnd, DWORD) { AttachByHandle<TSkinSizer>(frame, &frame, wnd); }},
      {"systabcontrol32",
       [](TSkinFormFrame& frame, HWND wnd, DWORD style) {
         if (!(style & 0x2000)) AttachByHandle<TSkinTab>(frame, &frame, wnd);
       }},
      {"edit", [](TSkinFormFrame& frame, HWND wnd, DWORD) { AttachByHandle<TSkinEdit>(frame, &frame, wnd); }},
  };
  return rules;
}

// Classes of other toolkits that are left as they are.
bool LeftAlone(const std::string& upper) {
  return upper == "TDBCOMBOBOXZQ" || upper == "TRPPREVIEW" || upper == "TVRDESIGNERPAGE" || upper == "TVRPBOX";
}
}  // namespace

void UseSkinControlDispatch() { TSkinFormFrame::ControlDispatcher = DispatchControls; }

void DispatchControls(TSkinFormFrame& frame) {
  if (frame.Form())
    ScanContainer(frame, frame.Form());
  else
    ScanChildWindows(frame);
}

void ScanContainer(TSkinFormFrame& frame, TComponent* container) {
  frame.PurgeDeadControls();
  for (int i = 0; i < container->ComponentCount(); ++i) DispatchComponent(frame, container->Components(i), container);
}

bool IsServed(const TSkinFormFrame& frame, TComponent* component) {
  auto* windowed = dynamic_cast<TWinControl*>(component);
  bool firstByHandle = true;
  for (TFrameCompanion* listed : frame.ControlList()) {
    auto* c = dynamic_cast<TSkinControl*>(listed);
    if (!c) continue;
    if (c->Control() == component || c->GraphicControl() == component) return true;
    if (!c->AttachedByHandle() || !windowed) continue;
    if (windowed->HandleAllocated()) {
      if (windowed->Handle() == c->Handle()) return true;
    } else if (firstByHandle) {
      return IsPreviewForm(frame);
    }
    firstByHandle = false;
  }
  return false;
}

TSkinControl* FindByHandle(const TSkinFormFrame& frame, HWND wnd) {
  for (TFrameCompanion* listed : frame.ControlList())
    if (auto* c = dynamic_cast<TSkinControl*>(listed); c && c->Handle() == wnd) return c;
  return nullptr;
}

void DispatchComponent(TSkinFormFrame& frame, TComponent* component, TComponent* container) {
  TSkinSet& skin = *frame.SkinData();
  if (skin.IsTagDisabled(component->Tag()) || IsServed(frame, component)) return;
  // A control without a window yet (on a page not shown) is not made to have one: making the
  // hidden pages' windows would double the time a window takes to appear. Its companion joins
  // the window when it is made (handle watches).
  const std::string upper = UpperCase(component->ClassName());
  if (skin.OnSkinControl) {
    TComponent* skinned = nullptr;
    skin.OnSkinControl(&frame, &skin, container, component, upper, skinned);
    if (auto* companion = dynamic_cast<TSkinControl*>(skinned)) {
      if (!frame.AddSkinControl(companion)) {
        companion->AttachControl(&frame, &skin, companion->Recolor(), CanvasOf(frame));
        if (dynamic_cast<TCustomPanel*>(component)) ScanContainer(frame, component);
      }
      return;
    }
  }
  if (LeftAlone(upper)) return;
  if (ApplySkinMap(frame, component->ClassName(), component)) return;
  ApplyFirstRule(BuiltInRules(), frame, component, upper);
}

bool ApplySkinMap(TSkinFormFrame& frame, const std::string& className, TComponent* component) {
  std::string kind;
  if (!frame.SkinData()->AliasKind(className, kind)) return false;
  // A kind without a rule, or with its gate shut, makes nothing: the line still decides.
  ApplyFirstRule(SkinMapRules(), frame, component, kind);
  return true;
}

void ScanChildWindows(TSkinFormFrame& frame) {
  for (HWND child = GetTopWindow(frame.Handle()); child; child = GetWindow(child, GW_HWNDNEXT))
    if (GetWindowLongPtrW(child, GWL_STYLE) & WS_CHILD) DispatchChildWindow(frame, child);
}

void DispatchChildWindow(TSkinFormFrame& frame, HWND wnd) {
  if (FindByHandle(frame, wnd)) return;
  const std::string cls = LowerCase(GetClassNameString(wnd));
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(wnd, GWL_STYLE));
  for (const TWindowClassRule& rule : WindowClassRules())
    if (cls == rule.windowClass) {
      rule.apply(frame, wnd, style);
      return;
    }
}

void PaintToolBarButton(TSkinFormFrame& frame, TToolBar* toolBar, TToolButton* button, TCustomDrawState state) {
  const TDataSkinButton* buttons = frame.Model().Buttons.get();
  if (!buttons || buttons->Image.Empty() || frame.FrameState() != TFrameState::Running) return;
  int index = 0;
  if (state & CDIS_SELECTED)
    index = 2;
  else if (state & (CDIS_FOCUS | CDIS_HOT))
    index = 4;
  else if (!(state & (CDIS_GRAYED | CDIS_DISABLED)) && (state & CDIS_DEFAULT))
    index = 1;
  if (index == 0) {
    toolBar->SetCustomDrawOwnFace();
    return;
  }
  if (index == 1 && buttons->HasNormalColour2) toolBar->SetCustomDrawTextColor(buttons->NormalColour2);
  if (index == 4 && buttons->HasMouseOverColour2) toolBar->SetCustomDrawTextColor(buttons->MouseOverColour2);
  if (index == 2 && buttons->HasPressedColour2) toolBar->SetCustomDrawTextColor(buttons->PressedColour2);
  RECT r = button->ButtonRect();
  InflateRect(&r, -1, -1);
  DrawSlicedImage(toolBar->CustomDrawDC(), r, buttons->Image, false, false, buttons->Trans == 1, 5, index,
                  MarginsOf(*buttons));
  toolBar->SetCustomDrawOwnFace();
}

void SetEnumPropByName(TComponent* component, const std::string& property, const std::string& value) {
  const TPropInfo* prop = GetPropInfo(component, property);
  if (!prop) return;
  try {
    SetEnumProp(component, *prop, value);
  } catch (...) {
    // Not an enumerated property, or no such value: nothing.
  }
}
