#include "object_test_classes.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "toolkit/core/exceptions.h"
#include "toolkit/core/filer.h"
#include "toolkit/core/reader.h"
#include "toolkit/core/streams.h"

std::vector<std::string>& TestLog() {
  static std::vector<std::string> log;
  return log;
}

QUILLIMO_REGISTER_CLASS(TTestFont, [](TPropertyTable& p) {
  p.String("Name", &TTestFont::Name);
  p.Integer("Height", &TTestFont::Height);
  p.Set("Style", &TTestFont::Style);
  p.Integer("Color", &TTestFont::Color, 0);
})

void TTestFont::Assign(const TPersistent* source) {
  if (const auto* font = dynamic_cast<const TTestFont*>(source)) {
    Name = font->Name;
    Height = font->Height;
    Style = font->Style;
    Color = font->Color;
    return;
  }
  TPersistent::Assign(source);
}

QUILLIMO_REGISTER_CLASS(TTestItem, [](TPropertyTable& p) {
  p.String("Caption", &TTestItem::Caption);
  p.Integer("Value", &TTestItem::Value, 0);
})

void TTestItem::Assign(const TPersistent* source) {
  if (const auto* item = dynamic_cast<const TTestItem*>(source)) {
    Caption = item->Caption;
    Value = item->Value;
    return;
  }
  TCollectionItem::Assign(source);
}

QUILLIMO_REGISTER_CLASS(TTestWidget, [](TPropertyTable& p) {
  p.String("Caption", &TTestWidget::Caption);
  p.Integer("Count", &TTestWidget::Count);
  p.Integer("Small", &TTestWidget::Small, 9);
  p.Integer("Wide", &TTestWidget::Wide);
  p.Int64("Big", &TTestWidget::Big);
  p.Char("Letter", &TTestWidget::Letter);
  p.Char("Initial", &TTestWidget::Initial);
  p.Enum("Align", &TTestWidget::Align, nullptr, taNone);
  p.Bool("Visible", &TTestWidget::Visible, true);
  p.Set("Options", &TTestWidget::Options, nullptr, TTestOptions{});
  p.Set("Anchors", &TTestWidget::Anchors);
  p.Float("Ratio", &TTestWidget::Ratio);
  p.Integer("Hidden", &TTestWidget::Hidden).Stored(false);
  p.String("Version", &TTestWidget::Version);
  p.Object("Font", &TTestWidget::GetFont, &TTestWidget::SetFont);
  p.Object("Lines", &TTestWidget::GetLines, &TTestWidget::SetLines);
  p.Object("Items", &TTestWidget::GetItems, &TTestWidget::SetItems);
  p.Object("Buddy", &TTestWidget::GetBuddy, &TTestWidget::SetBuddy);
  p.Event("OnClick", &TTestWidget::OnClick);
})

TTestWidget::TTestWidget(TComponent* owner)
    : TComponent(owner),
      font_(std::make_unique<TTestFont>()),
      lines_(std::make_unique<TStringList>()),
      items_(std::make_unique<TCollection>(TTestItem::StaticClassInfo(), this)) {}

TTestWidget::~TTestWidget() { TestLog().push_back("~" + Name()); }

void TTestWidget::SetBuddy(TComponent* buddy) {
  if (buddy_ && buddy_ != buddy) buddy_->RemoveFreeNotification(this);
  buddy_ = buddy;
  if (buddy_) buddy_->FreeNotification(this);
}

void TTestWidget::DefineProperties(TFiler& filer) {
  TComponent::DefineProperties(filer);
  filer.DefineBinaryProperty(
      "Data", [this](TStream& s) { Data = s.ReadToEnd(); }, [this](TStream& s) { s.WriteBuffer(Data); }, !Data.empty());
}

void TTestWidget::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == buddy_) buddy_ = nullptr;
}

void TTestWidget::Loaded() {
  TComponent::Loaded();
  buddyResolvedAtLoaded = buddy_ != nullptr;
  TestLog().push_back("Loaded " + Name());
}

QUILLIMO_REGISTER_CLASS(TTestPanel, [](TPropertyTable& p) { p.Integer("Width", &TTestPanel::Width, 0); })

TTestPanel::~TTestPanel() {
  for (TTestPanel* child : std::vector<TTestPanel*>(children_)) child->SetParent(nullptr);
  SetParent(nullptr);
}

void TTestPanel::SetParent(TTestPanel* parent) {
  if (parent == parent_) return;
  if (parent_) std::erase(parent_->children_, this);
  parent_ = parent;
  if (parent_) parent_->children_.push_back(this);
}

void TTestPanel::SetParentComponent(TComponent* parent) { SetParent(dynamic_cast<TTestPanel*>(parent)); }

void TTestPanel::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  for (TTestPanel* child : children_)
    if (child->Owner() == root) proc(child);
}

void TTestPanel::SetChildOrder(TComponent* child, int order) {
  auto it = std::find(children_.begin(), children_.end(), child);
  if (it == children_.end() || order < 0 || order >= static_cast<int>(children_.size())) return;
  children_.erase(it);
  children_.insert(children_.begin() + order, static_cast<TTestPanel*>(child));
}

QUILLIMO_REGISTER_CLASS(TTestForm, [](TPropertyTable& p) {
  p.String("Caption", &TTestForm::Caption);
  p.Method("Button1Click", &TTestForm::Button1Click);
  p.Method("Resized", &TTestForm::Resized);
})

void TTestForm::Loaded() {
  TComponent::Loaded();
  TestLog().push_back("Loaded " + Name());
}

std::unique_ptr<TTestForm> MakeGoldenForm() {
  auto form = std::make_unique<TTestForm>(nullptr);
  form->SetName("Form1");
  form->Caption = "Test form";

  auto* w1 = new TTestWidget(form.get());
  w1->SetName("Widget1");
  w1->Caption = "It's a widget\r\non two lines";
  w1->Count = 1000;
  w1->Small = 200;
  w1->Wide = 60000;
  w1->Big = 5000000000;
  w1->Letter = 'Z';
  w1->Initial = u'\u015F';
  w1->Align = taClient;
  w1->Visible = false;
  w1->Options = {toBold, toUnderline};
  w1->Anchors = {toItalic};
  w1->Ratio = 0.1;
  w1->Hidden = 7;
  w1->GetFont()->Name = "MS Sans Serif";
  w1->GetFont()->Height = -11;
  w1->GetFont()->Style = {toBold};
  w1->GetFont()->Color = 255;
  w1->GetLines()->Add("one");
  w1->GetLines()->Add("two, three");
  w1->GetLines()->Add("");
  auto* item = static_cast<TTestItem*>(w1->GetItems()->Add());
  item->Caption = "First";
  item->Value = 1;
  item = static_cast<TTestItem*>(w1->GetItems()->Add());
  item->Caption = "Second";
  SetMethodProp(w1, "OnClick", TMethod{form.get(), "Button1Click", {}});
  for (int i = 0; i < 40; ++i) w1->Data += static_cast<char>(i * 7);

  auto* w2 = new TTestWidget(form.get());
  w2->SetName("Widget2");
  for (int i = 1; i <= 30; ++i) w2->Caption += "Long text" + std::to_string(i % 10);
  w2->Count = -5;
  w2->Initial = u'\u011F';
  w2->Big = -70000;
  w2->Ratio = -2.5;
  w1->SetBuddy(w2);
  w2->SetBuddy(form.get());
  return form;
}

std::string ReadTestData(const std::string& name) {
  std::ifstream in(std::string(QUILLIMO_TEST_DATA) + "/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string ErrorOf(const std::function<void()>& f) {
  try {
    f();
  } catch (const Exception& e) {
    return e.Message();
  }
  return "(no error)";
}
