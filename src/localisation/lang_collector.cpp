// Collecting the translation table from the owner form: every translatable published
// property of the owner and of the components it owns gets a line in its section, keyed by
// the component's name (the owner's class name for the owner). Existing lines are refreshed
// with the shown text only at design time, so an untranslated value is never filled with
// the designer's text; lines of renamed components are taken over from the lines the
// pruning removed when their text matches.
#include "localisation/charsets.h"
#include "localisation/lang_apply.h"
#include "localisation/lang_component.h"
#include "localisation/lang_dispatcher.h"
#include "localisation/restoring_scope.h"
#include "localisation/translation_table.h"
#include "toolkit/core/collection.h"
#include "toolkit/core/tfont.h"
#include "toolkit/core/text.h"

namespace {

bool IsReadWrite(const TPropInfo* prop) { return prop && prop->IsReadable() && prop->IsWritable(); }

TObject* ObjectPropOrNull(TObject* obj, std::string_view name) {
  const TPropInfo* prop = obj ? GetPropInfo(obj, name) : nullptr;
  return prop && prop->Kind() == tkClass && prop->IsReadable() ? GetObjectProp(obj, *prop) : nullptr;
}

TFont* FontOf(TObject* obj) {
  const TPropInfo* prop = GetPropInfo(obj, "Font");
  const TClassInfo* cls = prop && prop->Kind() == tkClass ? GetObjectPropClass(*prop) : nullptr;
  if (!cls || !SameText(cls->Name(), "TFont") || !IsReadWrite(prop)) return nullptr;
  return dynamic_cast<TFont*>(GetObjectProp(obj, *prop));
}

bool UsesParentFont(TComponent* component) {
  const TPropInfo* prop = GetPropInfo(component, "ParentFont");
  return prop && prop->Kind() == tkEnumeration && prop->IsReadable() && GetOrdProp(component, *prop) != 0;
}

bool TakesCaptionFromAction(TComponent* component) { return ObjectPropOrNull(component, "Action") != nullptr; }

bool IsStringProp(const TPropInfo* prop) { return IsReadWrite(prop) && IsStringKind(prop->Kind()); }

// The value for a language (1-based) of a line with at least the key.
std::string Field(const std::string& line, char delim, int k) { return ExtractLangField(line, delim, k); }

// One pass of the collector over a component's table.
class TCollector {
public:
  explicit TCollector(TlcCustomLang& lang)
      : lang_(lang),
        owner_(*lang.Owner()),
        d_(lang.Delim()),
        n_(lang.NumOfLanguages()),
        active_(lang.ActiveLanguage()),
        designing_(lang.IsDesigning()) {}

  void Run() {
    CollectOwnerEntry(stCaptions, "Caption");
    CollectOwnerEntry(stHints, "Hint");
    CollectOwnerEntry(stFonts, "Font");
    lang_.Applier().ClearRemovedLines();
    const struct {
      int t;
      const char* prop;
    } order[] = {{stCaptions, "Caption"}, {stHints, "Hint"},       {stDisplayLabels, "DisplayLabel"},
                 {stFonts, "Font"},       {stMultiLines, nullptr}, {stOtherStrings, nullptr},
                 {stCollections, nullptr}};
    for (const auto& step : order) {
      TStrings* section = lang_.SectionStrings(step.t);
      if (!section || (step.prop && Excluded(step.prop))) continue;
      if (step.t == stFonts && !lang_.Applier().OwnerHasFont()) continue;
      lang_.Applier().PruneSection(section, step.t);
      CollectSection(step.t);
      lang_.Applier().RemovedLines()->Clear();
    }
    CheckPropertyKinds();
    RefreshExtendedTranslations();
  }

private:
  TStrings* Section(int t) const { return lang_.SectionStrings(t); }
  bool Excluded(const std::string& prop) const { return lang_.ExcludedProperties()->IndexOf(prop) >= 0; }
  bool CharsetsWanted() const { return Section(stCharSets) && !Excluded("Charset"); }

  // Index of the line keyed exactly with key (case-insensitive), -1 if none.
  int FindLine(const TStrings& section, std::string_view key) const {
    for (int i = 0; i < section.Count(); ++i)
      if (SameText(LineKey(section.Strings(i), d_), key)) return i;
    return -1;
  }
  void RemoveLines(int t, std::string_view key) {
    if (TStrings* section = Section(t))
      for (int i = section->Count() - 1; i >= 0; --i)
        if (SameText(LineKey(section->Strings(i), d_), key)) section->Delete(i);
  }
  std::string NewLine(std::string_view key, std::string_view text) const { return MakeLine(key, d_, text, n_); }

  // ---- The owner's own caption, hint and font (line 0 of their sections)

  void CollectOwnerEntry(int t, const std::string& prop) {
    TStrings* section = Section(t);
    if (!section) return;
    const std::string& cls = owner_.ClassName();
    std::string text;
    TFont* font = nullptr;
    if (t == stFonts) {
      font = FontOf(&owner_);
      if (!font) return;
      text = font->Name();
    } else {
      const TPropInfo* info = GetPropInfo(&owner_, prop);
      if (!info || !IsStringKind(info->Kind())) return;
      text = GetStrProp(&owner_, *info);
    }
    const bool excluded = lang_.SmartExcludeProps()->IndexOf(cls + "." + prop) >= 0 || Excluded(prop) ||
                          lang_.Table().IsDoNotTranslate(cls);
    if (excluded) {
      RemoveLines(t, cls);
      if (font) RemoveLines(stCharSets, cls);
      return;
    }
    PutOwnerLine(*section, text);
    if (font && CharsetsWanted()) PutOwnerLine(*Section(stCharSets), CharsetToIdentifier(font->Charset()), false);
  }

  void PutOwnerLine(TStrings& section, const std::string& text, bool refresh = true) {
    const std::string& cls = owner_.ClassName();
    const std::string& name = owner_.Name();
    if (section.Count() > 0) {
      std::string line = section.Strings(0);
      const std::string key = LineKey(line, d_);
      // Line 0 under the owner's name, or under the key of no existing component but with
      // the owner's text, is the owner's entry under an older key.
      const bool oldKey = !name.empty() && SameText(key, name);
      const bool sameText = !SameText(key, cls) && !owner_.FindComponent(key) && Field(line, d_, 1) == text;
      if (oldKey || sameText) {
        line = cls + line.substr(key.size());
        section.SetStrings(0, line);
      }
    }
    const std::string key0 = section.Count() > 0 ? LineKey(section.Strings(0), d_) : std::string();
    if (section.Count() == 0 || !(SameText(key0, cls) || (!owner_.Name().empty() && SameText(key0, owner_.Name()))))
      section.Insert(0, NewLine(cls, text));
    if (!refresh) return;
    std::string line = section.Strings(0);
    if (Field(line, d_, active_) != text) {
      SetLangField(line, d_, active_, text);
      section.SetStrings(0, line);
    }
  }

  // ---- The components

  // The owned components whose properties are collected.
  std::vector<TComponent*> Components() const {
    std::vector<TComponent*> out;
    for (int i = 0; i < owner_.ComponentCount(); ++i) {
      TComponent* c = owner_.Components(i);
      if (c->Name().empty() || dynamic_cast<TlcCustomLang*>(c) || dynamic_cast<TlcLangDispatcher*>(c)) continue;
      if (lang_.Table().IsDoNotTranslate(c->Name())) continue;
      out.push_back(c);
    }
    return out;
  }

  // An existing line follows the shown text only at design time, and then never fills an
  // untranslated value of another language than the first. A new line takes over the
  // values of a removed line with the same text. Returns the reused line's key, if any.
  std::string Put(int t, const std::string& key, const std::string& text, bool mayAdd = true) {
    TStrings& section = *Section(t);
    if (int i = FindLine(section, key); i >= 0) {
      std::string line = section.Strings(i);
      const std::string current = Field(line, d_, active_);
      if (designing_ && current != text && (!current.empty() || active_ == 1)) {
        SetLangField(line, d_, active_, text);
        section.SetStrings(i, line);
      }
      return {};
    }
    if (!mayAdd) return {};
    if (!text.empty()) {
      TStringList* pool = lang_.Applier().RemovedLines();
      for (int r = 0; r < pool->Count(); ++r) {
        const std::string removed = pool->Strings(r);
        std::string value = Field(removed, d_, active_);
        if (value.empty()) value = Field(removed, d_, 1);
        const std::size_t first = removed.find(d_);
        if (value != text || first == std::string::npos) continue;
        section.Add(key + removed.substr(first));
        return LineKey(removed, d_);
      }
    }
    section.Add(NewLine(key, text));
    return {};
  }

  void CollectSection(int t) {
    switch (t) {
      case stCaptions:
      case stHints:
      case stDisplayLabels: CollectText(t); break;
      case stFonts: CollectFonts(); break;
      case stMultiLines: CollectMultiLines(); break;
      case stOtherStrings: CollectOtherStrings(); break;
      case stCollections: CollectCollections(); break;
    }
  }

  void CollectText(int t) {
    const char* propName = t == stCaptions ? "Caption" : t == stHints ? "Hint" : "DisplayLabel";
    for (TComponent* c : Components()) {
      const TPropInfo* prop = GetPropInfo(c, propName);
      if (!IsStringProp(prop)) continue;
      const std::string& name = c->Name();
      if (lang_.Table().IsPropExcluded(name, c, propName)) {
        RemoveLines(t, name);
        continue;
      }
      const std::string text = GetStrProp(c, *prop);
      if (t == stCaptions && c->ClassName() == "TMenuItem" && text == "-") continue;
      const bool fromAction = (t == stCaptions || t == stHints) && TakesCaptionFromAction(c);
      Put(t, name, text, !fromAction);
    }
  }

  void CollectFonts() {
    for (TComponent* c : Components()) {
      TFont* font = FontOf(c);
      if (!font) continue;
      const std::string& name = c->Name();
      if (lang_.Table().IsPropExcluded(name, c, "Font") || UsesParentFont(c)) {
        RemoveLines(stFonts, name);
        RemoveLines(stCharSets, name);
        continue;
      }
      const bool isNew = FindLine(*Section(stFonts), name) < 0;
      const std::string reusedKey = Put(stFonts, name, font->Name());
      if (!isNew || !CharsetsWanted() || FindLine(*Section(stCharSets), name) >= 0) continue;
      TStrings& charsets = *Section(stCharSets);
      // A font line taken over from a renamed component brings its charset values along.
      int old = reusedKey.empty() ? -1 : FindLine(charsets, reusedKey);
      if (old >= 0) {
        const std::string line = charsets.Strings(old);
        charsets.Add(name + line.substr(line.find(d_)));
      } else {
        charsets.Add(NewLine(name, CharsetToIdentifier(font->Charset())) + d_);
      }
    }
  }

  // String lists a component holds: its own class-typed properties declared as TStrings
  // or one of StringsTypes, then every string list of its "Properties" object.
  void CollectMultiLines() {
    for (TComponent* c : Components()) {
      if (c->ClassName() == "TFormStorage") continue;
      const std::string& name = c->Name();
      for (const TPropInfo* prop : GetPropList(c)) {
        if (prop->Kind() != tkClass || !IsReadWrite(prop)) continue;
        const TClassInfo* cls = GetObjectPropClass(*prop);
        if (!cls || !(cls->Name() == "TStrings" || lang_.StringsTypes()->IndexOf(cls->Name()) >= 0)) continue;
        auto* list = dynamic_cast<TStrings*>(GetObjectProp(c, *prop));
        if (!list) continue;
        PutOrRemove(stMultiLines, c, prop->Name, name + "." + prop->Name, list->CommaText());
      }
      TObject* properties = ObjectPropOrNull(c, "Properties");
      if (!properties) continue;
      for (const TPropInfo* prop : GetPropList(properties)) {
        if (prop->Kind() != tkClass || !IsReadWrite(prop)) continue;
        if (auto* list = dynamic_cast<TStrings*>(GetObjectProp(properties, *prop)))
          PutOrRemove(stMultiLines, c, prop->Name, name + ".Properties." + prop->Name, list->CommaText());
      }
    }
  }

  void PutOrRemove(int t, TComponent* c, const std::string& prop, const std::string& key, const std::string& text) {
    if (lang_.Table().IsPropExcluded(c == &owner_ ? owner_.ClassName() : c->Name(), c, prop))
      RemoveLines(t, key);
    else
      Put(t, key, text);
  }

  void CollectOtherStrings() {
    std::vector<TComponent*> components = Components();
    components.insert(components.begin(), &owner_);
    for (TComponent* c : components) {
      const std::string name = c == &owner_ ? owner_.ClassName() : c->Name();
      for (const TPropInfo* prop : GetPropList(c)) {
        if (!IsStringProp(prop)) continue;
        const std::string& p = prop->Name;
        if (SameText(p, "Name") || SameText(p, "Caption") || SameText(p, "Hint") || SameText(p, "DisplayLabel"))
          continue;
        PutOrRemove(stOtherStrings, c, p, name + "." + p, GetStrProp(c, *prop));
      }
      TObject* properties = ObjectPropOrNull(c, "Properties");
      if (!properties) continue;
      for (const TPropInfo* prop : GetPropList(properties))
        if (IsStringProp(prop))
          PutOrRemove(stOtherStrings, c, prop->Name, name + ".Properties." + prop->Name, GetStrProp(properties, *prop));
    }
  }

  // Collection items' string properties, and those of their nested objects (fonts are left
  // to the Fonts section).
  void CollectCollections() {
    for (TComponent* c : Components()) {
      const std::string& name = c->Name();
      CollectCollectionsOf(c, c, name);
      if (TObject* properties = ObjectPropOrNull(c, "Properties"))
        CollectCollectionsOf(c, properties, name + ".Properties");
    }
  }

  void CollectCollectionsOf(TComponent* c, TObject* holder, const std::string& path) {
    for (const TPropInfo* prop : GetPropList(holder)) {
      if (prop->Kind() != tkClass || !prop->IsReadable()) continue;
      auto* collection = dynamic_cast<TCollection*>(GetObjectProp(holder, *prop));
      if (!collection) continue;
      const std::string base = path + "." + prop->Name;
      for (int i = 0; i < collection->Count(); ++i) {
        TObject* item = collection->Items(i);
        const std::string itemPath = base + "[" + IntToStr(i) + "].";
        for (const TPropInfo* ip : GetPropList(item)) {
          if (IsStringProp(ip)) {
            PutCollectionLine(c, prop->Name, ip->Name, itemPath + ip->Name, GetStrProp(item, *ip));
            continue;
          }
          if (ip->Kind() != tkClass || !ip->IsReadable()) continue;
          TObject* nested = GetObjectProp(item, *ip);
          if (!nested || dynamic_cast<TFont*>(nested) || dynamic_cast<TStrings*>(nested) ||
              dynamic_cast<TCollection*>(nested) || dynamic_cast<TComponent*>(nested))
            continue;
          for (const TPropInfo* np : GetPropList(nested))
            if (IsStringProp(np))
              PutCollectionLine(c, prop->Name, np->Name, itemPath + ip->Name + "." + np->Name, GetStrProp(nested, *np));
        }
      }
    }
  }

  void PutCollectionLine(TComponent* c, const std::string& collectionProp, const std::string& itemProp,
                         const std::string& key, const std::string& text) {
    if (lang_.Table().IsPropExcluded(c->Name(), c, collectionProp) || Excluded(itemProp))
      RemoveLines(stCollections, key);
    else
      Put(stCollections, key, text);
  }

  // ---- Lines whose property is gone or of another kind

  TComponent* ResolveComponent(const std::string& name) const {
    if (TComponent* c = owner_.FindComponent(name)) return c;
    if (SameText(name, owner_.ClassName()) || (!owner_.Name().empty() && SameText(name, owner_.Name()))) return &owner_;
    return nullptr;
  }

  // The property a line addresses, and the object holding it; nullptr when it is missing.
  const TPropInfo* LineProperty(int t, const std::string& key, TObject*& holder) const {
    static const char* const fixed[] = {"Caption", "Hint", "DisplayLabel", "Font"};
    if (t == stCaptions || t == stHints || t == stDisplayLabels || t == stFonts || t == stCharSets) {
      holder = ResolveComponent(key);
      return holder ? GetPropInfo(holder, fixed[t == stCharSets ? 3 : t]) : nullptr;
    }
    const std::size_t dot = key.find('.');
    holder = ResolveComponent(key.substr(0, dot));
    if (!holder || dot == std::string::npos) return nullptr;
    std::string path = key.substr(dot + 1);
    if (t == stCollections) path = path.substr(0, path.find('['));
    const std::size_t inner = path.find('.');
    if (inner != std::string::npos) {
      holder = ObjectPropOrNull(holder, path.substr(0, inner));
      if (!holder) return nullptr;
      path = path.substr(inner + 1);
    }
    return GetPropInfo(holder, path);
  }

  void CheckPropertyKinds() {
    for (int t :
         {stCaptions, stHints, stDisplayLabels, stFonts, stCharSets, stMultiLines, stOtherStrings, stCollections}) {
      TStrings* section = Section(t);
      if (!section) continue;
      const bool classTyped = t == stFonts || t == stCharSets || t == stMultiLines;
      for (int i = section->Count() - 1; i >= 0; --i) {
        TObject* holder = nullptr;
        const TPropInfo* prop = LineProperty(t, LineKey(section->Strings(i), d_), holder);
        bool keep = prop != nullptr;
        if (keep && t != stCollections) keep = classTyped ? prop->Kind() == tkClass : IsStringKind(prop->Kind());
        if (!keep) section->Delete(i);
      }
    }
  }

  // ---- Extended translations follow the texts shown

  // The current text of the property an identifier names; false when it names none.
  bool CurrentValue(const std::string& identifier, std::string& value) const {
    TStringList parts;
    parts.SetDelimiter('.');
    parts.SetStrictDelimiter(true);
    parts.SetDelimitedText(identifier);
    if (parts.Count() < 2) return false;
    TObject* obj = parts.Strings(0) == owner_.ClassName() ? &owner_ : owner_.FindComponent(parts.Strings(0));
    for (int p = 1; obj && p + 1 < parts.Count(); ++p) obj = ObjectPropOrNull(obj, parts.Strings(p));
    const TPropInfo* prop = obj ? GetPropInfo(obj, parts.Strings(parts.Count() - 1)) : nullptr;
    if (!prop || !prop->IsReadable() || prop->Kind() == tkMethod) return false;
    if (prop->Kind() == tkClass) {
      auto* list = dynamic_cast<TStrings*>(GetObjectProp(obj, *prop));
      if (!list) return false;
      value = list->CommaText();
      return true;
    }
    value = GetPropValue(obj, *prop);
    return true;
  }

  void RefreshExtendedTranslations() {
    TlcExtendedItems* items = lang_.ExtendedTranslations();
    for (int i = 0; i < items->Count(); ++i) {
      TlcExtendedItem* item = items->Item(i);
      const std::string stored = item->ValueFor(active_, d_);
      std::string current;
      if (stored.empty() || !CurrentValue(item->Identifier(), current) || current == stored) continue;
      // The values are found by word position: rebuilt word by word.
      std::string values;
      for (int k = 1; k <= n_; ++k) {
        values += k == active_ ? current : item->ValueFor(k, d_);
        values += d_;
      }
      item->SetValues(values);
    }
  }

  TlcCustomLang& lang_;
  TComponent& owner_;
  const char d_;
  const int n_;
  const int active_;
  const bool designing_;
};

}  // namespace

void TlcCustomLang::Collect() {
  if (!Owner() || table_->IsTemporary()) return;
  TRestoringScope<bool> quiet(doRaiseExceptions_, false, [this](bool value) { doRaiseExceptions_ = value; });
  try {
    TCollector(*this).Run();
  } catch (const Exception&) {
    // A property that cannot be read ends the pass; what was collected stays.
  }
  applier_->ClearRemovedLines();
}
