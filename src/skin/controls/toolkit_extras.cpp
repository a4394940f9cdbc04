#include "skin/controls/toolkit_extras.h"

#include "skin/controls/skin_buttons.h"
#include "skin/controls/skin_checks.h"
#include "skin/controls/skin_edits.h"
#include "skin/controls/skin_lists.h"
#include "skin/controls/skin_ranges.h"
#include "skin/controls/skin_scrollbars.h"
#include "skin/controls/skin_statusbar.h"
#include "skin/data/skin_set.h"
#include "toolkit/win/buttons.h"
#include "toolkit/win/checkbox.h"
#include "toolkit/win/combobox.h"
#include "toolkit/win/listview.h"
#include "toolkit/win/range_controls.h"
#include "toolkit/win/scrollbar.h"
#include "toolkit/win/spin.h"
#include "toolkit/win/statusbar.h"

void SkinToolkitExtras(TComponent*, TSkinSet* skin, TComponent*, TComponent* control, std::string,
                       TComponent*& skinned) {
  const TSkinControlTypes on = skin->SkinControls();
  if (skin->IsTagDisabled(control->Tag())) return;
  if (dynamic_cast<TSpinButton*>(control) && on.Contains(xcButton))
    skinned = new TSkinUpDown(control);
  else if (dynamic_cast<TCustomCheckBox*>(control) && on.Contains(xcCheckBox))
    skinned = new TSkinCheckBox(control);
  else if (dynamic_cast<TCustomComboBox*>(control) && on.Contains(xcCombo))
    skinned = new TSkinComBox(control);
  else if (dynamic_cast<TProgressBar*>(control) && on.Contains(xcProgress))
    skinned = new TSkinProgress(control);
  else if (dynamic_cast<TStatusBar*>(control) && on.Contains(xcStatusBar))
    skinned = new TSkinStatusBar(control);
  else if (dynamic_cast<TScrollBar*>(control) && on.Contains(xcScrollbar))
    skinned = new TSkinScControl(control);
  else if (dynamic_cast<TListView*>(control) && on.Contains(xcScrollbar))
    skinned = new TSkinListView(control);
  else if (dynamic_cast<TBitBtn*>(control) && on.Contains(xcBitBtn))
    skinned = new TSkinBitButton(control);
}
