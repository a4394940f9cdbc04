#include "skin/data/skin_set.h"

#include <filesystem>
#include <new>

#include "skin/data/menu_glyphs.h"
#include "skin/data/quick_ini.h"
#include "skin/data/skin_manager.h"
#include "skin/data/skin_reader.h"
#include "toolkit/core/filer.h"
#include "toolkit/core/streams.h"
#include "toolkit/core/text.h"

namespace {

std::function<void(const std::string&)>& MessageHandler() {
  static std::function<void(const std::string&)> handler;
  return handler;
}

TMenuGlyphSource& GlyphSource() {
  static TMenuGlyphSource source;
  return source;
}

// The glyph strip of the source when it is one of the right size, otherwise the drawn one.
TBitmapPixels MenuGlyphStrip() {
  if (GlyphSource()) {
    try {
      TBitmapPixels strip = GlyphSource()();
      if (strip.Width() == kMenuGlyphSize * kMenuGlyphCount && strip.Height() == kMenuGlyphSize) return strip;
    } catch (const Exception&) {
      // a damaged resource: the drawn glyphs are the same pictures
    }
  }
  return DrawSystemMenuGlyphs();
}

bool IsSkinFile(const std::string& path) {
  std::error_code error;
  const std::filesystem::path p(std::u8string(path.begin(), path.end()));
  return std::filesystem::is_regular_file(p, error);
}

// Lines "class=kind" for every class of a kind.
void AddAliases(std::vector<std::string>& lines, const char* kind, std::initializer_list<const char*> classes) {
  for (const char* c : classes) lines.push_back(std::string(c) + "=" + kind);
}

}  // namespace

void SetSkinMessageHandler(std::function<void(const std::string&)> handler) { MessageHandler() = std::move(handler); }

void SetMenuGlyphSource(TMenuGlyphSource source) { GlyphSource() = std::move(source); }

TSkinControlTypes DefaultSkinControls() {
  TSkinControlTypes all;
  for (int t = xcMainMenu; t < xcReportGen; ++t) all.Include(static_cast<TSkinControlType>(t));
  return all;
}

const std::vector<std::string>& DefaultSkinAliases() {
  static const std::vector<std::string> lines = [] {
    std::vector<std::string> l;
    AddAliases(l, "Panel",
               {"TXBDock", "TXBToolbar", "TQXDCalculator", "TQXDGROUPBOX", "TQXDSIMPLEPANEL", "TQXDDBCalendar"});
    AddAliases(l, "panel",
               {"TQXDButtonPanel", "TQXDQXDCalculator", "TQXDHeaderPanel", "TQXDTechnicalLine", "TQXDQXDClock",
                "TQXDTrackbar"});
    AddAliases(l, "scrollbar", {"TPixoraMView", "TPixoraView"});
    AddAliases(l, "button", {"TKzButton"});
    AddAliases(l, "CheckGroup", {"TKzCheckGroup", "TQXDCheckGroup", "TQXDDBCheckGroup"});
    AddAliases(l, "Radiogroup", {"TKzRadioGroup", "TKzDBRadioGroup", "TQXDRADIOGROUP", "TQXDDBRADIOGROUP"});
    AddAliases(l, "radiogroup", {"TPQRADIOGROUP", "TqkDBRadioGroup", "TqkRadioGroup"});
    AddAliases(l, "Radiobutton", {"TKzRadioButton", "TKzDBRadioButton", "TQXDRadiobutton"});
    AddAliases(l, "Checkbox", {"TKzCheckBox", "TKzDBCheckBox", "TDBCheckboxZq", "TDBCheckboxZq"});
    AddAliases(l, "checkbox", {"TQXDCHECKBOX", "TQXDDBCHECKBOX", "TqkDBCheckBox", "TqkCheckBox"});
    AddAliases(l, "Edit",
               {"TKzButtonEdit", "TQXDCalculatorEdit", "TQXDEDIT", "TQXDMASKEDIT", "TQXDBROWSEEDIT", "TQXDEXTSPINEDIT",
                "TQXDCALENDAREDIT", "TQXDFILEOPENEDIT", "TQXDFILESAVEEDIT", "TQXDCOLOREDIT", "TQXDDBEDIT",
                "TQXDDBMASKEDIT", "TQXDDBEXTSPINEDIT"});
    AddAliases(l, "edit",
               {"TQXDDBSPINEDIT", "TQXDDBEDITDBLookup", "TQXDEDITDBLookup", "TPQDBEDIT", "TYRCPICTUREFIELD",
                "TYRCDBPICTUREFIELD", "TYRCSLIDEREDIT", "TYRCDBSLIDEREDIT", "TYRCSIMPLEFIELD", "TYRCDBSIMPLEFIELD",
                "TY32DBFLEXEDIT", "TYRCNUMERICFIELD", "TYRCDBNUMERICFIELD"});
    AddAliases(l, "Groupbox", {"TQXDGroupBox"});
    AddAliases(l, "combobox",
               {"TQXDListCombobox", "TQXDCheckListCombobox", "TQXDHeaderListCombobox", "TQXDImageCombobox",
                "TQXDColorCombobox", "TQXDFontCombobox", "TQXDFontSizeCombobox", "TQXDFontSizeCombobox",
                "TQXDPrinterCombobox", "TQXDDriveCombobox", "TQXDCalculatorComboBox"});
    AddAliases(
        l, "Combobox",
        {"TQXDTrackBarComboBox", "TQXDCalendarComboBox", "TQXDTreeComboBox", "TDBLookupCombobox", "TPQDBCombobox",
         "TPQDBCombobox", "TPQDBLookupCombo", "TPQKeyCombo", "TPQTempKeyCombo", "TPQDBDateTimePicker"});
    return l;
  }();
  return lines;
}

TSkinSet::TSkinSet(TComponent* owner)
    : TComponent(owner),
      skinControls_(DefaultSkinControls()),
      skinAliases_(std::make_unique<TStringList>()),
      menuGlyphs_(MenuGlyphStrip()),
      skinImage_(std::make_unique<TMemoryStream>()) {
  for (const std::string& line : DefaultSkinAliases()) skinAliases_->Add(line);
  skinAliases_->OnChange = [this](TObject*) { aliasKindsRead_ = false; };
}

TSkinSet::~TSkinSet() {
  if (TSkinManager* manager = GetSkinManager()) manager->UnregisterSkinData(this);
}

void TSkinSet::SetSkinAliases(TStrings* value) {
  if (value)
    skinAliases_->Assign(value);
  else
    skinAliases_->Clear();
}

bool TSkinSet::AliasKind(const std::string& className, std::string& kind) const {
  if (!aliasKindsRead_) {
    aliasKinds_.clear();
    for (int i = 0; i < skinAliases_->Count(); ++i) {
      const std::string line = LowerCase(skinAliases_->Get(i));
      const std::size_t equals = line.find('=');
      if (equals != std::string::npos) aliasKinds_.try_emplace(line.substr(0, equals), line.substr(equals + 1, 50));
    }
    aliasKindsRead_ = true;
  }
  const auto found = aliasKinds_.find(LowerCase(className));
  if (found == aliasKinds_.end()) return false;
  kind = found->second;
  return true;
}

std::string TSkinSet::SkinStore() const {
  return IsDesigning() && skinImage_->Size() > 0 ? SkinSetText::StoreGood : SkinSetText::StoreNone;
}

bool TSkinSet::LoadSkin() {
  if (IsDesigning()) return false;
  loading_ = true;
  try {
    TSkinReader reader;
    reader.OnMessage = [](const std::string& text) {
      if (MessageHandler()) MessageHandler()(text);
    };
    const auto* bytes = static_cast<const std::uint8_t*>(skinImage_->Memory());
    if (!reader.Load(std::span<const std::uint8_t>(bytes, static_cast<std::size_t>(skinImage_->Size())))) {
      KeepOldModel();
      return false;
    }
    std::vector<std::uint8_t> iniText;
    const std::string iniName = reader.FindEntry(".ini", iniText);
    TQuickIni ini;
    ini.LoadFromText(std::string_view(reinterpret_cast<const char*>(iniText.data()), iniText.size()));
    // A container without an ini, or whose ini holds no section, describes no skin.
    if (iniName.empty() || ini.ReadSections().empty()) throw ESkinFileError(SkinReaderText::Damaged);
    // Built aside and taken over whole, so that a bitmap that cannot be read leaves the
    // current model as it is.
    TSkinModel model;
    model.LoadModel(ini, reader);
    model_.TakeModel(std::move(model));
  } catch (const std::bad_alloc&) {
    KeepOldModel();
    throw EOutOfResources(SkinSetText::NoMemory);
  } catch (...) {
    KeepOldModel();
    throw;
  }
  modelLoaded_ = true;
  loading_ = false;
  return true;
}

bool TSkinSet::LoadSkinImage(std::span<const std::uint8_t> image) {
  skinImage_->Clear();
  skinImage_->WriteBuffer(image.data(), static_cast<std::int64_t>(image.size()));
  skinImage_->SetPosition(0);
  return LoadSkin();
}

void TSkinSet::SetSkinFile(const std::string& path) {
  loading_ = true;
  skinFile_ = path;
  if (IsDesigning()) {
    if (!path.empty()) skinImage_->Clear();
    return;
  }
  if (!IsSkinFile(path)) {
    KeepOldModel();
    return;
  }
  // A file that cannot be read or holds no skin ends here with its error; the shown skin
  // stays, and no change is announced.
  try {
    skinImage_->LoadFromFile(path);
  } catch (...) {
    KeepOldModel();
    throw;
  }
  LoadSkin();
  if (skinFormtype_ != sfMainform || ComponentState().Contains(csReading) || IsLoading()) return;
  if (!GetSkinManager()) Loaded();
  TSkinManager& manager = *GetSkinManager();
  manager.SetPendingSkin(this);
  manager.DropSystemButtons();
  manager.RequestAction(TSkinAction::ApplyChangedSkin, 250);
}

void TSkinSet::Loaded() {
  inherited::Loaded();
  if (IsDesigning()) return;
  TSkinManager& manager = CreateSkinManager();
  manager.RegisterSkinData(this);
  if (skinFormtype_ == sfMainform) {
    manager.InstallHook();
    if (active_) {
      if (loading_)
        active_ = false;
      else
        manager.RequestAction(TSkinAction::Activate, 250);
    }
  } else {
    manager.SetActive(true);
    manager.SetStarted(true);
    manager.AttachOwnerForm(*this);
  }
}

void TSkinSet::SetActive(bool value) {
  if (value == active_) return;
  active_ = value;
  if (IsDesigning() || IsLoading() || ComponentState().Contains(csReading)) return;
  TSkinManager* manager = GetSkinManager();
  if (!manager || skinFormtype_ == sfDialog) return;
  if (skinFormtype_ == sfOnlyThisForm) manager->SetPendingSkin(this);
  if (value && loading_) return;
  manager->RequestAction(value ? TSkinAction::Activate : TSkinAction::Deactivate, 250);
  manager->SetPendingSkin(this);
}

void TSkinSet::SkinChanged() {
  if (OnSkinChanged) OnSkinChanged(this);
}

void TSkinSet::CheckFormSkin(const std::string& className, bool& doSkin) {
  if (OnFormSkin) {
    OnFormSkin(this, className, doSkin);
    return;
  }
  if (className == "SysMonthCal32") doSkin = false;
  if (skinControls_.Contains(xcReportGen) && className.rfind("Tvr", 0) == 0) doSkin = false;
}

// "SkinStream": a signed 32-bit length, then that many bytes of skin image when above 0.
void TSkinSet::DefineProperties(TFiler& filer) {
  inherited::DefineProperties(filer);
  filer.DefineBinaryProperty(
      "SkinStream", [this](TStream& s) { ReadSkinStream(s); }, [this](TStream& s) { WriteSkinStream(s); }, true);
}

void TSkinSet::ReadSkinStream(TStream& stream) {
  std::int32_t length = 0;
  stream.ReadBuffer(&length, 4);
  skinImage_->Clear();
  if (length <= 0) return;
  if (length > stream.Size() - stream.Position()) throw EReadError(ExceptionText::ReadError);
  skinImage_->CopyFrom(stream, length);
  skinImage_->SetPosition(0);
  if (!IsDesigning()) LoadSkin();
}

void TSkinSet::WriteSkinStream(TStream& stream) {
  const auto length = static_cast<std::int32_t>(skinImage_->Size());
  stream.WriteBuffer(&length, 4);
  if (length > 0) stream.WriteBuffer(skinImage_->Memory(), length);
}

QUILLIMO_REGISTER_CLASS(TSkinSet, [](TPropertyTable& p) {
  using S = TSkinSet;
  p.Bool("Active", &S::Active, &S::SetActive, false);
  p.Integer("DisableTag", &S::DisableTag, &S::SetDisableTag, 99);
  p.Set("SkinControls", &S::SkinControls, &S::SetSkinControls, DefaultSkinControls());
  p.Object("SkinAliases", &S::SkinAliases, &S::SetSkinAliases);
  p.String("SkinFile", &S::SkinFile, &S::SetSkinFile);
  p.String("SkinStore", &S::SkinStore, &S::SetSkinStore);
  p.Enum("SkinFormtype", &S::SkinFormtype, &S::SetSkinFormtype, sfMainform);
  p.String("Version", &S::Version, &S::SetVersion);
  p.Bool("MenuUpdate", &S::MenuUpdate, &S::SetMenuUpdate, true);
  p.Event("OnFormSkin", &S::OnFormSkin);
  p.Event("OnSkinChanged", &S::OnSkinChanged);
  p.Event("OnSkinControl", &S::OnSkinControl);
});
