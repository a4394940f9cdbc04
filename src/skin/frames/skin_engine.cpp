#include "skin/frames/skin_engine.h"

#include <cstdlib>
#include <cstring>
#include <map>
#include <vector>

#include "skin/data/menu_glyphs.h"
#include "skin/data/skin_set.h"
#include "skin/frames/window_side.h"
#include "toolkit/core/bmp_codec.h"
#include "toolkit/core/utf8.h"
#include "toolkit/win/application.h"
#include "toolkit/win/extctrls.h"
#include "toolkit/win/graphics.h"
#include "toolkit/win/imagelist.h"
#include "toolkit/win/system_timer.h"

TToolkitActionTimer::TToolkitActionTimer() : timer_(std::make_unique<TTimer>(nullptr)) {
  timer_->SetEnabled(false);
  timer_->OnTimer = [this](TObject*) {
    if (OnTimer) OnTimer();
  };
}

TToolkitActionTimer::~TToolkitActionTimer() = default;

void TToolkitActionTimer::SetInterval(int milliseconds) { timer_->SetInterval(milliseconds); }
int TToolkitActionTimer::Interval() const { return timer_->Interval(); }
void TToolkitActionTimer::SetEnabled(bool enabled) { timer_->SetEnabled(enabled); }
bool TToolkitActionTimer::Enabled() const { return timer_->Enabled(); }
void TToolkitActionTimer::FireSoon() { timer_->FireSoon(); }

TBitmapPixels LoadMenuGlyphResource(HINSTANCE module) {
  HRSRC res = FindResourceW(module, L"SYSMENUGLYPHS", MAKEINTRESOURCEW(2) /* RT_BITMAP */);
  HGLOBAL mem = res ? LoadResource(module, res) : nullptr;
  const auto* dib = mem ? static_cast<const std::uint8_t*>(LockResource(mem)) : nullptr;
  const std::size_t size = res ? SizeofResource(module, res) : 0;
  if (!dib || size < 16) return {};
  // A bitmap resource is a BMP file without its 14-byte file header; the pixels follow the
  // info header and the palette.
  std::uint32_t headerSize = 0, colorsUsed = 0;
  std::uint16_t bitCount = 0;
  std::memcpy(&headerSize, dib, 4);
  const bool core = headerSize == 12;
  std::memcpy(&bitCount, dib + (core ? 10 : 14), 2);
  if (!core && size >= 36) std::memcpy(&colorsUsed, dib + 32, 4);
  const std::uint64_t colors = colorsUsed ? colorsUsed : (bitCount <= 8 ? 1u << bitCount : 0);
  const std::uint64_t offset = 14 + std::uint64_t{headerSize} + colors * (core ? 3 : 4);
  if (offset > 14 + size) return {};
  std::vector<std::uint8_t> file(14 + size);
  const std::uint32_t fileSize = static_cast<std::uint32_t>(file.size()), pixels = static_cast<std::uint32_t>(offset);
  file[0] = 'B';
  file[1] = 'M';
  std::memcpy(&file[2], &fileSize, 4);
  std::memcpy(&file[10], &pixels, 4);
  std::memcpy(&file[14], dib, size);
  try {
    return DecodeBmp(file);
  } catch (const Exception&) {
    return {};
  }
}

void MakeMenuGlyphList(const TSkinSet& skin, TImageList& list) {
  list.Clear();
  list.SetWidth(kMenuGlyphSize);
  list.SetHeight(kMenuGlyphSize);
  TBitmap strip;
  strip.SetPixels(skin.MenuGlyphs());
  list.AddMasked(strip, clWhite);
}

TImageList& SystemMenuGlyphList(const TSkinSet& skin) {
  // One list per skin component, made on first use and kept for the program's life.
  static std::map<const TSkinSet*, std::unique_ptr<TImageList>> lists;
  auto& list = lists[&skin];
  if (!list) {
    list = std::make_unique<TImageList>(nullptr);
    MakeMenuGlyphList(skin, *list);
  }
  return *list;
}

void ShowSkinMessage(const std::string& text) {
  MessageBoxW(GetActiveWindow(), Utf8ToWide(text).c_str(), Utf8ToWide(Application->Title()).c_str(), MB_OK);
}

void UseWindowsSkinEngine() {
  static const bool installed = [] {
    SetSkinManagerFactory([] {
      // The manager's timer lives in the thread's timer queue: the manager goes at program
      // end before the queue does.
      static const bool freedAtExit = (TTimerQueue::Get(), std::atexit(FreeSkinManager) == 0);
      (void)freedAtExit;
      return std::make_unique<TSkinManager>(std::make_unique<TToolkitActionTimer>(),
                                            std::make_unique<TFrameWindowSide>());
    });
    SetMenuGlyphSource([] { return LoadMenuGlyphResource(GetModuleHandleW(nullptr)); });
    SetSkinMessageHandler(ShowSkinMessage);
    return true;
  }();
  (void)installed;
}
