// TComponent ownership, names, notifications and state; TCollection.
#include <gtest/gtest.h>

#include "object_test_classes.h"
#include "toolkit/core/exceptions.h"

namespace {

// Records the notifications it hears, and whether the removed component was still whole.
class TObserver : public TComponent {
public:
  using TComponent::TComponent;
  std::vector<std::string> heard;
  void Notification(TComponent* c, TOperation op) override {
    TComponent::Notification(c, op);
    std::string kind = dynamic_cast<TTestWidget*>(c) ? "widget" : "component";
    heard.push_back((op == opInsert ? "insert " : "remove ") + c->Name() + " " + kind);
  }
};

TTestWidget* Widget(TComponent* owner, const std::string& name) {
  auto* w = new TTestWidget(owner);
  w->SetName(name);
  return w;
}

}  // namespace

TEST(Ownership, OwnedComponentsKeepCreationOrder) {
  TComponent owner(nullptr);
  auto* a = Widget(&owner, "A");
  auto* b = Widget(&owner, "B");
  ASSERT_EQ(owner.ComponentCount(), 2);
  EXPECT_EQ(owner.Components(0), a);
  EXPECT_EQ(owner.Components(1), b);
  EXPECT_EQ(b->ComponentIndex(), 1);
  EXPECT_EQ(a->Owner(), &owner);
  EXPECT_EQ(a->GetOwner(), &owner);
  EXPECT_EQ(ErrorOf([&] { owner.Components(2); }), "List index out of bounds (2)");
  EXPECT_EQ(ErrorOf([&] { owner.Components(-1); }), "List index out of bounds (-1)");
}

TEST(Ownership, AnOwnerFreesWhatItOwnsLastFirst) {
  TestLog().clear();
  {
    TComponent owner(nullptr);
    Widget(&owner, "First");
    Widget(&owner, "Second");
    Widget(&owner, "Third");
  }
  EXPECT_EQ(TestLog(), (std::vector<std::string>{"~Third", "~Second", "~First"}));
}

TEST(Ownership, ADeletedComponentLeavesItsOwner) {
  TComponent owner(nullptr);
  auto* a = Widget(&owner, "A");
  auto* b = Widget(&owner, "B");
  delete a;
  ASSERT_EQ(owner.ComponentCount(), 1);
  EXPECT_EQ(owner.Components(0), b);
  b->Free();
  EXPECT_EQ(owner.ComponentCount(), 0);
}

TEST(Ownership, InsertAndRemoveMoveComponentsBetweenOwners) {
  TComponent first(nullptr), second(nullptr);
  auto* a = Widget(&first, "A");
  second.InsertComponent(a);
  EXPECT_EQ(first.ComponentCount(), 0);
  EXPECT_EQ(second.FindComponent("A"), a);
  EXPECT_EQ(a->Owner(), &second);
  second.RemoveComponent(a);
  EXPECT_EQ(a->Owner(), nullptr);
  EXPECT_EQ(second.ComponentCount(), 0);
  delete a;

  auto* x = Widget(&first, "X");
  Widget(&second, "X");
  EXPECT_EQ(ErrorOf([&] { second.InsertComponent(x); }), "A component named X already exists");
  EXPECT_EQ(x->Owner(), &first);  // left where it was
}

TEST(Names, MustBeIdentifiersAndUniqueAmongTheOwnersComponents) {
  TComponent owner(nullptr);
  auto* a = Widget(&owner, "Button1");
  auto* b = new TTestWidget(&owner);
  EXPECT_EQ(ErrorOf([&] { b->SetName("button1"); }), "A component named button1 already exists");
  EXPECT_EQ(ErrorOf([&] { b->SetName("1abc"); }), "'1abc' is not a valid component name");
  EXPECT_EQ(ErrorOf([&] { b->SetName("two words"); }), "'two words' is not a valid component name");
  EXPECT_EQ(ErrorOf([&] { b->SetName("Düğme"); }), "'Düğme' is not a valid component name");
  EXPECT_EQ(b->Name(), "");
  a->SetName("BUTTON1");  // only the case changes
  EXPECT_EQ(a->Name(), "BUTTON1");
  b->SetName("_Button_2");
  new TTestWidget(&owner);  // several unnamed components are fine
  EXPECT_EQ(owner.FindComponent("button1"), a);
  EXPECT_EQ(owner.FindComponent("_BUTTON_2"), b);
  EXPECT_EQ(owner.FindComponent(""), nullptr);
  EXPECT_EQ(owner.FindComponent("Button3"), nullptr);
  EXPECT_EQ(a->GetNamePath(), "BUTTON1");
  EXPECT_TRUE(IsValidIdent("a1_"));
  EXPECT_FALSE(IsValidIdent(""));
}

TEST(Notifications, SiblingsHearInsertionsAndRemovals) {
  TComponent owner(nullptr);
  auto* observer = new TObserver(&owner);
  auto* a = Widget(&owner, "A");
  a->Free();
  // The insertion is announced from the constructor, before the widget is whole.
  EXPECT_EQ(observer->heard, (std::vector<std::string>{"insert  component", "remove A widget"}));
}

TEST(Notifications, ReferencesAreClearedWhenTheTargetGoes) {
  TComponent owner(nullptr), other(nullptr);
  auto* a = Widget(&owner, "A");
  auto* b = Widget(&owner, "B");
  auto* far = Widget(&other, "Far");
  a->SetBuddy(b);
  b->SetBuddy(far);  // another owner: through FreeNotification
  delete b;
  EXPECT_EQ(a->GetBuddy(), nullptr);
  auto* c = Widget(&owner, "C");
  c->SetBuddy(far);
  EXPECT_TRUE(far->ComponentState().Contains(csFreeNotification));
  delete far;
  EXPECT_EQ(c->GetBuddy(), nullptr);

  // Either side going first ends the link: nothing reports to a deleted component
  // (AddressSanitizer would see it).
  auto* g = Widget(&other, "G");
  auto* d = Widget(&owner, "D");
  d->SetBuddy(g);
  d->SetBuddy(nullptr);
  delete d;
  auto* e = Widget(&owner, "E");
  e->SetBuddy(g);
  delete e;
  delete g;
  EXPECT_EQ(other.ComponentCount(), 0);
}

TEST(Notifications, FreeAnnouncesTheRemovalWhileTheComponentIsWhole) {
  TComponent owner(nullptr);
  auto* observer = new TObserver(&owner);
  Widget(&owner, "A")->Free();
  EXPECT_EQ(observer->heard.back(), "remove A widget");
}

TEST(ComponentState, DestroyingAndLoadingFlags) {
  TComponent owner(nullptr);
  auto* a = Widget(&owner, "A");
  EXPECT_FALSE(a->IsDestroying());
  owner.Destroying();
  EXPECT_TRUE(owner.IsDestroying());
  EXPECT_TRUE(a->ComponentState().Contains(csDestroying));

  TComponent designed(nullptr);
  auto* d = Widget(&designed, "D");
  designed.SetDesigning(true);
  EXPECT_TRUE(d->IsDesigning());
  designed.SetDesigning(false, false);
  EXPECT_FALSE(designed.IsDesigning());
  EXPECT_TRUE(d->IsDesigning());
}

TEST(Children, PlainComponentsGiveTheirUnparentedComponents) {
  TComponent root(nullptr);
  auto* panel = new TTestPanel(&root);
  auto* inner = new TTestPanel(&root);
  auto* loose = Widget(&root, "Loose");
  inner->SetParent(panel);
  std::vector<TComponent*> children;
  root.GetChildren([&](TComponent* c) { children.push_back(c); }, &root);
  EXPECT_EQ(children, (std::vector<TComponent*>{panel, loose}));
  children.clear();
  panel->GetChildren([&](TComponent* c) { children.push_back(c); }, &root);
  EXPECT_EQ(children, (std::vector<TComponent*>{inner}));
}

TEST(Collections, AddInsertDeleteAndIndexes) {
  TCollection items(TTestItem::StaticClassInfo());
  auto* a = static_cast<TTestItem*>(items.Add());
  auto* b = static_cast<TTestItem*>(items.Add());
  auto* c = static_cast<TTestItem*>(items.Insert(0));
  ASSERT_EQ(items.Count(), 3);
  EXPECT_EQ(items.Items(0), c);
  EXPECT_EQ(a->Index(), 1);
  EXPECT_EQ(a->ID(), 0);
  EXPECT_EQ(c->ID(), 2);
  EXPECT_EQ(items.FindItemID(1), b);
  EXPECT_EQ(items.FindItemID(7), nullptr);
  b->SetIndex(0);
  EXPECT_EQ(items.Items(0), b);
  items.Delete(0);
  EXPECT_EQ(items.Count(), 2);
  EXPECT_EQ(ErrorOf([&] { items.Items(2); }), "List index out of bounds (2)");
  EXPECT_EQ(ErrorOf([&] { items.Insert(5); }), "List index out of bounds (5)");
  delete a;  // an item leaves its collection
  EXPECT_EQ(items.Count(), 1);
  EXPECT_EQ(items.Items(0), c);
  items.Clear();
  EXPECT_EQ(items.Count(), 0);
}

TEST(Collections, AssignCopiesItemsAndNamePathsNameTheProperty) {
  TComponent owner(nullptr);
  auto* w = Widget(&owner, "Widget1");
  auto* first = static_cast<TTestItem*>(w->GetItems()->Add());
  first->Caption = "x";
  first->Value = 3;
  w->GetItems()->Add();
  EXPECT_EQ(w->GetItems()->GetNamePath(), "Widget1.Items");
  EXPECT_EQ(w->Item(1)->GetNamePath(), "Widget1.Items[1]");

  TCollection copy(TTestItem::StaticClassInfo());
  copy.Assign(w->GetItems());
  ASSERT_EQ(copy.Count(), 2);
  EXPECT_EQ(static_cast<TTestItem*>(copy.Items(0))->Caption, "x");
  EXPECT_EQ(static_cast<TTestItem*>(copy.Items(0))->Value, 3);
  EXPECT_EQ(copy.Items(0)->GetDisplayName(), "TTestItem");
}

namespace {
class TCountingCollection : public TCollection {
public:
  TCountingCollection() : TCollection(TTestItem::StaticClassInfo()) {}
  int updates = 0;

protected:
  void Update(TCollectionItem*) override { ++updates; }
};
}  // namespace

TEST(Collections, UpdateBracketsReportOnce) {
  TCountingCollection items;
  items.Add();
  EXPECT_EQ(items.updates, 1);
  items.BeginUpdate();
  items.Add();
  items.Add();
  items.Delete(0);
  EXPECT_EQ(items.updates, 1);
  items.EndUpdate();
  EXPECT_EQ(items.updates, 2);
  EXPECT_EQ(items.UpdateCount(), 0);
}
