#include "localisation/win/dialog_link.h"

void TDialogLangLink::Set(TlcCustomLang* value) {
  if (value == lang_) return;
  if (lang_) lang_->RemoveFreeNotification(&dialog_);
  lang_ = value;
  if (!lang_) return;
  lang_->FreeNotification(&dialog_);
  lang_->SetNeedAllDlgs(true);
}

void TDialogLangLink::Removed(TComponent* component) {
  if (component == lang_) lang_ = nullptr;
}

std::string TDialogLangLink::Caption(const char* key) const {
  return lang_ ? lang_->LookupText(stDlgsCaptions, key, true) : std::string();
}
