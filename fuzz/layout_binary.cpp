// The binary layout reader and the binary-to-text converter on arbitrary bytes. Reading into
// a form of test classes must end in a toolkit exception or a tree that writes out and
// reads back again; the text of a stream, when it parses, must give the same text again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "toolkit/core/collection.h"
#include "toolkit/core/component.h"
#include "toolkit/core/exceptions.h"
#include "toolkit/core/filer.h"
#include "toolkit/core/layout_text.h"
#include "toolkit/core/properties.h"
#include "toolkit/core/reader.h"
#include "toolkit/core/streams.h"
#include "toolkit/core/strings.h"
#include "toolkit/core/writer.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

QUILLIMO_ENUM(TFuzzKind, fkOne, fkTwo, fkThree)
using TFuzzKinds = TSet<TFuzzKind>;

class TFuzzFont : public TPersistent {
  QUILLIMO_CLASS(TFuzzFont, TPersistent)
public:
  std::string Name;
  int Height = 0;
  TFuzzKinds Style;
};

class TFuzzItem : public TCollectionItem {
  QUILLIMO_CLASS(TFuzzItem, TCollectionItem)
public:
  using TCollectionItem::TCollectionItem;
  std::string Caption;
  std::uint8_t Value = 0;
};

class TFuzzControl : public TComponent {
  QUILLIMO_CLASS(TFuzzControl, TComponent)
public:
  explicit TFuzzControl(TComponent* owner) : TComponent(owner), items_(TFuzzItem::StaticClassInfo(), this) {}
  ~TFuzzControl() override {
    for (TFuzzControl* c : std::vector<TFuzzControl*>(children_)) c->parent_ = nullptr;
    if (parent_) std::erase(parent_->children_, this);
  }
  std::string Caption;
  WideString Hint;
  int Left = 0;
  std::uint16_t Width = 0;
  std::int64_t Big = 0;
  char Letter = 0;
  char16_t Wide = 0;
  TFuzzKind Kind = fkOne;
  bool Visible = true;
  TFuzzKinds Kinds;
  double Ratio = 0;
  std::string Data;
  TNotifyEvent OnClick;
  TFuzzFont* GetFont() const { return const_cast<TFuzzFont*>(&font_); }
  void SetFont(TFuzzFont* f) { font_.Name = f->Name, font_.Height = f->Height, font_.Style = f->Style; }
  TStringList* GetLines() const { return const_cast<TStringList*>(&lines_); }
  void SetLines(TStringList* l) { lines_.Assign(l); }
  TCollection* GetItems() const { return const_cast<TCollection*>(&items_); }
  void SetItems(TCollection* c) { items_.Assign(c); }
  TComponent* GetBuddy() const { return buddy_; }
  void SetBuddy(TComponent* b) { buddy_ = b; }

  void Notification(TComponent* c, TOperation op) override {
    TComponent::Notification(c, op);
    if (op == opRemove && c == buddy_) buddy_ = nullptr;
  }
  bool HasParent() const override { return parent_ != nullptr; }
  TComponent* GetParentComponent() const override { return parent_; }
  void SetParentComponent(TComponent* parent) override {
    auto* p = dynamic_cast<TFuzzControl*>(parent);
    if (!p || p == parent_) return;
    for (TFuzzControl* a = p; a; a = a->parent_)
      if (a == this) return;  // no cycles
    if (parent_) std::erase(parent_->children_, this);
    parent_ = p;
    p->children_.push_back(this);
  }
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override {
    for (TFuzzControl* c : children_)
      if (c->Owner() == root) proc(c);
  }
  void DefineProperties(TFiler& filer) override {
    filer.DefineBinaryProperty(
        "Data", [this](TStream& s) { Data = s.ReadToEnd(); }, [this](TStream& s) { s.WriteBuffer(Data); },
        !Data.empty());
  }

private:
  TFuzzFont font_;
  TStringList lines_;
  TCollection items_;
  TComponent* buddy_ = nullptr;
  TFuzzControl* parent_ = nullptr;
  std::vector<TFuzzControl*> children_;
};

class TFuzzForm : public TComponent {
  QUILLIMO_CLASS(TFuzzForm, TComponent)
public:
  using TComponent::TComponent;
  std::string Caption;
  void Clicked(TObject*) {}
};

}  // namespace

QUILLIMO_REGISTER_CLASS(TFuzzFont, [](TPropertyTable& p) {
  p.String("Name", &TFuzzFont::Name);
  p.Integer("Height", &TFuzzFont::Height);
  p.Set("Style", &TFuzzFont::Style);
})
QUILLIMO_REGISTER_CLASS(TFuzzItem, [](TPropertyTable& p) {
  p.String("Caption", &TFuzzItem::Caption);
  p.Integer("Value", &TFuzzItem::Value, 0);
})
QUILLIMO_REGISTER_CLASS(TFuzzControl, [](TPropertyTable& p) {
  p.String("Caption", &TFuzzControl::Caption);
  p.WideString("Hint", &TFuzzControl::Hint);
  p.Integer("Left", &TFuzzControl::Left);
  p.Integer("Width", &TFuzzControl::Width, 0);
  p.Int64("Big", &TFuzzControl::Big);
  p.Char("Letter", &TFuzzControl::Letter, nullptr, 0);
  p.Char("Wide", &TFuzzControl::Wide, nullptr, 0);
  p.Enum("Kind", &TFuzzControl::Kind, nullptr, fkOne);
  p.Bool("Visible", &TFuzzControl::Visible, true);
  p.Set("Kinds", &TFuzzControl::Kinds);
  p.Float("Ratio", &TFuzzControl::Ratio);
  p.Object("Font", &TFuzzControl::GetFont, &TFuzzControl::SetFont);
  p.Object("Lines", &TFuzzControl::GetLines, &TFuzzControl::SetLines);
  p.Object("Items", &TFuzzControl::GetItems, &TFuzzControl::SetItems);
  p.Object("Buddy", &TFuzzControl::GetBuddy, &TFuzzControl::SetBuddy);
  p.Event("OnClick", &TFuzzControl::OnClick);
})
QUILLIMO_REGISTER_CLASS(TFuzzForm, [](TPropertyTable& p) {
  p.String("Caption", &TFuzzForm::Caption);
  p.Method("Clicked", &TFuzzForm::Clicked);
})

namespace {

std::string WriteForm(TFuzzForm& form) {
  TMemoryStream out;
  WriteComponentToStream(out, &form);
  return std::string(out.Bytes());
}

bool ReadForm(std::string_view bytes, TFuzzForm& form) {
  TBufferStream stream(bytes);
  try {
    ReadComponentFromStream(stream, &form);
    return true;
  } catch (const Exception&) {
    return false;
  }
}

void CheckText(std::string_view bytes) {
  std::string text;
  try {
    text = ObjectBinaryToText(bytes);
  } catch (const Exception&) {
    return;
  }
  std::string binary;
  try {
    binary = ObjectTextToBinary(text);  // names made of any bytes do not parse: then stop
  } catch (const Exception&) {
    return;
  }
  Check(ObjectBinaryToText(binary) == text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  {
    TFuzzForm form(nullptr);
    if (ReadForm(input, form)) {
      // What was read writes out, and that reads back into the same bytes.
      std::string written = WriteForm(form);
      TFuzzForm again(nullptr);
      Check(ReadForm(written, again));
      Check(WriteForm(again) == written);
    }
  }
  CheckText(input);
  return 0;
}
