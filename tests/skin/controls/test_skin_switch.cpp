// A window holding every skinnable control survives fifty skin switches through all seven
// skins, painting after each, without a crash and without growing its GDI object count.
#include <gtest/gtest.h>

#include <string>

#include "companion_test_support.h"
#include "skin/controls/toolkit_extras.h"
#include "toolkit/core/temp_dir.h"
#include "toolkit/win/buttons.h"
#include "toolkit/win/checkbox.h"
#include "toolkit/win/checklst.h"
#include "toolkit/win/combobox.h"
#include "toolkit/win/comctrls.h"
#include "toolkit/win/datetime.h"
#include "toolkit/win/listview.h"
#include "toolkit/win/process_resources.h"
#include "toolkit/win/range_controls.h"
#include "toolkit/win/richedit.h"
#include "toolkit/win/scrollbar.h"
#include "toolkit/win/spin.h"
#include "toolkit/win/statusbar.h"
#include "toolkit/win/stdctrls.h"

using namespace controltest;

namespace {
void AddEveryControl(SkinnedForm& f) {
  f.Add<TButton>(5, 5, 80, 25)->SetCaption("Tamam");
  f.Add<TBitBtn>(90, 5, 80, 25)->SetCaption("Bit");
  auto* check = f.Add<TCheckBox>(5, 35, 100, 20);
  check->SetState(cbGrayed);
  f.Add<TRadioButton>(110, 35, 100, 20)->SetChecked(true);
  auto* combo = f.Add<TComboBox>(5, 60, 120, 24);
  combo->Items()->Add("bir");
  f.Add<TEdit>(130, 60, 80, 21);
  auto* box = f.Add<TGroupBox>(5, 90, 150, 70);
  f.Add<TSpinButton>(10, 20, 20, 30, box);
  auto* radios = f.Add<TRadioGroup>(160, 90, 120, 70);
  radios->Items()->Add("a");
  radios->Items()->Add("b");
  f.Add<TPanel>(290, 5, 100, 40);
  f.Add<TProgressBar>(290, 50, 120, 16)->SetPosition(40);
  f.Add<TTrackBar>(290, 70, 120, 30);
  f.Add<TUpDown>(415, 5, 17, 30);
  auto* memo = f.Add<TMemo>(5, 165, 140, 70);
  memo->SetScrollBars(ssBoth);
  auto* list = f.Add<TCheckListBox>(150, 165, 100, 70);
  for (int i = 0; i < 20; ++i) list->Items()->Add("satır");
  f.Add<TScrollBar>(255, 165, 120, 17);
  auto* view = f.Add<TListView>(255, 185, 150, 60);
  view->AddColumn("Ad", 60);
  view->AddItem("bir");
  f.Add<TDateTimePicker>(5, 240, 130, 22);
  f.Add<TRichEdit>(140, 240, 100, 40);
  auto* pages = f.Add<TPageControl>(250, 250, 180, 60);
  auto* sheet = new TTabSheet(&f.form);
  sheet->SetCaption("Sayfa");
  sheet->SetPageControl(pages);
  auto* status = f.Add<TStatusBar>(0, 0, 100, 20);
  status->Panels().push_back({"Hazır", 100, pbLowered, taLeftJustify, false});
  status->PanelsChanged();
  auto* speed = new TSpeedButton(&f.form);
  speed->SetBounds(440, 40, 40, 24);
  speed->SetParent(&f.form);
}
}  // namespace

TEST(SkinSwitches, AWindowOfEveryControlSurvivesFiftySwitchesWithoutGrowingItsGdiObjects) {
  const char* files[] = {"stored.skn", "1.skn", "2.skn", "3.skn", "4.skn", "5.skn", "6.skn"};
  std::vector<std::string> images;
  for (const char* file : files) images.push_back(TempDir::Read(std::string(QUILLIMO_SKINS_DIR) + "\\" + file));
  auto skin = BuiltSkin("stored.skn");
  skin->OnSkinControl = SkinToolkitExtras;
  SkinnedForm f(*skin, true, 500, 380);
  AddEveryControl(f);
  TSkinFormFrame& frame = f.Frame();
  ASSERT_GE(frame.ControlList().size(), 25u);
  auto switchTo = [&](int i) {
    const std::string& bytes = images[static_cast<std::size_t>(i % 7)];
    ASSERT_TRUE(skin->LoadSkinImage({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}));
    frame.FreeSysButtons();
    frame.LayoutSysButtons();
    frame.ReapplySkin();
    Repainted(f.form.Handle());
  };
  // The count after a first round of the seven skins and a reload of the skin in use, which
  // hold what is made once, on first use (a reload makes a context, a bitmap and a region the
  // first time).
  for (int i = 1; i <= 8; ++i) switchTo(i);
  switchTo(8);
  const unsigned afterFirstRound = ProcessGdiObjects();
  for (int i = 9; i <= 50; ++i) switchTo(i);
  switchTo(1 + 7 * 8);  // the skin of the first count again
  EXPECT_LE(ProcessGdiObjects(), afterFirstRound);
  EXPECT_TRUE(IsWindow(f.form.Handle()));
}
