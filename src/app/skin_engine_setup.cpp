#include "app/skin_engine_setup.h"

#include "skin/controls/control_dispatch.h"
#include "skin/frames/skin_engine.h"

void UseProgramSkinEngine() {
  UseWindowsSkinEngine();
  UseSkinControlDispatch();
}
