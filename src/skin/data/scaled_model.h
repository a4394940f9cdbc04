#pragma once
// The skin model drawn at a screen's resolution. Skins are drawn for 96 pixels per inch; on a
// screen of another resolution every image and every pixel metric of the model is scaled by
// pixelsPerInch / 96, so that frames, menus and controls keep their size in inches.
//
// Images are scaled by nearest neighbour, frame by frame (every frame of a strip keeps one
// whole, equal size) and piece by piece between the element's margins (a margin of m pixels
// becomes exactly the scaled metric ScaledPixels(m)), so edges stay crisp and key colours
// (magenta) stay exact: every scaled pixel is one of the source's.
#include <memory>

#include "skin/data/skin_model.h"

inline constexpr int kSkinPixelsPerInch = 96;

// A length of the 96-dpi skin at the resolution, rounded to the nearest pixel (halves away from
// zero).
int ScaledPixels(int value, int pixelsPerInch);

// Where the fixed ends of a frame lie along one axis: the first `Lead` and the last `Trail`
// pixels of each frame.
struct TScaleCuts {
  int Lead = 0, Trail = 0;
};

// The strip of count frames (side by side, or stacked) scaled frame by frame; each frame is
// cut at the ends given along x and y and each piece scaled by nearest neighbour. Pixels beyond
// the last whole frame are dropped.
TBitmapPixels ScaleFrameStrip(const TBitmapPixels& image, int count, bool stacked, TScaleCuts alongX, TScaleCuts alongY,
                              int pixelsPerInch);

// A new model with the source's images and pixel metrics scaled to the resolution (colours,
// frame counts, styles and names as they are).
std::unique_ptr<TSkinModel> ScaleSkinModel(const TSkinModel& source, int pixelsPerInch);
