#include "app/main_window.h"

#include "app/about_window.h"
#include "skin/controls/toolkit_extras.h"
#include "toolkit/win/jpeg.h"
#include "toolkit/win/shell.h"

TForm1* Form1 = nullptr;

// The classes that the stored layout creates by name (a static library links only what the
// program names).
QUILLIMO_LINK_CLASS(TToolBar)
QUILLIMO_LINK_CLASS(TToolButton)
QUILLIMO_LINK_CLASS(TPageControl)
QUILLIMO_LINK_CLASS(TTabSheet)
QUILLIMO_LINK_CLASS(TGroupBox)
QUILLIMO_LINK_CLASS(TLabel)
QUILLIMO_LINK_CLASS(TEdit)
QUILLIMO_LINK_CLASS(TButton)
QUILLIMO_LINK_CLASS(TCheckListBox)
QUILLIMO_LINK_CLASS(TMemo)
QUILLIMO_LINK_CLASS(TSpinButton)
QUILLIMO_LINK_CLASS(TRadioGroup)
QUILLIMO_LINK_CLASS(TPanel)
QUILLIMO_LINK_CLASS(TImage)
QUILLIMO_LINK_CLASS(TJPEGImage)
QUILLIMO_LINK_CLASS(TMainMenu)
QUILLIMO_LINK_CLASS(TPopupMenu)
QUILLIMO_LINK_CLASS(TMenuItem)
QUILLIMO_LINK_CLASS(TTimer)
QUILLIMO_LINK_CLASS(TlcFontDialog)
QUILLIMO_LINK_CLASS(TlcLang)
QUILLIMO_LINK_CLASS(TImageList)
QUILLIMO_LINK_CLASS(TTrayIcon)

#define QUILLIMO_HANDLER(name) p.Method(#name, &TForm1::name)
QUILLIMO_REGISTER_CLASS(TForm1, [](TPropertyTable& p) {
  QUILLIMO_HANDLER(FormCreate);
  QUILLIMO_HANDLER(ToolButton6Click);
  QUILLIMO_HANDLER(ToolButton3Click);
  QUILLIMO_HANDLER(ToolButton1Click);
  QUILLIMO_HANDLER(ToolButton2Click);
  QUILLIMO_HANDLER(ToolButton5Click);
  QUILLIMO_HANDLER(ToolButton4Click);
  QUILLIMO_HANDLER(Button1Click);
  QUILLIMO_HANDLER(Button2Click);
  QUILLIMO_HANDLER(Button3Click);
  QUILLIMO_HANDLER(Button4Click);
  QUILLIMO_HANDLER(programlistClick);
  QUILLIMO_HANDLER(mesajlistClick);
  QUILLIMO_HANDLER(SpinButton1UpClick);
  QUILLIMO_HANDLER(SpinButton1DownClick);
  QUILLIMO_HANDLER(SpinButton2UpClick);
  QUILLIMO_HANDLER(SpinButton2DownClick);
  QUILLIMO_HANDLER(RadioGroup2Click);
  QUILLIMO_HANDLER(RadioGroup3Click);
  QUILLIMO_HANDLER(Button5Click);
  QUILLIMO_HANDLER(Arayz11Click);
  QUILLIMO_HANDLER(Arayz21Click);
  QUILLIMO_HANDLER(Arayz31Click);
  QUILLIMO_HANDLER(Arayz41Click);
  QUILLIMO_HANDLER(Arayz51Click);
  QUILLIMO_HANDLER(Arayz61Click);
  QUILLIMO_HANDLER(YerelYardm1Click);
  QUILLIMO_HANDLER(Onlineyardm1Click);
  QUILLIMO_HANDLER(Hakknda1Click);
  QUILLIMO_HANDLER(Button6Click);
  QUILLIMO_HANDLER(Gster1Click);
  QUILLIMO_HANDLER(MesajlarDurdur1Click);
  QUILLIMO_HANDLER(MesajlarDevamEtsin1Click);
  QUILLIMO_HANDLER(Kapat1Click);
  QUILLIMO_HANDLER(Timer1Timer);
  QUILLIMO_HANDLER(Timer2Timer);
});
#undef QUILLIMO_HANDLER

std::string SiteHomeAddress() { return std::string("http://") + kSiteHost; }

std::string OnlineHelpAddress(const std::string& langcode) {
  if (langcode == "0") return SiteHomeAddress() + "/software/58-software/404-quillimo.html";
  if (langcode == "1") return SiteHomeAddress() + "/software/58-software/406-quillimo.html";
  return {};
}

void TForm1::BindFields() {
  QUILLIMO_BIND(ToolBar1);
  QUILLIMO_BIND(ToolButton6);
  QUILLIMO_BIND(ToolButton3);
  QUILLIMO_BIND(ToolButton9);
  QUILLIMO_BIND(ToolButton1);
  QUILLIMO_BIND(ToolButton2);
  QUILLIMO_BIND(ToolButton8);
  QUILLIMO_BIND(ToolButton5);
  QUILLIMO_BIND(ToolButton4);
  QUILLIMO_BIND(PageControl1);
  QUILLIMO_BIND(TabSheet1);
  QUILLIMO_BIND(TabSheet2);
  QUILLIMO_BIND(TabSheet3);
  QUILLIMO_BIND(TabSheet4);
  QUILLIMO_BIND(GroupBox1);
  QUILLIMO_BIND(GroupBox2);
  QUILLIMO_BIND(Label1);
  QUILLIMO_BIND(Label2);
  QUILLIMO_BIND(programedit);
  QUILLIMO_BIND(mesajedit);
  QUILLIMO_BIND(Button1);
  QUILLIMO_BIND(Button2);
  QUILLIMO_BIND(Button3);
  QUILLIMO_BIND(Button4);
  QUILLIMO_BIND(programlist);
  QUILLIMO_BIND(mesajlist);
  QUILLIMO_BIND(aramemo);
  QUILLIMO_BIND(ayarmemo);
  QUILLIMO_BIND(GroupBox4);
  QUILLIMO_BIND(GroupBox3);
  QUILLIMO_BIND(Label3);
  QUILLIMO_BIND(Label4);
  QUILLIMO_BIND(Edit1);
  QUILLIMO_BIND(Edit2);
  QUILLIMO_BIND(SpinButton1);
  QUILLIMO_BIND(SpinButton2);
  QUILLIMO_BIND(RadioGroup4);
  QUILLIMO_BIND(RadioGroup3);
  QUILLIMO_BIND(RadioGroup2);
  QUILLIMO_BIND(Button5);
  QUILLIMO_BIND(Panel1);
  QUILLIMO_BIND(helpmemo0);
  QUILLIMO_BIND(helpmemo1);
  QUILLIMO_BIND(Button6);
  QUILLIMO_BIND(Image1);
  QUILLIMO_BIND(Memo1);
  QUILLIMO_BIND(mesajlar);
  QUILLIMO_BIND(MainMenu1);
  QUILLIMO_BIND(Arayz1);
  QUILLIMO_BIND(Arayz11);
  QUILLIMO_BIND(Arayz21);
  QUILLIMO_BIND(Arayz31);
  QUILLIMO_BIND(Arayz41);
  QUILLIMO_BIND(Arayz51);
  QUILLIMO_BIND(Arayz61);
  QUILLIMO_BIND(Yardm1);
  QUILLIMO_BIND(YerelYardm1);
  QUILLIMO_BIND(Onlineyardm1);
  QUILLIMO_BIND(Hakknda1);
  QUILLIMO_BIND(PopupMenu1);
  QUILLIMO_BIND(Gster1);
  QUILLIMO_BIND(N2);
  QUILLIMO_BIND(MesajlarDurdur1);
  QUILLIMO_BIND(MesajlarDevamEtsin1);
  QUILLIMO_BIND(N1);
  QUILLIMO_BIND(Kapat1);
  QUILLIMO_BIND(Timer1);
  QUILLIMO_BIND(Timer2);
  QUILLIMO_BIND(lcLang1);
  QUILLIMO_BIND(FontDialog1);
  QUILLIMO_BIND(ImageList1);
  QUILLIMO_BIND(ImageList2);
  QUILLIMO_BIND(TrayIcon1);
  QUILLIMO_BIND(skin);
  // The spin buttons are skinned too (the built-in rules do not name them).
  skin->OnSkinControl = SkinToolkitExtras;
  // The tool bar and the tabs show the images of the two image lists, which do not change.
  ToolBar1->SetImages(ImageList1->Handle());
  PageControl1->SetImages(ImageList2->Handle());
}

void TForm1::ShowHelpForLanguage() {
  TMemo* shown = nullptr;
  TMemo* hidden = nullptr;
  if (langcode == "0") {
    shown = helpmemo0;
    hidden = helpmemo1;
  } else if (langcode == "1") {
    shown = helpmemo1;
    hidden = helpmemo0;
  } else {
    return;
  }
  hidden->SetAlign(alNone);
  hidden->Hide();
  shown->Show();
  shown->SetAlign(alClient);
}

// The chosen font changes only the sample panel; the flash window keeps its own font. The
// dialog opens on the panel's font.
void TForm1::Button5Click(TObject*) {
  FontDialog1->SetFont(Panel1->Font());
  if (FontDialog1->Execute()) Panel1->SetFont(FontDialog1->Font());
}

void TForm1::YerelYardm1Click(TObject*) { PageControl1->SetActivePageIndex(2); }

void TForm1::Onlineyardm1Click(TObject*) {
  std::string address = OnlineHelpAddress(langcode);
  if (!address.empty()) ShellOpen(address);
}

void TForm1::Hakknda1Click(TObject*) { Form2->ShowModal(); }

void TForm1::Button6Click(TObject*) { ShellOpen(SiteHomeAddress()); }
