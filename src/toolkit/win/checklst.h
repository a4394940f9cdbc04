#pragma once
// List boxes: TCustomListBox over the system "LISTBOX" (items, ItemIndex, OnClick on a new
// selection) and TCheckListBox, which draws a tick box in front of every item. A click in the
// tick box (or the space bar) toggles the item's tick; the list's OnClick then runs as well,
// as it does for a new selection.
#include <vector>

#include "toolkit/core/strings.h"
#include "toolkit/win/wincontrol.h"

class TCustomListBox;

// The items of a list box: kept here, mirrored into the window as they change.
class TListBoxStrings : public TStrings {
  QUILLIMO_CLASS(TListBoxStrings, TStrings)
public:
  explicit TListBoxStrings(TCustomListBox* list) : list_(list) {}
  int Count() const override { return static_cast<int>(items_.size()); }
  std::string Get(int index) const override;
  TObject* GetObject(int index) const override;
  void Put(int index, const std::string& s) override;
  void PutObject(int index, TObject* object) override;
  void Insert(int index, const std::string& s) override;
  void Delete(int index) override;
  void Clear() override;

private:
  friend class TCustomListBox;
  friend class TCheckListBox;
  struct Item {
    std::string Text;
    TObject* Object = nullptr;
    bool Checked = false;
  };
  Item& At(int index);
  const Item& At(int index) const;
  TCustomListBox* list_;
  std::vector<Item> items_;
};

class TCustomListBox : public TWinControl {
  QUILLIMO_CLASS(TCustomListBox, TWinControl)
public:
  explicit TCustomListBox(TComponent* owner);
  ~TCustomListBox() override;
  TStrings* Items() const { return items_.get(); }
  void SetItems(TStrings* items);
  int ItemIndex() const;
  void SetItemIndex(int index);
  int ItemHeight() const { return itemHeight_; }
  void SetItemHeight(int v);
  int Count() const { return items_->Count(); }
  // The item height scales with the font it holds.
  void ChangeScale(int fromPixelsPerInch, int toPixelsPerInch) override;

protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void WndProc(TMessage& msg) override;
  TListBoxStrings& ItemList() const { return *items_; }

private:
  friend class TListBoxStrings;
  void SyncWindow();
  std::unique_ptr<TListBoxStrings> items_;
  int itemIndex_ = -1;  // kept while there is no window
  int itemHeight_ = 13;
};

class TListBox : public TCustomListBox {
  QUILLIMO_CLASS(TListBox, TCustomListBox)
public:
  explicit TListBox(TComponent* owner) : TCustomListBox(owner) {}
};

class TCheckListBox : public TCustomListBox {
  QUILLIMO_CLASS(TCheckListBox, TCustomListBox)
public:
  explicit TCheckListBox(TComponent* owner) : TCustomListBox(owner) {}
  // Raises EListError "List index out of bounds (<i>)" for an index outside the items.
  bool Checked(int index) const;
  void SetChecked(int index, bool checked);
  // Runs after a tick was toggled by the user (before OnClick).
  TNotifyEvent OnClickCheck;

protected:
  void CreateParams(TCreateParams& params) override;
  void WndProc(TMessage& msg) override;
  // The tick box grows with the layout, as the lines do.
  void ChangeScale(int fromPixelsPerInch, int toPixelsPerInch) override;

private:
  void DrawItem(const DRAWITEMSTRUCT& dis);
  void ToggleByUser(int index);
  int CheckWidth() const;
  int checkSide_ = 13;  // the system's check box at 96 pixels per inch
};
