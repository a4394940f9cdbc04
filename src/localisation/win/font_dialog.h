#pragma once
// TlcFontDialog: the system's font dialog with the texts of its controls taken from a form's
// translation table (the DlgsCaptions rows of the linked localisation component, in its active
// language, the default language's text where that is empty) and its controls in the font of
// the form that owns that component.
#include "toolkit/win/dialogs.h"
// After the windowed toolkit's headers (see main_window.h).
#include "localisation/win/dialog_link.h"

class TlcFontDialog : public TFontDialog {
  QUILLIMO_CLASS(TlcFontDialog, TFontDialog)
public:
  explicit TlcFontDialog(TComponent* owner) : TFontDialog(owner) {}

  // The component whose dialog captions the dialog shows; none leaves the system's texts.
  // Linking one makes it keep all of its dialog caption rows (NeedAllDlgs).
  TlcCustomLang* GetlcLang() const { return link_.Get(); }
  void SetlcLang(TlcCustomLang* value) { link_.Set(value); }

  // The dialog's controls by id, with the key of the caption each one shows.
  struct TControlCaption {
    int Id;
    const char* Key;
  };
  static const TControlCaption Captions[13];
  // The controls that take the owner form's font, in the order they are given it.
  static const int FontControls[13];

protected:
  void Notification(TComponent* component, TOperation operation) override;
  // Puts the translated captions and the owner form's font on the controls, then fires OnShow.
  void DoShow() override;

private:
  TDialogLangLink link_{*this};
};
