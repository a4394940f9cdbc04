#pragma once
// TSkinSet: the non-visual component that gives a form (and, in main-form mode, every window
// of the thread) a skin. It owns the skin image (the bytes of a ".skn" file, stored with the
// form as the binary property "SkinStream"), loads it into the skin model it holds (TSkinModel),
// registers with the skin manager and asks it to switch skinning on or off or to apply a new
// skin. The painters read the loaded skin through Model().
//
// A skin that cannot be read leaves the model as it was, and a component that holds a good
// model keeps using it. Another format version is answered with the older-version message;
// any other fault (a stream cut short or damaged, a damaged container or bitmap, a container
// without an ini or with an ini that holds no section) is raised to the caller of LoadSkin,
// SetSkinFile or the form loader, so that the command that chose the skin shows it.
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <unordered_map>

#include "skin/data/skin_model.h"
#include "toolkit/core/bitmap.h"
#include "toolkit/core/component.h"
#include "toolkit/core/properties.h"
#include "toolkit/core/strings.h"
#include "toolkit/core/typeinfo.h"

class TMemoryStream;
class TStream;
class TSkinSet;

QUILLIMO_ENUM(TSkinControlType, xcMainMenu, xcPopupMenu, xcToolbar, xcControlbar, xcCombo, xcCheckBox, xcRadioButton,
              xcProgress, xcScrollbar, xcEdit, xcButton, xcBitBtn, xcSpeedButton, xcPanel, xcGroupBox, xcStatusBar,
              xcTab, xcSystemMenu, xcReportGen)
using TSkinControlTypes = TSet<TSkinControlType>;

QUILLIMO_ENUM(TSkinFormType, sfMainform, sfOnlyThisForm, sfDialog)

// Asked before a window of a class is skinned: (Sender, class name, var DoSkin).
using TOnFormSkin = TEvent<void(TObject*, std::string, bool&)>;
// Asked for every control before the built-in mapping: (frame, skin, parent, control, class
// name in upper case, var skinned control). Parent and control are toolkit controls.
using TOnSkinControl = TEvent<void(TComponent*, TSkinSet*, TComponent*, TComponent*, std::string, TComponent*&)>;

namespace SkinSetText {
inline constexpr const char* Version = "3.4.1.02";
inline constexpr const char* StoreNone = "(none)";
inline constexpr const char* StoreGood = "(Good)";
inline constexpr const char* NoMemory = "Not enough memory to load the skin";
}  // namespace SkinSetText

// Every control kind except xcReportGen.
TSkinControlTypes DefaultSkinControls();
// The 84 default lines of SkinAliases ("class=kind").
const std::vector<std::string>& DefaultSkinAliases();

// Receives the reader's message for a skin of another format version; the windowed program
// shows it in a message box. Without a handler the message is dropped.
void SetSkinMessageHandler(std::function<void(const std::string&)> handler);

// Where a new skin component takes its system-menu glyphs from (TSkinSet::MenuGlyphs): the
// windowed program reads them from its "SYSMENUGLYPHS" bitmap resource. Without a source, or
// when the source gives nothing usable, they are drawn (DrawSystemMenuGlyphs).
using TMenuGlyphSource = std::function<TBitmapPixels()>;
void SetMenuGlyphSource(TMenuGlyphSource source);

class TSkinSet : public TComponent {
  QUILLIMO_CLASS(TSkinSet, TComponent)
public:
  explicit TSkinSet(TComponent* owner);
  ~TSkinSet() override;

  // ---- Published properties ----
  bool Active() const { return active_; }
  void SetActive(bool value);
  int DisableTag() const { return disableTag_; }
  void SetDisableTag(int value) { disableTag_ = value; }
  TSkinControlTypes SkinControls() const { return skinControls_; }
  void SetSkinControls(TSkinControlTypes value) { skinControls_ = value; }
  TStrings* SkinAliases() const { return skinAliases_.get(); }
  void SetSkinAliases(TStrings* value);  // copies the lines
  const std::string& SkinFile() const { return skinFile_; }
  void SetSkinFile(const std::string& path);
  std::string SkinStore() const;
  void SetSkinStore(const std::string&) {}  // read-only
  TSkinFormType SkinFormtype() const { return skinFormtype_; }
  void SetSkinFormtype(TSkinFormType value) { skinFormtype_ = value; }
  std::string Version() const { return SkinSetText::Version; }
  void SetVersion(const std::string&) {}  // read-only
  bool MenuUpdate() const { return menuUpdate_; }
  void SetMenuUpdate(bool value) { menuUpdate_ = value; }

  TOnFormSkin OnFormSkin;
  TNotifyEvent OnSkinChanged;
  TOnSkinControl OnSkinControl;

  // ---- The skin ----
  // Loads the held skin image into the model. False (model unchanged) for a skin of another
  // format version; a damaged skin raises its error (ElzhException, EReadError or
  // ESkinFileError, EInvalidImage...) with the model unchanged. Does nothing at design time.
  bool LoadSkin();
  // Replaces the held skin image (the bytes of a ".skn" file) and loads it.
  bool LoadSkinImage(std::span<const std::uint8_t> image);
  const TMemoryStream& SkinImage() const { return *skinImage_; }
  // What the loaded skin draws each element from (system colours and empty elements until a
  // skin has been read). The element objects stay the same objects across loads.
  const TSkinModel& Model() const { return model_; }
  // True from creation and during every load until a skin has been read; while set, the
  // manager and the frames do not use this component's skin.
  bool Loading() const { return loading_; }

  // ---- For the manager and the painters ----
  // Raises OnSkinChanged (the manager, after carrying out an action).
  void SkinChanged();
  // Whether windows of a class are skinned (DoSkin comes in true).
  void CheckFormSkin(const std::string& className, bool& doSkin);
  // The kind that the first SkinAliases line naming the class gives it ("class=kind", compared
  // in lower case), or false when no line names it. Every component of a form is looked up as
  // the form is skinned: the lines are read into a table once, and again after they change.
  bool AliasKind(const std::string& className, std::string& kind) const;
  // A component whose Tag leaves DisableTag as the remainder of a signed division by 100 is
  // never skinned.
  bool IsTagDisabled(int tag) const { return tag % 100 == disableTag_; }

  // The window icon, kept by the frame painter for the forms it frames later.
  const TBitmapPixels& IconImage() const { return iconImage_; }
  void KeepIconImage(const TBitmapPixels& icon) { iconImage_ = icon; }
  // The four 16 x 16 glyphs of the skinned system menu (restore, maximize, minimize, close)
  // side by side, black on white (white is the mask colour), from the glyph source; the
  // windowed layer makes the image list from them.
  const TBitmapPixels& MenuGlyphs() const { return menuGlyphs_; }
  // The frames paint their non-client area while set (the frame clears it for a moment).
  bool FramePaint() const { return framePaint_; }
  void SetFramePaint(bool on) { framePaint_ = on; }

  void Loaded() override;
  void DefineProperties(TFiler& filer) override;

private:
  void ReadSkinStream(TStream& stream);
  void WriteSkinStream(TStream& stream);
  // After a load that failed: the old model is still whole, so it stays usable when it is a
  // skin that was read.
  void KeepOldModel() { loading_ = !modelLoaded_; }

  bool active_ = false;
  int disableTag_ = 99;
  TSkinControlTypes skinControls_;
  std::unique_ptr<TStringList> skinAliases_;
  mutable std::unordered_map<std::string, std::string> aliasKinds_;
  mutable bool aliasKindsRead_ = false;
  std::string skinFile_;
  TSkinFormType skinFormtype_ = sfMainform;
  bool menuUpdate_ = true;

  TSkinModel model_;
  TBitmapPixels iconImage_;
  TBitmapPixels menuGlyphs_;
  bool framePaint_ = true;
  std::unique_ptr<TMemoryStream> skinImage_;
  bool loading_ = true;
  bool modelLoaded_ = false;
};
