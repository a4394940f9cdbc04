// The main window holds no more GDI objects after a second round of use than after the first:
// skin switches, language switches and tab changes free what they make, and nothing is cached
// per skin without bound.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "app/main_window.h"
#include "app_test_support.h"
#include "skin/data/skin_manager.h"
#include "toolkit/core/temp_dir.h"
#include "toolkit/win/process_resources.h"
#include "toolkit/win/win_test_support.h"

namespace {

// "type 0x05: 40 -> 43" for each kind of object whose count changed.
std::string Changes(const std::map<int, unsigned>& before, const std::map<int, unsigned>& after) {
  std::map<int, std::pair<unsigned, unsigned>> both;
  for (const auto& [type, count] : before) both[type].first = count;
  for (const auto& [type, count] : after) both[type].second = count;
  std::string text;
  for (const auto& [type, counts] : both) {
    if (counts.first == counts.second) continue;
    char line[64];
    std::snprintf(line, sizeof line, "type 0x%02X: %u -> %u\n", type, counts.first, counts.second);
    text += line;
  }
  return text;
}

class GdiGrowth : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    std::string failure;
    if (!apptest::StartProgramWindows(failure)) FAIL() << "start-up failed: " << failure;
  }
  // A catalogue in both languages and the six skin files of the Skin menu.
  void SetUp() override {
    catalogue.Write({{"Sabah", true, {{"Ben sakinim"}, {"Her gün daha iyi"}}}, {"Akşam", true, {{"Dinlendim"}}}});
    catalogue.WriteFile("programlist1.txt", "Calm,1\r\n");
    catalogue.WriteFile("language1\\Calm.txt", "I am calm,1\r\n");
    std::filesystem::create_directories(TempDir::FromUtf8(catalogue.Directory() + "\\skins"));
    for (int n = 1; n <= 6; ++n) {
      const std::string file = std::to_string(n) + ".skn";
      catalogue.WriteFile("skins\\" + file, TempDir::Read(std::string(QUILLIMO_SKINS_DIR) + "\\" + file));
    }
    SetForegroundWindow(Form1->Handle());
  }
  void TearDown() override { apptest::ShowSkinImage(TempDir::Read(std::string(QUILLIMO_SKINS_DIR) + "\\stored.skn")); }

  static void EveryTab() {
    for (int page = 0; page < Form1->PageControl1->PageCount(); ++page) {
      Form1->PageControl1->SetActivePageIndex(page);
      PumpFor(60);
    }
    Form1->PageControl1->SetActivePageIndex(0);
    PumpFor(60);
  }
  static void LanguageBothWays() {
    apptest::ClickToolButton(Form1->ToolButton1);
    PumpFor(60);
    apptest::ClickToolButton(Form1->ToolButton2);
    PumpFor(60);
  }
  static void Skin(int n) {
    TMenuItem* items[] = {Form1->Arayz11, Form1->Arayz21, Form1->Arayz31,
                          Form1->Arayz41, Form1->Arayz51, Form1->Arayz61};
    items[(n - 1) % 6]->Click();
    ASSERT_TRUE(PumpUntil([] { return GetSkinManager()->PendingSkin() == nullptr; }, 3000));
    PumpFor(60);
  }

  apptest::TempCatalogue catalogue;
};

TEST_F(GdiGrowth, ASecondRoundOfSkinsLanguagesAndTabsMakesNoNewObjects) {
  EveryTab();
  LanguageBothWays();
  for (int n = 1; n <= 6; ++n) Skin(n);
  const unsigned warm = ProcessGdiObjects();
  const auto warmByType = ProcessGdiObjectsByType();
  ASSERT_GT(warm, 0u);

  for (int n = 1; n <= 24; ++n) Skin(n);  // ends in skin 6, as the warm-up did
  LanguageBothWays();
  LanguageBothWays();
  EveryTab();
  EXPECT_LE(ProcessGdiObjects(), warm) << Changes(warmByType, ProcessGdiObjectsByType());
}

}  // namespace
