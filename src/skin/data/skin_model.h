#pragma once
// The skin model: what each kind of window element is drawn from. The loader (skin_loader.cpp)
// builds it from a skin's ini text and bitmaps; the painters of the skinned frame, menus and
// controls read only this model.
//
// Every element object owns its bitmaps. An element whose section a skin lacks is null, and
// painters test for that; the four borders, the title and the buttons exist always.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/core/bitmap.h"
#include "toolkit/core/color.h"

class TQuickIni;
class TSkinReader;

// One element: FrameCount frames of equal width side by side in Image (the frame borders
// stack theirs vertically, see the frame painter), margins that are never stretched, and how
// the middle is filled.
class TDataSkinObject {
public:
  TDataSkinObject() = default;
  explicit TDataSkinObject(std::string name) : Name(std::move(name)) {}
  virtual ~TDataSkinObject() = default;
  TDataSkinObject(const TDataSkinObject&) = default;
  TDataSkinObject& operator=(const TDataSkinObject&) = default;
  TDataSkinObject(TDataSkinObject&&) = default;
  TDataSkinObject& operator=(TDataSkinObject&&) = default;

  std::int32_t LeftWidth = 0;
  std::int32_t TopHeight = 0;
  std::int32_t RightWidth = 0;
  std::int32_t BottomHeight = 0;
  TBitmapPixels Image;
  std::int32_t Trans = 0;  // 1: magenta (255, 0, 255) pixels are transparent
  std::int32_t Tile = 0;   // element painters: 0 stretch, 1 tile the middle parts
  std::string Name;
  std::int32_t FrameCount = 0;
  std::int32_t Style = 0;
  std::int32_t NormalColour = -1;
  std::int32_t MouseOverColour = -1;
  std::int32_t PressedColour = -1;
  // Text colours for the normal, hot and pressed state.
  TColor NormalColour2 = clBtnText;
  TColor MouseOverColour2 = clBtnText;
  TColor PressedColour2 = clBtnText;
};

// An element with a second image (tab page border, progress chunk, up-down glyphs, the
// mirrored combo button).
class TDataSkinBorder : public TDataSkinObject {
public:
  using TDataSkinObject::TDataSkinObject;
  TBitmapPixels Image2;
};

// Push buttons, with the check-box and radio-button strips.
class TDataSkinButton : public TDataSkinObject {
public:
  using TDataSkinObject::TDataSkinObject;
  TBitmapPixels CheckImage;
  TBitmapPixels RadioImage;
  std::int32_t RadioFrameCount = 0;
  std::int32_t CheckFrameCount = 0;
  // The skin gives that text colour (the key is present with a value).
  bool HasNormalColour2 = false;
  bool HasMouseOverColour2 = false;
  bool HasPressedColour2 = false;
};

// The caption bar. Its margins carry the text offsets: LeftWidth = TextShift, TopHeight =
// TextShiftVert, RightWidth = TextRightClip; Image is the text background (two frames
// stacked: active, inactive).
class TDataSkinTitle : public TDataSkinObject {
public:
  using TDataSkinObject::TDataSkinObject;
  std::int32_t TextAlignment = 0;  // 0 left (TextShift), 1 centred, 2 right
  std::int32_t Textbackground = 0;
  std::int32_t FontHeight = 14;
  std::int32_t TXTBackleft = 0;
  std::int32_t TXTBackRight = 0;
  TColor ActiveTextColour = clNone;  // clNone: the skin gives none
  TColor InActiveTextColour = clNone;
};

// One caption-bar button; the frame lays the buttons out and carries out their actions.
class TDataSkinSysButton : public TDataSkinObject {
public:
  using TDataSkinObject::TDataSkinObject;
  std::int32_t Action = 0;
  std::int32_t Align = 0;
  std::int32_t XCoord = 0;
  std::int32_t YCoord = 0;
  std::int32_t CombineOp = -1;
  std::int32_t Visibility = 0;
  std::int32_t Visibility1 = 0;
};

// The caption of a group box.
class TDataSkinBoxLabel : public TDataSkinObject {
public:
  using TDataSkinObject::TDataSkinObject;
  std::int32_t BackgroundLeftShift = 0;
  std::int32_t BackgroundRightShift = 0;
  std::int32_t BackgroundAlignment = 0;
};

// The fixed border of the tab page image (Tabs' Image2), which the tab painter keeps at its size.
namespace TabPageBorder {
inline constexpr int Left = 4, Top = 5, Right = 4, Bottom = 4;
}

// Actions of the caption-bar buttons that the loader itself refers to.
namespace SysButtonAction {
inline constexpr int SystemMenu = 3;       // draws the window icon, no image
inline constexpr int SystemMenuIcon = 11;  // the same
inline constexpr int MdiMinimize = 7;
inline constexpr int MdiRestore = 8;
inline constexpr int MdiClose = 9;
}  // namespace SysButtonAction

// The whole model of one skin.
class TSkinModel {
public:
  TSkinModel();
  virtual ~TSkinModel();
  TSkinModel(const TSkinModel&) = delete;
  TSkinModel& operator=(const TSkinModel&) = delete;

  // Builds the model from the ini text and the container that holds its bitmaps, in one
  // pass (skin_loader.cpp). A bitmap entry that is not a valid BMP raises EInvalidImage.
  void LoadModel(const TQuickIni& ini, const TSkinReader& reader);
  // Takes over every member of other. The borders, title and buttons objects stay the same
  // objects (their contents are replaced), so references to them remain valid.
  void TakeModel(TSkinModel&& other);
  // Copies the [Colours] of other (and the face brush colour).
  void CopyColours(const TSkinModel& other);
  // Calls visit(mine, theirs) with each pair of optional element members (null when the skin
  // lacks the element) of this model and other.
  template <class Model, class Visit>
  void EachOptionalElement(Model& other, Visit visit) {
    visit(Tabs, other.Tabs);
    visit(Progress, other.Progress);
    visit(UpDownHorz, other.UpDownHorz);
    visit(UpDownVert, other.UpDownVert);
    visit(ComboButton, other.ComboButton);
    visit(SunkEdge, other.SunkEdge);
    visit(ExtraImages, other.ExtraImages);
    visit(GroupBoxEdge, other.GroupBoxEdge);
    visit(Toolbars, other.Toolbars);
    visit(StatusBarEdges, other.StatusBarEdges);
    visit(Headerbar, other.Headerbar);
    visit(GroupBox, other.GroupBox);
    visit(MenuBar, other.MenuBar);
    visit(MenuItem, other.MenuItem);
    visit(MenuBackground, other.MenuBackground);
    visit(Scrollbar, other.Scrollbar);
    visit(HorzScroll, other.HorzScroll);
    visit(VertScroll, other.VertScroll);
    visit(HorzScrollThumb, other.HorzScrollThumb);
    visit(VertScrollThumb, other.VertScrollThumb);
    visit(TrackbarThumbHorz, other.TrackbarThumbHorz);
    visit(TrackbarThumbVert, other.TrackbarThumbVert);
    visit(TrackbarThumbLeft, other.TrackbarThumbLeft);
    visit(TrackbarThumbRight, other.TrackbarThumbRight);
    visit(TrackbarThumbUp, other.TrackbarThumbUp);
    visit(TrackbarThumbDown, other.TrackbarThumbDown);
  }

  std::string SkinName;

  // Always present (refilled by every load).
  std::unique_ptr<TDataSkinBorder> BorderLeft, BorderRight, BorderTop, BorderBottom;
  std::unique_ptr<TDataSkinTitle> Title;
  std::unique_ptr<TDataSkinButton> Buttons;
  std::vector<std::unique_ptr<TDataSkinSysButton>> SysButtons;

  // Null when the skin lacks the element.
  std::unique_ptr<TDataSkinBorder> Tabs, Progress, UpDownHorz, UpDownVert, ComboButton;
  std::unique_ptr<TDataSkinObject> SunkEdge, ExtraImages, GroupBoxEdge, Toolbars, StatusBarEdges, Headerbar;
  std::unique_ptr<TDataSkinBoxLabel> GroupBox;
  std::unique_ptr<TDataSkinObject> MenuBar, MenuItem, MenuBackground;
  std::unique_ptr<TDataSkinObject> Scrollbar, HorzScroll, VertScroll, HorzScrollThumb, VertScrollThumb;
  std::unique_ptr<TDataSkinObject> TrackbarThumbHorz, TrackbarThumbVert, TrackbarThumbLeft, TrackbarThumbRight,
      TrackbarThumbUp, TrackbarThumbDown;

  // The colours that replace the system colours ([Colours]); system colours until loaded.
  TColor WindowTextColour = clWindowText;
  TColor TitleTextActiveColour = clCaptionText;
  TColor TitleTextNoActiveColour = clInactiveCaptionText;
  TColor ButtonFaceColour = clBtnFace;
  TColor ButtonTextColour = clBtnText;
  TColor ButtonHilightColour = clBtnHighlight;
  TColor ButtonLightColour = clBtnHighlight;
  TColor ButtonShadowColour = clBtnShadow;
  TColor ButtonDkShadowColour = cl3DDkShadow;
  TColor HilightTextColour = clHighlightText;
  TColor HilightColour = clHighlight;
  TColor MenubarColour = clBtnFace;
  TColor MenuBarTextColour = clMenuText;
  TColor MenuTextColour = clMenuText;
  TColor MenuColour = clMenu;
  TColor ScrollbarColour = clScrollBar;
  // The "color" key of every [Colour...] section, in file order.
  std::vector<TColor> ColourTable;
  // The colour of the solid face brush (ButtonFaceColour). The windowed layer makes the GDI
  // brush from it; the portable model holds no device objects.
  TColor FaceBrush = clBtnFace;

private:
  void CreateFixedElements();
};

// A 24-bit copy of the bitmap mirrored left to right.
TBitmapPixels MirrorHorizontally(const TBitmapPixels& source);
