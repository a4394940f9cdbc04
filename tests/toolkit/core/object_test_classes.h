#pragma once
// Component classes for the object model tests: published properties of every kind, a
// persistent sub-object (a font), a string list, a collection, a component reference, an
// event, a binary block, a parented child and a form-like root with handler methods. The
// same classes exist in fpc/layout_golden.pas, whose output the stream tests compare with.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/core/collection.h"
#include "toolkit/core/component.h"
#include "toolkit/core/properties.h"
#include "toolkit/core/strings.h"

QUILLIMO_ENUM(TTestAlign, taNone, taTop, taBottom, taClient)
QUILLIMO_ENUM(TTestOption, toBold, toItalic, toUnderline, toStrikeOut)
using TTestOptions = TSet<TTestOption>;

// What Loaded() and destructors report, in order.
std::vector<std::string>& TestLog();

class TTestFont : public TPersistent {
  QUILLIMO_CLASS(TTestFont, TPersistent)
public:
  std::string Name;
  int Height = 0;
  TTestOptions Style;
  int Color = 0;
  void Assign(const TPersistent* source) override;
};

class TTestItem : public TCollectionItem {
  QUILLIMO_CLASS(TTestItem, TCollectionItem)
public:
  using TCollectionItem::TCollectionItem;
  std::string Caption;
  int Value = 0;
  void Assign(const TPersistent* source) override;
};

class TTestWidget : public TComponent {
  QUILLIMO_CLASS(TTestWidget, TComponent)
public:
  explicit TTestWidget(TComponent* owner);
  ~TTestWidget() override;

  std::string Caption;
  int Count = 0;
  std::uint8_t Small = 9;
  std::uint16_t Wide = 0;
  std::int64_t Big = 0;
  char Letter = 0;
  char16_t Initial = 0;
  TTestAlign Align = taNone;
  bool Visible = true;
  TTestOptions Options;
  TTestOptions Anchors;
  double Ratio = 0;
  int Hidden = 0;
  std::string Data;  // the "Data" binary block
  TNotifyEvent OnClick;

  std::string Version() const { return "1.0"; }
  TTestFont* GetFont() const { return font_.get(); }
  void SetFont(TTestFont* font) { font_->Assign(font); }
  TStringList* GetLines() const { return lines_.get(); }
  void SetLines(TStringList* lines) { lines_->Assign(lines); }
  TCollection* GetItems() const { return items_.get(); }
  void SetItems(TCollection* items) { items_->Assign(items); }
  TComponent* GetBuddy() const { return buddy_; }
  void SetBuddy(TComponent* buddy);
  TTestItem* Item(int i) const { return static_cast<TTestItem*>(items_->Items(i)); }

  void DefineProperties(TFiler& filer) override;
  void Notification(TComponent* component, TOperation operation) override;
  void Loaded() override;

  bool buddyResolvedAtLoaded = false;

private:
  std::unique_ptr<TTestFont> font_;
  std::unique_ptr<TStringList> lines_;
  std::unique_ptr<TCollection> items_;
  TComponent* buddy_ = nullptr;
};

// A container that parents other components (like a panel parents controls): its
// children are owned by the root but stored inside it.
class TTestPanel : public TComponent {
  QUILLIMO_CLASS(TTestPanel, TComponent)
public:
  using TComponent::TComponent;
  ~TTestPanel() override;

  TTestPanel* GetParent() const { return parent_; }
  void SetParent(TTestPanel* parent);
  const std::vector<TTestPanel*>& Children() const { return children_; }
  int Width = 0;

  bool HasParent() const override { return parent_ != nullptr; }
  TComponent* GetParentComponent() const override { return parent_; }
  void SetParentComponent(TComponent* parent) override;
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
  void SetChildOrder(TComponent* child, int order) override;

private:
  TTestPanel* parent_ = nullptr;
  std::vector<TTestPanel*> children_;
};

class TTestForm : public TComponent {
  QUILLIMO_CLASS(TTestForm, TComponent)
public:
  using TComponent::TComponent;
  std::string Caption;
  int clicks = 0;
  TObject* lastSender = nullptr;
  void Button1Click(TObject* sender) {
    ++clicks;
    lastSender = sender;
  }
  void Resized(int) {}  // a published method of another signature
  void Loaded() override;
};

// The tree that fpc/layout_golden.pas writes into data/layout_golden.bin.
std::unique_ptr<TTestForm> MakeGoldenForm();
// The message of the toolkit exception f raises, or "(no error)".
std::string ErrorOf(const std::function<void()>& f);
// Contents of a file of tests/toolkit/core/data.
std::string ReadTestData(const std::string& name);
