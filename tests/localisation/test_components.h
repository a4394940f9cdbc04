#pragma once
// Components of a small test form with the published properties the translation table
// addresses: captions, hints, fonts with charsets, string lists, sub-properties through a
// "Properties" object, collections, actions and ParentFont. Every property setter and
// every change of an owned string list counts as one write (PropertyWrites()), so tests
// can check that an application that changes nothing writes nothing.
#include <memory>
#include <string>

#include "toolkit/core/collection.h"
#include "toolkit/core/component.h"
#include "toolkit/core/strings.h"
#include "toolkit/core/tfont.h"
#include "toolkit/core/utf8.h"

int& PropertyWrites();

// A string list whose changes count as writes.
class TCountedStrings : public TStringList {
  QUILLIMO_CLASS(TCountedStrings, TStringList)
public:
  TCountedStrings();
};

// The parts shared by every test control: Caption, Hint, Tag, Font, ParentFont, Action.
class TTestControl : public TComponent {
  QUILLIMO_CLASS(TTestControl, TComponent)
public:
  explicit TTestControl(TComponent* owner);
  const std::string& GetCaption() const { return caption_; }
  void SetCaption(const std::string& v);
  const std::string& GetHint() const { return hint_; }
  void SetHint(const std::string& v);
  TFont* GetFont() const { return font_.get(); }
  void SetFont(TFont* v);
  bool GetParentFont() const { return parentFont_; }
  void SetParentFont(bool v);
  TComponent* GetAction() const { return action_; }
  void SetAction(TComponent* v);

protected:
  void Notification(TComponent* component, TOperation operation) override;

private:
  std::string caption_, hint_;
  std::unique_ptr<TFont> font_;
  bool parentFont_ = false;
  TComponent* action_ = nullptr;
};

// The owner form: its class name keys the owner entries.
class TForm1 : public TTestControl {
  QUILLIMO_CLASS(TForm1, TTestControl)
public:
  explicit TForm1(TComponent* owner = nullptr) : TTestControl(owner) {}
};

class TTestAction : public TComponent {
  QUILLIMO_CLASS(TTestAction, TComponent)
public:
  using TComponent::TComponent;
  const std::string& GetCaption() const { return caption_; }
  void SetCaption(const std::string& v) { caption_ = v; }

private:
  std::string caption_;
};

class TTestButton : public TTestControl {
  QUILLIMO_CLASS(TTestButton, TTestControl)
public:
  using TTestControl::TTestControl;
};

// A menu item; a caption "-" makes it a separator.
class TMenuItem : public TTestControl {
  QUILLIMO_CLASS(TMenuItem, TTestControl)
public:
  using TTestControl::TTestControl;
};

// An edit: Text, a wide-string WideText, a file-name-like DisplayLabel.
class TTestEdit : public TTestControl {
  QUILLIMO_CLASS(TTestEdit, TTestControl)
public:
  using TTestControl::TTestControl;
  const std::string& GetText() const { return text_; }
  void SetText(const std::string& v);
  const std::string& GetDisplayLabel() const { return label_; }
  void SetDisplayLabel(const std::string& v);
  WideString GetWideText() const { return wide_; }
  void SetWideText(const WideString& v);
  const std::string& GetReadOnlyText() const { return text_; }

private:
  std::string text_, label_;
  WideString wide_;
};

// A memo: Lines and WordWrap (word wrap switching counts as a write).
class TTestMemo : public TTestControl {
  QUILLIMO_CLASS(TTestMemo, TTestControl)
public:
  explicit TTestMemo(TComponent* owner);
  TStrings* GetLines() const { return lines_.get(); }
  void SetLines(TStrings* v);
  bool GetWordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v);
  int wrapChanges = 0;

private:
  std::unique_ptr<TCountedStrings> lines_;
  bool wordWrap_ = false;
};

// A list box (and, by class, a radio group): Items and ItemIndex; removing items past the
// selection clears it, as a list control does.
class TTestListBox : public TTestControl {
  QUILLIMO_CLASS(TTestListBox, TTestControl)
public:
  explicit TTestListBox(TComponent* owner);
  TStrings* GetItems() const { return items_.get(); }
  void SetItems(TStrings* v);
  int GetItemIndex() const { return itemIndex_; }
  void SetItemIndex(int v);
  TCountedStrings* List() const { return items_.get(); }

private:
  std::unique_ptr<TCountedStrings> items_;
  int itemIndex_ = -1;
};

class TTestRadioGroup : public TTestListBox {
  QUILLIMO_CLASS(TTestRadioGroup, TTestListBox)
public:
  using TTestListBox::TTestListBox;
};

// A collection item with a caption, a string list and a font.
class TTestColumn : public TCollectionItem {
  QUILLIMO_CLASS(TTestColumn, TCollectionItem)
public:
  explicit TTestColumn(TCollection* collection);
  const std::string& GetCaption() const { return caption_; }
  void SetCaption(const std::string& v);
  TStrings* GetLines() const { return lines_.get(); }
  void SetLines(TStrings* v) { lines_->Assign(v); }
  TFont* GetFont() const { return font_.get(); }
  void SetFont(TFont* v) { font_->Assign(v); }
  int Width() const { return width_; }
  void SetWidth(int v) { width_ = v; }

private:
  std::string caption_;
  std::unique_ptr<TCountedStrings> lines_;
  std::unique_ptr<TFont> font_;
  int width_ = 50;
};

// The object of a "Properties" property: a caption, a wide title, items and columns.
class TTestProperties : public TPersistent {
  QUILLIMO_CLASS(TTestProperties, TPersistent)
public:
  TTestProperties();
  const std::string& GetCaption() const { return caption_; }
  void SetCaption(const std::string& v);
  WideString Title() const { return title_; }
  void SetTitle(const WideString& v);
  TStrings* GetItems() const { return items_.get(); }
  void SetItems(TStrings* v) { items_->Assign(v); }
  TCollection* GetColumns() const { return columns_.get(); }
  void SetColumns(TCollection* v) { columns_->Assign(v); }

private:
  std::string caption_;
  WideString title_;
  std::unique_ptr<TCountedStrings> items_;
  std::unique_ptr<TCollection> columns_;
};

// A component with a "Properties" object and a collection of its own.
class TTestGrid : public TTestControl {
  QUILLIMO_CLASS(TTestGrid, TTestControl)
public:
  explicit TTestGrid(TComponent* owner);
  TTestProperties* GetProperties() const { return properties_.get(); }
  void SetProperties(TTestProperties* v) { properties_->Assign(v); }
  TCollection* GetColumns() const { return columns_.get(); }
  void SetColumns(TCollection* v) { columns_->Assign(v); }
  TTestColumn* Column(int i) const { return static_cast<TTestColumn*>(columns_->Items(i)); }

private:
  std::unique_ptr<TTestProperties> properties_;
  std::unique_ptr<TCollection> columns_;
};
