#pragma once
// TlcBrowseForFolder: the system's folder browser as a component, with the captions of its OK
// and Cancel buttons taken from a form's translation table like the font dialog's. It owns the
// shell's item identifier list of the selected folder and releases it through the shell's
// allocator.
#include <windows.h>
#include <shlobj.h>

#include <string>

#include "toolkit/core/component.h"
#include "toolkit/core/properties.h"
// After the windowed headers (see main_window.h).
#include "localisation/win/dialog_link.h"

QUILLIMO_ENUM(TBIFlag, BrowseForComputer, BrowseForPrinter, BrowseIncludeFiles, BrowseIncludeURLs, DontGoBelowDomain,
              EditBox, NewDialogStyle, ReturnFSAncestors, ReturnOnlyFSDirs, Shareable, StatusText, Validate)
using TBIFlags = TSet<TBIFlag>;

// The special folders a browse may start from.
QUILLIMO_ENUM(TCSIDL, csAdminTools, csAltStartup, csAppData, csBitBucket, csCommonAdminTools, csCommonAltStartup,
              csCommonAppData, csCommonDesktopDir, csCommonDocuments, csCommonFavorites, csCommonPrograms,
              csCommonStartMenu, csCommonStartup, csCommonTemplates, csControls, csCookies, csDesktop, csDesktopDir,
              csDrives, csFavorites, csFonts, csHistory, csInternet, csInternetCache, csLocalAppData, csMyPictures,
              csNetHood, csNetwork, csPersonal, csPrinters, csPrintHood, csProfile, csProgramFiles,
              csProgramFilesCommon, csPrograms, csRecent, csSendTo, csStartMenu, csStartup, csSystemDir, csTemplates,
              csWindowsDir)

// The system's number of a special folder.
int SpecialFolderId(TCSIDL folder);
// The system's browse flags of a flag set.
UINT BrowseFlagBits(TBIFlags flags);

class TlcBrowseForFolder : public TComponent {
  QUILLIMO_CLASS(TlcBrowseForFolder, TComponent)
public:
  explicit TlcBrowseForFolder(TComponent* owner) : TComponent(owner) {}
  ~TlcBrowseForFolder() override;

  bool CanCreateSpecialFolder() const { return canCreateSpecialFolder_; }
  void SetCanCreateSpecialFolder(bool value) { canCreateSpecialFolder_ = value; }
  const std::string& DialogCaption() const { return dialogCaption_; }
  void SetDialogCaption(const std::string& value) { dialogCaption_ = value; }
  TBIFlags Flags() const { return flags_; }
  void SetFlags(TBIFlags value) { flags_ = value; }
  TCSIDL RootFolder() const { return rootFolder_; }
  void SetRootFolder(TCSIDL value) { rootFolder_ = value; }
  TlcCustomLang* GetlcLang() const { return link_.Get(); }
  // Linking a component makes it keep all of its dialog caption rows (NeedAllDlgs).
  void SetlcLang(TlcCustomLang* value) { link_.Set(value); }
  const std::string& SelectedDir() const { return selectedDir_; }
  // A new text is parsed by the shell's desktop folder into the identifier list; a text it
  // cannot parse leaves the component without one.
  void SetSelectedDir(const std::string& value);
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& value) { title_ = value; }

  // The selected folder's identifier list, owned by the component; nullptr when there is none.
  PCIDLIST_ABSOLUTE SelectedItem() const { return selected_; }

  // Shows the browser over the active window, starting at SelectedDir under RootFolder; true
  // when the user chose a folder, which then is SelectedDir. While it is open: the window
  // caption is DialogCaption (when not empty), OK and Cancel show the translated captions,
  // and, unless CanCreateSpecialFolder, OK is disabled on folders that are not in the file
  // system.
  bool Execute();
  // The browser's window while it is shown, else nullptr.
  HWND Handle() const { return handle_; }

  TNotifyEvent OnShow;
  TEvent<void(TObject*, const std::string& path, PCIDLIST_ABSOLUTE item)> OnSelectionChanged;

  // The system's browser that Execute shows. A test may stand in for it: Wine's browser sets
  // up COM on its own, where the system's expects its caller to have done so.
  static inline PIDLIST_ABSOLUTE(WINAPI* ShowBrowser)(LPBROWSEINFOW) = SHBrowseForFolderW;
  TEvent<void(TObject*, const std::string& path)> OnValidateFailed;

protected:
  void Notification(TComponent* component, TOperation operation) override;

private:
  static int CALLBACK BrowseProc(HWND wnd, UINT msg, LPARAM lp, LPARAM data);
  void TakeItem(PIDLIST_ABSOLUTE item);

  bool canCreateSpecialFolder_ = false;
  std::string dialogCaption_;
  TBIFlags flags_{ReturnFSAncestors, ReturnOnlyFSDirs};
  TCSIDL rootFolder_ = csDesktop;
  TDialogLangLink link_{*this};
  std::string selectedDir_;
  std::string title_;
  PIDLIST_ABSOLUTE selected_ = nullptr;
  HWND handle_ = nullptr;
};
