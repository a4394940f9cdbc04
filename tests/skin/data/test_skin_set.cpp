// The skin component: defaults, loading and keeping the old model, skin files, the stored
// skin, switching on and off through the manager, and the class checks.
#include <gtest/gtest.h>

#include <fstream>

#include "lzh/lzh_encoder.h"
#include "skin/data/lzh_decoder.h"
#include "skin/data/menu_glyphs.h"
#include "skin/data/skin_manager.h"
#include "skin/data/skin_set.h"
#include "skin_test_support.h"
#include "toolkit/core/properties.h"
#include "toolkit/core/reader.h"
#include "toolkit/core/streams.h"
#include "toolkit/core/writer.h"
#include "toolkit/core/temp_dir.h"

// A form-like root for stream tests.
class TSkinTestForm : public TComponent {
  QUILLIMO_CLASS(TSkinTestForm, TComponent)
public:
  using TComponent::TComponent;
};
QUILLIMO_REGISTER_CLASS(TSkinTestForm)

namespace {

using skintest::Bmp;

// Records what the manager asks of the window side.
struct TWindowLog {
  int hooks = 0, drops = 0, ownerAttaches = 0;
  std::vector<TSkinAction> actions;
};

class TRecordingWindows : public TSkinWindowSide {
public:
  explicit TRecordingWindows(TWindowLog& log) : log_(log) {}
  void InstallHook() override { ++log_.hooks; }
  void AttachOwnerForm(TSkinSet&) override { ++log_.ownerAttaches; }
  void DropSystemButtons() override { ++log_.drops; }
  void CarryOut(TSkinAction action, TSkinSet&) override { log_.actions.push_back(action); }

private:
  TWindowLog& log_;
};

std::vector<std::uint8_t> GoodSkin(const std::string& name, int buttonsLeft = 4) {
  return skintest::SkinImage("[TitlebarSkin]\nSkinName=" + name + "\n[Buttons]\nBitmap=b.bmp\nLeftWidth=" +
                                 std::to_string(buttonsLeft) + "\n[Tabs]\nImage=t.bmp\n",
                             {{"b.bmp", Bmp(50, 20)}, {"t.bmp", Bmp(10, 10)}});
}

std::vector<std::uint8_t> OlderSkin() {
  std::vector<std::uint8_t> container =
      BuildSkinContainer(std::vector<TSkinEntry>{{"skin.ini", skintest::Bytes("[A]")}});
  container[0] = 0x1F;  // version 19999
  return lzh::Compress(container);
}

class SkinSetTest : public ::testing::Test {
protected:
  SkinSetTest() {
    FreeSkinManager();
    SetSkinManagerFactory(
        [this] { return std::make_unique<TSkinManager>(nullptr, std::make_unique<TRecordingWindows>(log)); });
    SetSkinMessageHandler([this](const std::string& text) { messages.push_back(text); });
  }
  ~SkinSetTest() override {
    form.reset();
    FreeSkinManager();
    SetSkinManagerFactory(nullptr);
    SetSkinMessageHandler(nullptr);
  }
  TSkinSet* NewSkin() {
    auto* skin = new TSkinSet(form.get());
    skin->SetName("skin");
    return skin;
  }
  // Writes the form and reads it into a new one; its skin component.
  TSkinSet* StoreAndReload() {
    TMemoryStream stream;
    WriteComponentToStream(stream, form.get());
    form = std::make_unique<TSkinTestForm>(nullptr);
    stream.SetPosition(0);
    ReadComponentFromStream(stream, form.get());
    return dynamic_cast<TSkinSet*>(form->FindComponent("skin"));
  }
  TManualActionTimer& Timer() { return static_cast<TManualActionTimer&>(GetSkinManager()->ActionTimer()); }

  TWindowLog log;
  std::vector<std::string> messages;
  std::unique_ptr<TSkinTestForm> form = std::make_unique<TSkinTestForm>(nullptr);
};

TEST_F(SkinSetTest, Defaults) {
  TSkinSet* skin = NewSkin();
  EXPECT_FALSE(skin->Active());
  EXPECT_TRUE(skin->Loading());
  EXPECT_EQ(skin->DisableTag(), 99);
  EXPECT_EQ(skin->SkinFormtype(), sfMainform);
  EXPECT_TRUE(skin->MenuUpdate());
  EXPECT_EQ(skin->Version(), "3.4.1.02");
  EXPECT_EQ(skin->SkinStore(), "(none)");
  EXPECT_TRUE(skin->SkinControls().Contains(xcMainMenu));
  EXPECT_TRUE(skin->SkinControls().Contains(xcSystemMenu));
  EXPECT_FALSE(skin->SkinControls().Contains(xcReportGen));
  EXPECT_EQ(skin->Model().Buttons->Name, "Buttons");
  EXPECT_EQ(skin->Model().BorderBottom->Name, "Bottom");

  TStrings* aliases = skin->SkinAliases();
  ASSERT_EQ(aliases->Count(), 84);
  std::set<std::string> distinct;
  for (int i = 0; i < aliases->Count(); ++i) distinct.insert(aliases->Get(i));
  EXPECT_EQ(distinct.size(), 81u);  // three lines are repeated
  EXPECT_EQ(aliases->IndexOf("TKzButton=button"), aliases->IndexOf("TKzButton=button"));
  EXPECT_GE(aliases->IndexOf("TPQDBDateTimePicker=Combobox"), 0);
  EXPECT_EQ(GetSkinManager(), nullptr);  // made only when a component finishes loading
}

TEST_F(SkinSetTest, AliasKindsFollowTheLinesAsTheyChange) {
  TSkinSet* skin = NewSkin();
  std::string kind;
  EXPECT_TRUE(skin->AliasKind("tkzbutton", kind));
  EXPECT_EQ(kind, "button");
  EXPECT_FALSE(skin->AliasKind("TMemo", kind));
  skin->SkinAliases()->Add("TMEMO=Edit");
  skin->SkinAliases()->Add("TMemo=nil");  // the first line naming a class decides
  EXPECT_TRUE(skin->AliasKind("TMemo", kind));
  EXPECT_EQ(kind, "edit");
  TStringList replaced;
  replaced.Add("TKzButton=Panel");
  skin->SetSkinAliases(&replaced);
  EXPECT_TRUE(skin->AliasKind("TKzButton", kind));
  EXPECT_EQ(kind, "panel");
  EXPECT_FALSE(skin->AliasKind("TMemo", kind));
}

TEST_F(SkinSetTest, ReadOnlyPropertiesIgnoreWrites) {
  TSkinSet* skin = NewSkin();
  const TPropInfo* store = TSkinSet::StaticClassInfo().Properties().Find("SkinStore");
  ASSERT_NE(store, nullptr);
  store->SetStr(skin, "(Good)");
  EXPECT_EQ(skin->SkinStore(), "(none)");
  ASSERT_TRUE(skin->LoadSkinImage(GoodSkin("A")));
  EXPECT_EQ(skin->SkinStore(), "(none)");  // at run time always
  skin->SetDesigning(true);
  EXPECT_EQ(skin->SkinStore(), "(Good)");
}

TEST_F(SkinSetTest, ABadSkinRaisesItsErrorAndKeepsTheModel) {
  TSkinSet* skin = NewSkin();
  ASSERT_TRUE(skin->LoadSkinImage(GoodSkin("First", 4)));
  EXPECT_FALSE(skin->Loading());
  EXPECT_EQ(skin->Model().SkinName, "First");
  TDataSkinButton* buttons = skin->Model().Buttons.get();

  const struct {
    const char* name;
    std::vector<std::uint8_t> image;
    std::string error;
  } bad[] = {{"a bitmap that cannot be read",
              skintest::SkinImage("[TitlebarSkin]\nSkinName=Bad\n[Buttons]\nBitmap=b.bmp\n",
                                  {{"b.bmp", skintest::Bytes("BMxx")}}),
              "Bitmap image is not valid"},
             {"a damaged container", lzh::Compress(std::vector<std::uint8_t>{0x20, 0x4E, 0, 0, 200, 0, 0, 0}),
              "Skin file is damaged"},
             {"too short for a size", {1, 2, 3}, "Stream read error"},
             {"empty", {}, "Stream read error"},
             {"no ini at all", BuildSkinImage(std::vector<TSkinEntry>{{"b.bmp", Bmp(50, 20)}}), "Skin file is damaged"},
             {"an ini without a section", skintest::SkinImage("SkinName=Loose\n", {}), "Skin file is damaged"},
             {"cut short",
              [] {
                std::vector<std::uint8_t> image = GoodSkin("Cut");
                image.resize(image.size() * 2 / 3);
                return image;
              }(),
              "LZH : Unexpected end of compressed data"}};
  for (const auto& b : bad) {
    SCOPED_TRACE(b.name);
    try {
      skin->LoadSkinImage(b.image);
      ADD_FAILURE() << "loaded";
    } catch (const Exception& e) {
      EXPECT_EQ(std::string(e.what()), b.error);
    }
    EXPECT_FALSE(skin->Loading());
    EXPECT_EQ(skin->Model().SkinName, "First");
    EXPECT_EQ(skin->Model().Buttons.get(), buttons);
    EXPECT_EQ(skin->Model().Buttons->LeftWidth, 4);
    EXPECT_TRUE(skin->Model().Tabs);
  }
  EXPECT_TRUE(messages.empty());

  ASSERT_TRUE(skin->LoadSkinImage(GoodSkin("Second", 9)));
  EXPECT_EQ(skin->Model().Buttons.get(), buttons);  // refilled in place
  EXPECT_EQ(buttons->LeftWidth, 9);

  // Nothing read yet: a bad skin leaves the component without one.
  TSkinSet* fresh = new TSkinSet(form.get());
  EXPECT_THROW(fresh->LoadSkinImage(bad[6].image), ElzhException);
  EXPECT_TRUE(fresh->Loading());
}

TEST_F(SkinSetTest, OlderVersionShowsTheMessageOnce) {
  TSkinSet* skin = NewSkin();
  EXPECT_FALSE(skin->LoadSkinImage(OlderSkin()));
  EXPECT_TRUE(skin->Loading());  // nothing was ever read
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "This is Older Skin File\rPlease update to new version !");
}

TEST_F(SkinSetTest, SkinFiles) {
  TempDir dir;
  const std::string good = dir.Path("1.skn"), older = dir.Path("2.skn");
  auto write = [](const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream(TempDir::FromUtf8(path), std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  };
  write(good, GoodSkin("FromFile"));
  write(older, OlderSkin());

  TSkinSet* skin = NewSkin();
  skin->Loaded();
  ASSERT_TRUE(skin->LoadSkinImage(GoodSkin("Stored")));

  skin->SetSkinFile(dir.Path("missing.skn"));
  EXPECT_EQ(skin->SkinFile(), dir.Path("missing.skn"));
  EXPECT_EQ(skin->Model().SkinName, "Stored");
  EXPECT_FALSE(skin->Loading());
  EXPECT_EQ(GetSkinManager()->PendingAction(), TSkinAction::None);

  skin->SetSkinFile(good);
  EXPECT_EQ(skin->Model().SkinName, "FromFile");
  EXPECT_EQ(GetSkinManager()->PendingSkin(), skin);
  EXPECT_EQ(GetSkinManager()->PendingAction(), TSkinAction::ApplyChangedSkin);
  EXPECT_EQ(log.drops, 1);
  EXPECT_FALSE(Timer().Enabled());  // no window activated yet: action 3 waits for nothing

  GetSkinManager()->SetStarted(true);
  int changed = 0;
  skin->OnSkinChanged = [&](TObject* sender) {
    EXPECT_EQ(sender, skin);
    ++changed;
  };
  skin->SetSkinFile(older);  // announced anyway, the old model stays
  EXPECT_EQ(messages.size(), 1u);
  EXPECT_EQ(skin->Model().SkinName, "FromFile");
  EXPECT_TRUE(Timer().Enabled());
  EXPECT_TRUE(Timer().SoonAsked());  // the user waits to see it: not only on the interval
  EXPECT_TRUE(Timer().Tick());
  EXPECT_EQ(log.actions, std::vector<TSkinAction>{TSkinAction::ApplyChangedSkin});
  EXPECT_EQ(changed, 1);
  EXPECT_FALSE(Timer().Enabled());
  EXPECT_EQ(GetSkinManager()->PendingSkin(), nullptr);

  // A damaged file raises its error to the caller; nothing is announced and the skin stays.
  std::vector<std::uint8_t> cut = GoodSkin("Cut");
  cut.resize(cut.size() / 2);
  write(dir.Path("3.skn"), cut);
  try {
    skin->SetSkinFile(dir.Path("3.skn"));
    ADD_FAILURE() << "no error";
  } catch (const ElzhException& e) {
    EXPECT_STREQ(e.what(), "LZH : Unexpected end of compressed data");
  }
  EXPECT_EQ(skin->SkinFile(), dir.Path("3.skn"));
  EXPECT_EQ(skin->Model().SkinName, "FromFile");
  EXPECT_FALSE(skin->Loading());
  EXPECT_FALSE(Timer().Enabled());
  EXPECT_EQ(GetSkinManager()->PendingSkin(), nullptr);
  EXPECT_EQ(log.drops, 2);
  EXPECT_EQ(messages.size(), 1u);
}

TEST_F(SkinSetTest, StoredSkinRoundTripAndStartingSkinned) {
  const std::vector<std::uint8_t> image = GoodSkin("Stored");
  TSkinSet* skin = NewSkin();
  skin->SetActive(true);
  skin->LoadSkinImage(image);
  TSkinSet* copy = StoreAndReload();
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->SkinImage().Bytes(), std::string_view(reinterpret_cast<const char*>(image.data()), image.size()));
  EXPECT_EQ(copy->Model().SkinName, "Stored");
  EXPECT_FALSE(copy->Loading());
  EXPECT_TRUE(copy->Active());
  ASSERT_NE(GetSkinManager(), nullptr);
  EXPECT_TRUE(GetSkinManager()->Active());  // before any window activation: at once
  EXPECT_EQ(GetSkinManager()->SkinDataList(), std::vector<TSkinSet*>{copy});
  EXPECT_EQ(log.hooks, 1);
}

// The form that stores a damaged skin does not load: the error reaches the form loader.
TEST_F(SkinSetTest, ADamagedStoredSkinFailsTheFormLoad) {
  TSkinSet* skin = NewSkin();
  std::vector<std::uint8_t> cut = GoodSkin("Stored");
  cut.resize(cut.size() / 2);
  EXPECT_THROW(skin->LoadSkinImage(cut), ElzhException);
  try {
    StoreAndReload();
    ADD_FAILURE() << "loaded";
  } catch (const Exception& e) {
    EXPECT_EQ(std::string(e.what()), "Error reading skin.SkinStream: LZH : Unexpected end of compressed data");
  }
}

TEST_F(SkinSetTest, ActiveWithoutAStoredSkinStartsUnskinned) {
  TSkinSet* skin = NewSkin();
  skin->SetActive(true);
  TSkinSet* copy = StoreAndReload();
  ASSERT_NE(copy, nullptr);
  EXPECT_EQ(copy->SkinImage().Size(), 0);
  EXPECT_FALSE(copy->Active());
  EXPECT_FALSE(GetSkinManager()->Active());
}

TEST_F(SkinSetTest, SwitchingOnAndOff) {
  TSkinSet* skin = NewSkin();
  skin->Loaded();
  TSkinManager& manager = *GetSkinManager();
  skin->SetActive(true);  // no skin read yet: ignored
  EXPECT_EQ(manager.PendingAction(), TSkinAction::None);
  EXPECT_FALSE(manager.Active());
  skin->SetActive(false);

  ASSERT_TRUE(skin->LoadSkinImage(GoodSkin("A")));
  skin->SetActive(true);
  EXPECT_TRUE(manager.Active());  // not started: at once, no timer
  EXPECT_FALSE(Timer().Enabled());
  skin->SetActive(false);  // and off again at once, before any window was activated
  EXPECT_FALSE(manager.Active());
  EXPECT_FALSE(Timer().Enabled());
  EXPECT_TRUE(log.actions.empty());
  skin->SetActive(true);
  EXPECT_TRUE(manager.Active());

  manager.SetStarted(true);
  skin->SetActive(false);
  EXPECT_TRUE(manager.Active());  // now through the timer
  EXPECT_EQ(manager.PendingSkin(), skin);
  EXPECT_TRUE(Timer().Tick());
  EXPECT_FALSE(manager.Active());
  EXPECT_EQ(log.actions, std::vector<TSkinAction>{TSkinAction::Deactivate});
}

TEST_F(SkinSetTest, FormOnlyComponentStartsTheManager) {
  TSkinSet* skin = NewSkin();
  skin->SetSkinFormtype(sfOnlyThisForm);
  skin->Loaded();
  EXPECT_TRUE(GetSkinManager()->Active());
  EXPECT_TRUE(GetSkinManager()->Started());
  EXPECT_EQ(log.ownerAttaches, 1);
  EXPECT_EQ(log.hooks, 0);
}

TEST_F(SkinSetTest, ClassAndTagChecks) {
  TSkinSet* skin = NewSkin();
  skin->Loaded();
  TSkinManager& manager = *GetSkinManager();
  EXPECT_FALSE(manager.AcceptClassName("SysMonthCal32"));
  EXPECT_TRUE(manager.AcceptClassName("sysmonthcal32"));
  EXPECT_TRUE(manager.AcceptClassName("TvrReport"));
  skin->SetSkinControls(DefaultSkinControls() + TSkinControlTypes{xcReportGen});
  EXPECT_FALSE(manager.AcceptClassName("TvrReport"));
  EXPECT_TRUE(manager.AcceptClassName("TVRReport"));

  skin->OnFormSkin = [](TObject*, std::string name, bool& doSkin) { doSkin = name == "SysMonthCal32"; };
  EXPECT_TRUE(manager.AcceptClassName("SysMonthCal32"));
  EXPECT_FALSE(manager.AcceptClassName("TForm1"));

  EXPECT_TRUE(skin->IsTagDisabled(99));
  EXPECT_TRUE(skin->IsTagDisabled(199));
  EXPECT_FALSE(skin->IsTagDisabled(-99));
  EXPECT_FALSE(skin->IsTagDisabled(98));
}

TEST_F(SkinSetTest, ManagerRequestsAndTicks) {
  TSkinSet* skin = NewSkin();
  skin->Loaded();
  TSkinManager& manager = *GetSkinManager();
  manager.RequestAction(TSkinAction::ApplyChangedSkin, 250);
  EXPECT_FALSE(Timer().Enabled());  // before the first activation action 3 does nothing
  manager.SetStarted(true);
  manager.RequestAction(TSkinAction::PurgeDeadFrames, 250);
  EXPECT_TRUE(Timer().Tick());  // no pending component: keeps ticking
  EXPECT_TRUE(Timer().Enabled());
  manager.SetPendingSkin(skin);
  delete skin;  // unregisters, and the tick no longer reaches it
  EXPECT_TRUE(manager.SkinDataList().empty());
  EXPECT_EQ(manager.PendingSkin(), nullptr);
  EXPECT_TRUE(manager.AcceptClassName("SysMonthCal32"));  // without a main-form component
}

TEST(MenuGlyphs, FourMonochromeGlyphs) {
  const TBitmapPixels strip = DrawSystemMenuGlyphs();
  ASSERT_EQ(strip.Width(), 64);
  ASSERT_EQ(strip.Height(), 16);
  int black[4] = {0, 0, 0, 0};
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 64; ++x) {
      const TColor c = strip.GetPixel(x, y);
      ASSERT_TRUE(c == clBlack || c == clWhite);
      if (c == clBlack) ++black[x / 16];
    }
  for (int g = 0; g < 4; ++g) EXPECT_GT(black[g], 8) << g;
  // The close cross is symmetric; the minimize bar sits low.
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) EXPECT_EQ(strip.GetPixel(48 + x, y), strip.GetPixel(48 + 15 - x, y)) << x << "," << y;
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 16; ++x) EXPECT_EQ(strip.GetPixel(32 + x, y), clWhite);
}

}  // namespace

namespace {

// The glyph source is asked by every new component; a source that gives nothing usable (or
// fails) leaves the drawn glyphs.
TEST(MenuGlyphs, ComponentsTakeThemFromTheSourceWhenItGivesAStrip) {
  TBitmapPixels marked = DrawSystemMenuGlyphs();
  marked.SetPixel(0, 0, clBlack);
  int asked = 0;
  SetMenuGlyphSource([&] {
    ++asked;
    return marked;
  });
  EXPECT_TRUE(TSkinSet(nullptr).MenuGlyphs().SamePixels(marked));
  EXPECT_EQ(asked, 1);

  for (TMenuGlyphSource source : std::vector<TMenuGlyphSource>{
           [] { return TBitmapPixels(); },                 // no resource
           [] { return TBitmapPixels(48, 16, pf24bit); },  // three glyphs only
           []() -> TBitmapPixels { throw EInvalidGraphicOperation("Bitmap image is not valid"); }}) {
    SetMenuGlyphSource(source);
    EXPECT_TRUE(TSkinSet(nullptr).MenuGlyphs().SamePixels(DrawSystemMenuGlyphs()));
  }
  SetMenuGlyphSource(nullptr);
  EXPECT_TRUE(TSkinSet(nullptr).MenuGlyphs().SamePixels(DrawSystemMenuGlyphs()));
}

}  // namespace
