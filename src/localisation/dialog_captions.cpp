#include "localisation/dialog_captions.h"

namespace {

constexpr const char* kCaptions[DialogCaptionCount] = {
    // Message dialogs: titles, then buttons.
    "Warning",
    "Error",
    "Information",
    "Confirm",
    "&Yes",
    "&No",
    "OK",
    "Cancel",
    "&Abort",
    "&Retry",
    "&Ignore",
    "&All",
    "N&o To All",
    "Y&es To All",
    "&Help",
    // Open and save dialogs.
    "&Open",
    "Look &in:",
    "File &name:",
    "Files of &type:",
    "&Read-only",
    "&Save",
    "&Drives:",
    "Save &in:",
    "Save as &type:",
    // Colour dialog.
    "&Basic colors:",
    "&Custom colors:",
    "&Define Custom Colors >>",
    "Color",
    "|S&olid",
    "Hu&e:",
    "&Sat:",
    "&Lum:",
    "&Red:",
    "&Green:",
    "Bl&ue:",
    "&Add to Custom Colors",
    // Font dialog.
    "&Font:",
    "Font st&yle:",
    "Si&ze:",
    "&Color:",
    "&Apply",
    "Effects",
    "Stri&keout",
    "&Underline",
    "Sample",
    "Sc&ript:",
    // Printer dialogs.
    "Printer",
    "&Name:",
    "&Properties",
    "Status:",
    "Type:",
    "Where:",
    "Comment:",
    "Paper",
    "&Source:",
    "Orientation",
    "P&ortrait",
    "L&andscape",
    "Print to f&ile",
    "Print",
    "Pa&ges",
    "&Selection",
    "&from:",
    "&to:",
    "Copies",
    "Number of &copies:",
    "C&ollate",
    // Find and replace dialogs.
    "Fi&nd what:",
    "Match &whole words only",
    "Match &case",
    "Direction",
    "&Up",
    "&Down",
    "&Find Next",
    "&Replace",
    "Replace &All",
    "Re&place with:",
    // Picture dialogs and folders.
    "Picture:",
    "Preview",
    "New Folder",
    "Folder:",
    "(None)",
};

constexpr const char* kToolkitMessageCaptions[MessageDialogCaptionCount] = {
    "Warning", "Error",  "Information", "Confirm", "&Yes",       "&No",         "OK",    "Cancel",
    "&Abort",  "&Retry", "&Ignore",     "&All",    "N&o to All", "Y&es to All", "&Help",
};

}  // namespace

std::string StripAccelerators(std::string_view caption) {
  std::string key;
  for (char c : caption)
    if (c != '&') key += c;
  return key;
}

std::string_view DialogCaption(int i) { return i >= 0 && i < DialogCaptionCount ? kCaptions[i] : ""; }

std::string DialogCaptionKey(int i) { return StripAccelerators(DialogCaption(i)); }

bool IsMessageDialogKey(std::string_view key) {
  for (int i = 0; i < MessageDialogCaptionCount; ++i)
    if (DialogCaptionKey(i) == key) return true;
  return false;
}

std::string_view ToolkitMessageDialogCaption(int i) {
  return i >= 0 && i < MessageDialogCaptionCount ? kToolkitMessageCaptions[i] : "";
}
