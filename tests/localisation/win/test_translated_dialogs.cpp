// The translated standard dialogs on the system's real dialogs, under the Turkish locale (where
// the system's own texts are Turkish): the texts and font of the font dialog's controls read
// back by id in both languages, and the folder browser's buttons and selected folder.
#include <gtest/gtest.h>

#include <objbase.h>

#include <map>
#include <string>

#include "localisation/win/browse_for_folder.h"
#include "localisation/win/font_dialog.h"
#include "toolkit/core/utf8.h"
#include "toolkit/win/form.h"
#include "win_test_support.h"

namespace {

struct Seen {
  std::map<int, std::string> texts;  // by control id, for the controls the dialog has
  std::map<int, std::string> faces;  // the face of each control's font
};

std::string WindowText(HWND wnd) {
  wchar_t text[256] = {};
  GetWindowTextW(wnd, text, 256);
  return WideToUtf8(text);
}

// The font dialog's controls as they are when the dialog is shown; it is then cancelled.
Seen ShowFontDialog(TlcFontDialog& dialog) {
  Seen seen;
  dialog.OnShow = [&](TObject*) {
    for (const TlcFontDialog::TControlCaption& caption : TlcFontDialog::Captions) {
      HWND control = GetDlgItem(dialog.Handle(), caption.Id);
      if (!control) continue;
      seen.texts[caption.Id] = WindowText(control);
      LOGFONTW font{};
      GetObjectW(reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font), &font);
      seen.faces[caption.Id] = WideToUtf8(font.lfFaceName);
    }
    PostMessageW(dialog.Handle(), WM_COMMAND, IDCANCEL, 0);
  };
  EXPECT_FALSE(dialog.Execute());
  return seen;
}

class TranslatedDialogs : public ::testing::Test {
protected:
  TranslatedDialogs() {
    form.SetBounds(50, 50, 300, 200);
    form.Font()->SetName("Courier New");
    form.Font()->SetHeight(-15);
    form.Show();
    lang = new TlcLang(&form);
    lang->SetNumOfLanguages(2);
  }
  TForm form{nullptr};
  TlcLang* lang = nullptr;
};

}  // namespace

TEST_F(TranslatedDialogs, FontDialogShowsTheTableCaptionsInBothLanguagesInTheFormsFont) {
  auto* dialog = new TlcFontDialog(&form);
  const Seen system = ShowFontDialog(*dialog);  // not linked: the system's own texts
  ASSERT_EQ(system.texts.count(1088), 1u);
  EXPECT_EQ(system.texts.at(1088), "&Yazı Tipi:");

  ASSERT_EQ(lang->SectionStrings(stDlgsCaptions)->Count(), 15);
  dialog->SetlcLang(lang);  // all 82 rows at once
  EXPECT_TRUE(lang->NeedAllDlgs());
  EXPECT_EQ(lang->SectionStrings(stDlgsCaptions)->Count(), 82);

  const std::map<int, std::string> english = {
      {1088, "&Font:"}, {1089, "Font st&yle:"}, {1090, "Si&ze:"},     {1091, "&Color:"},
      {1026, "&Apply"}, {1072, "Effects"},      {1040, "Stri&keout"}, {1041, "&Underline"},
      {1073, "Sample"}, {1094, "Sc&ript:"},     {1038, "&Help"},      {2, "Cancel"},
      {1, "OK"}};
  for (int language : {1, 2}) {  // language 2 has no texts: language 1's are shown
    SCOPED_TRACE(language);
    lang->SetActiveLanguage(language);
    const Seen seen = ShowFontDialog(*dialog);
    EXPECT_GE(seen.texts.size(), 10u);
    for (const auto& [id, text] : seen.texts) {
      EXPECT_EQ(text, english.at(id)) << id;
      EXPECT_EQ(seen.faces.at(id), "Courier New") << id;
    }
  }
}

TEST_F(TranslatedDialogs, FontDialogShowsTheActiveLanguagesOwnTextBeforeTheDefaultLanguages) {
  auto* dialog = new TlcFontDialog(&form);
  dialog->SetlcLang(lang);
  TStrings* rows = lang->SectionStrings(stDlgsCaptions);
  const std::string d(1, lang->Delim());
  int row = -1;
  for (int i = 0; i < rows->Count(); ++i)
    if (rows->Strings(i).rfind("Font:" + d, 0) == 0) row = i;
  ASSERT_GE(row, 0);
  rows->SetStrings(row, "Font:" + d + "&Font:" + d + "&Typeface:" + d);
  lang->SetActiveLanguage(2);
  EXPECT_EQ(ShowFontDialog(*dialog).texts.at(1088), "&Typeface:");
  lang->SetActiveLanguage(1);
  EXPECT_EQ(ShowFontDialog(*dialog).texts.at(1088), "&Font:");
}

TEST_F(TranslatedDialogs, FontDialogKeepsTheSystemTextOfAMissingKeyAndForgetsADestroyedTable) {
  auto* dialog = new TlcFontDialog(&form);
  dialog->SetlcLang(lang);
  TStrings* rows = lang->SectionStrings(stDlgsCaptions);
  for (int i = rows->Count() - 1; i >= 0; --i)
    if (rows->Strings(i).rfind("Font:", 0) == 0) rows->Delete(i);
  const Seen seen = ShowFontDialog(*dialog);
  EXPECT_EQ(seen.texts.at(1088), "&Yazı Tipi:");
  EXPECT_EQ(seen.texts.at(1089), "Font st&yle:");

  delete lang;
  EXPECT_EQ(dialog->GetlcLang(), nullptr);
  EXPECT_NE(ShowFontDialog(*dialog).texts.at(1089), "Font st&yle:");  // the system's own text again
}

TEST_F(TranslatedDialogs, BrowseForFolderParsesItsFolderAndTranslatesItsButtons) {
  auto* browse = new TlcBrowseForFolder(&form);
  EXPECT_EQ(browse->Flags(), (TBIFlags{ReturnFSAncestors, ReturnOnlyFSDirs}));
  EXPECT_EQ(browse->RootFolder(), csDesktop);
  EXPECT_EQ(SpecialFolderId(csWindowsDir), CSIDL_WINDOWS);
  EXPECT_EQ(BrowseFlagBits({ReturnOnlyFSDirs, NewDialogStyle}),
            static_cast<UINT>(BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE));

  wchar_t windows[MAX_PATH] = {};
  GetWindowsDirectoryW(windows, MAX_PATH);
  browse->SetSelectedDir(WideToUtf8(windows));
  ASSERT_NE(browse->SelectedItem(), nullptr);
  wchar_t path[MAX_PATH] = {};
  ASSERT_TRUE(SHGetPathFromIDListW(browse->SelectedItem(), path));
  EXPECT_EQ(std::wstring(path), std::wstring(windows));
  browse->SetSelectedDir("Q:\\no\\such\\folder");
  EXPECT_EQ(browse->SelectedItem(), nullptr);

  browse->SetlcLang(lang);
  EXPECT_TRUE(lang->NeedAllDlgs());
  browse->SetSelectedDir(WideToUtf8(windows));
  browse->SetDialogCaption("Klasör");
  std::string ok, cancel, caption;
  browse->OnShow = [&](TObject*) {
    ok = WindowText(GetDlgItem(browse->Handle(), IDOK));
    cancel = WindowText(GetDlgItem(browse->Handle(), IDCANCEL));
    caption = WindowText(browse->Handle());
    PostMessageW(browse->Handle(), WM_COMMAND, IDCANCEL, 0);
  };
  EXPECT_FALSE(browse->Execute());
  EXPECT_EQ(ok, "OK");
  EXPECT_EQ(cancel, "Cancel");
  EXPECT_EQ(caption, "Klasör");
  EXPECT_NE(browse->SelectedItem(), nullptr);  // a cancelled browse keeps the folder
}

TEST_F(TranslatedDialogs, TheFolderBrowserRunsInACOMApartmentThatIsGivenBackAfterwards) {
  // The system's browser (not Wine's, which sets COM up itself) needs its caller's apartment.
  static HRESULT whileShown = E_FAIL;
  whileShown = E_FAIL;
  const auto system = TlcBrowseForFolder::ShowBrowser;
  TlcBrowseForFolder::ShowBrowser = [](LPBROWSEINFOW) -> PIDLIST_ABSOLUTE {
    whileShown = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);  // S_FALSE: there already
    if (SUCCEEDED(whileShown)) CoUninitialize();
    return nullptr;
  };
  TlcBrowseForFolder browse(nullptr);
  EXPECT_FALSE(browse.Execute());
  TlcBrowseForFolder::ShowBrowser = system;
  EXPECT_EQ(whileShown, S_FALSE);
  const HRESULT after = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  EXPECT_EQ(after, S_OK) << "the apartment was left set up";
  if (SUCCEEDED(after)) CoUninitialize();
}
