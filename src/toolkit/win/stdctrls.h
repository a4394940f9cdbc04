#pragma once
// The standard controls: labels, edits, memos, buttons, radio buttons, group boxes, radio
// groups and panels. Edits, memos and buttons are the system's own controls; labels are
// painted by their parent; group boxes and panels are windows of the toolkit's own classes
// that draw their frame and caption themselves, like the classic toolkit does.
#include <memory>
#include <vector>

#include "toolkit/core/strings.h"
#include "toolkit/win/wincontrol.h"

QUILLIMO_ENUM(TAlignment, taLeftJustify, taRightJustify, taCenter)
QUILLIMO_ENUM(TScrollStyle, ssNone, ssHorizontal, ssVertical, ssBoth)
QUILLIMO_ENUM(TBevelCut, bvNone, bvLowered, bvRaised, bvSpace)

// Text measuring and drawing with a control's font (UTF-8, through the W functions).
SIZE MeasureText(HDC dc, const std::string& text, UINT format = DT_SINGLELINE);

class TCustomLabel : public TGraphicControl {
  QUILLIMO_CLASS(TCustomLabel, TGraphicControl)
public:
  explicit TCustomLabel(TComponent* owner);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool v);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool v);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v);
  void Paint(HDC dc) override;

protected:
  void TextChanged() override { AdjustBounds(); }
  void FontChanged() override;
  void AdjustBounds();

private:
  UINT DrawFlags() const;
  bool autoSize_ = true;
  TAlignment alignment_ = taLeftJustify;
  bool transparent_ = false;
  bool wordWrap_ = false;
};

class TLabel : public TCustomLabel {
  QUILLIMO_CLASS(TLabel, TCustomLabel)
public:
  explicit TLabel(TComponent* owner) : TCustomLabel(owner) {}
};

class TCustomEdit : public TWinControl {
  QUILLIMO_CLASS(TCustomEdit, TWinControl)
public:
  explicit TCustomEdit(TComponent* owner);
  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool v);
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int v);
  void SelectAll();
  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void WndProc(TMessage& msg) override;
  bool WindowEditsText() const override { return true; }
  // The text of the window changed (typed or set).
  virtual void Changed() { OnChange(this); }

private:
  bool readOnly_ = false;
  int maxLength_ = 0;
};

class TEdit : public TCustomEdit {
  QUILLIMO_CLASS(TEdit, TCustomEdit)
public:
  explicit TEdit(TComponent* owner) : TCustomEdit(owner) {}
};

class TCustomMemo : public TCustomEdit {
  QUILLIMO_CLASS(TCustomMemo, TCustomEdit)
public:
  explicit TCustomMemo(TComponent* owner);
  ~TCustomMemo() override;
  // The lines; changes show in the window at once, typing updates them.
  TStrings* Lines() const { return lines_.get(); }
  void SetLines(TStrings* lines);
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle v);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool v);

protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void WndProc(TMessage& msg) override;
  void Changed() override;

private:
  void RecreateWindow();
  // Word wrap is a style the window is made with: a change makes the window again, once the
  // messages waiting are handled, and only when the setting still differs from the window's
  // then (turning it off and on again around a change of the lines costs nothing).
  bool windowWordWrap_ = true;
  bool recreatePosted_ = false;
  std::unique_ptr<TStringList> lines_;
  TScrollStyle scrollBars_ = ssNone;
  bool wordWrap_ = true;
  bool syncing_ = false;
};

class TMemo : public TCustomMemo {
  QUILLIMO_CLASS(TMemo, TCustomMemo)
public:
  explicit TMemo(TComponent* owner) : TCustomMemo(owner) {}
};

class TButtonControl : public TWinControl {
  QUILLIMO_CLASS(TButtonControl, TWinControl)
public:
  explicit TButtonControl(TComponent* owner);

protected:
  void WndProc(TMessage& msg) override;
  // BN_CLICKED of the window.
  virtual void Clicked() { Click(); }
};

class TButton : public TButtonControl {
  QUILLIMO_CLASS(TButton, TButtonControl)
public:
  explicit TButton(TComponent* owner);
  bool Default() const { return default_; }
  void SetDefault(bool v);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool v) { cancel_ = v; }
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int v) { modalResult_ = v; }
  void Click() override;

protected:
  void CreateParams(TCreateParams& params) override;

private:
  bool default_ = false;
  bool cancel_ = false;
  int modalResult_ = 0;
};

class TRadioButton : public TButtonControl {
  QUILLIMO_CLASS(TRadioButton, TButtonControl)
public:
  explicit TRadioButton(TComponent* owner);
  bool Checked() const { return checked_; }
  void SetChecked(bool v);

protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void Clicked() override;

private:
  bool checked_ = false;
};

class TCustomGroupBox : public TWinControl {
  QUILLIMO_CLASS(TCustomGroupBox, TWinControl)
public:
  explicit TCustomGroupBox(TComponent* owner);

protected:
  void CreateParams(TCreateParams& params) override;
  void PaintWindow(HDC dc) override;
  void TextChanged() override;
};

class TGroupBox : public TCustomGroupBox {
  QUILLIMO_CLASS(TGroupBox, TCustomGroupBox)
public:
  explicit TGroupBox(TComponent* owner) : TCustomGroupBox(owner) {}
};

// A group box of radio buttons, one per line of Items, laid out in Columns. OnClick runs when
// the selection changes, by the user or by the program; choosing the selected item again
// runs nothing.
class TCustomRadioGroup : public TCustomGroupBox {
  QUILLIMO_CLASS(TCustomRadioGroup, TCustomGroupBox)
public:
  explicit TCustomRadioGroup(TComponent* owner);
  ~TCustomRadioGroup() override;
  TStrings* Items() const { return items_.get(); }
  void SetItems(TStrings* items);
  int Columns() const { return columns_; }
  void SetColumns(int v);
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int v);
  void Loaded() override;

protected:
  void BoundsChanged() override;
  void FontChanged() override;

private:
  friend class TGroupButton;
  void UpdateButtons();
  // Only the selected button (the first while none is) is a tab stop; the arrow keys move
  // between the buttons, as in a dialog's group of radio buttons.
  void UpdateTabStops();
  void ArrangeButtons();
  void ButtonClicked(int index);
  std::unique_ptr<TStringList> items_;
  std::vector<TRadioButton*> buttons_;
  int columns_ = 1;
  int itemIndex_ = -1;
};

class TRadioGroup : public TCustomRadioGroup {
  QUILLIMO_CLASS(TRadioGroup, TCustomRadioGroup)
public:
  explicit TRadioGroup(TComponent* owner) : TCustomRadioGroup(owner) {}
};

class TCustomPanel : public TWinControl {
  QUILLIMO_CLASS(TCustomPanel, TWinControl)
public:
  explicit TCustomPanel(TComponent* owner);
  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut v);
  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut v);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment v);

protected:
  void CreateParams(TCreateParams& params) override;
  void PaintWindow(HDC dc) override;

private:
  TBevelCut bevelOuter_ = bvRaised;
  TBevelCut bevelInner_ = bvNone;
  TAlignment alignment_ = taCenter;
};

class TPanel : public TCustomPanel {
  QUILLIMO_CLASS(TPanel, TCustomPanel)
public:
  explicit TPanel(TComponent* owner) : TCustomPanel(owner) {}
};
