// The main window's tool bar with the keyboard alone: Tab from the last control of the page
// reaches it, the arrow keys move to a button, Enter and Space press it (here the language
// buttons, which switch the language), and each button's tooltip and text are its caption in
// the language shown. The program's main window from its stored layout, in its stored skin,
// real key presses through the application's message handling.
#include <gtest/gtest.h>

#include <string>

#include "app/main_window.h"
#include "app_test_support.h"
#include "toolkit/core/utf8.h"
#include "toolkit/win/application.h"
#include "toolkit/win/win_test_support.h"

#include <commctrl.h>

namespace {
class ToolBarKeys : public ::testing::Test {
protected:
  void SetUp() override {
    std::string failure;
    ASSERT_TRUE(apptest::StartProgramWindows(failure)) << failure;
    form = Form1;
    form->PageControl1->SetActivePageIndex(0);
    SetCursorPos(0, 0);
    ASSERT_TRUE(apptest::BringMainWindowToFront());
  }
  // Each button's tooltip and native text against its caption.
  void ExpectTipsAndTextsAreTheCaptions() {
    TToolBar* bar = form->ToolBar1;
    for (int i = 0; i < bar->ButtonCount(); ++i) {
      const std::string caption = bar->Buttons(i)->Caption();
      wchar_t text[128] = {};
      TBBUTTON button{};
      SendMessageW(bar->Handle(), TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button));
      SendMessageW(bar->Handle(), TB_GETBUTTONTEXTW, static_cast<WPARAM>(button.idCommand),
                   reinterpret_cast<LPARAM>(text));
      EXPECT_EQ(ToolTipText(bar->Handle(), i), caption) << i;
      EXPECT_EQ(WideToUtf8(text), caption) << i;
    }
  }
  MessageBoxCatcher boxes;
  TForm1* form = nullptr;
};
}  // namespace

TEST_F(ToolBarKeys, TabReachesTheBarFromThePageAndEnterOrSpaceOnALanguageButtonSwitches) {
  ASSERT_EQ(form->ToolButton6->Caption(), "Mesajlar Başlasın");
  ExpectTipsAndTextsAreTheCaptions();
  form->mesajlist->SetFocus();  // the last control of the Programs page
  ASSERT_EQ(GetFocus(), form->mesajlist->Handle());
  PressKey(VK_TAB);
  ASSERT_EQ(GetFocus(), form->ToolBar1->Handle());
  EXPECT_EQ(form->ToolBar1->KeyboardButton(), form->ToolButton6);
  PressKey(VK_RIGHT);
  PressKey(VK_RIGHT);
  ASSERT_EQ(form->ToolBar1->KeyboardButton(), form->ToolButton1);
  PressKey(VK_RETURN);
  EXPECT_EQ(form->langcode, "1");
  EXPECT_EQ(form->ToolButton6->Caption(), "Start Messages");
  ExpectTipsAndTextsAreTheCaptions();
  PressKey(VK_RIGHT);
  PressKey(VK_SPACE);
  EXPECT_EQ(form->langcode, "0");
  EXPECT_EQ(form->ToolButton6->Caption(), "Mesajlar Başlasın");
  EXPECT_TRUE(boxes.Boxes().empty());
}
