// The program's three windows created in-process from their stored layouts, as the program's
// start-up creates them: the components of each layout, the main window's frame, and the
// commands that already work (About, local help, the font dialog, the web links).
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/about_window.h"
#include "app/flash_window.h"
#include "app/main_window.h"
#include "app_test_support.h"
#include "skin/frames/form_frame.h"
#include "skin/frames/menu_bar.h"
#include "skin/frames/window_side.h"
#include "toolkit/core/utf8.h"
#include "toolkit/win/application.h"
#include "toolkit/win/jpeg.h"
#include "toolkit/win/shell.h"
#include "toolkit/win/win_test_support.h"

namespace {

// The start-up of the program up to the message loop, once for all tests; the main window is
// then shown as Run shows it.
class ProgramWindows : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    std::string failure;
    if (!apptest::StartProgramWindows(failure)) FAIL() << "start-up failed: " << failure;
  }
  void SetUp() override { ASSERT_NE(Form1, nullptr); }
};

struct Expected {
  const char* name;
  const char* className;
  const char* parent;            // "" when the component has no parent control
  int left, top, width, height;  // -1: not checked (aligned controls and windowless ones)
  const char* caption;           // nullptr: not checked
};

const std::vector<Expected> kMainWindow = {
    {"ToolBar1", "TToolBar", "Form1", 0, 0, 547, 56, nullptr},
    {"ToolButton6", "TToolButton", "ToolBar1", -1, -1, -1, -1, "Mesajlar Başlasın"},
    {"ToolButton3", "TToolButton", "ToolBar1", -1, -1, -1, -1, "Mesajlar Dursun"},
    {"ToolButton9", "TToolButton", "ToolBar1", -1, -1, -1, -1, nullptr},
    {"ToolButton1", "TToolButton", "ToolBar1", -1, -1, -1, -1, "English"},
    {"ToolButton2", "TToolButton", "ToolBar1", -1, -1, -1, -1, "Türkçe"},
    {"ToolButton8", "TToolButton", "ToolBar1", -1, -1, -1, -1, nullptr},
    {"ToolButton5", "TToolButton", "ToolBar1", -1, -1, -1, -1, "Sakla"},
    {"ToolButton4", "TToolButton", "ToolBar1", -1, -1, -1, -1, "Kapat"},
    {"PageControl1", "TPageControl", "Form1", 0, 56, 547, 364, nullptr},
    {"TabSheet1", "TTabSheet", "PageControl1", -1, -1, -1, -1, "Programlar"},
    {"TabSheet2", "TTabSheet", "PageControl1", -1, -1, -1, -1, "Ayarlar"},
    {"TabSheet3", "TTabSheet", "PageControl1", -1, -1, -1, -1, "Yardım"},
    {"TabSheet4", "TTabSheet", "PageControl1", -1, -1, -1, -1, "Brelko"},
    {"GroupBox1", "TGroupBox", "TabSheet1", 0, 0, 268, -1, ""},
    {"GroupBox2", "TGroupBox", "TabSheet1", 268, 0, 268, -1, ""},
    {"Label1", "TLabel", "GroupBox1", 8, 16, -1, -1, "Program işlemlerini buradan yapınız."},
    {"programedit", "TEdit", "GroupBox1", 8, 40, 249, 21, ""},
    {"Button1", "TButton", "GroupBox1", 8, 72, 105, 25, "Yeni Program Ekle"},
    {"Button2", "TButton", "GroupBox1", 128, 72, 129, 25, "Seçili Programı Sil"},
    {"programlist", "TCheckListBox", "GroupBox1", 8, 112, 249, 217, nullptr},
    {"Label2", "TLabel", "GroupBox2", 8, 16, -1, -1, "Mesaj işlemlerini buradan yapınız."},
    {"mesajedit", "TEdit", "GroupBox2", 8, 40, 249, 21, ""},
    {"Button3", "TButton", "GroupBox2", 8, 72, 105, 25, "Yeni Mesaj Ekle"},
    {"Button4", "TButton", "GroupBox2", 128, 72, 129, 25, "Seçili Mesajı Sil"},
    {"mesajlist", "TCheckListBox", "GroupBox2", 8, 112, 249, 217, nullptr},
    {"aramemo", "TMemo", "TabSheet1", 568, 16, 425, 153, nullptr},
    {"ayarmemo", "TMemo", "TabSheet1", 568, 184, 425, 137, nullptr},
    {"GroupBox4", "TGroupBox", "TabSheet2", 0, 0, -1, 63, " Mesajların Sıklığı ve Süresi "},
    {"Label3", "TLabel", "GroupBox4", 16, 24, -1, -1, "Mesajların sıklığı (sn)"},
    {"Edit1", "TEdit", "GroupBox4", 120, 20, 41, 21, "2"},
    {"SpinButton1", "TSpinButton", "GroupBox4", 162, 18, 20, 25, nullptr},
    {"Label4", "TLabel", "GroupBox4", 232, 24, -1, -1, "Mesajların süresi (mili sn)"},
    // The stored "40" is replaced at every start: the defaults of a first start give "20".
    {"Edit2", "TEdit", "GroupBox4", 353, 20, 41, 21, "20"},
    {"SpinButton2", "TSpinButton", "GroupBox4", 395, 17, 20, 25, nullptr},
    {"RadioGroup4", "TRadioGroup", "TabSheet2", 0, 63, -1, 63, " Mesajların Yeri "},
    {"RadioGroup3", "TRadioGroup", "TabSheet2", 0, 126, -1, 63, " Windows Açılışında Çalıştırma "},
    {"RadioGroup2", "TRadioGroup", "TabSheet2", 0, 189, -1, 63, " Dil Seçimi "},
    {"GroupBox3", "TGroupBox", "TabSheet2", 0, 252, -1, 63, " Harf Karakteri ve Renk "},
    {"Button5", "TButton", "GroupBox3", 8, 16, 177, 33, "Yazı karakterini ve rengini değiştir"},
    {"Panel1", "TPanel", "GroupBox3", 208, 16, 145, 33, "TEST MESAJI"},
    {"helpmemo0", "TMemo", "TabSheet3", 0, 0, -1, -1, nullptr},
    {"helpmemo1", "TMemo", "TabSheet3", -1, -1, -1, -1, nullptr},
    {"Button6", "TButton", "TabSheet4", 8, 8, 513, 25, "www.brelko.com"},
    {"Image1", "TImage", "TabSheet4", 8, 48, 240, 180, nullptr},
    {"Memo1", "TMemo", "TabSheet4", 256, 48, 273, 180, nullptr},
    {"mesajlar", "TMemo", "TabSheet4", 32, 320, 449, 225, ""},
    {"MainMenu1", "TMainMenu", "", -1, -1, -1, -1, nullptr},
    {"PopupMenu1", "TPopupMenu", "", -1, -1, -1, -1, nullptr},
    {"Timer1", "TTimer", "", -1, -1, -1, -1, nullptr},
    {"Timer2", "TTimer", "", -1, -1, -1, -1, nullptr},
    {"lcLang1", "TlcLang", "", -1, -1, -1, -1, nullptr},
    {"FontDialog1", "TlcFontDialog", "", -1, -1, -1, -1, nullptr},
    {"ImageList1", "TImageList", "", -1, -1, -1, -1, nullptr},
    {"ImageList2", "TImageList", "", -1, -1, -1, -1, nullptr},
    {"skin", "TSkinSet", "", -1, -1, -1, -1, nullptr},
};

void CheckComponents(TComponent* root, const std::vector<Expected>& table) {
  for (const Expected& e : table) {
    SCOPED_TRACE(e.name);
    TComponent* c = root->FindComponent(e.name);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->ClassName(), e.className);
    auto* control = dynamic_cast<TControl*>(c);
    if (std::string(e.parent).empty()) {
      EXPECT_TRUE(control == nullptr || control->Parent() == nullptr);
      continue;
    }
    ASSERT_NE(control, nullptr);
    ASSERT_NE(control->Parent(), nullptr);
    EXPECT_EQ(control->Parent()->Name(), e.parent);
    if (e.left >= 0) EXPECT_EQ(control->Left(), e.left);
    if (e.top >= 0) EXPECT_EQ(control->Top(), e.top);
    if (e.width >= 0) EXPECT_EQ(control->Width(), e.width);
    if (e.height >= 0) EXPECT_EQ(control->Height(), e.height);
    if (e.caption) EXPECT_EQ(control->Caption(), e.caption);
  }
}

TEST_F(ProgramWindows, MainWindowLayoutCreatesEveryComponentInItsPlace) {
  CheckComponents(Form1, kMainWindow);
  EXPECT_EQ(Form1->Caption(), "Quillimo v 1.1");
  EXPECT_EQ(Form1->Font()->Name(), "MS Sans Serif");
  EXPECT_EQ(Form1->Font()->Size(), 8);
  EXPECT_EQ(Form1->Menu(), Form1->MainMenu1);
}

TEST_F(ProgramWindows, ToolBarShowsItsButtonsInOrderWithTheirImages) {
  TToolBar* bar = Form1->ToolBar1;
  EXPECT_EQ(bar->ButtonWidth(), 88);
  EXPECT_EQ(bar->ButtonHeight(), 52);
  EXPECT_TRUE(bar->ShowCaptions());
  const std::vector<std::pair<std::string, int>> order = {{"ToolButton6", 5}, {"ToolButton3", 4}, {"ToolButton9", -1},
                                                          {"ToolButton1", 1}, {"ToolButton2", 0}, {"ToolButton8", -1},
                                                          {"ToolButton5", 2}, {"ToolButton4", 3}};
  ASSERT_EQ(bar->ButtonCount(), static_cast<int>(order.size()));
  for (int i = 0; i < bar->ButtonCount(); ++i) {
    SCOPED_TRACE(order[i].first);
    EXPECT_EQ(bar->Buttons(i)->Name(), order[i].first);
    if (order[i].second >= 0)
      EXPECT_EQ(bar->Buttons(i)->ImageIndex(), order[i].second);
    else
      EXPECT_EQ(bar->Buttons(i)->Style(), tbsSeparator);
  }
  EXPECT_EQ(bar->Images(), Form1->ImageList1->Handle());
  RECT exitButton = Form1->ToolButton4->ButtonRect();
  EXPECT_EQ(exitButton.right - exitButton.left, 88);
  EXPECT_EQ(exitButton.left, 456);
}

TEST_F(ProgramWindows, TabsCarryTheirImagesAndTheFirstIsActive) {
  TPageControl* pages = Form1->PageControl1;
  ASSERT_EQ(pages->PageCount(), 4);
  EXPECT_EQ(pages->ActivePageIndex(), 0);
  EXPECT_EQ(pages->Pages(0)->ImageIndex(), 2);
  EXPECT_EQ(pages->Pages(1)->ImageIndex(), 0);
  EXPECT_EQ(pages->Pages(2)->ImageIndex(), 1);
  EXPECT_EQ(pages->Pages(3)->ImageIndex(), 3);
  EXPECT_EQ(pages->Images(), Form1->ImageList2->Handle());
  EXPECT_EQ(Form1->ImageList1->Width(), 32);
  EXPECT_EQ(Form1->ImageList1->Height(), 32);
  EXPECT_EQ(Form1->ImageList1->ImageCount(), 6);
  EXPECT_EQ(Form1->ImageList2->Width(), 16);
  EXPECT_EQ(Form1->ImageList2->Height(), 16);
  EXPECT_EQ(Form1->ImageList2->ImageCount(), 4);
}

TEST_F(ProgramWindows, MenusHoldTheirItemsInOrder) {
  auto names = [](TMenuItem* item) {
    std::vector<std::string> v;
    for (int i = 0; i < item->Count(); ++i) v.push_back(item->Items(i)->Name() + "=" + item->Items(i)->Caption());
    return v;
  };
  using V = std::vector<std::string>;
  EXPECT_EQ(names(Form1->MainMenu1->Items()), (V{"Arayz1=Arayüz", "Yardm1=Yardım", "Hakknda1=Hakkında"}));
  EXPECT_EQ(names(Form1->Arayz1), (V{"Arayz11=Arayüz 1", "Arayz21=Arayüz 2", "Arayz31=Arayüz 3", "Arayz41=Arayüz 4",
                                     "Arayz51=Arayüz 5", "Arayz61=Arayüz 6"}));
  EXPECT_EQ(names(Form1->Yardm1), (V{"YerelYardm1=Yerel Yardım", "Onlineyardm1=Online Yardım"}));
  EXPECT_EQ(Form1->Hakknda1->Count(), 0);
  EXPECT_EQ(names(Form1->PopupMenu1->Items()), (V{"Gster1=Göster", "N2=-", "MesajlarDurdur1=Mesajları Durdur",
                                                  "MesajlarDevamEtsin1=Mesajlar Devam Etsin", "N1=-", "Kapat1=Kapat"}));
  EXPECT_TRUE(Form1->N1->IsLine());
  EXPECT_EQ(GetMenuItemCount(Form1->MainMenu1->Handle()), 3);
}

TEST_F(ProgramWindows, StoredStateOfTheNonVisualAndHiddenComponents) {
  EXPECT_FALSE(Form1->Timer1->Enabled());
  EXPECT_FALSE(Form1->Timer2->Enabled());
  EXPECT_EQ(Form1->FontDialog1->Font()->Name(), "MS Sans Serif");
  EXPECT_EQ(Form1->FontDialog1->Font()->Size(), 8);
  EXPECT_EQ(Form1->programlist->ItemHeight(), 13);
  EXPECT_EQ(Form1->mesajlist->ItemHeight(), 13);

  for (TRadioGroup* group : {Form1->RadioGroup4, Form1->RadioGroup3, Form1->RadioGroup2}) {
    EXPECT_EQ(group->Columns(), 2);
    EXPECT_EQ(group->ItemIndex(), 0);
    EXPECT_EQ(group->Items()->Count(), 2);
  }
  EXPECT_EQ(Form1->RadioGroup4->Items()->Get(1), "Ekranın tam ortasında");
  EXPECT_EQ(Form1->RadioGroup2->Items()->Get(1), "English");

  EXPECT_FALSE(Form1->mesajlar->Visible());
  EXPECT_EQ(Form1->mesajlar->Color(), clSilver);
  EXPECT_TRUE(Form1->mesajlar->Font()->Style().Contains(fsBold));
  EXPECT_FALSE(Form1->mesajlar->WordWrap());
  EXPECT_EQ(Form1->mesajlar->ScrollBars(), ssVertical);
  EXPECT_TRUE(Form1->Memo1->ReadOnly());
  EXPECT_GT(Form1->Memo1->Lines()->Count(), 0);

  auto* jpeg = dynamic_cast<TJPEGImage*>(Form1->Image1->Picture()->Graphic());
  ASSERT_NE(jpeg, nullptr);
  EXPECT_EQ(jpeg->Width(), 240);
  EXPECT_EQ(jpeg->Height(), 180);
  EXPECT_TRUE(Form1->Image1->Stretch());
}

TEST_F(ProgramWindows, TurkishHelpFillsTheHelpTabAndTheEnglishIsHidden) {
  EXPECT_EQ(Form1->langcode, "0");
  EXPECT_TRUE(Form1->helpmemo0->Visible());
  EXPECT_EQ(Form1->helpmemo0->Align(), alClient);
  EXPECT_TRUE(Form1->helpmemo0->ReadOnly());
  EXPECT_FALSE(Form1->helpmemo1->Visible());
  EXPECT_FALSE(Form1->helpmemo1->ReadOnly());
  EXPECT_EQ(Form1->helpmemo0->Lines()->Get(0), "GENEL");
  std::string turkish = Form1->helpmemo0->Lines()->Text();
  EXPECT_NE(turkish.find("PROGRAMLAR VE MESAJLAR"), std::string::npos);
  EXPECT_NE(turkish.find("AYARLAR"), std::string::npos);
  EXPECT_NE(Form1->helpmemo1->Lines()->Text().find("Subliminal"), std::string::npos);

  RECT page = Form1->TabSheet3->ClientRect();
  EXPECT_EQ(Form1->helpmemo0->Width(), page.right);
  EXPECT_EQ(Form1->helpmemo0->Height(), page.bottom);
}

TEST_F(ProgramWindows, ShowHelpForLanguageExchangesTheMemosAndIgnoresOtherCodes) {
  Form1->langcode = "1";
  Form1->ShowHelpForLanguage();
  EXPECT_TRUE(Form1->helpmemo1->Visible());
  EXPECT_EQ(Form1->helpmemo1->Align(), alClient);
  EXPECT_FALSE(Form1->helpmemo0->Visible());
  EXPECT_EQ(Form1->helpmemo0->Align(), alNone);

  Form1->langcode = "7";
  Form1->ShowHelpForLanguage();
  EXPECT_TRUE(Form1->helpmemo1->Visible());

  Form1->langcode = "0";
  Form1->ShowHelpForLanguage();
  EXPECT_TRUE(Form1->helpmemo0->Visible());
  EXPECT_FALSE(Form1->helpmemo1->Visible());
}

TEST_F(ProgramWindows, EveryCommandIsBoundToItsHandlerByName) {
  const std::vector<std::pair<TControl*, std::string>> clicks = {
      {Form1->ToolButton6, "ToolButton6Click"}, {Form1->ToolButton3, "ToolButton3Click"},
      {Form1->ToolButton1, "ToolButton1Click"}, {Form1->ToolButton2, "ToolButton2Click"},
      {Form1->ToolButton5, "ToolButton5Click"}, {Form1->ToolButton4, "ToolButton4Click"},
      {Form1->Button1, "Button1Click"},         {Form1->Button2, "Button2Click"},
      {Form1->Button3, "Button3Click"},         {Form1->Button4, "Button4Click"},
      {Form1->Button5, "Button5Click"},         {Form1->Button6, "Button6Click"},
      {Form1->programlist, "programlistClick"}, {Form1->mesajlist, "mesajlistClick"},
      {Form1->RadioGroup2, "RadioGroup2Click"}, {Form1->RadioGroup3, "RadioGroup3Click"}};
  for (const auto& [control, handler] : clicks) EXPECT_EQ(control->OnClick.MethodName(), handler) << control->Name();
  EXPECT_FALSE(Form1->RadioGroup4->OnClick.Assigned());
  EXPECT_EQ(Form1->SpinButton1->OnUpClick.MethodName(), "SpinButton1UpClick");
  EXPECT_EQ(Form1->SpinButton1->OnDownClick.MethodName(), "SpinButton1DownClick");
  EXPECT_EQ(Form1->SpinButton2->OnUpClick.MethodName(), "SpinButton2UpClick");
  EXPECT_EQ(Form1->SpinButton2->OnDownClick.MethodName(), "SpinButton2DownClick");
  const std::vector<std::pair<TMenuItem*, std::string>> items = {
      {Form1->Arayz11, "Arayz11Click"},
      {Form1->Arayz61, "Arayz61Click"},
      {Form1->YerelYardm1, "YerelYardm1Click"},
      {Form1->Onlineyardm1, "Onlineyardm1Click"},
      {Form1->Hakknda1, "Hakknda1Click"},
      {Form1->Gster1, "Gster1Click"},
      {Form1->MesajlarDurdur1, "MesajlarDurdur1Click"},
      {Form1->MesajlarDevamEtsin1, "MesajlarDevamEtsin1Click"},
      {Form1->Kapat1, "Kapat1Click"}};
  for (const auto& [item, handler] : items) EXPECT_EQ(item->OnClick.MethodName(), handler) << item->Name();
  EXPECT_EQ(Form1->Timer1->OnTimer.MethodName(), "Timer1Timer");
  EXPECT_EQ(Form1->Timer2->OnTimer.MethodName(), "Timer2Timer");
  EXPECT_EQ(Form1->OnCreate.MethodName(), "FormCreate");
}

TEST_F(ProgramWindows, MainWindowIsCentredWithClientSize547By420AndNoBorderIcons) {
  HWND wnd = Form1->Handle();
  RECT client{};
  GetClientRect(wnd, &client);
  EXPECT_EQ(client.right, 547);
  EXPECT_EQ(client.bottom, 420);
  // Centred with its native frame when first shown; the skinned frame that replaces it keeps
  // the window's top-left corner and the client size.
  TSkinFormFrame* skinned = FrameWindowSide() ? FrameWindowSide()->FindForm(wnd) : nullptr;
  ASSERT_NE(skinned, nullptr);
  RECT frame{};
  GetWindowRect(wnd, &frame);
  EXPECT_NEAR(frame.left, (GetSystemMetrics(SM_CXSCREEN) - (547 + skinned->NativeFrameSize().right)) / 2, 1);
  EXPECT_NEAR(frame.top, (GetSystemMetrics(SM_CYSCREEN) - (420 + skinned->NativeFrameSize().bottom)) / 2, 1);
  EXPECT_EQ(frame.right - frame.left, 547 + skinned->Edges().Left + skinned->Edges().Right);
  LONG_PTR style = GetWindowLongPtrW(wnd, GWL_STYLE);
  EXPECT_EQ(style & WS_SYSMENU, 0);
  EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_THICKFRAME), 0);
  // The skin draws the caption and the menu bar: the native ones are gone.
  EXPECT_EQ(style & WS_CAPTION, 0);
  EXPECT_EQ(GetMenu(wnd), nullptr);
  ASSERT_NE(skinned->Menus().Bar(), nullptr);
  EXPECT_EQ(skinned->Menus().Bar()->MenuHandle(), Form1->MainMenu1->Handle());
  EXPECT_EQ(Application->MainForm(), Form1);
}

TEST_F(ProgramWindows, AboutAndFlashWindowsAreCreatedHiddenFromTheirLayouts) {
  EXPECT_FALSE(Form2->Visible());
  EXPECT_EQ(Form2->Caption(), "Hakkında / About");
  EXPECT_EQ(Form2->BorderStyle(), bsDialog);
  EXPECT_EQ(Form2->ClientWidth(), 290);
  EXPECT_EQ(Form2->ClientHeight(), 138);
  CheckComponents(Form2, {{"Label5", "TLabel", "Form2", 8, 16, -1, -1, "Quillimo"},
                          {"Label1", "TLabel", "Form2", 168, 16, -1, -1, "Quillimo"},
                          {"Label2", "TLabel", "Form2", 65, 64, -1, -1, "2012"},
                          {"Label7", "TLabel", "Form2", 213, 64, -1, -1, "2012"},
                          {"Label8", "TLabel", "Form2", 66, 88, -1, -1, "v 1.1"},
                          {"Label9", "TLabel", "Form2", 214, 88, -1, -1, "v 1.1"},
                          {"Label4", "TLabel", "Form2", 96, 112, -1, -1, kSiteHost}});
  EXPECT_TRUE(Form2->Label4->Font()->Style().Contains(fsBold));
  EXPECT_FALSE(Form2->Label1->Font()->Style().Contains(fsBold));

  EXPECT_FALSE(Form3->Visible());
  EXPECT_EQ(Form3->BorderStyle(), bsNone);
  EXPECT_EQ(Form3->FormStyle(), fsNormal);
  EXPECT_EQ(Form3->Label1->Left(), 0);
  EXPECT_EQ(Form3->Label1->Top(), 0);
  EXPECT_TRUE(Form3->Label1->AutoSize());
}

TEST_F(ProgramWindows, FlashWindowTakesTheSizeOfItsText) {
  Form3->Label1->SetCaption("Kısa");
  int shortWidth = Form3->ClientWidth();
  Form3->Label1->SetCaption("Bu çok daha uzun bir bilinçaltı mesajıdır");
  EXPECT_GT(Form3->ClientWidth(), shortWidth);
  EXPECT_EQ(Form3->ClientWidth(), Form3->Label1->Width());
  EXPECT_EQ(Form3->ClientHeight(), Form3->Label1->Height());
}

// Runs check once the modal loop of the About window runs, then closes the window as its
// close button would.
TEST_F(ProgramWindows, AboutOpensModallyOverTheMainWindowAndCloses) {
  static bool sawModal;
  static bool mainDisabled;
  sawModal = mainDisabled = false;
  UINT_PTR timer = SetTimer(nullptr, 0, 50, [](HWND, UINT, UINT_PTR id, DWORD) {
    if (!Form2->Showing()) return;
    KillTimer(nullptr, id);
    sawModal = Application->ModalLevel() == 1;
    mainDisabled = !IsWindowEnabled(Form1->Handle());
    PostMessageW(Form2->Handle(), WM_CLOSE, 0, 0);
  });
  Form1->Hakknda1->Click();
  KillTimer(nullptr, timer);
  PumpFor(50);
  EXPECT_TRUE(sawModal);
  EXPECT_TRUE(mainDisabled);
  EXPECT_FALSE(Form2->Visible());
  EXPECT_TRUE(IsWindowEnabled(Form1->Handle()));
  // Centred on the (skinned) main window the first time, with its own native frame: the
  // skinned frame that replaces it keeps the top-left corner.
  TSkinFormFrame* skinned = FrameWindowSide() ? FrameWindowSide()->FindForm(Form2->Handle()) : nullptr;
  ASSERT_NE(skinned, nullptr);
  const int nativeWidth = Form2->ClientWidth() + skinned->NativeFrameSize().right;
  const int nativeHeight = Form2->ClientHeight() + skinned->NativeFrameSize().bottom;
  EXPECT_NEAR(Form2->Left() + nativeWidth / 2, Form1->Left() + Form1->Width() / 2, 1);
  EXPECT_NEAR(Form2->Top() + nativeHeight / 2, Form1->Top() + Form1->Height() / 2, 1);
}

TEST_F(ProgramWindows, LocalHelpBringsTheHelpTabToTheFront) {
  Form1->PageControl1->SetActivePageIndex(3);
  Form1->YerelYardm1->Click();
  EXPECT_EQ(Form1->PageControl1->ActivePage(), Form1->TabSheet3);
  Form1->PageControl1->SetActivePageIndex(0);
}

TEST_F(ProgramWindows, WebLinksOpenTheSiteAndTheHelpPageOfTheLanguage) {
  std::vector<std::string> opened;
  TShellOpenHandler previous = SetShellOpenHandler([&](const std::string& a) { opened.push_back(a); });
  Form1->Button6->Click();
  Form1->langcode = "1";
  Form1->Onlineyardm1->Click();
  Form1->langcode = "0";
  Form1->Onlineyardm1->Click();
  Form1->langcode = "2";
  Form1->Onlineyardm1->Click();
  Form1->langcode = "0";
  SetShellOpenHandler(previous);
  EXPECT_EQ(opened, (std::vector<std::string>{"http://www.brelko.com",
                                              "http://www.brelko.com/software/58-software/406-quillimo.html",
                                              "http://www.brelko.com/software/58-software/404-quillimo.html"}));
}

// The font dialog is answered from its on-show step with the given button, after look()
// has seen the open dialog.
void AnswerFontDialog(int button, std::function<void(HWND dialog)> look = nullptr) {
  static int answer;
  static std::function<void(HWND)> seen;
  answer = button;
  seen = std::move(look);
  Form1->FontDialog1->OnShow = [](TObject*) {
    HWND dialog = Form1->FontDialog1->Handle();
    if (seen) seen(dialog);
    PostMessageW(dialog, WM_COMMAND, answer, 0);
  };
}

std::wstring ComboText(HWND dialog, int id) {
  HWND combo = GetDlgItem(dialog, id);
  wchar_t text[128] = {};
  LRESULT index = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  if (index != CB_ERR) SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
  return text;
}

TEST_F(ProgramWindows, FontDialogOpensOnThePanelsFontAndGivesItTheChoiceOnlyWhenConfirmed) {
  const TFontData before = Form1->Panel1->Font()->Data();
  TFontData sample = before;
  sample.Name = "Liberation Sans";  // a scalable font of the system, listed at every size
  sample.Style = TFontStyles{fsBold, fsItalic};
  sample.Height = -16;  // 12 points
  sample.Color = clRed;
  Form1->Panel1->Font()->SetData(sample);

  // The dialog shows the panel's font, offers the colours and lists no "@" face.
  std::wstring face, size;
  int color = -1, faces = 0, verticalFaces = 0;
  AnswerFontDialog(IDCANCEL, [&](HWND dialog) {
    face = ComboText(dialog, 1136);
    size = ComboText(dialog, 1138);
    HWND colors = GetDlgItem(dialog, 1139);
    if (colors && (GetWindowLongW(colors, GWL_STYLE) & WS_VISIBLE)) {
      LRESULT index = SendMessageW(colors, CB_GETCURSEL, 0, 0);
      color = static_cast<int>(SendMessageW(colors, CB_GETITEMDATA, static_cast<WPARAM>(index), 0));
    }
    HWND names = GetDlgItem(dialog, 1136);
    faces = static_cast<int>(SendMessageW(names, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < faces; ++i) {
      wchar_t text[LF_FACESIZE] = {};
      SendMessageW(names, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
      if (text[0] == L'@') ++verticalFaces;
    }
  });
  Form1->Button5->Click();
  EXPECT_EQ(face, L"Liberation Sans");
  EXPECT_EQ(size, L"12");
  EXPECT_EQ(color, static_cast<int>(RGB(255, 0, 0)));
  EXPECT_GT(faces, 0);
  EXPECT_EQ(verticalFaces, 0);
  EXPECT_EQ(Form1->Panel1->Font()->Data(), sample);  // cancelled: unchanged

  // Confirmed as it opened: the panel gets the same face, size, style and colour back.
  AnswerFontDialog(IDOK);
  Form1->Button5->Click();
  Form1->FontDialog1->OnShow = nullptr;
  const TFontData& chosen = Form1->Panel1->Font()->Data();
  EXPECT_EQ(chosen, Form1->FontDialog1->Font()->Data());
  EXPECT_TRUE(chosen.Style.Contains(fsBold));
  EXPECT_TRUE(chosen.Style.Contains(fsItalic));
  EXPECT_EQ(chosen.Height, -16);
  EXPECT_EQ(chosen.Name, "Liberation Sans");
  EXPECT_EQ(chosen.Color, clRed);
  // The flash window keeps its own font.
  EXPECT_EQ(Form3->Font()->Name(), "MS Sans Serif");
  EXPECT_FALSE(Form3->Font()->Style().Contains(fsBold));
  Form1->Panel1->Font()->SetData(before);
}

// "MS Sans Serif" is only a substitute under Wine: the dialog opens on the face it stands for,
// not on the list's first entry.
TEST_F(ProgramWindows, FontDialogOpensOnTheFaceASubstituteNameStandsFor) {
  std::wstring face, size;
  AnswerFontDialog(IDCANCEL, [&](HWND dialog) {
    face = ComboText(dialog, 1136);
    size = ComboText(dialog, 1138);
  });
  Form1->Button5->Click();
  Form1->FontDialog1->OnShow = nullptr;
  EXPECT_FALSE(face.empty());
  EXPECT_NE(face[0], L'@');
  EXPECT_EQ(size, L"8");
}

// Not a check: with QUILLIMO_SCREENSHOT_DIR set, saves the main window on each tab as
// tab1.bmp ... tab4.bmp there, for looking at.
void SaveWindowBitmap(HWND wnd, const std::string& path) {
  RECT r{};
  GetWindowRect(wnd, &r);
  int w = r.right - r.left, h = r.bottom - r.top;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader = {sizeof(BITMAPINFOHEADER), w, h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
  void* bits = nullptr;
  HBITMAP bmp = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ old = SelectObject(mem, bmp);
  BitBlt(mem, 0, 0, w, h, screen, r.left, r.top, SRCCOPY);
  GdiFlush();
  DWORD stride = (static_cast<DWORD>(w) * 3 + 3) & ~3u, size = stride * static_cast<DWORD>(h);
  BITMAPFILEHEADER file{0x4D42, static_cast<DWORD>(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + size), 0, 0,
                        sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)};
  HANDLE out = CreateFileW(Utf8ToWide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(out, &file, sizeof(file), &written, nullptr);
  WriteFile(out, &info.bmiHeader, sizeof(BITMAPINFOHEADER), &written, nullptr);
  WriteFile(out, bits, size, &written, nullptr);
  CloseHandle(out);
  SelectObject(mem, old);
  DeleteObject(bmp);
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
}

TEST_F(ProgramWindows, ScreenshotsOfEachTab) {
  wchar_t dir[MAX_PATH] = {};
  if (!GetEnvironmentVariableW(L"QUILLIMO_SCREENSHOT_DIR", dir, MAX_PATH)) GTEST_SKIP() << "no screenshot folder";
  SetForegroundWindow(Form1->Handle());
  static std::string folder;
  folder = WideToUtf8(dir);
  for (const char* language : {"", "en_"}) {
    if (*language) apptest::ClickToolButton(Form1->ToolButton1);
    for (int tab = 0; tab < 4; ++tab) {
      Form1->PageControl1->SetActivePageIndex(tab);
      RedrawWindow(Form1->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
      PumpFor(400);
      SaveWindowBitmap(Form1->Handle(), folder + "\\" + language + "tab" + std::to_string(tab + 1) + ".bmp");
    }
  }
  // The font dialog, photographed once it has painted, then cancelled.
  Form1->FontDialog1->OnShow = [](TObject*) {
    SetTimer(Form1->FontDialog1->Handle(), 1, 500, [](HWND dialog, UINT, UINT_PTR, DWORD) {
      KillTimer(dialog, 1);
      SaveWindowBitmap(dialog, folder + "\\en_fontdialog.bmp");
      PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
  };
  Form1->Button5->Click();
  Form1->FontDialog1->OnShow = nullptr;
  apptest::ClickToolButton(Form1->ToolButton2);
  Form1->PageControl1->SetActivePageIndex(0);
}

}  // namespace
