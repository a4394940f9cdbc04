// The main window's skin component as the program starts it (the stored skin, the properties
// the layout stores), the skin menu with the skin files of a program directory, the skin
// files beside vesperin.exe and the system-menu glyph resource.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "app/about_window.h"
#include "app/main_window.h"
#include "app/program_directory.h"
#include "app_test_support.h"
#include "lzh/lzh_encoder.h"
#include "skin/data/menu_glyphs.h"
#include "skin/data/skin_manager.h"
#include "skin/data/skin_reader.h"
#include "skin/frames/form_frame.h"
#include "skin/frames/skin_engine.h"
#include "skin/frames/window_side.h"
#include "skin/skin_expectations.h"
#include "skinpack/skin_container_writer.h"
#include "toolkit/core/reader.h"
#include "toolkit/core/streams.h"
#include "toolkit/core/temp_dir.h"
#include "toolkit/core/writer.h"
#include "toolkit/win/imagelist.h"
#include "toolkit/win/win_test_support.h"

namespace {

using skintest::ExpectSameModel;

std::string BuiltSkin(const std::string& name) { return TempDir::Read(std::string(QUILLIMO_SKINS_DIR) + "\\" + name); }

std::span<const std::uint8_t> AsBytes(const std::string& bytes) {
  return {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()};
}

// A component holding the model of a built skin file, to compare with.
std::unique_ptr<TSkinSet> Expected(const std::string& name) {
  auto skin = std::make_unique<TSkinSet>(nullptr);
  const std::string image = BuiltSkin(name);
  EXPECT_TRUE(skin->LoadSkinImage(AsBytes(image))) << name;
  return skin;
}

std::string Text(const TMemoryStream& image) { return std::string(image.Bytes()); }

class MainWindowSkin : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    std::string failure;
    if (!apptest::StartProgramWindows(failure)) FAIL() << "start-up failed: " << failure;
  }
  void SetUp() override {
    ASSERT_NE(Form1, nullptr);
    ASSERT_NE(Form1->skin, nullptr);
  }
};

TEST_F(MainWindowSkin, StartsWithTheStoredSkinAndTheStoredSettings) {
  TSkinSet& skin = *Form1->skin;
  EXPECT_EQ(skin.ClassName(), "TSkinSet");
  EXPECT_EQ(skin.GetOwner(), Form1);
  EXPECT_TRUE(skin.Active());
  EXPECT_FALSE(skin.Loading());
  EXPECT_EQ(skin.SkinFormtype(), sfMainform);
  EXPECT_EQ(skin.DisableTag(), 99);
  EXPECT_EQ(skin.SkinControls(), DefaultSkinControls());
  EXPECT_TRUE(skin.MenuUpdate());
  ASSERT_EQ(skin.SkinAliases()->Count(), 84);
  for (int i = 0; i < 84; ++i) EXPECT_EQ(skin.SkinAliases()->Get(i), DefaultSkinAliases()[i]) << i;
  EXPECT_EQ(skin.SkinStore(), "(none)");  // the layout says "(Good)"; at run time never
  EXPECT_EQ(skin.Version(), "3.4.1.02");
  EXPECT_EQ(skin.SkinFile(), "");

  // The stored skin is the build's stored.skn, decoded at this start.
  EXPECT_EQ(Text(skin.SkinImage()), BuiltSkin("stored.skn"));
  ExpectSameModel(skin.Model(), Expected("stored.skn")->Model());
  EXPECT_EQ(skin.Model().SkinName, "Quillimo Classic");

  // The manager: made by the windowed engine (a toolkit timer), with the component in it and
  // skinning switched on.
  TSkinManager* manager = GetSkinManager();
  ASSERT_NE(manager, nullptr);
  EXPECT_NE(dynamic_cast<TToolkitActionTimer*>(&manager->ActionTimer()), nullptr);
  EXPECT_EQ(manager->SkinDataList(), std::vector<TSkinSet*>{&skin});
  EXPECT_TRUE(manager->Active());
  EXPECT_TRUE(manager->AcceptClassName("TForm1"));
}

TEST_F(MainWindowSkin, StoredPropertiesRoundTrip) {
  TMemoryStream stream;
  WriteComponentToStream(stream, Form1->skin);
  stream.SetPosition(0);
  auto copy = std::make_unique<TSkinSet>(nullptr);
  ReadComponentFromStream(stream, copy.get());
  EXPECT_EQ(copy->Name(), "skin");
  EXPECT_TRUE(copy->Active());
  EXPECT_FALSE(copy->Loading());
  EXPECT_EQ(copy->SkinFormtype(), sfMainform);
  EXPECT_EQ(copy->DisableTag(), 99);
  EXPECT_EQ(copy->SkinControls(), DefaultSkinControls());
  EXPECT_TRUE(copy->MenuUpdate());
  EXPECT_EQ(copy->SkinAliases()->Text(), Form1->skin->SkinAliases()->Text());
  EXPECT_EQ(Text(copy->SkinImage()), Text(Form1->skin->SkinImage()));
  ExpectSameModel(copy->Model(), Form1->skin->Model());
  copy.reset();  // unregisters
  EXPECT_EQ(GetSkinManager()->SkinDataList(), std::vector<TSkinSet*>{Form1->skin});
}

// A program directory with the six skin files in its "skins" folder; the program directory
// and the stored skin come back afterwards.
class SkinMenu : public MainWindowSkin {
protected:
  void SetUp() override {
    MainWindowSkin::SetUp();
    std::filesystem::create_directories(TempDir::FromUtf8(dir.Path("skins")));
    for (int n = 1; n <= 6; ++n) TempDir::Write(SkinPath(n), BuiltSkin(std::to_string(n) + ".skn"));
    root = dir.Path("skins");
    root.resize(root.size() - std::string("\\skins").size());
    SetProgramDirectory(root);
  }
  void TearDown() override {
    SetProgramDirectory("");
    Form1->skin->SetSkinFile("");
    const std::string stored = BuiltSkin("stored.skn");
    Form1->skin->LoadSkinImage(AsBytes(stored));
    // The open windows follow the stored skin again.
    TSkinManager& manager = *GetSkinManager();
    manager.SetPendingSkin(Form1->skin);
    manager.RequestAction(TSkinAction::ApplyChangedSkin, 250);
    PumpUntil([&] { return manager.PendingSkin() == nullptr; }, 3000);
  }
  std::string SkinPath(int n) const { return dir.Path("skins\\" + std::to_string(n) + ".skn"); }
  TMenuItem* Item(int n) const {
    TMenuItem* items[] = {Form1->Arayz11, Form1->Arayz21, Form1->Arayz31,
                          Form1->Arayz41, Form1->Arayz51, Form1->Arayz61};
    return items[n - 1];
  }

  // After choosing item `chosen`: its file name is taken, and the skin of `shown` is in use.
  void ExpectChosenAndShown(int chosen, const std::string& shown) const {
    EXPECT_EQ(Form1->skin->SkinFile(), root + "\\skins\\" + std::to_string(chosen) + ".skn");
    EXPECT_FALSE(Form1->skin->Loading());
    EXPECT_TRUE(Form1->skin->Active());
    ExpectSameModel(Form1->skin->Model(), Expected(shown)->Model());
  }

  TempDir dir;
  std::string root;
};

TEST_F(SkinMenu, EachItemLoadsItsSkinFileFromTheProgramDirectory) {
  Item(3)->Click();
  ExpectChosenAndShown(3, "3.skn");
  EXPECT_EQ(Text(Form1->skin->SkinImage()), BuiltSkin("3.skn"));

  for (int n = 1; n <= 6; ++n) {
    SCOPED_TRACE(n);
    Item(n)->Click();
    EXPECT_EQ(Form1->skin->SkinFile(), root + "\\skins\\" + std::to_string(n) + ".skn");
    EXPECT_EQ(Form1->skin->Model().SkinName, Expected(std::to_string(n) + ".skn")->Model().SkinName);
    EXPECT_FALSE(Form1->skin->Loading());
  }
}

TEST_F(SkinMenu, AMissingFileChangesOnlyTheFileName) {
  Form1->Arayz31Click(Form1->Arayz31);
  std::filesystem::remove(TempDir::FromUtf8(SkinPath(5)));
  Item(5)->Click();
  ExpectChosenAndShown(5, "3.skn");
  EXPECT_EQ(Text(Form1->skin->SkinImage()), BuiltSkin("3.skn"));
  EXPECT_TRUE(GetSkinManager()->Active());
}

// The menu command as the menu bar gives it: a failure in the handler reaches the error box.
void ChooseFromTheMenuBar(TMenuItem* item) {
  SendMessageW(Form1->Handle(), WM_COMMAND, MAKEWPARAM(item->Command(), 0), 0);
}

TEST_F(SkinMenu, ACorruptFileIsReportedAndKeepsTheSkinShown) {
  Item(3)->Click();
  const std::string good = BuiltSkin("1.skn");
  TempDir::Write(SkinPath(1), good.substr(0, good.size() / 2));  // cut short
  TempDir::Write(SkinPath(2), good.substr(0, good.size() - 1));  // its last byte missing
  TempDir::Write(SkinPath(4), "");                               // empty
  TempDir::Write(SkinPath(6), std::string(5000, '\x7F'));        // claims a size no skin has
  const struct {
    int item;
    const char* error;
  } cases[] = {{1, "LZH : Unexpected end of compressed data"},
               {2, "LZH : Unexpected end of compressed data"},
               {4, "Stream read error"},
               {6, "LZH : Uncompressed size out of range"}};
  TSkinManager& manager = *GetSkinManager();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.item);
    manager.ClearPendingAction();
    MessageBoxCatcher boxes;
    ChooseFromTheMenuBar(Item(c.item));
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].Title, "Quillimo");
    EXPECT_EQ(boxes.Boxes()[0].Text, std::string(c.error) + ".");
    EXPECT_EQ(boxes.Boxes()[0].Style & MB_ICONMASK, static_cast<UINT>(MB_ICONSTOP));
    ExpectChosenAndShown(c.item, "3.skn");
    EXPECT_EQ(manager.PendingAction(), TSkinAction::None);  // no change announced
    EXPECT_EQ(manager.PendingSkin(), nullptr);
  }

  // A garbled file is refused one way or another (it may even decode to a container of another
  // format version, which the reader answers with its own message); the skin stays.
  std::string garbled = good;
  for (std::size_t i = 8; i < garbled.size(); i += 7) garbled[i] = static_cast<char>(garbled[i] ^ 0x5A);
  TempDir::Write(SkinPath(5), garbled);
  MessageBoxCatcher boxes;
  ChooseFromTheMenuBar(Item(5));
  EXPECT_EQ(boxes.Boxes().size(), 1u);
  ExpectChosenAndShown(5, "3.skn");
}

TEST_F(SkinMenu, AnOlderSkinFileShowsTheMessageOnceAndKeepsTheSkin) {
  Item(3)->Click();
  std::vector<std::uint8_t> container = BuildSkinContainer(std::vector<TSkinEntry>{{"skin.ini", {'[', 'A', ']'}}});
  container[0] = 0x1F;  // format version 19999
  const std::vector<std::uint8_t> older = lzh::Compress(container);
  TempDir::Write(SkinPath(2), std::string(older.begin(), older.end()));

  MessageBoxCatcher boxes;
  Item(2)->Click();
  ASSERT_EQ(boxes.Boxes().size(), 1u);
  EXPECT_EQ(boxes.Boxes()[0].Title, "Quillimo");
  EXPECT_EQ(boxes.Boxes()[0].Text, SkinReaderText::OlderSkinFile);
  EXPECT_EQ(boxes.Boxes()[0].Style, static_cast<UINT>(MB_OK));
  EXPECT_FALSE(Form1->skin->Loading());
  ExpectSameModel(Form1->skin->Model(), Expected("3.skn")->Model());
}

// Each entry re-frames every open window as soon as the message loop is idle after the
// command: the caption bar of the new skin, the same client areas, the region of a skin with
// keyed corners.
TEST_F(SkinMenu, EachEntryReframesEveryOpenWindowOnceTheLoopIsIdle) {
  TFrameWindowSide* side = FrameWindowSide();
  ASSERT_NE(side, nullptr);
  Form2->Show();
  SetForegroundWindow(Form2->Handle());
  PumpFor(100);
  TSkinFormFrame* frames[] = {side->FindForm(Form1->Handle()), side->FindForm(Form2->Handle())};
  ASSERT_NE(frames[0], nullptr);
  ASSERT_NE(frames[1], nullptr);
  RECT clients[2];
  for (int i = 0; i < 2; ++i) GetClientRect(frames[i]->Handle(), &clients[i]);
  for (int n : {1, 5, 6}) {
    SCOPED_TRACE(n);
    const std::unique_ptr<TSkinSet> expected = Expected(std::to_string(n) + ".skn");
    const int top = expected->Model().BorderTop->Image.Height() / expected->Model().BorderTop->FrameCount;
    Item(n)->Click();
    EXPECT_NE(GetSkinManager()->PendingSkin(), nullptr);  // not inside the command
    // The messages already waiting carry it out: no wait for the manager's 250 ms tick.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    ASSERT_EQ(GetSkinManager()->PendingSkin(), nullptr);
    for (int i = 0; i < 2; ++i) {
      EXPECT_EQ(frames[i]->Edges().Top, top) << i;
      RECT client{};
      GetClientRect(frames[i]->Handle(), &client);
      EXPECT_EQ(client.right, clients[i].right) << i;
      EXPECT_EQ(client.bottom, clients[i].bottom) << i;
      // Keyed corners leave the window's top-left pixel out of its region.
      HRGN region = CreateRectRgn(0, 0, 0, 0);
      const bool keyed = expected->Model().BorderLeft->Trans == 1;
      if (GetWindowRgn(frames[i]->Handle(), region) != ERROR) EXPECT_EQ(PtInRegion(region, 0, 0) == FALSE, keyed) << i;
      DeleteObject(region);
    }
  }
  Form2->Hide();
}

// A change of skin reaches the manager's timer, which carries it out from the message loop.
TEST_F(SkinMenu, TheChangeIsCarriedOutOnTheManagersTimer) {
  TSkinManager& manager = *GetSkinManager();
  const bool started = manager.Started();
  manager.SetStarted(true);  // a window has been activated
  int changed = 0;
  Form1->skin->OnSkinChanged = [&](TObject* sender) {
    if (sender == Form1->skin) ++changed;
  };
  Item(4)->Click();
  EXPECT_EQ(manager.PendingAction(), TSkinAction::ApplyChangedSkin);
  EXPECT_EQ(manager.PendingSkin(), Form1->skin);
  EXPECT_EQ(manager.ActionTimer().Interval(), 250);
  EXPECT_TRUE(manager.ActionTimer().Enabled());
  EXPECT_EQ(changed, 0);  // never inside the setter
  EXPECT_TRUE(PumpUntil([&] { return changed > 0; }, 10000));
  EXPECT_EQ(changed, 1);
  EXPECT_FALSE(manager.ActionTimer().Enabled());
  EXPECT_EQ(manager.PendingSkin(), nullptr);
  Form1->skin->OnSkinChanged = nullptr;
  manager.SetStarted(started);
}

// The glyphs of the skinned system menu: the program's monochrome bitmap resource, and the
// component's four 16 x 16 glyphs with white transparent.
TEST_F(MainWindowSkin, SystemMenuGlyphsComeFromTheBitmapResource) {
  HMODULE program =
      LoadLibraryExW(L"" QUILLIMO_VESPERIN_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_NE(program, nullptr);
  HRSRC found = FindResourceW(program, L"SYSMENUGLYPHS", MAKEINTRESOURCEW(2));  // RT_BITMAP
  ASSERT_NE(found, nullptr);
  const auto* dib = static_cast<const std::uint8_t*>(LockResource(LoadResource(program, found)));
  ASSERT_NE(dib, nullptr);
  BITMAPINFOHEADER header;
  std::memcpy(&header, dib, sizeof header);
  EXPECT_EQ(header.biWidth, 64);
  EXPECT_EQ(header.biHeight, 16);
  EXPECT_EQ(header.biBitCount, 1);
  const TBitmapPixels fromProgram = LoadMenuGlyphResource(program);
  FreeLibrary(program);
  EXPECT_TRUE(fromProgram.SamePixels(DrawSystemMenuGlyphs()));

  // This test program carries the same resource, and the component took its glyphs from it.
  EXPECT_TRUE(LoadMenuGlyphResource(GetModuleHandleW(nullptr)).SamePixels(DrawSystemMenuGlyphs()));
  EXPECT_TRUE(LoadMenuGlyphResource(nullptr).SamePixels(DrawSystemMenuGlyphs()));
  EXPECT_TRUE(Form1->skin->MenuGlyphs().SamePixels(DrawSystemMenuGlyphs()));

  TImageList list(nullptr);
  MakeMenuGlyphList(*Form1->skin, list);
  ASSERT_EQ(list.ImageCount(), kMenuGlyphCount);
  EXPECT_EQ(list.Width(), 16);
  EXPECT_EQ(list.Height(), 16);
  for (int g = 0; g < kMenuGlyphCount; ++g) {
    SCOPED_TRACE(g);
    const TBitmapPixels& image = list.Image(g);
    int opaque = 0;
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        const bool black = DrawSystemMenuGlyphs().GetPixel(g * 16 + x, y) == clBlack;
        const std::uint8_t alpha = image.ScanLine(y)[4 * x + 3];
        EXPECT_EQ(alpha, black ? 255 : 0) << x << "," << y;
        opaque += black;
      }
    EXPECT_GT(opaque, 8);
  }
}

// The windows build puts the six skin files in "skins" beside vesperin.exe.
TEST(SkinFilesBesideTheProgram, AreTheSixBuiltSkins) {
  const std::filesystem::path program = TempDir::FromUtf8(QUILLIMO_VESPERIN_EXE);
  for (int n = 1; n <= 6; ++n) {
    const std::filesystem::path file = program.parent_path() / "skins" / (std::to_string(n) + ".skn");
    ASSERT_TRUE(std::filesystem::is_regular_file(file)) << n;
    TSkinSet skin(nullptr);
    const std::string bytes = TempDir::Read(TempDir::ToUtf8(file));
    EXPECT_TRUE(skin.LoadSkinImage(AsBytes(bytes))) << n;
  }
}

}  // namespace
