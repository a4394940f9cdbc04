#include "skin/data/scaled_model.h"

#include <algorithm>
#include <cstring>
#include <type_traits>
#include <utility>
#include <vector>

int ScaledPixels(int value, int pixelsPerInch) {
  const long long scaled =
      (static_cast<long long>(value < 0 ? -value : value) * pixelsPerInch + kSkinPixelsPerInch / 2) /
      kSkinPixelsPerInch;
  return static_cast<int>(value < 0 ? -scaled : scaled);
}

namespace {

// For each pixel of one scaled frame along an axis, the source pixel it shows. The frame is
// cut into lead, middle and trail; each piece is scaled on its own (centre sampling), so the
// scaled lead and trail are exactly ScaledPixels of theirs.
std::vector<int> AxisMap(int length, TScaleCuts cuts, int pixelsPerInch) {
  const int scaled = ScaledPixels(length, pixelsPerInch);
  int lead = std::max(cuts.Lead, 0), trail = std::max(cuts.Trail, 0);
  if (lead + trail > length) lead = trail = 0;  // ends that do not fit the frame are not kept
  const int source[4] = {0, lead, length - trail, length};
  int dest[4] = {0, std::min(ScaledPixels(lead, pixelsPerInch), scaled), 0, scaled};
  // Without a middle, the trail takes what the lead leaves.
  dest[2] = lead + trail == length ? dest[1] : std::max(scaled - ScaledPixels(trail, pixelsPerInch), dest[1]);
  std::vector<int> map(static_cast<std::size_t>(scaled));
  for (int piece = 0; piece < 3; ++piece) {
    const int from = source[piece], fromLength = source[piece + 1] - from;
    const int to = dest[piece], toLength = dest[piece + 1] - to;
    for (int d = 0; d < toLength; ++d)
      map[static_cast<std::size_t>(to + d)] = from + static_cast<int>((2LL * d + 1) * fromLength / (2LL * toLength));
  }
  return map;
}

}  // namespace

TBitmapPixels ScaleFrameStrip(const TBitmapPixels& image, int count, bool stacked, TScaleCuts alongX, TScaleCuts alongY,
                              int pixelsPerInch) {
  count = std::max(count, 1);
  const int frameWidth = stacked ? image.Width() : image.Width() / count;
  const int frameHeight = stacked ? image.Height() / count : image.Height();
  if (frameWidth <= 0 || frameHeight <= 0)  // too small for its frames: scaled whole, as one frame
    return count == 1 ? TBitmapPixels() : ScaleFrameStrip(image, 1, false, {}, {}, pixelsPerInch);
  const std::vector<int> xs = AxisMap(frameWidth, alongX, pixelsPerInch);
  const std::vector<int> ys = AxisMap(frameHeight, alongY, pixelsPerInch);
  const int scaledWidth = static_cast<int>(xs.size()), scaledHeight = static_cast<int>(ys.size());
  if (scaledWidth == 0 || scaledHeight == 0) return {};
  TBitmapPixels scaled(stacked ? scaledWidth : scaledWidth * count, stacked ? scaledHeight * count : scaledHeight,
                       image.PixelFormat());
  const int bytes = BytesPerPixel(image.PixelFormat());
  for (int frame = 0; frame < count; ++frame) {
    const int sourceX = stacked ? 0 : frame * frameWidth, sourceY = stacked ? frame * frameHeight : 0;
    const int destX = stacked ? 0 : frame * scaledWidth, destY = stacked ? frame * scaledHeight : 0;
    for (int y = 0; y < scaledHeight; ++y) {
      const std::uint8_t* from = image.ScanLine(sourceY + ys[static_cast<std::size_t>(y)]) + sourceX * bytes;
      std::uint8_t* to = scaled.ScanLine(destY + y) + destX * bytes;
      for (int x = 0; x < scaledWidth; ++x)
        std::memcpy(to + x * bytes, from + xs[static_cast<std::size_t>(x)] * bytes, static_cast<std::size_t>(bytes));
    }
  }
  return scaled;
}

namespace {

class TModelScaler {
public:
  explicit TModelScaler(int pixelsPerInch) : ppi_(pixelsPerInch) {}

  int Px(int value) const { return ScaledPixels(value, ppi_); }

  TBitmapPixels Strip(const TBitmapPixels& image, int count, bool stacked, TScaleCuts alongX = {},
                      TScaleCuts alongY = {}) const {
    return ScaleFrameStrip(image, count, stacked, alongX, alongY, ppi_);
  }

  // The image cut at the element's margins, and the margins, scaled.
  void Element(TDataSkinObject& e, bool stacked) const {
    e.Image = Strip(e.Image, e.FrameCount, stacked, {e.LeftWidth, e.RightWidth}, {e.TopHeight, e.BottomHeight});
    Margins(e);
  }
  void Margins(TDataSkinObject& e) const {
    e.LeftWidth = Px(e.LeftWidth);
    e.TopHeight = Px(e.TopHeight);
    e.RightWidth = Px(e.RightWidth);
    e.BottomHeight = Px(e.BottomHeight);
  }

  // Elements of every kind: what they add to the base.
  void Scale(TDataSkinObject& e) const { Element(e, false); }
  void Scale(TDataSkinBorder& e) const {
    Element(e, false);
    e.Image2 = Strip(e.Image2, 1, false);
  }
  void Scale(TDataSkinBoxLabel& e) const {
    Element(e, false);
    e.BackgroundLeftShift = Px(e.BackgroundLeftShift);
    e.BackgroundRightShift = Px(e.BackgroundRightShift);
  }

private:
  int ppi_;
};

}  // namespace

std::unique_ptr<TSkinModel> ScaleSkinModel(const TSkinModel& source, int pixelsPerInch) {
  const TModelScaler s(pixelsPerInch);
  auto model = std::make_unique<TSkinModel>();
  TSkinModel& m = *model;
  m.SkinName = source.SkinName;
  m.CopyColours(source);

  // The frame borders: the sides' frames lie side by side, the top's and bottom's stacked.
  for (auto [to, from] : {std::pair{&m.BorderLeft, &source.BorderLeft},
                          {&m.BorderRight, &source.BorderRight},
                          {&m.BorderTop, &source.BorderTop},
                          {&m.BorderBottom, &source.BorderBottom}}) {
    **to = **from;
    s.Element(**to, to == &m.BorderTop || to == &m.BorderBottom);
  }

  // The caption: its margins are text offsets; its image is a three-part strip of two stacked
  // frames with caps TXTBackleft and TXTBackRight wide.
  TDataSkinTitle& title = *m.Title = *source.Title;
  title.Image = s.Strip(title.Image, 2, true, {title.TXTBackleft, title.TXTBackRight});
  s.Margins(title);
  title.FontHeight = s.Px(title.FontHeight);
  title.TXTBackleft = s.Px(title.TXTBackleft);
  title.TXTBackRight = s.Px(title.TXTBackRight);

  TDataSkinButton& buttons = *m.Buttons = *source.Buttons;
  s.Element(buttons, false);
  buttons.CheckImage = s.Strip(buttons.CheckImage, buttons.CheckFrameCount, false);
  buttons.RadioImage = s.Strip(buttons.RadioImage, buttons.RadioFrameCount, false);

  for (const auto& from : source.SysButtons) {
    auto button = std::make_unique<TDataSkinSysButton>(*from);
    button->Image = s.Strip(button->Image, button->FrameCount, false);
    s.Margins(*button);
    button->XCoord = s.Px(button->XCoord);
    button->YCoord = s.Px(button->YCoord);
    m.SysButtons.push_back(std::move(button));
  }

  m.EachOptionalElement(source, [&](auto& mine, const auto& theirs) {
    if (!theirs) return;
    mine = std::make_unique<std::remove_cvref_t<decltype(*theirs)>>(*theirs);
    s.Scale(*mine);
  });
  // Elements whose second image is not one plain picture; the menu bar's frames are stacked.
  if (m.MenuBar)
    m.MenuBar->Image = s.Strip(source.MenuBar->Image, 2, true, {source.MenuBar->LeftWidth, source.MenuBar->RightWidth});
  for (auto [to, from] : {std::pair{&m.UpDownHorz, &source.UpDownHorz}, {&m.UpDownVert, &source.UpDownVert}})
    if (*to) (*to)->Image2 = s.Strip((*from)->Image2, 8, false);  // eight glyphs side by side
  if (m.ComboButton && !m.ComboButton->Image2.Empty()) m.ComboButton->Image2 = MirrorHorizontally(m.ComboButton->Image);
  if (m.Tabs)
    m.Tabs->Image2 = s.Strip(source.Tabs->Image2, 1, false, {TabPageBorder::Left, TabPageBorder::Right},
                             {TabPageBorder::Top, TabPageBorder::Bottom});
  return model;
}
