#pragma once
// The language dispatcher: one application-wide language list and active language, pushed
// to every TlcLang linked to it; each linked component may read its table from the
// dispatcher's translation file when it links. It also holds the test mode that fills
// untranslated texts with generated placeholder text, to check layouts.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "localisation/lang_component.h"
#include "toolkit/core/component.h"
#include "toolkit/core/properties.h"
#include "toolkit/core/strings.h"

class TLTBFileManager;

QUILLIMO_ENUM(TTestModeKind, tmkExpandWidth, tmkFlipCase, tmkExpandChars)

// Test mode settings (stored with the dispatcher).
class TTestModeInfo : public TPersistent {
  QUILLIMO_CLASS(TTestModeInfo, TPersistent)
public:
  bool Active = false;
  TTestModeKind Kind = tmkExpandWidth;
  int ExpandWidthPercent = 100;
  int ExpandCharsPercent = 100;
  char PaddingChar = '*';

  void Assign(const TPersistent* source) override;
  // The placeholder text made from a language 1 value, by Kind.
  std::string MakeText(const std::string& language1Value) const;
};

// The width of a text as it shows in 8-point "Tahoma" on the screen, in pixels. The
// portable default estimates it from a table of average character widths; the Windows side
// installs a real measurement.
using TTextWidthFunction = std::function<int(const std::string& text)>;
TTextWidthFunction& TestModeTextWidth();
int EstimatedTahomaWidth(const std::string& text);

// The three placeholder texts.
std::string ExpandWidthText(const std::string& text, int percent, char padding, const TTextWidthFunction& width);
std::string FlipCaseText(const std::string& text);
std::string ExpandCharsText(const std::string& text, int percent, char padding);

using TLinkToDispatcherEvent = TEvent<void(TObject* Sender, TlcCustomLang* ASiLang)>;

class TlcLangDispatcher : public TComponent {
  QUILLIMO_CLASS(TlcLangDispatcher, TComponent)
public:
  explicit TlcLangDispatcher(TComponent* owner);
  ~TlcLangDispatcher() override;

  int ActiveLanguage() const { return activeLanguage_; }
  void SetActiveLanguage(int value);
  int NumOfLanguages() const { return numOfLanguages_; }
  void SetNumOfLanguages(int value);
  TStrings* LangNames() const { return langNames_.get(); }
  void SetLangNames(TStrings* value);
  const std::string& Language() const { return language_; }
  void SetLanguage(const std::string& value);
  const std::string& FileName() const { return fileName_; }
  void SetFileName(const std::string& value) { fileName_ = value; }
  TTestModeInfo* TestModeInfo() const { return testModeInfo_.get(); }
  void SetTestModeInfo(TTestModeInfo* value);
  bool TestMode() const { return testMode_; }
  void SetTestMode(bool value) { testMode_ = value; }
  int TestPercentage() const { return testPercentage_; }
  void SetTestPercentage(int value) { testPercentage_ = value; }

  TLinkToDispatcherEvent OnLinkToDispatcher;

  // The linked components, in link order.
  const std::vector<TlcCustomLang*>& LinkedLangs() const { return linked_; }
  // Links a component (see TlcCustomLang::SetLangDispatcher) / forgets it.
  void Link(TlcCustomLang* lang);
  void Unlink(TlcCustomLang* lang);
  // The reader of binary translation files, created on first use.
  TLTBFileManager& LTBFileManager();

protected:
  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;

private:
  // Reads a linking component's table from FileName (a ".LTB" or a text file).
  void LoadLinkedFromFile(TlcCustomLang* lang);

  int activeLanguage_ = 1;
  int numOfLanguages_ = 1;
  std::unique_ptr<TStringList> langNames_;
  std::string language_;
  std::string fileName_;
  std::unique_ptr<TTestModeInfo> testModeInfo_;
  bool testMode_ = false;
  int testPercentage_ = 0;
  std::vector<TlcCustomLang*> linked_;
  std::unique_ptr<TLTBFileManager> ltb_;
};

// Whether a file name has the binary translation file extension ".LTB" (any case).
bool IsLTBFileName(const std::string& fileName);
bool FileExists(const std::string& fileName);
