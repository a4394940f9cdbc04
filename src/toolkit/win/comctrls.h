#pragma once
// The common controls of comctl32 that the program's windows use: the tool bar with its
// buttons (TToolBar, TToolButton) and the tabbed page control (TPageControl, TTabSheet).
// The tool bar is a tab stop: with the focus, Left/Right (Up/Down, Home/End) move the keyboard
// button, which shows hot, and Space or Enter clicks it; each button's tooltip is its caption.
#include <vector>

#include "toolkit/win/wincontrol.h"

#include <commctrl.h>

class TMenuItem;
class TToolBar;

QUILLIMO_ENUM(TToolButtonStyle, tbsButton, tbsCheck, tbsDropDown, tbsSeparator, tbsDivider)

// A button of a tool bar: a windowless control whose parent is the tool bar, which shows
// it as one of its native buttons (in the order of their Left positions).
class TToolButton : public TControl {
  QUILLIMO_CLASS(TToolButton, TControl)
public:
  explicit TToolButton(TComponent* owner);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int v);
  TToolButtonStyle Style() const { return style_; }
  void SetStyle(TToolButtonStyle v);
  bool Down() const { return down_; }
  void SetDown(bool v);
  TMenuItem* MenuItem() const { return menuItem_; }
  void SetMenuItem(TMenuItem* item) { menuItem_ = item; }
  TToolBar* ToolBar() const;
  // The button's place on the tool bar, in the tool bar's client coordinates.
  RECT ButtonRect() const;
  void Notification(TComponent* component, TOperation operation) override;

protected:
  void TextChanged() override;
  void EnabledChanged() override;
  void VisibleChanged() override;

private:
  void Changed();
  int imageIndex_ = -1;
  TToolButtonStyle style_ = tbsButton;
  bool down_ = false;
  TMenuItem* menuItem_ = nullptr;
};

// Custom-draw states of a tool bar button (the system's CDIS_* bits).
using TCustomDrawState = UINT;

class TToolBar : public TWinControl {
  QUILLIMO_CLASS(TToolBar, TWinControl)
public:
  explicit TToolBar(TComponent* owner);
  int ButtonWidth() const { return buttonWidth_; }
  void SetButtonWidth(int v);
  int ButtonHeight() const { return buttonHeight_; }
  void SetButtonHeight(int v);
  bool ShowCaptions() const { return showCaptions_; }
  void SetShowCaptions(bool v);
  bool Flat() const { return flat_; }
  void SetFlat(bool v);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);
  // The image list of the buttons (an HIMAGELIST; the tool bar does not own it).
  HIMAGELIST Images() const { return images_; }
  void SetImages(HIMAGELIST images);

  int ButtonCount() const { return static_cast<int>(buttons_.size()); }
  // In display order.
  TToolButton* Buttons(int index) const { return buttons_.at(static_cast<std::size_t>(index)); }

  // Called for each button before the system draws it; DefaultDraw false skips the system's
  // drawing. The device context is CustomDrawDC() during the call.
  TEvent<void(TToolBar* sender, TToolButton* button, TCustomDrawState state, bool& defaultDraw)> OnCustomDrawButton;
  HDC CustomDrawDC() const { return customDrawDC_; }
  // During OnCustomDrawButton: the colour the default drawing writes the caption in.
  void SetCustomDrawTextColor(TColor color) { customDrawText_ = color; }
  // During OnCustomDrawButton: the handler painted the button's face and edges; the default
  // drawing adds only the image and the caption (no background or edges, themed or not).
  void SetCustomDrawOwnFace() { customDrawOwnFace_ = true; }

  // Rebuilds the native buttons from the tool buttons.
  void UpdateButtons();
  // Gives one button's native button its caption again (a renamed button keeps its place).
  void UpdateButtonCaption(TToolButton* button);
  // The button the keyboard is on (the native hot button), or nullptr.
  TToolButton* KeyboardButton() const;

protected:
  friend class TToolButton;
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void WndProc(TMessage& msg) override;
  void ControlInserted(TControl* control) override;
  void ControlRemoved(TControl* control) override;
  void Loaded() override;
  // The buttons' size scales with the layout (their images keep theirs).
  void ChangeScale(int fromPixelsPerInch, int toPixelsPerInch) override;

private:
  void SortButtons();
  int CommandOf(const TToolButton* button) const;
  // Keyboard handling: true when the key was taken.
  bool KeyDown(WPARAM key, LPARAM flags);
  // Moves the keyboard button step buttons on (wrapping), over separators and buttons that
  // cannot be pressed; from no button, +1 starts at the first and -1 at the last.
  void MoveKeyboardButton(int step);
  bool Pressable(int index) const;
  // The tooltip of a button: its caption, into the notification's buffer.
  void AnswerInfoTip(NMTBGETINFOTIPW& tip) const;
  std::vector<TToolButton*> buttons_;
  std::vector<std::wstring> captions_;
  int buttonWidth_ = 23, buttonHeight_ = 22;
  bool showCaptions_ = false, flat_ = false, transparent_ = false;
  HIMAGELIST images_ = nullptr;
  HDC customDrawDC_ = nullptr;
  TColor customDrawText_ = clNone;
  bool customDrawOwnFace_ = false;
  bool updating_ = false;
};

class TPageControl;

class TTabSheet : public TWinControl {
  QUILLIMO_CLASS(TTabSheet, TWinControl)
public:
  explicit TTabSheet(TComponent* owner);
  TPageControl* PageControl() const;
  void SetPageControl(TPageControl* pageControl);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int v);
  bool TabVisible() const { return tabVisible_; }
  void SetTabVisible(bool v);
  int PageIndex() const;

protected:
  void CreateParams(TCreateParams& params) override;
  void TextChanged() override;

private:
  int imageIndex_ = -1;
  bool tabVisible_ = true;
};

class TPageControl : public TWinControl {
  QUILLIMO_CLASS(TPageControl, TWinControl)
public:
  explicit TPageControl(TComponent* owner);
  int PageCount() const { return static_cast<int>(pages_.size()); }
  TTabSheet* Pages(int index) const { return pages_.at(static_cast<std::size_t>(index)); }
  TTabSheet* ActivePage() const { return activePage_; }
  void SetActivePage(TTabSheet* page);
  int ActivePageIndex() const;
  void SetActivePageIndex(int index);
  // Shows the next (or previous) page whose tab is visible, wrapping round, as the user's
  // choice (OnChange runs). False when there is no other page.
  bool SelectNextPage(bool forward);
  HIMAGELIST Images() const { return images_; }
  void SetImages(HIMAGELIST images);
  TNotifyEvent OnChange;

  // The area that the pages fill, in the page control's client coordinates.
  RECT DisplayRect() const;
  void Loaded() override;

protected:
  friend class TTabSheet;
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void WndProc(TMessage& msg) override;
  void BoundsChanged() override;
  void ControlInserted(TControl* control) override;
  void ControlRemoved(TControl* control) override;
  // The room around each tab's caption scales with the layout.
  void ChangeScale(int fromPixelsPerInch, int toPixelsPerInch) override;

private:
  void UpdateTabs();
  void SendTabPadding();
  // A renamed page's tab gets its text in place.
  void UpdateTabCaption(TTabSheet* page);
  void PlacePages();
  int TabIndexOf(const TTabSheet* page) const;
  std::vector<TTabSheet*> pages_;
  TTabSheet* activePage_ = nullptr;
  HIMAGELIST images_ = nullptr;
  // The system's room around a caption at 96 pixels per inch, scaled with the layout; sent to
  // the window only once scaled.
  POINT tabPadding_{6, 3};
  bool tabPaddingScaled_ = false;
};
