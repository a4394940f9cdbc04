#include "skin/data/skin_model.h"

TSkinModel::TSkinModel() { CreateFixedElements(); }

TSkinModel::~TSkinModel() = default;

void TSkinModel::CreateFixedElements() {
  Buttons = std::make_unique<TDataSkinButton>("Buttons");
  Title = std::make_unique<TDataSkinTitle>("Title");
  BorderLeft = std::make_unique<TDataSkinBorder>("Left");
  BorderRight = std::make_unique<TDataSkinBorder>("Right");
  BorderTop = std::make_unique<TDataSkinBorder>("Top");
  BorderBottom = std::make_unique<TDataSkinBorder>("Bottom");
}

void TSkinModel::TakeModel(TSkinModel&& other) {
  SkinName = std::move(other.SkinName);
  *BorderLeft = std::move(*other.BorderLeft);
  *BorderRight = std::move(*other.BorderRight);
  *BorderTop = std::move(*other.BorderTop);
  *BorderBottom = std::move(*other.BorderBottom);
  *Title = std::move(*other.Title);
  *Buttons = std::move(*other.Buttons);
  SysButtons = std::move(other.SysButtons);

  EachOptionalElement(other, [](auto& mine, auto& theirs) { mine = std::move(theirs); });
  CopyColours(other);
  other.CreateFixedElements();
}

void TSkinModel::CopyColours(const TSkinModel& other) {
  WindowTextColour = other.WindowTextColour;
  TitleTextActiveColour = other.TitleTextActiveColour;
  TitleTextNoActiveColour = other.TitleTextNoActiveColour;
  ButtonFaceColour = other.ButtonFaceColour;
  ButtonTextColour = other.ButtonTextColour;
  ButtonHilightColour = other.ButtonHilightColour;
  ButtonLightColour = other.ButtonLightColour;
  ButtonShadowColour = other.ButtonShadowColour;
  ButtonDkShadowColour = other.ButtonDkShadowColour;
  HilightTextColour = other.HilightTextColour;
  HilightColour = other.HilightColour;
  MenubarColour = other.MenubarColour;
  MenuBarTextColour = other.MenuBarTextColour;
  MenuTextColour = other.MenuTextColour;
  MenuColour = other.MenuColour;
  ScrollbarColour = other.ScrollbarColour;
  ColourTable = other.ColourTable;
  FaceBrush = other.FaceBrush;
}

TBitmapPixels MirrorHorizontally(const TBitmapPixels& source) {
  TBitmapPixels mirrored(source.Width(), source.Height(), pf24bit);
  for (int y = 0; y < source.Height(); ++y)
    for (int x = 0; x < source.Width(); ++x) mirrored.SetPixel(source.Width() - 1 - x, y, source.GetPixel(x, y));
  return mirrored;
}
