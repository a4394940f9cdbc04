#pragma once
// The skin engine in the windowed program: what the portable skin component and manager
// leave to the platform.
//  - The manager's action timer is a toolkit TTimer, so requested actions run from the
//    message loop.
//  - A skin component's system-menu glyphs come from the program's monochrome 64 x 16 bitmap
//    resource "SYSMENUGLYPHS" (white is the mask colour).
//  - The skin reader's message (a skin file of an older format) is a message box titled with
//    the application's title, with an OK button.
#include <memory>
#include <string>

#include "toolkit/win/messages.h"  // <windows.h> without its GetObject

#include "skin/data/skin_manager.h"
#include "toolkit/core/bitmap.h"

class TImageList;
class TSkinSet;
class TTimer;

// Makes the process-wide skin manager with the toolkit timer and the skin components read
// their glyphs from the resource. Called once before the first form is read; calling it again
// does nothing more.
void UseWindowsSkinEngine();

// The message box of the skin reader.
void ShowSkinMessage(const std::string& text);

// TSkinActionTimer on a toolkit TTimer.
class TToolkitActionTimer : public TSkinActionTimer {
public:
  TToolkitActionTimer();
  ~TToolkitActionTimer() override;
  void SetInterval(int milliseconds) override;
  int Interval() const override;
  void SetEnabled(bool enabled) override;
  bool Enabled() const override;
  void FireSoon() override;

private:
  std::unique_ptr<TTimer> timer_;
};

// The "SYSMENUGLYPHS" bitmap of the module as 24-bit pixels; empty when the module has none
// or it cannot be read.
TBitmapPixels LoadMenuGlyphResource(HINSTANCE module);

// Fills the image list with the four 16 x 16 glyphs of the skin component (restore, maximize,
// minimize, close), white transparent.
void MakeMenuGlyphList(const TSkinSet& skin, TImageList& list);
// The glyph list of the skin component's skinned system menu.
TImageList& SystemMenuGlyphList(const TSkinSet& skin);
