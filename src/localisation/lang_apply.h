#pragma once
// Applying a language: the owner's caption, hint and font, then every section of the table,
// pushed into the published properties of the owner's components, then the extended
// translations. Before a section is applied, its lines of vanished components are pruned.
//
// A TlcCustomLang owns one and runs it whenever its language changes; translation files run it
// when they finish, the collector prunes with it.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

class TComponent;
class TObject;
class TStrings;
class TStringList;
struct TPropInfo;
class TlcCustomLang;
class TlcTranslationTable;

class TlcLanguageApplier {
public:
  TlcLanguageApplier(TlcCustomLang& lang, TlcTranslationTable& table);
  ~TlcLanguageApplier();
  TlcLanguageApplier(const TlcLanguageApplier&) = delete;
  TlcLanguageApplier& operator=(const TlcLanguageApplier&) = delete;

  // The whole sequence for the active language (only the filter's section, see OnlyType), then
  // OnChangeLanguage.
  void Apply();
  // Drops lines of vanished components into the removed-lines list (and, for Captions and
  // Hints, lines of components that take their caption from an action).
  void PruneSection(TStrings* section, int t);
  void ApplySection(TStrings* section, int t);
  void ApplyExtendedTranslations();

  // -1: all sections; otherwise the ordinal of the one section being applied (assigning a
  // section's list applies only that section).
  int OnlyType() const { return onlyType_; }
  void SetOnlyType(int t) { onlyType_ = t; }
  // Lines dropped by PruneSection, created on first use.
  TStringList* RemovedLines();
  void ClearRemovedLines();
  // Whether the owner has a published "Font" of class "TFont" (taken at creation).
  bool OwnerHasFont() const { return ownerHasFont_; }

private:
  // The value of a line for the active language with the ttGetDefault fallback; the
  // dispatcher's test-mode text when asked for and the value is empty.
  std::string LineValue(std::string_view line, bool allowTestMode) const;
  // The owner's component of a name; the owner itself for its class name or own name.
  TComponent* ResolveComponent(std::string_view name) const;
  std::optional<std::uint8_t> CharsetFor(const std::string& key, bool caseSensitive) const;
  void ApplyOwnerText(int t, const char* propName);
  void ApplyOwnerFont();
  void ApplyText(TComponent* component, const TPropInfo& prop, int t, const std::string& value);
  void ApplySubProperty(TComponent* component, const TPropInfo& prop, const std::string& sub, const std::string& value);
  void ApplyFont(TComponent* component, const TPropInfo& prop, const std::string& key, const std::string& value);
  void ApplyMultiLines(TComponent* component, const TPropInfo& prop, const std::string& sub, const std::string& value);
  void ApplyCollections(TStrings* section);
  bool ApplyCollectionItem(TObject* item, const std::string& itemPath, const std::string& value);
  void WriteExtendedValue(const std::string& identifier, const std::string& value);

  TlcCustomLang& lang_;
  TlcTranslationTable& table_;
  int onlyType_ = -1;
  std::unique_ptr<TStringList> removedLines_;
  bool ownerHasFont_ = false;
};
