#include "localisation/test_components.h"

#include "toolkit/core/properties.h"

int& PropertyWrites() {
  static int writes = 0;
  return writes;
}

TCountedStrings::TCountedStrings() {
  OnChange = [](TObject*) { ++PropertyWrites(); };
}

TTestControl::TTestControl(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>()) {
  font_->OnChange = [](TObject*) { ++PropertyWrites(); };
}

void TTestControl::SetCaption(const std::string& v) {
  ++PropertyWrites();
  caption_ = v;
}

void TTestControl::SetHint(const std::string& v) {
  ++PropertyWrites();
  hint_ = v;
}

void TTestControl::SetFont(TFont* v) {
  ++PropertyWrites();
  if (v != font_.get()) font_->Assign(v);
}

void TTestControl::SetParentFont(bool v) { parentFont_ = v; }

void TTestControl::SetAction(TComponent* v) {
  action_ = v;
  if (v) v->FreeNotification(this);
}

void TTestControl::Notification(TComponent* component, TOperation operation) {
  inherited::Notification(component, operation);
  if (operation == opRemove && component == action_) action_ = nullptr;
}

void TTestEdit::SetText(const std::string& v) {
  ++PropertyWrites();
  text_ = v;
}

void TTestEdit::SetDisplayLabel(const std::string& v) {
  ++PropertyWrites();
  label_ = v;
}

void TTestEdit::SetWideText(const WideString& v) {
  ++PropertyWrites();
  wide_ = v;
}

TTestMemo::TTestMemo(TComponent* owner) : TTestControl(owner), lines_(std::make_unique<TCountedStrings>()) {}

void TTestMemo::SetLines(TStrings* v) {
  ++PropertyWrites();
  lines_->Assign(v);
}

void TTestMemo::SetWordWrap(bool v) {
  ++PropertyWrites();
  ++wrapChanges;
  wordWrap_ = v;
}

TTestListBox::TTestListBox(TComponent* owner) : TTestControl(owner), items_(std::make_unique<TCountedStrings>()) {
  items_->OnChange = [this](TObject*) {
    ++PropertyWrites();
    if (itemIndex_ >= items_->Count()) itemIndex_ = -1;
  };
}

void TTestListBox::SetItems(TStrings* v) {
  ++PropertyWrites();
  items_->Assign(v);
}

void TTestListBox::SetItemIndex(int v) {
  ++PropertyWrites();
  itemIndex_ = v;
}

TTestColumn::TTestColumn(TCollection* collection)
    : TCollectionItem(collection), lines_(std::make_unique<TCountedStrings>()), font_(std::make_unique<TFont>()) {}

void TTestColumn::SetCaption(const std::string& v) {
  ++PropertyWrites();
  caption_ = v;
}

TTestProperties::TTestProperties()
    : items_(std::make_unique<TCountedStrings>()),
      columns_(std::make_unique<TCollection>(TTestColumn::StaticClassInfo(), this)) {}

void TTestProperties::SetCaption(const std::string& v) {
  ++PropertyWrites();
  caption_ = v;
}

void TTestProperties::SetTitle(const WideString& v) {
  ++PropertyWrites();
  title_ = v;
}

TTestGrid::TTestGrid(TComponent* owner)
    : TTestControl(owner),
      properties_(std::make_unique<TTestProperties>()),
      columns_(std::make_unique<TCollection>(TTestColumn::StaticClassInfo(), this)) {}

QUILLIMO_REGISTER_CLASS(TCountedStrings)

QUILLIMO_REGISTER_CLASS(TTestControl, [](TPropertyTable& p) {
  p.String("Caption", &TTestControl::GetCaption, &TTestControl::SetCaption);
  p.String("Hint", &TTestControl::GetHint, &TTestControl::SetHint);
  p.Object("Font", &TTestControl::GetFont, &TTestControl::SetFont);
  p.Bool("ParentFont", &TTestControl::GetParentFont, &TTestControl::SetParentFont, false);
  p.Object("Action", &TTestControl::GetAction, &TTestControl::SetAction);
})

QUILLIMO_REGISTER_CLASS(TForm1)
QUILLIMO_REGISTER_CLASS(TTestAction, [](TPropertyTable& p) {
  p.String("Caption", &TTestAction::GetCaption, &TTestAction::SetCaption);
})
QUILLIMO_REGISTER_CLASS(TTestButton)
QUILLIMO_REGISTER_CLASS(TMenuItem)

QUILLIMO_REGISTER_CLASS(TTestEdit, [](TPropertyTable& p) {
  p.String("Text", &TTestEdit::GetText, &TTestEdit::SetText);
  p.String("DisplayLabel", &TTestEdit::GetDisplayLabel, &TTestEdit::SetDisplayLabel);
  p.WideString("WideText", &TTestEdit::GetWideText, &TTestEdit::SetWideText);
  p.String("ReadOnlyText", &TTestEdit::GetReadOnlyText);
})

QUILLIMO_REGISTER_CLASS(TTestMemo, [](TPropertyTable& p) {
  p.Object("Lines", &TTestMemo::GetLines, &TTestMemo::SetLines);
  p.Bool("WordWrap", &TTestMemo::GetWordWrap, &TTestMemo::SetWordWrap, false);
})

QUILLIMO_REGISTER_CLASS(TTestListBox, [](TPropertyTable& p) {
  p.Object("Items", &TTestListBox::GetItems, &TTestListBox::SetItems);
  p.Integer("ItemIndex", &TTestListBox::GetItemIndex, &TTestListBox::SetItemIndex, -1);
})
QUILLIMO_REGISTER_CLASS(TTestRadioGroup)

QUILLIMO_REGISTER_CLASS(TTestColumn, [](TPropertyTable& p) {
  p.String("Caption", &TTestColumn::GetCaption, &TTestColumn::SetCaption);
  p.Object("Lines", &TTestColumn::GetLines, &TTestColumn::SetLines);
  p.Object("Font", &TTestColumn::GetFont, &TTestColumn::SetFont);
  p.Integer("Width", &TTestColumn::Width, &TTestColumn::SetWidth, 50);
})

QUILLIMO_REGISTER_CLASS(TTestProperties, [](TPropertyTable& p) {
  p.String("Caption", &TTestProperties::GetCaption, &TTestProperties::SetCaption);
  p.WideString("Title", &TTestProperties::Title, &TTestProperties::SetTitle);
  p.Object("Items", &TTestProperties::GetItems, &TTestProperties::SetItems);
  p.Object("Columns", &TTestProperties::GetColumns, &TTestProperties::SetColumns);
})

QUILLIMO_REGISTER_CLASS(TTestGrid, [](TPropertyTable& p) {
  p.Object("Properties", &TTestGrid::GetProperties, &TTestGrid::SetProperties);
  p.Object("Columns", &TTestGrid::GetColumns, &TTestGrid::SetColumns);
})
