// The control dispatch: which companion each control gets, the exclusions and the gates, the
// class-name map, the rows matched by class name with small components of those names, the
// application's own choice, and the buttons of a real message box.
#include <gtest/gtest.h>

#include <memory>

#include "companion_test_support.h"
#include "skin/controls/skin_boxes.h"
#include "skin/controls/skin_buttons.h"
#include "skin/controls/skin_checks.h"
#include "skin/controls/skin_edits.h"
#include "skin/controls/skin_ranges.h"
#include "skin/controls/skin_scrollbars.h"
#include "skin/controls/skin_tabs.h"
#include "skin/data/skin_manager.h"
#include "skin/data/skin_reader.h"
#include "skinpack/skin_container_writer.h"
#include "skin/frames/skin_engine.h"
#include "skin/frames/window_side.h"
#include "toolkit/core/strings.h"
#include "toolkit/win/comctrls.h"
#include "toolkit/win/datetime.h"
#include "toolkit/win/menus.h"
#include "toolkit/win/stdctrls.h"

using namespace controltest;

namespace {
// Components named as the classes of other toolkits that the dispatch knows by name.
class TTabSet : public TWinControl {
  QUILLIMO_CLASS(TTabSet, TWinControl)
public:
  explicit TTabSet(TComponent* owner) : TWinControl(owner), tabs_(std::make_unique<TStringList>()) {
    tabs_->Add("Bir");
    tabs_->Add("İki");
  }
  TStrings* Tabs() const { return tabs_.get(); }
  void SetTabs(TStrings* t) { tabs_->Assign(t); }
  int TabIndex() const { return 0; }
  void SetTabIndex(int) {}

private:
  std::unique_ptr<TStringList> tabs_;
};
QUILLIMO_REGISTER_CLASS(TTabSet, [](TPropertyTable& p) {
  p.Object("Tabs", &TTabSet::Tabs, &TTabSet::SetTabs);
  p.Integer("TabIndex", &TTabSet::TabIndex, &TTabSet::SetTabIndex);
});

class TTabbedNotebook : public TWinControl {
  QUILLIMO_CLASS(TTabbedNotebook, TWinControl)
public:
  explicit TTabbedNotebook(TComponent* owner) : TWinControl(owner) {}

protected:
  void CreateParams(TCreateParams& params) override {
    TWinControl::CreateParams(params);
    params.ClassName = WC_TABCONTROLW;
    params.OwnClass = false;
  }
};
QUILLIMO_REGISTER_CLASS(TTabbedNotebook)

class TDBNavigator : public TWinControl {
  QUILLIMO_CLASS(TDBNavigator, TWinControl)
public:
  explicit TDBNavigator(TComponent* owner) : TWinControl(owner) {}
  bool Flat() const { return flat_; }
  void SetFlat(bool v) { flat_ = v; }

private:
  bool flat_ = false;
};
QUILLIMO_REGISTER_CLASS(TDBNavigator,
                        [](TPropertyTable& p) { p.Bool("Flat", &TDBNavigator::Flat, &TDBNavigator::SetFlat); })

// A container of another toolkit that owns its controls.
class TMVCPanel : public TWinControl {
  QUILLIMO_CLASS(TMVCPanel, TWinControl)
public:
  explicit TMVCPanel(TComponent* owner) : TWinControl(owner) {}
};
QUILLIMO_REGISTER_CLASS(TMVCPanel)

class TGVTreeList : public TWinControl {
  QUILLIMO_CLASS(TGVTreeList, TWinControl)
public:
  explicit TGVTreeList(TComponent* owner) : TWinControl(owner) {}
};
QUILLIMO_REGISTER_CLASS(TGVTreeList)

class TQXDEDIT : public TButton {
  QUILLIMO_CLASS(TQXDEDIT, TButton)
public:
  explicit TQXDEDIT(TComponent* owner) : TButton(owner) {}
};
QUILLIMO_REGISTER_CLASS(TQXDEDIT)

// The stored skin with one section taken out of its ini: a skin that lacks that element.
std::unique_ptr<TSkinSet> StoredSkinWithout(const std::string& section) {
  const std::string file = TempDir::Read(std::string(QUILLIMO_SKINS_DIR) + "\\stored.skn");
  TSkinReader reader;
  EXPECT_TRUE(reader.Load({reinterpret_cast<const std::uint8_t*>(file.data()), file.size()}));
  std::vector<TSkinEntry> entries;
  for (std::size_t i = 0; i < reader.EntryCount(); ++i) {
    const auto data = reader.EntryData(i);
    entries.push_back({reader.Names()[i], {data.begin(), data.end()}});
    if (!reader.Names()[i].ends_with(".ini")) continue;
    std::string ini(entries.back().data.begin(), entries.back().data.end());
    const auto start = ini.find("[" + section + "]");
    EXPECT_NE(start, std::string::npos) << section;
    const auto end = ini.find('[', start + 1);
    ini.erase(start, end == std::string::npos ? std::string::npos : end - start);
    entries.back().data.assign(ini.begin(), ini.end());
  }
  const std::vector<std::uint8_t> image = BuildSkinImage(entries);
  auto skin = std::make_unique<TSkinSet>(nullptr);
  EXPECT_TRUE(skin->LoadSkinImage(image));
  return skin;
}

struct Dispatch : ::testing::Test {
  Dispatch() : skin(BuiltSkin("stored.skn")) {}
  std::unique_ptr<TSkinSet> skin;
};

template <class C>
bool Gets(SkinnedForm& f, TComponent* c) {
  return dynamic_cast<C*>(f.CompanionOf(c)) != nullptr;
}
}  // namespace

TEST_F(Dispatch, TheProgramsControlsGetTheirCompanions) {
  SkinnedForm f(*skin);
  auto* box = f.Add<TGroupBox>(5, 5, 200, 150);
  auto* button = f.Add<TButton>(10, 20, 80, 25, box);
  auto* edit = f.Add<TEdit>(10, 60, 80, 21, box);
  auto* memo = f.Add<TMemo>(210, 5, 100, 80);
  auto* radios = f.Add<TRadioGroup>(210, 90, 120, 80);
  radios->Items()->Add("bir");
  radios->Items()->Add("iki");
  auto* radio = f.Add<TRadioButton>(10, 200, 100, 20);
  auto* panel = f.Add<TPanel>(120, 200, 100, 40);
  auto* bar = f.Add<TToolBar>(0, 0, 300, 30);
  auto* tool = new TToolButton(&f.form);
  tool->SetParent(bar);
  auto* menu = new TPopupMenu(&f.form);
  auto* item = new TMenuItem(&f.form);
  item->SetCaption("Bir");
  menu->Items()->Add(item);
  tool->SetMenuItem(menu->Items());
  f.Frame();
  EXPECT_TRUE(Gets<TSkinGroupBox>(f, box));
  EXPECT_TRUE(Gets<TSkinButton>(f, button));
  EXPECT_TRUE(Gets<TSkinEdit>(f, edit));
  EXPECT_TRUE(f.CompanionOf(edit)->AttachedByHandle());
  EXPECT_TRUE(Gets<TSkinScrollbar>(f, memo));
  EXPECT_TRUE(Gets<TSkinGroupBox>(f, radios));
  EXPECT_TRUE(Gets<TSkinRadioButton>(f, radios->Controls(0)));
  EXPECT_TRUE(Gets<TSkinRadioButton>(f, radio));
  EXPECT_TRUE(Gets<TSkinBox>(f, panel));
  EXPECT_TRUE(Gets<TSkinBox>(f, bar));
  EXPECT_TRUE(bar->Flat());
  EXPECT_TRUE(bar->Transparent());
  EXPECT_TRUE(static_cast<bool>(bar->OnCustomDrawButton));
  EXPECT_TRUE(static_cast<bool>(item->OnAdvancedDrawItem)) << "a tool button's menu is drawn in the skin";
  // Attaching again serves nobody twice.
  const std::size_t listed = f.frame->ControlList().size();
  ScanContainer(*f.frame, &f.form);
  EXPECT_EQ(f.frame->ControlList().size(), listed);

  // When the frame goes, nothing that points at it stays behind; a tool bar freed before it is
  // only forgotten.
  auto* gone = f.Add<TToolBar>(0, 40, 300, 30);
  DispatchComponent(*f.frame, gone, &f.form);
  ASSERT_TRUE(static_cast<bool>(gone->OnCustomDrawButton));
  delete gone;
  f.frame->DetachRestore();
  EXPECT_FALSE(static_cast<bool>(bar->OnCustomDrawButton));
  EXPECT_FALSE(static_cast<bool>(item->OnAdvancedDrawItem));
  EXPECT_FALSE(static_cast<bool>(item->OnMeasureItem));
}

TEST_F(Dispatch, ExclusionsAliasesAndGates) {
  skin->SkinAliases()->Add("TMemo=nil");
  skin->SkinAliases()->Add("TButton=edit");
  TSkinControlTypes types = skin->SkinControls();
  types.Exclude(xcEdit);
  types.Exclude(xcPanel);
  types.Include(xcGroupBox);
  skin->SetSkinControls(types);
  SkinnedForm f(*skin);
  auto* tagged = f.Add<TRadioButton>(10, 10, 100, 20);
  tagged->SetTag(199);
  auto* negative = f.Add<TRadioButton>(10, 40, 100, 20);
  negative->SetTag(-99);
  auto* memo = f.Add<TMemo>(120, 10, 100, 80);
  auto* button = f.Add<TButton>(10, 70, 80, 25);
  auto* box = f.Add<TGroupBox>(10, 100, 150, 80);
  f.Frame();
  EXPECT_EQ(f.CompanionOf(tagged), nullptr) << "Tag 199 with DisableTag 99";
  EXPECT_TRUE(Gets<TSkinRadioButton>(f, negative)) << "Tag -99 leaves -99, not 99";
  EXPECT_EQ(f.CompanionOf(memo), nullptr) << "a \"nil\" alias keeps the memo native";
  EXPECT_EQ(f.CompanionOf(button), nullptr) << "an \"edit\" alias with xcEdit off makes nothing and stops the rules";
  EXPECT_EQ(f.CompanionOf(box), nullptr) << "group boxes are gated by xcPanel, not xcGroupBox";
}

TEST_F(Dispatch, APageControlIsSkinnedOnlyWhenTheSkinHasTabs) {
  {
    SkinnedForm f(*skin);
    auto* pages = f.Add<TPageControl>(10, 10, 200, 150);
    f.Frame();
    auto* tabs = dynamic_cast<TSkinTab*>(f.CompanionOf(pages));
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->Owner(), f.frame) << "the page control's companion belongs to the frame";
  }
  const auto noTabs = StoredSkinWithout("Tabs");
  ASSERT_EQ(noTabs->Model().Tabs, nullptr);
  SkinnedForm f(*noTabs);
  auto* pages = f.Add<TPageControl>(10, 10, 200, 150);
  f.Frame();
  EXPECT_EQ(f.CompanionOf(pages), nullptr);
}

TEST_F(Dispatch, ClassesOfOtherToolkitsAreMatchedByName) {
  skin->SkinAliases()->Add("TQXDEDIT=edit");
  SkinnedForm f(*skin);
  auto* tabSet = f.Add<TTabSet>(10, 10, 200, 24);
  auto* notebook = f.Add<TTabbedNotebook>(10, 40, 200, 100);
  auto* navigator = f.Add<TDBNavigator>(220, 10, 100, 24);
  auto* mvc = f.Add<TMVCPanel>(220, 40, 100, 60);
  auto* inner = new TButton(mvc);
  inner->SetBounds(4, 4, 60, 22);
  inner->SetParent(mvc);
  auto* tree = f.Add<TGVTreeList>(220, 110, 100, 60);
  auto* picker = f.Add<TDateTimePicker>(10, 150, 150, 22);
  picker->SetDateMode(dmUpDown);
  auto* aliased = f.Add<TQXDEDIT>(10, 180, 80, 22);
  f.Frame();
  EXPECT_TRUE(Gets<TSkinTab31>(f, tabSet));
  EXPECT_TRUE(Gets<TSkinTab>(f, notebook));
  EXPECT_EQ(f.CompanionOf(notebook)->Owner(), notebook);
  EXPECT_TRUE(Gets<TSkinBox>(f, navigator));
  EXPECT_TRUE(navigator->Flat());
  EXPECT_TRUE(Gets<TSkinButton>(f, inner)) << "the container's own components are scanned";
  auto* bars = dynamic_cast<TSkinScrollbar*>(f.CompanionOf(tree));
  ASSERT_NE(bars, nullptr);
  EXPECT_FALSE(bars->DragsThumb());
  EXPECT_TRUE(Gets<TSkinEdit>(f, picker));
  EXPECT_FALSE(f.CompanionOf(picker)->AttachedByHandle()) << "a picker in spin mode is attached to the control";
  EXPECT_TRUE(Gets<TSkinEdit>(f, aliased)) << "the map comes before the built-in button rule";
}

TEST_F(Dispatch, TheApplicationChoosesFirst) {
  int asked = 0;
  skin->OnSkinControl = [&](TComponent* sender, TSkinSet* set, TComponent* parent, TComponent* control,
                            std::string className, TComponent*& skinned) {
    ++asked;
    EXPECT_NE(dynamic_cast<TSkinFormFrame*>(sender), nullptr);
    EXPECT_EQ(set, skin.get());
    if (className == "TBUTTON") skinned = new TSkinSizer(control);
  };
  SkinnedForm f(*skin);
  auto* button = f.Add<TButton>(10, 10, 80, 25);
  f.Frame();
  EXPECT_GE(asked, 1);
  EXPECT_TRUE(Gets<TSkinSizer>(f, button));
}

TEST_F(Dispatch, BareWindowsAreDispatchedByClassAndStyle) {
  SkinnedForm f(*skin);
  TSkinFormFrame& frame = f.Frame();
  HWND parent = f.form.Handle();
  auto child = [&](const wchar_t* cls, DWORD style) {
    return CreateWindowExW(0, cls, L"x", WS_CHILD | WS_VISIBLE | style, 0, 0, 60, 20, parent, nullptr, nullptr,
                           nullptr);
  };
  HWND push = child(L"BUTTON", BS_PUSHBUTTON), group = child(L"BUTTON", BS_GROUPBOX),
       radio = child(L"BUTTON", BS_AUTORADIOBUTTON), check = child(L"BUTTON", BS_AUTOCHECKBOX),
       three = child(L"BUTTON", BS_3STATE), simple = child(L"COMBOBOX", CBS_SIMPLE),
       list = child(L"COMBOBOX", CBS_DROPDOWNLIST), edit = child(L"EDIT", 0);
  for (HWND w : {push, group, radio, check, three, simple, list, edit}) DispatchChildWindow(frame, w);
  EXPECT_NE(dynamic_cast<TSkinButton*>(FindByHandle(frame, push)), nullptr);
  EXPECT_EQ(FindByHandle(frame, group), nullptr);
  EXPECT_EQ(typeid(*FindByHandle(frame, radio)), typeid(TSkinRadioButton));
  EXPECT_EQ(typeid(*FindByHandle(frame, check)), typeid(TSkinCheckBox));
  EXPECT_EQ(typeid(*FindByHandle(frame, three)), typeid(TSkinCheckBox));
  EXPECT_EQ(FindByHandle(frame, simple), nullptr);
  EXPECT_NE(dynamic_cast<TSkinComBox*>(FindByHandle(frame, list)), nullptr);
  EXPECT_NE(dynamic_cast<TSkinEdit*>(FindByHandle(frame, edit)), nullptr);
  // A second dispatch of the same window makes nothing more.
  const std::size_t listed = frame.ControlList().size();
  DispatchChildWindow(frame, push);
  EXPECT_EQ(frame.ControlList().size(), listed);
  // A bare push button's click goes to its parent as WM_COMMAND.
  SendMessageW(push, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
  SendMessageW(push, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
  MSG m{};
  EXPECT_TRUE(PeekMessageW(&m, parent, WM_COMMAND, WM_COMMAND, PM_REMOVE));
  EXPECT_EQ(reinterpret_cast<HWND>(m.lParam), push);
}

TEST(MessageBoxes, AMessageBoxsButtonsGetTheirCompanions) {
  SetSkinManagerFactory([] {
    return std::make_unique<TSkinManager>(std::make_unique<TToolkitActionTimer>(),
                                          std::make_unique<TFrameWindowSide>());
  });
  TSkinManager& manager = CreateSkinManager();
  auto skin = BuiltSkin("stored.skn");
  manager.RegisterSkinData(skin.get());
  manager.InstallHook();
  manager.SetActive(true);
  UseSkinControlDispatch();
  static bool skinned = false;
  static int ticks = 0;
  skinned = false;
  ticks = 0;
  UINT_PTR timer = SetTimer(nullptr, 0, 100, [](HWND, UINT, UINT_PTR id, DWORD) {
    HWND box = FindWindowW(L"#32770", nullptr);
    if (!box || ++ticks < 3) return;
    KillTimer(nullptr, id);
    if (TSkinFormFrame* frame = FrameWindowSide()->FindForm(box))
      skinned = dynamic_cast<TSkinButton*>(FindByHandle(*frame, GetDlgItem(box, IDYES))) != nullptr &&
                dynamic_cast<TSkinButton*>(FindByHandle(*frame, GetDlgItem(box, IDNO))) != nullptr;
    PostMessageW(box, WM_COMMAND, IDNO, 0);
  });
  MessageBoxW(nullptr, L"Silinsin mi?", L"Quillimo", MB_YESNO);
  KillTimer(nullptr, timer);
  FreeSkinManager();
  SetSkinManagerFactory(nullptr);
  EXPECT_TRUE(skinned);
}
