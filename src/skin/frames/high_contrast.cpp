#include "skin/frames/high_contrast.h"

#include "toolkit/win/messages.h"  // <windows.h> without its GetObject

#include "skin/data/skin_set.h"

namespace {
std::function<bool()>& Query() {
  static std::function<bool()> query;
  return query;
}

bool SystemHighContrastOn() {
  HIGHCONTRASTW contrast{};
  contrast.cbSize = sizeof(contrast);
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(contrast), &contrast, 0) &&
         (contrast.dwFlags & HCF_HIGHCONTRASTON);
}
}  // namespace

bool HighContrastOn() { return Query() ? Query()() : SystemHighContrastOn(); }

void SetHighContrastQuery(std::function<bool()> query) { Query() = std::move(query); }

void THighContrastFollower::Follow() {
  const bool on = HighContrastOn();
  if (on && skin_.Active()) {
    skin_.SetActive(false);
    steppedAside_ = true;
  } else if (!on && steppedAside_) {
    steppedAside_ = false;
    skin_.SetActive(true);
  }
}
