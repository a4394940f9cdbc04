#include "localisation/win/browse_for_folder.h"

#include <ole2.h>

#include "toolkit/core/utf8.h"
#include "toolkit/win/application.h"

QUILLIMO_REGISTER_CLASS(TlcBrowseForFolder, [](TPropertyTable& p) {
  using B = TlcBrowseForFolder;
  p.Bool("CanCreateSpecialFolder", &B::CanCreateSpecialFolder, &B::SetCanCreateSpecialFolder, false);
  p.String("DialogCaption", &B::DialogCaption, &B::SetDialogCaption);
  p.Set("Flags", &B::Flags, &B::SetFlags, TBIFlags{ReturnFSAncestors, ReturnOnlyFSDirs});
  p.Enum("RootFolder", &B::RootFolder, &B::SetRootFolder, csDesktop);
  p.Object("lcLang", &B::GetlcLang, &B::SetlcLang);
  p.String("SelectedDir", &B::SelectedDir, &B::SetSelectedDir);
  p.String("Title", &B::Title, &B::SetTitle);
  p.Event("OnShow", &B::OnShow);
  p.Event("OnSelectionChanged", &B::OnSelectionChanged);
  p.Event("OnValidateFailed", &B::OnValidateFailed);
});

int SpecialFolderId(TCSIDL folder) {
  static const int ids[] = {
      CSIDL_ADMINTOOLS,
      CSIDL_ALTSTARTUP,
      CSIDL_APPDATA,
      CSIDL_BITBUCKET,
      CSIDL_COMMON_ADMINTOOLS,
      CSIDL_COMMON_ALTSTARTUP,
      CSIDL_COMMON_APPDATA,
      CSIDL_COMMON_DESKTOPDIRECTORY,
      CSIDL_COMMON_DOCUMENTS,
      CSIDL_COMMON_FAVORITES,
      CSIDL_COMMON_PROGRAMS,
      CSIDL_COMMON_STARTMENU,
      CSIDL_COMMON_STARTUP,
      CSIDL_COMMON_TEMPLATES,
      CSIDL_CONTROLS,
      CSIDL_COOKIES,
      CSIDL_DESKTOP,
      CSIDL_DESKTOPDIRECTORY,
      CSIDL_DRIVES,
      CSIDL_FAVORITES,
      CSIDL_FONTS,
      CSIDL_HISTORY,
      CSIDL_INTERNET,
      CSIDL_INTERNET_CACHE,
      CSIDL_LOCAL_APPDATA,
      CSIDL_MYPICTURES,
      CSIDL_NETHOOD,
      CSIDL_NETWORK,
      CSIDL_PERSONAL,
      CSIDL_PRINTERS,
      CSIDL_PRINTHOOD,
      CSIDL_PROFILE,
      CSIDL_PROGRAM_FILES,
      CSIDL_PROGRAM_FILES_COMMON,
      CSIDL_PROGRAMS,
      CSIDL_RECENT,
      CSIDL_SENDTO,
      CSIDL_STARTMENU,
      CSIDL_STARTUP,
      CSIDL_SYSTEM,
      CSIDL_TEMPLATES,
      CSIDL_WINDOWS,
  };
  static_assert(sizeof(ids) / sizeof(ids[0]) == csWindowsDir + 1);
  return ids[folder];
}

UINT BrowseFlagBits(TBIFlags flags) {
  static const UINT bits[] = {
      BIF_BROWSEFORCOMPUTER, BIF_BROWSEFORPRINTER, BIF_BROWSEINCLUDEFILES, BIF_BROWSEINCLUDEURLS,
      BIF_DONTGOBELOWDOMAIN, BIF_EDITBOX,          BIF_NEWDIALOGSTYLE,     BIF_RETURNFSANCESTORS,
      BIF_RETURNONLYFSDIRS,  BIF_SHAREABLE,        BIF_STATUSTEXT,         BIF_VALIDATE,
  };
  static_assert(sizeof(bits) / sizeof(bits[0]) == Validate + 1);
  UINT result = 0;
  for (int f = BrowseForComputer; f <= Validate; ++f)
    if (flags.Contains(static_cast<TBIFlag>(f))) result |= bits[f];
  return result;
}

namespace {
// Releases an identifier list through the shell's allocator.
void FreeItem(void* item) {
  if (!item) return;
  IMalloc* allocator = nullptr;
  if (SUCCEEDED(SHGetMalloc(&allocator)) && allocator) {
    allocator->Free(item);
    allocator->Release();
  }
}

// The file-system path of an item; empty when it has none.
std::string ItemPath(PCIDLIST_ABSOLUTE item) {
  wchar_t path[MAX_PATH] = {};
  return item && SHGetPathFromIDListW(item, path) ? WideToUtf8(path) : std::string();
}
}  // namespace

TlcBrowseForFolder::~TlcBrowseForFolder() { FreeItem(selected_); }

void TlcBrowseForFolder::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove) link_.Removed(component);
}

void TlcBrowseForFolder::TakeItem(PIDLIST_ABSOLUTE item) {
  FreeItem(selected_);
  selected_ = item;
}

void TlcBrowseForFolder::SetSelectedDir(const std::string& value) {
  if (value == selectedDir_) return;
  selectedDir_ = value;
  PIDLIST_ABSOLUTE item = nullptr;
  IShellFolder* desktop = nullptr;
  if (SUCCEEDED(SHGetDesktopFolder(&desktop)) && desktop) {
    std::wstring path = Utf8ToWide(value);
    ULONG eaten = 0;
    PIDLIST_RELATIVE parsed = nullptr;
    if (!path.empty() && SUCCEEDED(desktop->ParseDisplayName(nullptr, nullptr, path.data(), &eaten, &parsed, nullptr)))
      item = reinterpret_cast<PIDLIST_ABSOLUTE>(parsed);
    desktop->Release();
  }
  TakeItem(item);
}

int CALLBACK TlcBrowseForFolder::BrowseProc(HWND wnd, UINT msg, LPARAM lp, LPARAM data) {
  auto* self = reinterpret_cast<TlcBrowseForFolder*>(data);
  // An exception must not cross the system's dialog code: it goes to the error box here.
  try {
    switch (msg) {
      case BFFM_INITIALIZED: {
        self->handle_ = wnd;
        if (!self->dialogCaption_.empty()) SetWindowTextW(wnd, Utf8ToWide(self->dialogCaption_).c_str());
        for (auto [id, key] : {std::pair{IDOK, "OK"}, std::pair{IDCANCEL, "Cancel"}}) {
          const std::string text = self->link_.Caption(key);
          HWND button = GetDlgItem(wnd, id);
          if (!text.empty() && button) SetWindowTextW(button, Utf8ToWide(text).c_str());
        }
        if (self->selected_) SendMessageW(wnd, BFFM_SETSELECTIONW, FALSE, reinterpret_cast<LPARAM>(self->selected_));
        self->OnShow(self);
        break;
      }
      case BFFM_SELCHANGED: {
        auto item = reinterpret_cast<PCIDLIST_ABSOLUTE>(lp);
        const std::string path = ItemPath(item);
        if (!self->canCreateSpecialFolder_) SendMessageW(wnd, BFFM_ENABLEOK, 0, !path.empty());
        self->OnSelectionChanged(self, path, item);
        break;
      }
      case BFFM_VALIDATEFAILEDW:
        self->OnValidateFailed(self, WideToUtf8(reinterpret_cast<const wchar_t*>(lp)));
        return 1;  // the browser stays open
    }
  } catch (...) {
    Application->HandleException();
  }
  return 0;
}

namespace {
// The folder browser is a COM client (its tree and, in the new style, its edit box): the
// calling thread's apartment is set up around it, and given back as it was found.
class TComApartment {
public:
  TComApartment() : result_(OleInitialize(nullptr)) {}
  ~TComApartment() {
    if (SUCCEEDED(result_)) OleUninitialize();
  }
  TComApartment(const TComApartment&) = delete;
  TComApartment& operator=(const TComApartment&) = delete;

private:
  HRESULT result_;
};
}  // namespace

bool TlcBrowseForFolder::Execute() {
  TComApartment com;
  PIDLIST_ABSOLUTE root = nullptr;
  SHGetSpecialFolderLocation(nullptr, SpecialFolderId(rootFolder_), &root);
  std::wstring title = Utf8ToWide(title_);
  BROWSEINFOW info{};
  info.hwndOwner = GetActiveWindow();
  info.pidlRoot = root;
  info.lpszTitle = title.c_str();
  info.ulFlags = BrowseFlagBits(flags_);
  info.lpfn = &TlcBrowseForFolder::BrowseProc;
  info.lParam = reinterpret_cast<LPARAM>(this);
  PIDLIST_ABSOLUTE chosen = ShowBrowser(&info);
  handle_ = nullptr;
  FreeItem(root);
  if (!chosen) return false;
  selectedDir_ = ItemPath(chosen);
  TakeItem(chosen);
  return true;
}
