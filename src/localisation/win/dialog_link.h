#pragma once
// The link of a translated standard dialog to the localisation component whose dialog caption
// rows give the texts of the dialog's controls. The dialog component holds one and tells it
// when components go (Notification).
#include <string>

#include "localisation/lang_component.h"

class TDialogLangLink {
public:
  explicit TDialogLangLink(TComponent& dialog) : dialog_(dialog) {}

  TlcCustomLang* Get() const { return lang_; }
  // Links a component (nullptr: none); a linked one keeps all of its dialog caption rows
  // (NeedAllDlgs), and the link is cleared when it is destroyed.
  void Set(TlcCustomLang* value);
  // Clears the link when its component is removed.
  void Removed(TComponent* component);

  // The text of a dialog caption key in the active language, the default language's when
  // that is empty; empty without a link or a text.
  std::string Caption(const char* key) const;

private:
  TComponent& dialog_;
  TlcCustomLang* lang_ = nullptr;
};
