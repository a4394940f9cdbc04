#pragma once
// A ready OnSkinControl handler for the toolkit's own controls that the dispatch's built-in
// rules do not name: spin buttons, check boxes, combo boxes, progress bars, status bars,
// stand-alone scroll bars, list views and bitmap buttons. Each gets its companion under its
// SkinControls member; any other control goes on to the built-in rules. A form opts in by
// giving its skin component this handler.
#include <string>

class TComponent;
class TSkinSet;

void SkinToolkitExtras(TComponent* sender, TSkinSet* skin, TComponent* parent, TComponent* control,
                       std::string className, TComponent*& skinned);
