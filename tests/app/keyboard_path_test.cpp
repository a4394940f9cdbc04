// The program used with the keyboard alone, on its main window from the stored layout in the
// Turkish catalogue: a program and a message added, the program ticked, the messages started
// and stopped, a skin and the language chosen, the window hidden and the program ended from
// the icon's menu. Every step is real key presses through the application's message handling.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/main_window.h"
#include "app_test_support.h"
#include "skin/frames/menu_test_support.h"
#include "toolkit/core/temp_dir.h"
#include "toolkit/core/utf8.h"
#include "toolkit/win/menus.h"
#include "win_test_support.h"

using menutest::MenuScript;

namespace {
void Type(const std::string& text) {
  for (wchar_t ch : Utf8ToWide(text)) {
    TypeChar(ch);
    PumpApplicationFor(20);
  }
}

// Tab until the control has the focus (at most a round of the form's tab stops).
::testing::AssertionResult TabTo(TWinControl* control) {
  for (int i = 0; i < 20 && GetFocus() != control->Handle(); ++i) PressKey(VK_TAB);
  if (GetFocus() == control->Handle()) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "Tab did not reach " << control->Name();
}

// Right until the tool bar's keyboard button is the button (at most a round of the bar).
::testing::AssertionResult RightTo(TToolBar* bar, TToolButton* button) {
  for (int i = 0; i < bar->ButtonCount() && bar->KeyboardButton() != button; ++i) PressKey(VK_RIGHT);
  if (bar->KeyboardButton() == button) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "Right did not reach " << button->Name();
}

// Runs the steps in the menu that the keys open, and pumps until every menu has closed.
::testing::AssertionResult InMenu(std::function<void()> open, std::vector<MenuScript::Step> steps) {
  MenuScript script(std::move(steps));
  open();
  if (!PumpApplicationUntil([&] { return script.Done(); }, 5000)) return ::testing::AssertionFailure() << "no menu";
  PumpApplicationUntil([] { return menutest::VisibleMenuWindows() == 0; }, 3000);
  if (script.LeftOver()) return ::testing::AssertionFailure() << "a menu stayed open";
  return ::testing::AssertionSuccess();
}
}  // namespace

TEST(KeyboardPath, AddTickStartStopSkinLanguageHideAndExitWithTheKeyboardAlone) {
  std::string failure;
  ASSERT_TRUE(apptest::StartProgramWindows(failure)) << failure;
  apptest::TempCatalogue catalogue;
  catalogue.Write({});
  std::filesystem::create_directories(TempDir::FromUtf8(catalogue.Directory() + "\\skins"));
  catalogue.WriteFile("skins\\1.skn", TempDir::Read(std::string(QUILLIMO_SKINS_DIR) + "\\1.skn"));
  catalogue.WriteFile("programlist1.txt", "");
  MessageBoxCatcher boxes;
  TForm1* form = Form1;
  form->PageControl1->SetActivePageIndex(0);
  ASSERT_TRUE(apptest::BringMainWindowToFront());
  bool closing = false;
  form->OnCloseQuery = [&](TObject*, bool& canClose) {
    closing = true;
    canClose = false;  // the test's program goes on
  };
  // Afterwards the program is as the other tests expect it: shown, in Turkish, in its stored
  // skin, with no menu left open.
  struct Restore {
    ~Restore() {
      EndMenu();
      Form1->OnCloseQuery = nullptr;
      if (!Form1->Visible()) Form1->Gster1Click(nullptr);
      if (Form1->langcode != "0") Form1->ToolButton2Click(nullptr);
      apptest::ShowSkinImage(TempDir::Read(std::string(QUILLIMO_SKINS_DIR) + "\\stored.skn"));
    }
  } restore;

  // A program: its name in the box, Tab to "Yeni Program Ekle", Space.
  ASSERT_TRUE(TabTo(form->programedit));
  Type("Sabah");
  PressKey(VK_TAB);
  EXPECT_EQ(GetFocus(), form->Button1->Handle());
  PressKey(VK_SPACE);
  ASSERT_EQ(form->programlist->Count(), 1);
  EXPECT_EQ(form->programlist->Items()->Strings(0), "Sabah");
  // Ticked when added: Space on the list takes the tick off and puts it back.
  ASSERT_TRUE(TabTo(form->programlist));
  PressKey(VK_SPACE);
  EXPECT_FALSE(form->programlist->Checked(0));
  PressKey(VK_SPACE);
  EXPECT_TRUE(form->programlist->Checked(0));
  // A message: Tab on to the message box, type, Tab to "Yeni Mesaj Ekle", Space.
  PressKey(VK_TAB);
  EXPECT_EQ(GetFocus(), form->mesajedit->Handle());
  Type("Huzurluyum");
  PressKey(VK_TAB);
  PressKey(VK_SPACE);
  ASSERT_EQ(form->mesajlist->Count(), 1);
  EXPECT_EQ(form->mesajlist->Items()->Strings(0), "Huzurluyum");
  EXPECT_TRUE(form->mesajlist->Checked(0));

  // The tool bar: Start, then Stop.
  ASSERT_TRUE(TabTo(form->ToolBar1));
  ASSERT_EQ(form->ToolBar1->KeyboardButton(), form->ToolButton6);
  PressKey(VK_RETURN);
  EXPECT_TRUE(form->Timer1->Enabled());
  PressKey(VK_RIGHT);
  PressKey(VK_RETURN);
  EXPECT_FALSE(form->Timer1->Enabled());

  // A skin from the menu bar: Alt+A opens "Arayüz" with its first item selected, Enter takes it.
  ASSERT_TRUE(InMenu([] { PressKeys({VK_MENU, 'A'}); }, {[](HWND) { PressKeys({VK_RETURN}); }}));
  EXPECT_EQ(form->skin->SkinFile(), catalogue.Directory() + "\\skins\\1.skn");

  // The language: on to "English", Enter.
  ASSERT_TRUE(TabTo(form->ToolBar1));
  ASSERT_TRUE(RightTo(form->ToolBar1, form->ToolButton1));
  PressKey(VK_RETURN);
  EXPECT_EQ(form->langcode, "1");
  EXPECT_EQ(form->Button1->Caption(), "Add New Program");

  // Hide: the window goes into the notification area.
  ASSERT_TRUE(RightTo(form->ToolBar1, form->ToolButton5));
  PressKey(VK_RETURN);
  EXPECT_FALSE(IsWindowVisible(form->Handle()));

  // The icon's menu by keyboard (the shell tells an icon of this kind with the messages of a
  // right click), Up to its last item, Exit, and Enter: the settings are saved and the window
  // asked to close.
  ASSERT_TRUE(InMenu(
      [&] { PostMessageW(form->TrayIcon1->WindowHandle(), form->TrayIcon1->CallbackMessage(), 1, WM_RBUTTONDOWN); },
      {[](HWND) { PressKeys({VK_UP}); }, [](HWND) { PressKeys({VK_RETURN}); }}));
  EXPECT_TRUE(closing);
  EXPECT_EQ(TempDir::Read(catalogue.Directory() + "\\ayarlar.txt").substr(0, 1), "1");
  for (const auto& box : boxes.Boxes()) ADD_FAILURE() << "error box: " << box.Text;
}
