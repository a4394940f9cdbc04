#include "skin_viewer.h"

#include <commctrl.h>

#include "skin/controls/toolkit_extras.h"
#include "skin/data/skin_set.h"
#include "toolkit/core/utf8.h"
#include "toolkit/win/buttons.h"
#include "toolkit/win/checkbox.h"
#include "toolkit/win/checklst.h"
#include "toolkit/win/combobox.h"
#include "toolkit/win/comctrls.h"
#include "toolkit/win/datetime.h"
#include "toolkit/win/extctrls.h"
#include "toolkit/win/listview.h"
#include "toolkit/win/menus.h"
#include "toolkit/win/range_controls.h"
#include "toolkit/win/richedit.h"
#include "toolkit/win/scrollbar.h"
#include "toolkit/win/spin.h"
#include "toolkit/win/statusbar.h"
#include "toolkit/win/stdctrls.h"

QUILLIMO_REGISTER_CLASS(TSkinViewer)

namespace {
// A control of class C at the given place on parent.
template <class C>
C* Place(TComponent* owner, TWinControl* parent, int left, int top, int width, int height,
         const char* caption = nullptr) {
  auto* c = new C(owner);
  c->SetBounds(left, top, width, height);
  if (caption) c->SetCaption(caption);
  c->SetParent(parent);
  return c;
}

// Three 16 x 16 glyphs (up, disabled, down) of an arrow, on magenta (the lower-left pixel is
// the transparent colour).
TBitmap* ArrowGlyph() {
  static TBitmap glyph(48, 16);
  static const bool drawn = [] {
    glyph.Pixels().Fill(RGBToColor(255, 0, 255));
    const TColor colors[] = {RGBToColor(30, 110, 40), RGBToColor(120, 120, 120), RGBToColor(20, 70, 25)};
    for (int g = 0; g < 3; ++g)
      for (int y = 3; y < 13; ++y)
        for (int x = 4; x < 4 + (y < 8 ? y - 2 : 14 - y); ++x)
          glyph.Pixels().SetPixel(g * 16 + x + (g == 2), y + (g == 2), colors[g]);
    return true;
  }();
  (void)drawn;
  return &glyph;
}

std::int64_t FileStamp(const std::string& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!GetFileAttributesExW(Utf8ToWide(path).c_str(), GetFileExInfoStandard, &data)) return -1;
  return (static_cast<std::int64_t>(data.ftLastWriteTime.dwHighDateTime) << 32 | data.ftLastWriteTime.dwLowDateTime) ^
         (static_cast<std::int64_t>(data.nFileSizeLow) << 7);
}
}  // namespace

TSkinViewer::TSkinViewer(TComponent* owner, std::string skinFile) : TForm(owner), skinFile_(std::move(skinFile)) {
  SetCaption("Skin viewer - " + skinFile_);
  SetBorderStyle(bsSizeable);
  SetBounds(40, 30, 700, 540);
  skin_ = new TSkinSet(this);
  skin_->OnSkinControl = SkinToolkitExtras;
  BuildMenus();
  auto* tools = new TToolBar(this);
  tools->SetParent(this);
  tools->SetShowCaptions(true);
  tools->SetButtonWidth(70);
  tools->SetButtonHeight(24);
  tools->SetAlign(alTop);
  int left = 0;
  for (const char* caption : {"Reload", "Controls", "Lists"}) {
    auto* b = new TToolButton(this);
    b->SetLeft(left);
    b->SetCaption(caption);
    b->SetParent(tools);
    left += 70;
  }
  tools->Buttons(0)->OnClick = [this](TObject*) { LoadSkinFile(); };
  tools->Buttons(1)->OnClick = [this](TObject*) { pages_->SetActivePageIndex(0); };
  tools->Buttons(2)->OnClick = [this](TObject*) { pages_->SetActivePageIndex(1); };
  status_ = new TStatusBar(this);
  status_->SetParent(this);
  status_->Panels().push_back({"", 360, pbLowered, taLeftJustify, false});
  status_->Panels().push_back({"raised", 120, pbRaised, taCenter, false});
  status_->Panels().push_back({"no bevel", 100, pbNone, taRightJustify, false});
  status_->PanelsChanged();
  pages_ = new TPageControl(this);
  pages_->SetParent(this);
  pages_->SetAlign(alClient);
  BuildControlsPage();
  BuildListsPage();
  pages_->SetActivePageIndex(0);
  watch_ = new TTimer(this);
  watch_->SetInterval(500);
  watch_->OnTimer = [this](TObject*) { CheckFile(); };
  LoadSkinFile();
  skin_->SetActive(true);
}

void TSkinViewer::BuildMenus() {
  auto* menu = new TMainMenu(this);
  auto item = [this](TMenuItem* parent, const char* caption, std::function<void()> action = nullptr) {
    auto* i = new TMenuItem(this);
    i->SetCaption(caption);
    if (action) i->OnClick = [action](TObject*) { action(); };
    parent->Add(i);
    return i;
  };
  TMenuItem* file = item(menu->Items(), "&File");
  item(file, "&Reload", [this] { LoadSkinFile(); });
  item(file, "-");
  item(file, "E&xit", [this] { Close(); });
  TMenuItem* view = item(menu->Items(), "&View");
  item(view, "&Controls", [this] { pages_->SetActivePageIndex(0); });
  item(view, "&Lists", [this] { pages_->SetActivePageIndex(1); });
  item(view, "Disabled item")->SetEnabled(false);
  TMenuItem* more = item(view, "More");
  item(more, "Nested item");
  TMenuItem* help = item(menu->Items(), "&Help");
  item(help, "&About the skin", [this] {
    MessageBoxW(Handle(), Utf8ToWide("Skin: " + skin_->Model().SkinName + "\n" + skinFile_).c_str(), L"Skin viewer",
                MB_OK | MB_ICONINFORMATION);
  });
  SetMenu(menu);
  popup_ = new TPopupMenu(this);
  item(popup_->Items(), "Pop-up item");
  item(popup_->Items(), "-");
  item(popup_->Items(), "Disabled pop-up item")->SetEnabled(false);
  item(item(popup_->Items(), "Submenu"), "Nested item");
}

void TSkinViewer::BuildControlsPage() {
  auto* page = new TTabSheet(this);
  page->SetCaption("Controls");
  page->SetPageControl(pages_);
  // Buttons.
  auto* buttons = Place<TGroupBox>(this, page, 6, 4, 210, 150, "Buttons");
  Place<TButton>(this, buttons, 10, 20, 90, 25, "Push");
  Place<TButton>(this, buttons, 108, 20, 90, 25, "Default")->SetDefault(true);
  Place<TButton>(this, buttons, 10, 52, 90, 25, "Disabled")->SetEnabled(false);
  auto* bit = Place<TBitBtn>(this, buttons, 108, 52, 90, 25, "Bitmap");
  bit->SetGlyph(ArrowGlyph());
  bit->SetNumGlyphs(3);
  auto* speed = Place<TSpeedButton>(this, buttons, 10, 86, 90, 25, "Speed");
  speed->SetGlyph(ArrowGlyph());
  speed->SetNumGlyphs(3);
  speed->SetGroupIndex(1);
  auto* down = Place<TSpeedButton>(this, buttons, 108, 86, 90, 25, "Down");
  down->SetGroupIndex(1);
  down->SetDown(true);
  auto* message = Place<TButton>(this, buttons, 10, 118, 188, 25, "Message box...");
  message->OnClick = [this](TObject*) {
    MessageBoxW(Handle(), L"A message box in the skin.\nDo its buttons look right?", L"Skin viewer",
                MB_YESNOCANCEL | MB_ICONQUESTION);
  };
  // Check and radio buttons.
  auto* checks = Place<TGroupBox>(this, page, 6, 158, 210, 210, "Check and radio buttons");
  Place<TCheckBox>(this, checks, 10, 18, 190, 19, "Unchecked");
  Place<TCheckBox>(this, checks, 10, 38, 190, 19, "Checked")->SetChecked(true);
  auto* grayed = Place<TCheckBox>(this, checks, 10, 58, 190, 19, "Indeterminate");
  grayed->SetAllowGrayed(true);
  grayed->SetState(cbGrayed);
  auto* off = Place<TCheckBox>(this, checks, 10, 78, 190, 19, "Checked, disabled");
  off->SetChecked(true);
  off->SetEnabled(false);
  Place<TCheckBox>(this, checks, 10, 98, 190, 19, "Text on the left")->SetAlignment(taLeftSide);
  Place<TRadioButton>(this, checks, 10, 124, 190, 19, "Radio")->SetChecked(true);
  Place<TRadioButton>(this, checks, 10, 144, 190, 19, "Radio, not chosen");
  Place<TRadioButton>(this, checks, 10, 164, 190, 19, "Radio, disabled")->SetEnabled(false);
  auto* leftRadio = Place<TRadioButton>(this, checks, 10, 184, 190, 19, "Radio, text on the left");
  SetWindowLongPtrW(leftRadio->Handle(), GWL_STYLE, GetWindowLongPtrW(leftRadio->Handle(), GWL_STYLE) | BS_LEFTTEXT);
  // Edits, combo boxes and pickers.
  auto* edits = Place<TGroupBox>(this, page, 222, 4, 220, 214, "Edits and combo boxes");
  Place<TEdit>(this, edits, 10, 20, 200, 21)->SetText("An edit");
  auto* spinEdit = Place<TEdit>(this, edits, 10, 46, 90, 21);
  spinEdit->SetText("12");
  Place<TUpDown>(this, spinEdit, 68, 0, 17, 17);
  auto* spinned = Place<TEdit>(this, edits, 110, 46, 76, 21);
  spinned->SetText("34");
  Place<TSpinButton>(this, edits, 188, 44, 20, 25);
  auto* list = Place<TComboBox>(this, edits, 10, 74, 200, 24);
  list->SetStyle(csDropDownList);
  auto* drop = Place<TComboBox>(this, edits, 10, 102, 200, 24);
  auto* mirrored = Place<TComboBox>(this, edits, 10, 130, 200, 24);
  mirrored->SetStyle(csDropDownList);
  for (TComboBox* combo : {list, drop, mirrored}) {
    for (const char* text : {"First item", "Second item", "Third item"}) combo->Items()->Add(text);
    combo->SetItemIndex(0);
  }
  SetWindowLongPtrW(mirrored->Handle(), GWL_EXSTYLE,
                    GetWindowLongPtrW(mirrored->Handle(), GWL_EXSTYLE) | WS_EX_LEFTSCROLLBAR | WS_EX_RIGHT);
  Place<TDateTimePicker>(this, edits, 10, 158, 200, 22);
  auto* spinPicker = new TDateTimePicker(this);
  spinPicker->SetDateMode(dmUpDown);
  spinPicker->SetBounds(10, 184, 200, 22);
  spinPicker->SetParent(edits);
  // Ranges and boxes.
  auto* ranges = Place<TGroupBox>(this, page, 448, 4, 224, 214, "Ranges");
  Place<TProgressBar>(this, ranges, 10, 22, 200, 16)->SetPosition(35);
  Place<TProgressBar>(this, ranges, 10, 44, 200, 16)->SetPosition(80);
  Place<TTrackBar>(this, ranges, 10, 66, 170, 32)->SetPosition(30);
  Place<TUpDown>(this, ranges, 186, 66, 20, 30);
  auto* bar = Place<TScrollBar>(this, ranges, 10, 106, 200, 17);
  bar->SetPageSize(20);
  bar->SetPosition(30);
  auto* vbar = new TScrollBar(this);
  vbar->SetKind(sbVertical);
  vbar->SetBounds(190, 130, 17, 76);
  vbar->SetParent(ranges);
  auto* radios = Place<TRadioGroup>(this, ranges, 10, 128, 170, 78, "Radio group");
  for (const char* text : {"One", "Two", "Three"}) radios->Items()->Add(text);
  radios->SetItemIndex(1);
  auto* panel = Place<TPanel>(this, page, 222, 224, 450, 40, "A panel (right click for the pop-up menu)");
  panel->SetBevelOuter(bvRaised);
  auto* disabled = Place<TGroupBox>(this, page, 222, 270, 450, 98, "Disabled");
  Place<TEdit>(this, disabled, 10, 22, 140, 21)->SetEnabled(false);
  auto* offCombo = Place<TComboBox>(this, disabled, 160, 22, 140, 24);
  offCombo->Items()->Add("Disabled");
  offCombo->SetItemIndex(0);
  offCombo->SetEnabled(false);
  Place<TButton>(this, disabled, 310, 20, 120, 25, "Disabled")->SetEnabled(false);
  Place<TCheckBox>(this, disabled, 10, 56, 140, 19, "Disabled")->SetEnabled(false);
  Place<TRadioButton>(this, disabled, 160, 56, 140, 19, "Disabled")->SetEnabled(false);
}

void TSkinViewer::BuildListsPage() {
  auto* page = new TTabSheet(this);
  page->SetCaption("Lists");
  page->SetPageControl(pages_);
  auto* memo = Place<TMemo>(this, page, 6, 6, 220, 170);
  memo->SetWordWrap(false);
  memo->SetScrollBars(ssBoth);
  for (int i = 1; i <= 30; ++i)
    memo->Lines()->Add("Line " + std::to_string(i) + " of a memo with both scroll bars and a long line to scroll");
  auto* checks = Place<TCheckListBox>(this, page, 232, 6, 200, 170);
  for (int i = 1; i <= 24; ++i) checks->Items()->Add("Check list item " + std::to_string(i));
  checks->SetChecked(1, true);
  auto* list = Place<TListBox>(this, page, 438, 6, 234, 170);
  for (int i = 1; i <= 40; ++i) list->Items()->Add("List box item " + std::to_string(i));
  list->SetItemIndex(2);
  auto* view = Place<TListView>(this, page, 6, 182, 426, 186);
  view->AddColumn("Name", 140);
  view->AddColumn("Kind", 120);
  view->AddColumn("Size", 80);
  for (int i = 1; i <= 20; ++i) view->AddItem("List view item " + std::to_string(i));
  auto* rich = Place<TRichEdit>(this, page, 438, 182, 234, 186);
  rich->SetScrollBars(ssVertical);
  for (int i = 1; i <= 30; ++i) rich->Lines()->Add("Rich edit line " + std::to_string(i));
}

void TSkinViewer::Status(const std::string& text) {
  status_->Panels()[0].Text = text;
  status_->PanelsChanged();
}

void TSkinViewer::LoadSkinFile() {
  fileStamp_ = FileStamp(skinFile_);
  try {
    skin_->SetSkinFile(skinFile_);
    Status(skin_->Loading() ? "No skin in " + skinFile_ : "Skin: " + skin_->Model().SkinName);
  } catch (const std::exception& e) {
    Status(std::string("The skin could not be read: ") + e.what());
  } catch (...) {
    Status("The skin could not be read");
  }
}

void TSkinViewer::CheckFile() {
  if (FileStamp(skinFile_) != fileStamp_) LoadSkinFile();
}

void TSkinViewer::WndProc(TMessage& msg) {
  if (msg.Msg == WM_CONTEXTMENU) {
    POINT p{static_cast<short>(LOWORD(msg.LParam)), static_cast<short>(HIWORD(msg.LParam))};
    if (p.x == -1 && p.y == -1) GetCursorPos(&p);
    popup_->Popup(p.x, p.y);
    return;
  }
  TForm::WndProc(msg);
}
