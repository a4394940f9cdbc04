// Published properties: the class registry, property tables, run-time access by kind and as
// text, type descriptions, events and handler methods.
#include <gtest/gtest.h>

#include "object_test_classes.h"
#include "toolkit/core/exceptions.h"
#include "toolkit/core/properties.h"

namespace {

// A descendant that changes an inherited property's default and adds one of its own.
class TTestWidgetEx : public TTestWidget {
  QUILLIMO_CLASS(TTestWidgetEx, TTestWidget)
public:
  using TTestWidget::TTestWidget;
  bool extra = false;
};

std::vector<std::string> Names(const std::vector<const TPropInfo*>& props) {
  std::vector<std::string> names;
  for (const TPropInfo* p : props) names.push_back(p->Name);
  return names;
}

}  // namespace

QUILLIMO_REGISTER_CLASS(TTestWidgetEx, [](TPropertyTable& p) {
  p.Integer("Small", &TTestWidget::Small, 5);
  p.Bool("Extra", &TTestWidgetEx::extra, false);
})

TEST(ClassRegistry, FindsClassesByNameIgnoringCaseAndKnowsTheirAncestry) {
  const TClassInfo* cls = TClassInfo::Find("ttestwidget");
  ASSERT_NE(cls, nullptr);
  EXPECT_EQ(cls, &TTestWidget::StaticClassInfo());
  EXPECT_EQ(cls->Name(), "TTestWidget");
  EXPECT_EQ(cls->Parent(), &TComponent::StaticClassInfo());
  EXPECT_TRUE(cls->InheritsFrom(TPersistent::StaticClassInfo()));
  EXPECT_TRUE(cls->InheritsFrom("tobject"));
  EXPECT_FALSE(cls->InheritsFrom("TCollection"));
  EXPECT_EQ(TClassInfo::Find("TNoSuchClass"), nullptr);
  EXPECT_NE(TClassInfo::Find("TPersistent"), nullptr);
  EXPECT_NE(TClassInfo::Find("TStringList"), nullptr);
}

TEST(ClassRegistry, CreatesComponentsAndCollectionItemsButNotOtherClasses) {
  TComponent owner(nullptr);
  TObject* created = TTestWidget::StaticClassInfo().Create(&owner);
  ASSERT_NE(dynamic_cast<TTestWidget*>(created), nullptr);
  EXPECT_EQ(static_cast<TComponent*>(created)->Owner(), &owner);
  EXPECT_FALSE(TTestFont::StaticClassInfo().CanCreate());
  EXPECT_FALSE(TPersistent::StaticClassInfo().CanCreate());
  EXPECT_FALSE(TTestWidget::StaticClassInfo().CanCreateItem());
  EXPECT_EQ(TTestFont::StaticClassInfo().Create(nullptr), nullptr);

  TCollection items(TTestItem::StaticClassInfo());
  EXPECT_TRUE(TTestItem::StaticClassInfo().CanCreateItem());
  EXPECT_NE(dynamic_cast<TTestItem*>(items.Add()), nullptr);
}

TEST(PropertyTable, ListsInheritedPropertiesFirstAndRedeclarationsInPlace) {
  TComponent owner(nullptr);
  TTestWidget widget(&owner);
  auto names = Names(GetPropList(&widget));
  ASSERT_GE(names.size(), 4u);
  EXPECT_EQ(names[0], "Name");
  EXPECT_EQ(names[1], "Tag");
  EXPECT_EQ(names[2], "Caption");
  EXPECT_EQ(names.back(), "OnClick");

  TTestWidgetEx ex(&owner);
  auto exNames = Names(GetPropList(&ex));
  EXPECT_EQ(exNames.size(), names.size() + 1);
  EXPECT_EQ(exNames[4], "Small");  // same place as in the parent
  EXPECT_EQ(exNames.back(), "Extra");
  EXPECT_EQ(GetPropInfo(&ex, "Small")->Default, 5);
  EXPECT_EQ(GetPropInfo(&widget, "Small")->Default, 9);
}

TEST(PropertyTable, FindsPropertiesIgnoringCase) {
  TTestWidget widget(nullptr);
  EXPECT_EQ(GetPropInfo(&widget, "caption"), GetPropInfo(&widget, "CAPTION"));
  EXPECT_NE(GetPropInfo(&widget, "caption"), nullptr);
  EXPECT_EQ(GetPropInfo(&widget, "Nope"), nullptr);
  EXPECT_FALSE(IsPublishedProp(&widget, "Nope"));
  EXPECT_TRUE(IsPublishedProp(&widget, "onclick"));
  EXPECT_EQ(ErrorOf([&] { GetStrProp(&widget, "Nope"); }), "Property Nope does not exist");
}

TEST(PropertyTypes, DescribeEachKindWithTheClassicNames) {
  TTestWidget w(nullptr);
  auto type = [&](const char* name) { return GetPropInfo(&w, name)->PropType; };
  EXPECT_EQ(type("Count")->Name, "Integer");
  EXPECT_EQ(type("Count")->OrdType, otSLong);
  EXPECT_EQ(type("Small")->Name, "Byte");
  EXPECT_EQ(type("Small")->OrdType, otUByte);
  EXPECT_EQ(type("Wide")->Name, "Word");
  EXPECT_EQ(type("Wide")->MaxValue, 65535);
  EXPECT_EQ(type("Big")->Kind, tkInt64);
  EXPECT_EQ(type("Letter")->Kind, tkChar);
  EXPECT_EQ(type("Initial")->Kind, tkWChar);
  EXPECT_EQ(type("Align")->Kind, tkEnumeration);
  EXPECT_EQ(type("Align")->EnumNames, (std::vector<std::string>{"taNone", "taTop", "taBottom", "taClient"}));
  EXPECT_EQ(type("Visible")->Name, "Boolean");
  EXPECT_EQ(type("Visible")->EnumNames, (std::vector<std::string>{"False", "True"}));
  EXPECT_EQ(type("Options")->Kind, tkSet);
  EXPECT_EQ(type("Options")->CompType, &EnumTypeInfo<TTestOption>());
  EXPECT_EQ(type("Ratio")->Kind, tkFloat);
  EXPECT_EQ(type("Caption")->Kind, tkLString);
  EXPECT_EQ(type("Font")->Kind, tkClass);
  EXPECT_EQ(type("Font")->Name, "TTestFont");
  EXPECT_EQ(GetObjectPropClass(*GetPropInfo(&w, "Buddy")), &TComponent::StaticClassInfo());
  EXPECT_EQ(type("OnClick")->Kind, tkMethod);
  EXPECT_TRUE(IsStringKind(type("Caption")->Kind));
  EXPECT_FALSE(GetPropInfo(&w, "Version")->IsWritable());
  EXPECT_TRUE(GetPropInfo(&w, "Version")->IsReadable());
}

TEST(PropertyTypes, TypeKindsKeepTheClassicOrder) {
  EXPECT_EQ(static_cast<int>(tkInteger), 1);
  EXPECT_EQ(static_cast<int>(tkClass), 7);
  EXPECT_EQ(static_cast<int>(tkWString), 11);
  EXPECT_EQ(static_cast<int>(tkInt64), 16);
  EXPECT_EQ(TypeKindName(tkDynArray), "tkDynArray");
  EXPECT_EQ(TypeKindName(tkLString), "tkLString");
  EXPECT_EQ(TypeKindName(99), "");
}

TEST(OrdinalProperties, ReadAndWriteWithRangeChecks) {
  TTestWidget w(nullptr);
  SetOrdProp(&w, "Count", -12345);
  EXPECT_EQ(w.Count, -12345);
  EXPECT_EQ(GetOrdProp(&w, "count"), -12345);
  SetOrdProp(&w, "Small", 255);
  EXPECT_EQ(w.Small, 255);
  EXPECT_EQ(ErrorOf([&] { SetOrdProp(&w, "Small", 256); }), "Invalid property value");
  EXPECT_EQ(ErrorOf([&] { SetOrdProp(&w, "Small", -1); }), "Invalid property value");
  EXPECT_EQ(w.Small, 255);
  SetInt64Prop(&w, "Big", -5000000000);
  EXPECT_EQ(GetInt64Prop(&w, "Big"), -5000000000);
  EXPECT_EQ(ErrorOf([&] { SetOrdProp(&w, "Align", 4); }), "Invalid property value");
  EXPECT_EQ(ErrorOf([&] { GetOrdProp(&w, "Caption"); }), "Invalid property type: string");
  EXPECT_EQ(ErrorOf([&] { SetOrdProp(&w, "Options", 1 << 4); }), "Invalid property value");
}

TEST(EnumerationProperties, ReadAndWriteByValueName) {
  TTestWidget w(nullptr);
  SetEnumProp(&w, "Align", "TACLIENT");
  EXPECT_EQ(w.Align, taClient);
  EXPECT_EQ(GetEnumProp(&w, "Align"), "taClient");
  SetEnumProp(&w, "Visible", "false");
  EXPECT_FALSE(w.Visible);
  EXPECT_EQ(GetEnumProp(&w, "Visible"), "False");
  EXPECT_EQ(ErrorOf([&] { SetEnumProp(&w, "Align", "taLeft"); }), "Invalid property element: taLeft");
  EXPECT_EQ(w.Align, taClient);
  EXPECT_EQ(ErrorOf([&] { SetEnumProp(&w, "Count", "x"); }), "Invalid property type: Integer");
}

TEST(SetProperties, UseTheBracketNotation) {
  TTestWidget w(nullptr);
  SetSetProp(&w, "Options", "[toUnderline, toBold]");
  EXPECT_EQ(w.Options, (TTestOptions{toBold, toUnderline}));
  EXPECT_EQ(GetSetProp(&w, "Options"), "[toBold,toUnderline]");
  EXPECT_EQ(GetSetProp(&w, "Options", false), "toBold,toUnderline");
  SetSetProp(&w, "Options", " toItalic ");
  EXPECT_EQ(w.Options, TTestOptions{toItalic});
  SetSetProp(&w, "Options", "[]");
  EXPECT_TRUE(w.Options.Empty());
  EXPECT_EQ(ErrorOf([&] { SetSetProp(&w, "Options", "[toBold, toHuge]"); }), "Invalid property element: toHuge");
  EXPECT_EQ(ErrorOf([&] { SetSetProp(&w, "Options", "[toBold"); }), "Invalid property element: [toBold");
  EXPECT_TRUE(w.Options.Empty());
  EXPECT_EQ(GetOrdProp(&w, "Anchors"), 0);
  w.Anchors = {toStrikeOut};
  EXPECT_EQ(GetOrdProp(&w, "Anchors"), 8);  // bit n = ordinal n
}

TEST(SetType, CombinesAndTestsElements) {
  TTestOptions s{toBold, toStrikeOut};
  EXPECT_TRUE(s.Contains(toBold));
  EXPECT_FALSE(s.Contains(toItalic));
  EXPECT_EQ(s.Bits(), 9u);
  EXPECT_EQ(s + TTestOptions{toItalic}, (TTestOptions{toBold, toItalic, toStrikeOut}));
  EXPECT_EQ(s - TTestOptions{toBold}, TTestOptions{toStrikeOut});
  EXPECT_EQ(s * (TTestOptions{toBold, toItalic}), TTestOptions{toBold});
  s.Exclude(toBold).Include(toUnderline);
  EXPECT_EQ(SetToString(SetTypeInfoOf<TTestOptions>(), s.Bits()), "[toUnderline,toStrikeOut]");
  EXPECT_EQ(StringToSet(SetTypeInfoOf<TTestOptions>(), "toStrikeOut,toUnderline"), s.Bits());
}

TEST(StringProperties, AreUtf8AndWideOnRequest) {
  TTestWidget w(nullptr);
  SetStrProp(&w, "Caption", "Türkçe");
  EXPECT_EQ(w.Caption, "Türkçe");
  EXPECT_EQ(GetWideStrProp(&w, "Caption"), u"Türkçe");
  SetWideStrProp(&w, "Caption", u"Başlasın");
  EXPECT_EQ(GetStrProp(&w, "Caption"), "Başlasın");
  EXPECT_EQ(GetStrProp(&w, "Version"), "1.0");
  EXPECT_EQ(ErrorOf([&] { SetStrProp(&w, "Version", "2.0"); }), "Property Version is read-only");
  EXPECT_EQ(ErrorOf([&] { SetStrProp(&w, "Count", "2"); }), "Invalid property type: Integer");
}

TEST(FloatProperties, ReadAndWriteDoubles) {
  TTestWidget w(nullptr);
  SetFloatProp(&w, "Ratio", 0.1);
  EXPECT_EQ(GetFloatProp(&w, "Ratio"), 0.1);
  EXPECT_EQ(GetPropValue(&w, "Ratio"), "0.1");
  SetPropValue(&w, "Ratio", "-2.5e3");
  EXPECT_EQ(w.Ratio, -2500.0);
  EXPECT_EQ(ErrorOf([&] { SetPropValue(&w, "Ratio", "1,5"); }), "'1,5' is not a valid floating point value");
}

TEST(ObjectProperties, GiveTheSubObjectAndCheckTheClassOnWriting) {
  TTestForm form(nullptr);
  auto* w1 = new TTestWidget(&form);
  auto* w2 = new TTestWidget(&form);
  w1->SetName("W1");
  w2->SetName("W2");
  EXPECT_EQ(GetObjectProp(w1, "Font"), w1->GetFont());
  TTestFont other;
  other.Name = "Tahoma";
  SetObjectProp(w1, "Font", &other);  // the setter assigns
  EXPECT_EQ(w1->GetFont()->Name, "Tahoma");
  EXPECT_EQ(ErrorOf([&] { SetObjectProp(w1, "Font", w2); }), "Invalid property value");

  SetPropValue(w1, "Buddy", "w2");
  EXPECT_EQ(w1->GetBuddy(), w2);
  EXPECT_EQ(GetPropValue(w1, "Buddy"), "W2");
  EXPECT_EQ(ErrorOf([&] { SetPropValue(w1, "Buddy", "W3"); }), "Invalid property value");
  SetPropValue(w1, "Buddy", "");
  EXPECT_EQ(w1->GetBuddy(), nullptr);
  EXPECT_EQ(GetPropValue(w1, "Font"), "");

  // String lists read and write as comma text.
  SetPropValue(w1, "Lines", "one,\"two words\"");
  EXPECT_EQ(w1->GetLines()->Count(), 2);
  EXPECT_EQ(w1->GetLines()->Strings(1), "two words");
  EXPECT_EQ(GetPropValue(w1, "Lines"), "one,\"two words\"");
}

TEST(PropertyText, ConvertsEveryKindBothWays) {
  TTestWidget w(nullptr);
  SetPropValue(&w, "Count", "$10");
  SetPropValue(&w, "Letter", "Q");
  SetPropValue(&w, "Initial", "ş");
  SetPropValue(&w, "Align", "taTop");
  SetPropValue(&w, "Visible", "False");
  SetPropValue(&w, "Anchors", "[toItalic]");
  SetPropValue(&w, "Big", "-9000000000");
  EXPECT_EQ(w.Count, 16);
  EXPECT_EQ(w.Letter, 'Q');
  EXPECT_EQ(w.Initial, u'ş');
  EXPECT_EQ(GetPropValue(&w, "Count"), "16");
  EXPECT_EQ(GetPropValue(&w, "Letter"), "Q");
  EXPECT_EQ(GetPropValue(&w, "Initial"), "ş");
  EXPECT_EQ(GetPropValue(&w, "Align"), "taTop");
  EXPECT_EQ(GetPropValue(&w, "Visible"), "False");
  EXPECT_EQ(GetPropValue(&w, "Anchors"), "[toItalic]");
  EXPECT_EQ(GetPropValue(&w, "Big"), "-9000000000");
  EXPECT_EQ(ErrorOf([&] { SetPropValue(&w, "Count", "12a"); }), "'12a' is not a valid integer value");
  EXPECT_EQ(ErrorOf([&] { SetPropValue(&w, "Letter", "ab"); }), "Invalid property value");
  EXPECT_EQ(ErrorOf([&] { SetPropValue(&w, "Count", "99999999999"); }), "Invalid property value");
}

TEST(StorageRules, DefaultsAndStoredPredicates) {
  TTestWidget w(nullptr);
  auto prop = [&](const char* name) { return *GetPropInfo(&w, name); };
  EXPECT_TRUE(IsDefaultPropValue(&w, prop("Small")));  // 9 is its default
  w.Small = 10;
  EXPECT_FALSE(IsDefaultPropValue(&w, prop("Small")));
  EXPECT_FALSE(IsDefaultPropValue(&w, prop("Count")));   // no default: always stored
  EXPECT_TRUE(IsDefaultPropValue(&w, prop("Caption")));  // empty text
  EXPECT_TRUE(IsDefaultPropValue(&w, prop("Ratio")));    // zero
  EXPECT_TRUE(IsDefaultPropValue(&w, prop("Options")));  // default []
  EXPECT_FALSE(IsDefaultPropValue(&w, prop("Anchors")));
  EXPECT_FALSE(IsStoredProp(&w, prop("Hidden")));
  EXPECT_TRUE(IsStoredProp(&w, prop("Count")));
  EXPECT_FALSE(IsStoredProp(&w, prop("Name")));
}

TEST(Events, BindToPublishedMethodsByNameAndRememberTheName) {
  TTestForm form(nullptr);
  auto* w = new TTestWidget(&form);
  SetMethodProp(w, "OnClick", TMethod{&form, "button1click", {}});
  ASSERT_TRUE(w->OnClick.Assigned());
  EXPECT_EQ(w->OnClick.MethodName(), "Button1Click");
  EXPECT_EQ(w->OnClick.Target(), &form);
  w->OnClick(w);
  EXPECT_EQ(form.clicks, 1);
  EXPECT_EQ(form.lastSender, w);
  EXPECT_EQ(GetPropValue(w, "OnClick"), "Button1Click");
  EXPECT_EQ(GetMethodProp(w, "OnClick").Data, &form);

  EXPECT_EQ(ErrorOf([&] { SetMethodProp(w, "OnClick", TMethod{&form, "Missing", {}}); }), "Method Missing not found");
  EXPECT_EQ(ErrorOf([&] {
              SetMethodProp(w, "OnClick", TMethod{&form, "Resized", {}});
            }),
            "Method Resized is not compatible with this event");
  EXPECT_EQ(w->OnClick.MethodName(), "Button1Click");  // unchanged by the failures

  SetPropValue(w, "OnClick", "");
  EXPECT_FALSE(w->OnClick.Assigned());
  w->OnClick(w);  // an unassigned event does nothing
  EXPECT_EQ(form.clicks, 1);
}

TEST(Events, HandlersFromCodeHaveNoNameAndCanBeCopied) {
  TTestWidget a(nullptr), b(nullptr);
  int calls = 0;
  a.OnClick = [&](TObject*) { ++calls; };
  TMethod m = GetMethodProp(&a, "OnClick");
  EXPECT_TRUE(m.Assigned());
  EXPECT_TRUE(m.Name.empty());
  EXPECT_TRUE(IsDefaultPropValue(&a, *GetPropInfo(&a, "OnClick")));  // nothing to store
  SetMethodProp(&b, "OnClick", m);
  b.OnClick(&b);
  EXPECT_EQ(calls, 1);
  SetMethodProp(&b, "OnClick", TMethod{});
  EXPECT_FALSE(b.OnClick.Assigned());
}

TEST(Persistent, AssignWithoutAWayRaisesTheConvertError) {
  TTestFont font;
  TCollection items(TTestItem::StaticClassInfo());
  TTestItem* item = static_cast<TTestItem*>(items.Add());
  EXPECT_EQ(ErrorOf([&] { font.Assign(item); }), "Cannot assign a TTestItem to a TTestFont.");
  EXPECT_EQ(ErrorOf([&] { font.Assign(nullptr); }), "Cannot assign a nil to a TTestFont.");
  EXPECT_THROW(font.Assign(item), EConvertError);
}
