#pragma once
// TComboBox: the system "COMBOBOX" in its three styles, with its items kept here and put into
// the window when it is made. OnChange runs when the user picks another item.
#include <memory>

#include "toolkit/core/strings.h"
#include "toolkit/win/wincontrol.h"

QUILLIMO_ENUM(TComboBoxStyle, csDropDown, csSimple, csDropDownList)

class TCustomComboBox : public TWinControl {
  QUILLIMO_CLASS(TCustomComboBox, TWinControl)
public:
  explicit TCustomComboBox(TComponent* owner);
  ~TCustomComboBox() override;
  TStrings* Items() const { return items_.get(); }
  void SetItems(TStrings* items);
  int ItemIndex() const;
  void SetItemIndex(int v);
  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle v) { style_ = v; }
  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void WndProc(TMessage& msg) override;
  // The text is typed by the user or follows the picked item, so the window is asked for it.
  bool WindowEditsText() const override { return true; }

private:
  void FillWindow();
  std::unique_ptr<TStringList> items_;
  int itemIndex_ = -1;  // kept while there is no window
  TComboBoxStyle style_ = csDropDown;
};

class TComboBox : public TCustomComboBox {
  QUILLIMO_CLASS(TComboBox, TCustomComboBox)
public:
  explicit TComboBox(TComponent* owner) : TCustomComboBox(owner) {}
};
