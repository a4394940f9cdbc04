#pragma once
// TForm1: the main window "Quillimo v 1.1". Its layout (tool bar, four tabs, main menu, tray
// menu, timers, image lists) is the stored layout TFORM1; every command of the window is one
// of the handler methods below, bound by name from that layout.
#include <optional>
#include <string>

#include "app/flash_engine.h"
#include "toolkit/win/checklst.h"
#include "toolkit/win/comctrls.h"
#include "toolkit/win/dialogs.h"
#include "toolkit/win/extctrls.h"
#include "toolkit/win/form.h"
#include "toolkit/win/image.h"
#include "toolkit/win/imagelist.h"
#include "toolkit/win/menus.h"
#include "toolkit/win/spin.h"
#include "toolkit/win/stdctrls.h"
#include "tray/tray_icon.h"
// After the windowed toolkit's headers, which take back the Win32 names (GetObject) that
// the portable string lists use.
#include "localisation/win/font_dialog.h"
#include "skin/data/skin_set.h"
#include "skin/frames/high_contrast.h"

class TForm1 : public TForm {
  QUILLIMO_CLASS(TForm1, TForm)
public:
  explicit TForm1(TComponent* owner) : TForm(owner) {}

  // The current language code: "0" Turkish, "1" English.
  std::string langcode = "0";

  TToolBar* ToolBar1 = nullptr;
  TToolButton *ToolButton6 = nullptr, *ToolButton3 = nullptr, *ToolButton9 = nullptr, *ToolButton1 = nullptr,
              *ToolButton2 = nullptr, *ToolButton8 = nullptr, *ToolButton5 = nullptr, *ToolButton4 = nullptr;
  TPageControl* PageControl1 = nullptr;
  TTabSheet *TabSheet1 = nullptr, *TabSheet2 = nullptr, *TabSheet3 = nullptr, *TabSheet4 = nullptr;
  // Programs tab.
  TGroupBox *GroupBox1 = nullptr, *GroupBox2 = nullptr;
  TLabel *Label1 = nullptr, *Label2 = nullptr;
  TEdit *programedit = nullptr, *mesajedit = nullptr;
  TButton *Button1 = nullptr, *Button2 = nullptr, *Button3 = nullptr, *Button4 = nullptr;
  TCheckListBox *programlist = nullptr, *mesajlist = nullptr;
  TMemo *aramemo = nullptr, *ayarmemo = nullptr;
  // Settings tab.
  TGroupBox *GroupBox4 = nullptr, *GroupBox3 = nullptr;
  TLabel *Label3 = nullptr, *Label4 = nullptr;
  TEdit *Edit1 = nullptr, *Edit2 = nullptr;
  TSpinButton *SpinButton1 = nullptr, *SpinButton2 = nullptr;
  TRadioGroup *RadioGroup4 = nullptr, *RadioGroup3 = nullptr, *RadioGroup2 = nullptr;
  TButton* Button5 = nullptr;
  TPanel* Panel1 = nullptr;
  // Help tab.
  TMemo *helpmemo0 = nullptr, *helpmemo1 = nullptr;
  // Web site tab.
  TButton* Button6 = nullptr;
  TImage* Image1 = nullptr;
  TMemo *Memo1 = nullptr, *mesajlar = nullptr;
  // Menus.
  TMainMenu* MainMenu1 = nullptr;
  TMenuItem *Arayz1 = nullptr, *Arayz11 = nullptr, *Arayz21 = nullptr, *Arayz31 = nullptr, *Arayz41 = nullptr,
            *Arayz51 = nullptr, *Arayz61 = nullptr;
  TMenuItem *Yardm1 = nullptr, *YerelYardm1 = nullptr, *Onlineyardm1 = nullptr, *Hakknda1 = nullptr;
  TPopupMenu* PopupMenu1 = nullptr;
  TMenuItem *Gster1 = nullptr, *N2 = nullptr, *MesajlarDurdur1 = nullptr, *MesajlarDevamEtsin1 = nullptr, *N1 = nullptr,
            *Kapat1 = nullptr;
  // Non-visual components.
  TTimer *Timer1 = nullptr, *Timer2 = nullptr;
  // The window's translation table: Turkish (language 1, the design texts) and English.
  TlcLang* lcLang1 = nullptr;
  TlcFontDialog* FontDialog1 = nullptr;
  TImageList *ImageList1 = nullptr, *ImageList2 = nullptr;
  TTrayIcon* TrayIcon1 = nullptr;

  // The flashing engine (main_window_engine.cpp): its logic over Timer1, Timer2 and Form3.
  // The run list it holds is also kept in the hidden memo mesajlar, one text per line.
  TFlashEngineHost flashHost{*this};
  TFlashScheduler flashEngine{flashHost};
  TSkinSet* skin = nullptr;

  // Shows the help memo of langcode, filling the help tab, and hides the other one.
  void ShowHelpForLanguage();

  // The catalogue of langcode through aramemo: the program list file into programlist (no
  // selection afterwards), the selected program's message file into mesajlist, and back.
  void LoadProgramList();
  void LoadMessages();
  void SaveProgramList();
  void SaveMessages();
  // LoadProgramList, select entry 0, LoadMessages: the catalogue of langcode as the create
  // handler and the language switch show it. With no program in the list the message list is
  // left empty instead of failing on the missing selection.
  void ShowCatalogue();

  // Settings, autostart and the language (main_window_settings.cpp, main_window_language.cpp).
  // Writes the six lines of the settings file from the controls, through ayarmemo.
  void SaveSettings();
  // The string value name = command in the system's start-up list (and, under Wine, the
  // desktop session's autostart entry for command, removed for an empty command).
  void SetRunAtStartup(const std::string& name, const std::string& command);
  // Puts the window into language position 0 (Turkish) or 1 (English): the language radio
  // group, langcode, the catalogue and help of the language, the captions of lcLang1's table,
  // the tray menu and the window caption.
  void SwitchLanguage(int position);

  void FormCreate(TObject* sender);
  void ToolButton6Click(TObject* sender);
  void ToolButton3Click(TObject* sender);
  void ToolButton1Click(TObject* sender);
  void ToolButton2Click(TObject* sender);
  void ToolButton5Click(TObject* sender);
  void ToolButton4Click(TObject* sender);
  void Button1Click(TObject* sender);
  void Button2Click(TObject* sender);
  void Button3Click(TObject* sender);
  void Button4Click(TObject* sender);
  void programlistClick(TObject* sender);
  void mesajlistClick(TObject* sender);
  void SpinButton1UpClick(TObject* sender);
  void SpinButton1DownClick(TObject* sender);
  void SpinButton2UpClick(TObject* sender);
  void SpinButton2DownClick(TObject* sender);
  void RadioGroup2Click(TObject* sender);
  void RadioGroup3Click(TObject* sender);
  void Button5Click(TObject* sender);
  void Arayz11Click(TObject* sender);
  void Arayz21Click(TObject* sender);
  void Arayz31Click(TObject* sender);
  void Arayz41Click(TObject* sender);
  void Arayz51Click(TObject* sender);
  void Arayz61Click(TObject* sender);
  void YerelYardm1Click(TObject* sender);
  void Onlineyardm1Click(TObject* sender);
  void Hakknda1Click(TObject* sender);
  void Button6Click(TObject* sender);
  void Gster1Click(TObject* sender);
  void MesajlarDurdur1Click(TObject* sender);
  void MesajlarDevamEtsin1Click(TObject* sender);
  void Kapat1Click(TObject* sender);
  void Timer1Timer(TObject* sender);
  void Timer2Timer(TObject* sender);

protected:
  void BindFields() override;
  // Every way the window closes writes the settings first, as the Exit commands do; so does the
  // end of the session (main_window_settings.cpp).
  void WndProc(TMessage& msg) override;

private:
  // Skinning steps aside while the system's high-contrast mode is on (main_window_skin.cpp).
  void FollowHighContrast();
  std::optional<THighContrastFollower> highContrast_;
  // Counts the language switches begun, so that a switch can tell that the language radio
  // group's handler ran one inside it.
  int languageSwitches_ = 0;
  // The message file of the selected program; "List index out of bounds (-1)" when there is
  // none.
  std::string SelectedProgramFile() const;
};

// The host of the maker's web site, and the addresses the program opens there.
inline constexpr char kSiteHost[] = "www.brelko.com";
std::string SiteHomeAddress();
// The online help page of a language code ("0" Turkish, "1" English); empty for any other.
std::string OnlineHelpAddress(const std::string& langcode);

extern TForm1* Form1;
