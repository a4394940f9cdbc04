#pragma once
// The flashing engine's logic, apart from any window: the run list, Start and Stop, the period
// tick and the duration tick, the random message and position of each flash, and the flash
// window's one-shot centre placement. The main window gives it a host that owns the two timers
// (period and duration) and the flash window, and calls its entry points from its handlers.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/formats/random_source.h"

enum class TFlashTimer { Period, Duration };
// 0 = random place, 1 = screen centre (the items of the placement radio group).
enum class TFlashPlacement { Random = 0, Centre = 1 };

// What the engine drives. The timers behave as the toolkit's TTimer: enabling an enabled timer
// changes nothing, an interval of 0 never fires.
class TFlashHost {
public:
  virtual ~TFlashHost() = default;
  virtual void SetTimerEnabled(TFlashTimer timer, bool enabled) = 0;
  virtual void SetTimerInterval(TFlashTimer timer, int intervalMs) = 0;
  // Sets the flash window's text (the window takes its size) and shows it in front at x, y;
  // with centred, the window is centred on the screen instead (CentredOrigin).
  virtual void ShowFlash(const std::string& text, int x, int y, bool centred) = 0;
  virtual void HideFlash() = 0;
  // Whether the flash window is on the screen now.
  virtual bool FlashVisible() const = 0;
};

struct TPoint2 {
  int X = 0;
  int Y = 0;
  bool operator==(const TPoint2&) const = default;
};
// Top-left corner of a window centred on the screen: (screen - window) div 2, 0 when negative.
TPoint2 CentredOrigin(int screenWidth, int screenHeight, int windowWidth, int windowHeight);

class TFlashScheduler {
public:
  // Appends one text to the run list.
  using TAddText = std::function<void(const std::string& text)>;
  // Hands every ticked message of the catalogue, in catalogue order, to add.
  using TGatherTicked = std::function<void(const TAddText& add)>;

  explicit TFlashScheduler(TFlashHost& host, TRandomSource& random = ProgramRandom());

  // Start: disables both timers, rebuilds the run list through gather, sets the period
  // interval to periodSeconds * 1000 and the duration interval to durationMs (texts as typed;
  // EConvertError "'<text>' is not a valid integer value" ends Start there, with the timers
  // disabled and the run list already rebuilt), then enables the period timer. A failure of
  // gather ends Start at that step too.
  void Start(const TGatherTicked& gather, std::string_view periodSeconds, std::string_view durationMs);
  // Disables both timers; the run list and a message on screen stay.
  void Stop();
  // Draws the message (below the run list's length), then x in 50..899 and y in 50..699, shows
  // the flash (centred when the centre placement is armed and the flash window is hidden) and
  // enables the duration timer.
  void PeriodTick();
  // Hides the flash and disables the duration timer.
  void DurationTick();

  TFlashPlacement Placement() const { return placement_; }
  void SetPlacement(TFlashPlacement placement) { placement_ = placement; }
  const std::vector<std::string>& RunList() const { return runList_; }
  // The flash window is created with the centre placement armed, so the first message after
  // program start is centred even in random mode. The placement is used up by the next
  // showing of a hidden flash window.
  bool CentreArmed() const { return centreArmed_; }

  // A negative period or duration never fires (interval 0); intervals beyond the timer range
  // are held at the largest one.
  static int PeriodInterval(std::string_view periodSeconds);
  static int DurationInterval(std::string_view durationMs);

private:
  TFlashHost& host_;
  TRandomSource& random_;
  std::vector<std::string> runList_;
  TFlashPlacement placement_ = TFlashPlacement::Random;
  bool centreArmed_ = true;
};
