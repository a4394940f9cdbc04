// Building the skin model from the ini text and the container, in one pass and in this
// order: skin name, borders, colours, caption-bar buttons, buttons, title, progress, menu
// bar, the other elements, frame counts, face brush.
#include <algorithm>
#include <vector>

#include "skin/data/quick_ini.h"
#include "skin/data/skin_model.h"
#include "skin/data/skin_reader.h"
#include "toolkit/core/bmp_codec.h"
#include "toolkit/core/text.h"

namespace {

constexpr const char* kPersonality = "Personality";

class TSkinLoader {
public:
  TSkinLoader(TSkinModel& model, const TQuickIni& ini, const TSkinReader& reader)
      : m_(model), ini_(ini), reader_(reader), sections_(ini.ReadSections()) {}

  void Run();

private:
  int Int(std::string_view section, std::string_view key, int def) const { return ini_.ReadInteger(section, key, def); }
  bool Has(std::string_view section, std::string_view key) const { return !ini_.ReadString(section, key, "").empty(); }
  // The container's bitmap named by the value of the key; empty for no value, another
  // extension than ".bmp" or a name missing from the container.
  TBitmapPixels Image(std::string_view section, std::string_view key) const;
  // Each section name once, in file order (a repeated header is ignored).
  std::vector<std::string> DistinctSections() const;

  void LoadBorder(TDataSkinBorder& border, bool vertical);
  void LoadColors();
  void LoadSysButtons();
  void LoadButtons();
  void LoadTitle();
  void LoadProgress();
  void LoadMenuBar();
  void LoadElementFields(TDataSkinObject& element, std::string_view section);
  // LeftWidth, RightWidth, TopHeight, BottomHeight, Trans and Tile (default 0 each).
  void LoadMargins(TDataSkinObject& element, std::string_view section) const;
  // NormalColour, MouseOverColour, PressedColour (default -1).
  void LoadStateColors(TDataSkinObject& element, std::string_view section) const;
  template <class T>
  void LoadElement(std::unique_ptr<T>& member, std::string_view section, std::string_view secondImageKey = {});
  void SetFrameCounts();

  TSkinModel& m_;
  const TQuickIni& ini_;
  const TSkinReader& reader_;
  std::vector<std::string> sections_;
};

TBitmapPixels TSkinLoader::Image(std::string_view section, std::string_view key) const {
  const std::string value = ini_.ReadString(section, key, "");
  const std::string name = ExtractFileName(value);
  if (name.empty() || ExtractFileExt(name) != ".bmp") return {};
  std::vector<std::uint8_t> data;
  reader_.GetEntry(name, data);
  if (data.empty()) return {};
  return DecodeBmp(data);
}

std::vector<std::string> TSkinLoader::DistinctSections() const {
  std::vector<std::string> names;
  for (const std::string& s : sections_)
    if (std::none_of(names.begin(), names.end(), [&](const std::string& n) { return SameText(n, s); }))
      names.push_back(s);
  return names;
}

void TSkinLoader::Run() {
  m_.SkinName = ini_.ReadString("TitlebarSkin", "SkinName", "");
  LoadBorder(*m_.BorderLeft, true);
  LoadBorder(*m_.BorderRight, true);
  LoadBorder(*m_.BorderTop, false);
  LoadBorder(*m_.BorderBottom, false);
  LoadColors();
  LoadSysButtons();
  LoadButtons();
  LoadTitle();
  LoadProgress();
  LoadMenuBar();
  LoadElement(m_.GroupBoxEdge, "GroupBoxEdge");
  LoadElement(m_.GroupBox, "GroupBox");
  LoadElement(m_.Toolbars, "Toolbars");
  LoadElement(m_.Tabs, "Tabs", "Border");
  LoadElement(m_.StatusBarEdges, "StatusBarEdges");
  LoadElement(m_.ComboButton, "ComboButton");
  LoadElement(m_.SunkEdge, "SunkEdge");
  LoadElement(m_.ExtraImages, "ExtraImages");
  LoadElement(m_.Headerbar, "Headerbar");
  LoadElement(m_.MenuItem, "MenuItem");
  LoadElement(m_.MenuBackground, "MenuBackground");
  LoadElement(m_.Scrollbar, "Scrollbar");
  LoadElement(m_.HorzScroll, "HorzScroll");
  LoadElement(m_.VertScroll, "VertScroll");
  LoadElement(m_.HorzScrollThumb, "HorzScrollThumb");
  LoadElement(m_.VertScrollThumb, "VertScrollThumb");
  LoadElement(m_.TrackbarThumbHorz, "Trackbar.ThumbHorz");
  LoadElement(m_.TrackbarThumbVert, "Trackbar.ThumbVert");
  LoadElement(m_.TrackbarThumbLeft, "Trackbar.ThumbLeft");
  LoadElement(m_.TrackbarThumbRight, "Trackbar.ThumbRight");
  LoadElement(m_.TrackbarThumbUp, "Trackbar.ThumbUp");
  LoadElement(m_.TrackbarThumbDown, "Trackbar.ThumbDown");
  LoadElement(m_.UpDownHorz, "UpDown.Horz", "GlyphImage");
  LoadElement(m_.UpDownVert, "UpDown.Vert", "GlyphImage");
  SetFrameCounts();
  m_.FaceBrush = m_.ButtonFaceColour;
}

// Borders: <Name> image, <Name>TopHeight / <Name>BotHeight as the fixed ends along the
// border, <Name>Frame, <Name>Stretch and <Name>Trans from [Personality].
void TSkinLoader::LoadBorder(TDataSkinBorder& border, bool vertical) {
  const std::string name = border.Name;
  border = TDataSkinBorder(name);
  border.Image = Image(kPersonality, name);
  const int first = Int(kPersonality, name + "TopHeight", 0);
  const int last = Int(kPersonality, name + "BotHeight", 0);
  if (vertical) {
    border.TopHeight = first;
    border.BottomHeight = last;
  } else {
    border.LeftWidth = first;
    border.RightWidth = last;
  }
  // Painters divide by the frame count: a count below 1 from a damaged ini counts as 1.
  border.FrameCount = std::max(1, Int(kPersonality, name + "Frame", 1));
  border.Tile = Int(kPersonality, name + "Stretch", 1);
  border.Trans = Int(kPersonality, name + "Trans", 1);
}

void TSkinLoader::LoadColors() {
  const char* c = "Colours";
  m_.WindowTextColour = ini_.ReadColor(c, "WindowText", clWindowText);
  m_.TitleTextActiveColour = ini_.ReadColor(c, "TitleTextActive", clCaptionText);
  m_.TitleTextNoActiveColour = ini_.ReadColor(c, "TitleTextNoActive", clInactiveCaptionText);
  m_.ButtonFaceColour = ini_.ReadColor(c, "ButtonFace", clBtnFace);
  m_.ButtonTextColour = ini_.ReadColor(c, "ButtonText", clBtnText);
  m_.ButtonHilightColour = ini_.ReadColor(c, "ButtonHilight", clBtnHighlight);
  m_.ButtonLightColour = ini_.ReadColor(c, "Buttonlight", clBtnHighlight);
  m_.ButtonShadowColour = ini_.ReadColor(c, "ButtonShadow", clBtnShadow);
  m_.ButtonDkShadowColour = ini_.ReadColor(c, "ButtonDkShadow", cl3DDkShadow);
  m_.HilightTextColour = ini_.ReadColor(c, "HilightText", clHighlightText);
  m_.HilightColour = ini_.ReadColor(c, "Hilight", clHighlight);
  m_.MenubarColour = ini_.ReadColor(c, "Menubar", m_.ButtonFaceColour);
  m_.MenuBarTextColour = ini_.ReadColor(c, "MenuBarText", clMenuText);
  m_.MenuTextColour = ini_.ReadColor(c, "MenuText", clMenuText);
  m_.MenuColour = ini_.ReadColor(c, "Menu", clMenu);
  m_.ScrollbarColour = ini_.ReadColor(c, "Scrollbar", clScrollBar);

  m_.ColourTable.clear();
  for (const std::string& s : DistinctSections())
    if (s.size() > 6 && SameText(std::string_view(s).substr(0, 6), "Colour") && !SameText(s, "Colours"))
      m_.ColourTable.push_back(ini_.ReadColor(s, "color", clWindowText));
}

void TSkinLoader::LoadSysButtons() {
  m_.SysButtons.clear();
  for (const std::string& section : DistinctSections()) {
    const std::string upper = UpperCase(section);
    if (upper.rfind("BUTTON", 0) != 0 || upper == "BUTTON" || upper == "BUTTONS" || upper == "BUTTON.RADIO" ||
        upper == "BUTTON.CHECKBOX")
      continue;
    const int action = Int(section, "Action", 0);
    if (action == -1 && Int(section, "Visibility", -1) != 0) continue;

    auto button = std::make_unique<TDataSkinSysButton>(upper);
    button->Action = action;
    button->Align = Int(section, "Align", 0);
    button->XCoord = Int(section, "XCoord", 0);
    button->YCoord = Int(section, "YCoord", 0);
    button->Visibility = Int(section, "Visibility", 0);
    button->Visibility1 = Int(section, "Visibility1", action == -1 ? -1 : 0);
    button->CombineOp = Int(section, "CombineOp", -1);
    button->Image = Image(section, "ButtonImage");
    button->FrameCount = std::max(0, Int(section, "frame", 0));  // negative: as if not given
    if (button->FrameCount == 0) {
      button->FrameCount = 6;
      if (!button->Image.Empty()) button->FrameCount = button->Image.Width() <= 3.8 * button->Image.Height() ? 3 : 6;
      if (action < 0) button->FrameCount = 6;
      if (action == SysButtonAction::SystemMenu || action == SysButtonAction::SystemMenuIcon) button->Image = {};
    }
    m_.SysButtons.push_back(std::move(button));
  }

  // The minimise, restore and close buttons of a maximised MDI child, drawn in the menu bar;
  // [MDICONTROLS] holds their 12 frames (4 each) side by side.
  const TBitmapPixels mdi = Image("MDICONTROLS", "Image");
  const int w = mdi.Width() / 12;
  const char* names[3] = {"MDIMINIMIZE", "MDIRESTORE", "MDICLOSE"};
  const int actions[3] = {SysButtonAction::MdiMinimize, SysButtonAction::MdiRestore, SysButtonAction::MdiClose};
  for (int k = 0; k < 3; ++k) {
    auto button = std::make_unique<TDataSkinSysButton>(names[k]);
    button->Action = actions[k];
    button->Align = button->Visibility = button->Visibility1 = 100;
    button->FrameCount = 4;
    if (!mdi.Empty()) {
      if (w > 0) {
        button->Image = TBitmapPixels(4 * w, mdi.Height(), mdi.PixelFormat());
        button->Image.CopyRect(0, 0, mdi, 4 * k * w, 0, 4 * w, mdi.Height());
      }
      button->XCoord = (w + 4) * (3 - k);
    }
    m_.SysButtons.push_back(std::move(button));
  }
}

void TSkinLoader::LoadButtons() {
  const char* s = "Buttons";
  TDataSkinButton& b = *m_.Buttons;
  b = TDataSkinButton("Buttons");
  LoadMargins(b, s);
  b.Image = Image(s, "Bitmap");
  b.CheckImage = Image(s, "CheckButton");
  b.RadioImage = Image(s, "RadioButton");
  LoadStateColors(b, s);
  b.RadioFrameCount = Int(s, "RadioButtonFrame", 0);
  b.CheckFrameCount = Int(s, "CheckButtonFrame", 0);
  b.HasNormalColour2 = Has(s, "NormalColour2");
  b.HasMouseOverColour2 = Has(s, "MouseOverColour2");
  b.HasPressedColour2 = Has(s, "PressedColour2");
  b.NormalColour2 = ini_.ReadColor(s, "NormalColour2", m_.ButtonTextColour);
  b.MouseOverColour2 = ini_.ReadColor(s, "MouseOverColour2", m_.ButtonTextColour);
  b.PressedColour2 = ini_.ReadColor(s, "PressedColour2", m_.ButtonTextColour);
}

void TSkinLoader::LoadTitle() {
  TDataSkinTitle& t = *m_.Title;
  t = TDataSkinTitle("Title");
  t.Image = Image(kPersonality, "TextBack");
  t.LeftWidth = Int(kPersonality, "TextShift", 0);
  t.TopHeight = Int(kPersonality, "TextShiftVert", 0);
  t.RightWidth = Int(kPersonality, "TextRightClip", 0);
  t.BottomHeight = 0;
  t.TextAlignment = Int(kPersonality, "TextAlignment", 0);
  t.Textbackground = Int(kPersonality, "Textbackground", 0);
  t.TXTBackleft = Int(kPersonality, "TXTBackleft", 0);
  t.TXTBackRight = Int(kPersonality, "TXTBackRight", 0);
  t.FontHeight = Int("Fonts", "FontHeight", 14);
  // A text colour counts only when all three components are given (0 or more).
  auto rgb = [&](const char* prefix, TColor& color) {
    const std::string p = prefix;
    const int r = Int(kPersonality, p + "R", -1), g = Int(kPersonality, p + "G", -1),
              b = Int(kPersonality, p + "B", -1);
    if (r >= 0 && g >= 0 && b >= 0)
      color = RGBToColor(static_cast<std::uint8_t>(r % 256), static_cast<std::uint8_t>(g % 256),
                         static_cast<std::uint8_t>(b % 256));
  };
  rgb("ActiveText", t.ActiveTextColour);
  rgb("InActiveText", t.InActiveTextColour);
}

void TSkinLoader::LoadProgress() {
  const char* s = "Progress";
  m_.Progress.reset();
  if (!Has(s, "Bitmap")) return;
  auto p = std::make_unique<TDataSkinBorder>(s);
  p->Image = Image(s, "Bitmap");
  p->Image2 = Image(s, "Chunk");
  p->Style = Int(s, "Style", 0);
  LoadMargins(*p, s);
  p->NormalColour2 = p->MouseOverColour2 = p->PressedColour2 = m_.ButtonTextColour;
  m_.Progress = std::move(p);
}

void TSkinLoader::LoadMenuBar() {
  m_.MenuBar.reset();
  if (!Has(kPersonality, "menuBar")) return;
  auto bar = std::make_unique<TDataSkinObject>("MenuBar");
  bar->Image = Image(kPersonality, "menuBar");
  bar->LeftWidth = Int(kPersonality, "TileLeftMenu", 1);
  bar->RightWidth = Int(kPersonality, "TileRightMenu", 1);
  bar->TopHeight = bar->BottomHeight = 0;
  bar->Tile = Int(kPersonality, "TileMenu", 0);
  bar->NormalColour2 = bar->MouseOverColour2 = bar->PressedColour2 = m_.ButtonTextColour;
  m_.MenuBar = std::move(bar);
}

void TSkinLoader::LoadMargins(TDataSkinObject& e, std::string_view s) const {
  e.LeftWidth = Int(s, "LeftWidth", 0);
  e.RightWidth = Int(s, "RightWidth", 0);
  e.TopHeight = Int(s, "TopHeight", 0);
  e.BottomHeight = Int(s, "BottomHeight", 0);
  e.Trans = Int(s, "Trans", 0);
  e.Tile = Int(s, "Tile", 0);
}

void TSkinLoader::LoadStateColors(TDataSkinObject& e, std::string_view s) const {
  e.NormalColour = Int(s, "NormalColour", -1);
  e.MouseOverColour = Int(s, "MouseOverColour", -1);
  e.PressedColour = Int(s, "PressedColour", -1);
}

void TSkinLoader::LoadElementFields(TDataSkinObject& e, std::string_view s) {
  e.Image = Image(s, "Image");
  e.Style = Int(s, "Style", 0);
  LoadMargins(e, s);
  if (e.Tile > 1) e.Tile = 0;
  LoadStateColors(e, s);
  e.NormalColour2 = ini_.ReadColor(s, "NormalColour2", m_.ButtonTextColour);
  e.MouseOverColour2 = ini_.ReadColor(s, "MouseOverColour2", m_.ButtonTextColour);
  e.PressedColour2 = ini_.ReadColor(s, "PressedColour2", m_.ButtonTextColour);
}

template <class T>
void TSkinLoader::LoadElement(std::unique_ptr<T>& member, std::string_view section, std::string_view secondImageKey) {
  member.reset();
  if (!Has(section, "Image")) return;
  auto e = std::make_unique<T>(std::string(section));
  LoadElementFields(*e, section);
  if constexpr (std::is_base_of_v<TDataSkinBorder, T>) {
    if (!secondImageKey.empty()) e->Image2 = Image(section, secondImageKey);
    if (&member == &m_.ComboButton && !e->Image.Empty())
      e->Image2 = MirrorHorizontally(e->Image);  // for the drop-down button on the left
  }
  if constexpr (std::is_same_v<T, TDataSkinBoxLabel>) {
    e->BackgroundAlignment = Int(section, "BackgroundAlignment", 0);
    e->BackgroundLeftShift = Int(section, "BackgroundLeftShift", 0);
    e->BackgroundRightShift = Int(section, "BackgroundRightShift", 0);
  }
  member = std::move(e);
}

// A check-box or radio strip without a frame count: frames 13 pixels wide when the strip is
// lower than 16 pixels, else 16; at least 4.
int StripFrameCount(const TBitmapPixels& strip) {
  const int width = strip.Height() < 16 ? 13 : 16;
  return std::max(4, strip.Width() / width);
}

void TSkinLoader::SetFrameCounts() {
  m_.Buttons->FrameCount = 5;
  if (m_.Buttons->RadioFrameCount == 0) m_.Buttons->RadioFrameCount = StripFrameCount(m_.Buttons->RadioImage);
  if (m_.Buttons->CheckFrameCount == 0) m_.Buttons->CheckFrameCount = StripFrameCount(m_.Buttons->CheckImage);
  m_.Title->FrameCount = 2;
  auto count = [](auto& member, int n) {
    if (member) member->FrameCount = n;
  };
  count(m_.Tabs, 5);
  count(m_.Progress, 2);
  count(m_.UpDownHorz, 8);
  count(m_.UpDownVert, 8);
  count(m_.SunkEdge, 4);
  count(m_.ExtraImages, 5);
  count(m_.ComboButton, 4);
  count(m_.GroupBoxEdge, 2);
  count(m_.Toolbars, 5);
  count(m_.GroupBox, 1);
  count(m_.StatusBarEdges, 3);
  count(m_.Headerbar, 5);
  count(m_.MenuBar, 2);
  count(m_.MenuItem, 5);
  count(m_.MenuBackground, 1);
  count(m_.Scrollbar, 23);
  count(m_.HorzScroll, 4);
  count(m_.VertScroll, 4);
  count(m_.HorzScrollThumb, std::max(1, Int("HorzScrollThumb", "FrameCount", 3)));
  count(m_.VertScrollThumb, std::max(1, Int("VertScrollThumb", "FrameCount", 3)));
  for (auto* thumb : {&m_.TrackbarThumbHorz, &m_.TrackbarThumbVert, &m_.TrackbarThumbLeft, &m_.TrackbarThumbRight,
                      &m_.TrackbarThumbUp, &m_.TrackbarThumbDown})
    count(*thumb, 5);
}

}  // namespace

void TSkinModel::LoadModel(const TQuickIni& ini, const TSkinReader& reader) { TSkinLoader(*this, ini, reader).Run(); }
