#include "toolkit/win/stdctrls.h"

#include <algorithm>

#include "toolkit/core/utf8.h"
#include "toolkit/win/form.h"

SIZE MeasureText(HDC dc, const std::string& text, UINT format) {
  std::wstring w = Utf8ToWide(text.empty() ? " " : text);
  RECT r{0, 0, 0, 0};
  DrawTextW(dc, w.c_str(), -1, &r, format | DT_CALCRECT);
  return {r.right - r.left, r.bottom - r.top};
}

namespace {
// A screen DC with the font selected, for measuring.
class MeasureDC {
public:
  explicit MeasureDC(const TFont* font) : dc_(GetDC(nullptr)), old_(SelectObject(dc_, FontHandle(font->Data()))) {}
  ~MeasureDC() {
    SelectObject(dc_, old_);
    ReleaseDC(nullptr, dc_);
  }
  operator HDC() const { return dc_; }

private:
  HDC dc_;
  HGDIOBJ old_;
};

void DrawCaption(HDC dc, const TControl& c, RECT r, UINT flags) {
  HGDIOBJ old = SelectObject(dc, FontHandle(c.Font()->Data()));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, c.Enabled() ? static_cast<COLORREF>(ColorToRGB(c.Font()->Color())) : GetSysColor(COLOR_GRAYTEXT));
  std::wstring w = Utf8ToWide(c.Caption());
  DrawTextW(dc, w.c_str(), -1, &r, flags);
  SelectObject(dc, old);
}
}  // namespace

// ---- TCustomLabel

QUILLIMO_REGISTER_CLASS(TCustomLabel, [](TPropertyTable& p) {
  p.String("Caption", &TCustomLabel::Caption, &TCustomLabel::SetCaption);
  p.Bool("AutoSize", &TCustomLabel::AutoSize, &TCustomLabel::SetAutoSize, true);
  p.Enum("Alignment", &TCustomLabel::Alignment, &TCustomLabel::SetAlignment, taLeftJustify);
  p.Bool("Transparent", &TCustomLabel::Transparent, &TCustomLabel::SetTransparent, false);
  p.Bool("WordWrap", &TCustomLabel::WordWrap, &TCustomLabel::SetWordWrap, false);
  p.Bool("ParentColor", &TCustomLabel::ParentColor, &TCustomLabel::SetParentColor, true);
});
QUILLIMO_REGISTER_CLASS(TLabel);

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
  SetParentColor(true);
  SetBounds(0, 0, 65, 17);
}

void TCustomLabel::SetAutoSize(bool v) {
  autoSize_ = v;
  AdjustBounds();
}
void TCustomLabel::SetAlignment(TAlignment v) {
  alignment_ = v;
  Invalidate();
}
void TCustomLabel::SetTransparent(bool v) {
  transparent_ = v;
  Invalidate();
}
void TCustomLabel::SetWordWrap(bool v) {
  wordWrap_ = v;
  AdjustBounds();
}

void TCustomLabel::FontChanged() {
  TGraphicControl::FontChanged();
  AdjustBounds();
}

UINT TCustomLabel::DrawFlags() const {
  UINT flags = wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE;
  if (alignment_ == taRightJustify) flags |= DT_RIGHT;
  if (alignment_ == taCenter) flags |= DT_CENTER;
  return flags | DT_EXPANDTABS;
}

void TCustomLabel::AdjustBounds() {
  if (!autoSize_ || IsLoading()) return;
  MeasureDC dc(Font());
  UINT flags = DrawFlags() & ~(DT_RIGHT | DT_CENTER);
  SIZE size{};
  if (wordWrap_) {
    std::wstring w = Utf8ToWide(Caption().empty() ? " " : Caption());
    RECT r{0, 0, Width(), 0};
    DrawTextW(dc, w.c_str(), -1, &r, flags | DT_CALCRECT);
    size = {Width(), r.bottom};
  } else {
    size = MeasureText(dc, Caption(), flags);
  }
  int left = Left();
  if (alignment_ == taRightJustify) left += Width() - size.cx;
  SetBounds(left, Top(), size.cx, size.cy);
}

void TCustomLabel::Paint(HDC dc) {
  RECT r{0, 0, Width(), Height()};
  if (!transparent_) {
    HBRUSH brush = CreateSolidBrush(BackgroundRGB());
    FillRect(dc, &r, brush);
    DeleteObject(brush);
  }
  DrawCaption(dc, *this, r, DrawFlags());
}

// ---- TCustomEdit, TCustomMemo

// A memo's text is published as its Lines only; an edit box publishes its Text.
QUILLIMO_REGISTER_CLASS(TCustomEdit, [](TPropertyTable& p) {
  p.Bool("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly, false);
  p.Integer("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength, 0);
  p.Integer("Color", &TCustomEdit::Color, &TCustomEdit::SetColor, clWindow);
  p.Bool("TabStop", &TCustomEdit::TabStop, &TCustomEdit::SetTabStop, true);
  p.Event("OnChange", &TCustomEdit::OnChange);
});
QUILLIMO_REGISTER_CLASS(TEdit, [](TPropertyTable& p) { p.String("Text", &TEdit::GetText, &TEdit::SetText); });

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  SetColor(clWindow);
  SetTabStop(true);
  SetBounds(0, 0, 121, 21);
}

void TCustomEdit::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.ClassName = L"EDIT";
  params.OwnClass = false;
  params.Style |= ES_AUTOHSCROLL | ES_LEFT;
  if (readOnly_) params.Style |= ES_READONLY;
  params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::HandleCreated() {
  if (maxLength_) SendMessageW(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

void TCustomEdit::SetReadOnly(bool v) {
  readOnly_ = v;
  if (HandleAllocated()) SendMessageW(Handle(), EM_SETREADONLY, v, 0);
}

void TCustomEdit::SetMaxLength(int v) {
  maxLength_ = v;
  if (HandleAllocated()) SendMessageW(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(v), 0);
}

void TCustomEdit::SelectAll() {
  if (HandleAllocated()) SendMessageW(Handle(), EM_SETSEL, 0, -1);
}

void TCustomEdit::WndProc(TMessage& msg) {
  if (msg.Msg == CN_COMMAND && HIWORD(msg.WParam) == EN_CHANGE) {
    Changed();
    return;
  }
  if (msg.Msg == CN_CTLCOLORSTATIC && readOnly_) msg.Msg = CN_CTLCOLOREDIT;  // read-only edits keep their colour
  TWinControl::WndProc(msg);
}

QUILLIMO_REGISTER_CLASS(TCustomMemo, [](TPropertyTable& p) {
  p.Object("Lines", &TCustomMemo::Lines, &TCustomMemo::SetLines);
  p.Enum("ScrollBars", &TCustomMemo::ScrollBars, &TCustomMemo::SetScrollBars, ssNone);
  p.Bool("WordWrap", &TCustomMemo::WordWrap, &TCustomMemo::SetWordWrap, true);
});
QUILLIMO_REGISTER_CLASS(TMemo);

TCustomMemo::TCustomMemo(TComponent* owner) : TCustomEdit(owner), lines_(std::make_unique<TStringList>()) {
  SetBounds(0, 0, 185, 89);
  lines_->OnChange = [this](TObject*) {
    if (syncing_) return;
    syncing_ = true;
    std::string text = lines_->Text();
    if (text.size() >= 2) text.resize(text.size() - 2);  // no line break after the last line
    SetText(text);
    syncing_ = false;
  };
}

TCustomMemo::~TCustomMemo() { lines_->OnChange = nullptr; }

void TCustomMemo::SetLines(TStrings* lines) {
  if (lines) lines_->Assign(lines);
}

void TCustomMemo::SetScrollBars(TScrollStyle v) {
  scrollBars_ = v;
  RecreateWindow();
}

void TCustomMemo::SetWordWrap(bool v) {
  if (v == wordWrap_) return;
  wordWrap_ = v;
  if (!HandleAllocated() || recreatePosted_) return;
  recreatePosted_ = true;
  PostMessageW(Handle(), CM_RECREATEWND, 0, 0);
}

void TCustomMemo::RecreateWindow() {
  if (!HandleAllocated()) return;
  DestroyHandle();
  if (Parent() && Parent()->HandleAllocated()) Handle();
}

void TCustomMemo::CreateParams(TCreateParams& params) {
  TCustomEdit::CreateParams(params);
  params.Style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
  if (wordWrap_) params.Style &= ~ES_AUTOHSCROLL;
  windowWordWrap_ = wordWrap_;
  if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) params.Style |= WS_VSCROLL;
  if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) params.Style |= WS_HSCROLL;
}

void TCustomMemo::HandleCreated() {
  TCustomEdit::HandleCreated();
  syncing_ = true;
  std::string text = lines_->Text();
  if (text.size() >= 2) text.resize(text.size() - 2);
  SetWindowTextW(Handle(), Utf8ToWide(text).c_str());
  syncing_ = false;
}

void TCustomMemo::WndProc(TMessage& msg) {
  if (msg.Msg == CM_RECREATEWND) {
    recreatePosted_ = false;
    if (wordWrap_ != windowWordWrap_) RecreateWindow();
    return;
  }
  TCustomEdit::WndProc(msg);
  // A multi-line edit reports no change for a text set from outside.
  if (msg.Msg == WM_SETTEXT && !syncing_) Changed();
}

void TCustomMemo::Changed() {
  if (!syncing_) {
    syncing_ = true;
    lines_->SetText(GetText());
    syncing_ = false;
  }
  TCustomEdit::Changed();
}

// ---- buttons

QUILLIMO_REGISTER_CLASS(TButtonControl, [](TPropertyTable& p) {
  p.Bool("TabStop", &TButtonControl::TabStop, &TButtonControl::SetTabStop, true);
});

TButtonControl::TButtonControl(TComponent* owner) : TWinControl(owner) { SetTabStop(true); }

void TButtonControl::WndProc(TMessage& msg) {
  if (msg.Msg == CN_COMMAND && (HIWORD(msg.WParam) == BN_CLICKED || HIWORD(msg.WParam) == BN_DOUBLECLICKED)) {
    Clicked();
    return;
  }
  TWinControl::WndProc(msg);
}

QUILLIMO_REGISTER_CLASS(TButton, [](TPropertyTable& p) {
  p.String("Caption", &TButton::Caption, &TButton::SetCaption);
  p.Bool("Default", &TButton::Default, &TButton::SetDefault, false);
  p.Bool("Cancel", &TButton::Cancel, &TButton::SetCancel, false);
  p.Integer("ModalResult", &TButton::ModalResult, &TButton::SetModalResult, 0);
});

TButton::TButton(TComponent* owner) : TButtonControl(owner) { SetBounds(0, 0, 75, 25); }

void TButton::CreateParams(TCreateParams& params) {
  TButtonControl::CreateParams(params);
  params.ClassName = L"BUTTON";
  params.OwnClass = false;
  params.Style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool v) {
  default_ = v;
  if (HandleAllocated()) SendMessageW(Handle(), BM_SETSTYLE, v ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click() {
  if (modalResult_) {
    TComponent* c = Parent();
    while (c && !dynamic_cast<TCustomForm*>(c)) c = static_cast<TControl*>(c)->Parent();
    if (auto* form = dynamic_cast<TCustomForm*>(c)) form->SetModalResult(modalResult_);
  }
  TButtonControl::Click();
}

QUILLIMO_REGISTER_CLASS(TRadioButton, [](TPropertyTable& p) {
  p.String("Caption", &TRadioButton::Caption, &TRadioButton::SetCaption);
  p.Bool("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked, false);
});

TRadioButton::TRadioButton(TComponent* owner) : TButtonControl(owner) { SetBounds(0, 0, 113, 17); }

void TRadioButton::CreateParams(TCreateParams& params) {
  TButtonControl::CreateParams(params);
  params.ClassName = L"BUTTON";
  params.OwnClass = false;
  params.Style |= BS_RADIOBUTTON;
}

void TRadioButton::HandleCreated() { SendMessageW(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0); }

void TRadioButton::SetChecked(bool v) {
  if (v == checked_) return;
  checked_ = v;
  if (HandleAllocated()) SendMessageW(Handle(), BM_SETCHECK, v ? BST_CHECKED : BST_UNCHECKED, 0);
  if (v) {
    // The other radio buttons of the same parent go off.
    if (TWinControl* p = Parent())
      for (int i = 0; i < p->ControlCount(); ++i)
        if (auto* other = dynamic_cast<TRadioButton*>(p->Controls(i)); other && other != this) other->SetChecked(false);
    Click();
  }
}

void TRadioButton::Clicked() { SetChecked(true); }

// ---- group boxes

QUILLIMO_REGISTER_CLASS(TCustomGroupBox, [](TPropertyTable& p) {
  p.String("Caption", &TCustomGroupBox::Caption, &TCustomGroupBox::SetCaption);
});
QUILLIMO_REGISTER_CLASS(TGroupBox);

TCustomGroupBox::TCustomGroupBox(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 185, 105); }

// A group box holds controls: the dialog manager walks into it (Tab, mnemonics, arrows).
void TCustomGroupBox::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.ExStyle |= WS_EX_CONTROLPARENT;
}

void TCustomGroupBox::TextChanged() {
  TWinControl::TextChanged();
  Invalidate();
}

void TCustomGroupBox::PaintWindow(HDC dc) {
  HGDIOBJ old = SelectObject(dc, FontHandle(Font()->Data()));
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  SelectObject(dc, old);
  RECT frame{0, tm.tmHeight / 2 - 1, Width(), Height()};
  DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
  if (Caption().empty()) return;
  MeasureDC mdc(Font());
  SIZE size = MeasureText(mdc, Caption());
  RECT text{8, 0, 8 + size.cx, tm.tmHeight};
  FillRect(dc, &text, BackgroundBrush(dc));
  DrawCaption(dc, *this, text, DT_SINGLELINE | DT_LEFT);
}

// ---- radio groups

QUILLIMO_REGISTER_CLASS(TCustomRadioGroup, [](TPropertyTable& p) {
  p.Integer("Columns", &TCustomRadioGroup::Columns, &TCustomRadioGroup::SetColumns, 1);
  p.Integer("ItemIndex", &TCustomRadioGroup::ItemIndex, &TCustomRadioGroup::SetItemIndex, -1);
  p.Object("Items", &TCustomRadioGroup::Items, &TCustomRadioGroup::SetItems);
});
QUILLIMO_REGISTER_CLASS(TRadioGroup);

// The radio buttons of a radio group: they report clicks to the group, and take its colour
// (also when the group is given another one later) so that they look part of it.
class TGroupButton : public TRadioButton {
  QUILLIMO_CLASS(TGroupButton, TRadioButton)
public:
  TGroupButton(TCustomRadioGroup* group, int index) : TRadioButton(nullptr), group_(group), index_(index) {
    SetParent(group);
    SetParentColor(true);
  }
  void Click() override {}

protected:
  void Clicked() override { group_->ButtonClicked(index_); }
  // A button that the arrow keys move to is chosen, as a dialog's radio buttons are (the
  // system does not tell every button's parent of that).
  void WndProc(TMessage& msg) override {
    TRadioButton::WndProc(msg);
    if (msg.Msg == WM_SETFOCUS && group_->ItemIndex() != index_ && GetKeyState(VK_LBUTTON) >= 0)
      group_->ButtonClicked(index_);
  }
  // A window made after the selection was set (a group read from a layout) shows it too.
  void HandleCreated() override {
    SendMessageW(Handle(), BM_SETCHECK, group_->ItemIndex() == index_ ? BST_CHECKED : BST_UNCHECKED, 0);
  }

private:
  TCustomRadioGroup* group_;
  int index_;
};
QUILLIMO_REGISTER_CLASS(TGroupButton);

TCustomRadioGroup::TCustomRadioGroup(TComponent* owner)
    : TCustomGroupBox(owner), items_(std::make_unique<TStringList>()) {
  items_->OnChange = [this](TObject*) { UpdateButtons(); };
}

TCustomRadioGroup::~TCustomRadioGroup() { items_->OnChange = nullptr; }

void TCustomRadioGroup::SetItems(TStrings* items) {
  if (items) items_->Assign(items);
}

void TCustomRadioGroup::SetColumns(int v) {
  columns_ = std::clamp(v, 1, 16);
  ArrangeButtons();
}

void TCustomRadioGroup::SetItemIndex(int v) {
  if (IsLoading()) {
    itemIndex_ = v;
    return;
  }
  // An index outside the items is brought into range: below -1 selects none, above the last
  // item selects the last.
  v = std::clamp(v, -1, items_->Count() - 1);
  if (v == itemIndex_) return;
  itemIndex_ = v;
  for (int i = 0; i < static_cast<int>(buttons_.size()); ++i)
    if (buttons_[static_cast<std::size_t>(i)]->HandleAllocated())
      SendMessageW(buttons_[static_cast<std::size_t>(i)]->Handle(), BM_SETCHECK, i == v ? BST_CHECKED : BST_UNCHECKED,
                   0);
  UpdateTabStops();
  Click();
}

void TCustomRadioGroup::UpdateTabStops() {
  for (std::size_t i = 0; i < buttons_.size(); ++i)
    buttons_[i]->SetTabStop(static_cast<int>(i) == std::max(itemIndex_, 0));
}

void TCustomRadioGroup::ButtonClicked(int index) { SetItemIndex(index); }

void TCustomRadioGroup::Loaded() {
  TCustomGroupBox::Loaded();
  UpdateButtons();
}

void TCustomRadioGroup::UpdateButtons() {
  if (IsLoading()) return;
  while (buttons_.size() > static_cast<std::size_t>(items_->Count())) {
    delete buttons_.back();
    buttons_.pop_back();
  }
  while (buttons_.size() < static_cast<std::size_t>(items_->Count()))
    buttons_.push_back(new TGroupButton(this, static_cast<int>(buttons_.size())));
  if (itemIndex_ >= items_->Count()) itemIndex_ = -1;
  for (int i = 0; i < items_->Count(); ++i) {
    TRadioButton* b = buttons_[static_cast<std::size_t>(i)];
    b->SetCaption(items_->Get(i));
    if (b->HandleAllocated()) SendMessageW(b->Handle(), BM_SETCHECK, i == itemIndex_ ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  UpdateTabStops();
  ArrangeButtons();
}

void TCustomRadioGroup::ArrangeButtons() {
  if (buttons_.empty()) return;
  MeasureDC dc(Font());
  TEXTMETRICW tm{};
  GetTextMetricsW(dc, &tm);
  int count = static_cast<int>(buttons_.size());
  int perColumn = (count + columns_ - 1) / columns_;
  int buttonWidth = (Width() - 10) / columns_;
  int space = Height() - tm.tmHeight - 5;
  int buttonHeight = space / perColumn;
  int topMargin = tm.tmHeight + 1 + (space % perColumn) / 2;
  for (int i = 0; i < count; ++i) {
    buttons_[static_cast<std::size_t>(i)]->SetBounds(
        (i / perColumn) * buttonWidth + 8, (i % perColumn) * buttonHeight + topMargin, buttonWidth - 10, buttonHeight);
  }
}

void TCustomRadioGroup::BoundsChanged() {
  TCustomGroupBox::BoundsChanged();
  ArrangeButtons();
}

void TCustomRadioGroup::FontChanged() {
  TCustomGroupBox::FontChanged();
  ArrangeButtons();
}

// ---- panels

QUILLIMO_REGISTER_CLASS(TCustomPanel, [](TPropertyTable& p) {
  p.String("Caption", &TCustomPanel::Caption, &TCustomPanel::SetCaption);
  p.Enum("BevelOuter", &TCustomPanel::BevelOuter, &TCustomPanel::SetBevelOuter, bvRaised);
  p.Enum("BevelInner", &TCustomPanel::BevelInner, &TCustomPanel::SetBevelInner, bvNone);
  p.Enum("Alignment", &TCustomPanel::Alignment, &TCustomPanel::SetAlignment, taCenter);
});
QUILLIMO_REGISTER_CLASS(TPanel);

TCustomPanel::TCustomPanel(TComponent* owner) : TWinControl(owner) { SetBounds(0, 0, 185, 41); }

// A panel holds controls: the dialog manager walks into it (Tab, mnemonics, arrows).
void TCustomPanel::CreateParams(TCreateParams& params) {
  TWinControl::CreateParams(params);
  params.ExStyle |= WS_EX_CONTROLPARENT;
}

void TCustomPanel::SetBevelOuter(TBevelCut v) {
  bevelOuter_ = v;
  Invalidate();
}
void TCustomPanel::SetBevelInner(TBevelCut v) {
  bevelInner_ = v;
  Invalidate();
}
void TCustomPanel::SetAlignment(TAlignment v) {
  alignment_ = v;
  Invalidate();
}

void TCustomPanel::PaintWindow(HDC dc) {
  RECT r{0, 0, Width(), Height()};
  auto bevel = [&](TBevelCut cut) {
    if (cut == bvRaised) DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT | BF_ADJUST);
    if (cut == bvLowered) DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
  };
  bevel(bevelOuter_);
  bevel(bevelInner_);
  UINT flags = DT_SINGLELINE | DT_VCENTER;
  flags |= alignment_ == taCenter ? DT_CENTER : alignment_ == taRightJustify ? DT_RIGHT : DT_LEFT;
  DrawCaption(dc, *this, r, flags);
}
