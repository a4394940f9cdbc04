#pragma once
// Menus over real HMENUs: TMainMenu (a form's menu bar), TPopupMenu (shown at a point with
// TrackPopupMenu) and the TMenuItem tree they hold. Every change of an item rebuilds the
// entries of the menu level it sits in, so the HMENU always shows the items as they are.
// Owner-drawn menus ask their items through OnMeasureItem and OnAdvancedDrawItem.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/core/component.h"
#include "toolkit/core/properties.h"

using TShortCut = std::uint16_t;
inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;
TShortCut MakeShortCut(WORD key, bool shift, bool ctrl, bool alt);
// "Ctrl+S", "Shift+F4", "Del"; empty for 0.
std::string ShortCutToText(TShortCut shortCut);

QUILLIMO_ENUM(TOwnerDrawStateItem, odSelected, odGrayed, odDisabled, odChecked, odFocused, odDefault, odHotLight,
              odInactive, odNoAccel, odNoFocusRect, odReserved1, odReserved2, odComboBoxEdit)
using TOwnerDrawState = TSet<TOwnerDrawStateItem>;
TOwnerDrawState OwnerDrawStateFromItemState(UINT itemState);

class TMenu;
class TImageList;

class TMenuItem : public TComponent {
  QUILLIMO_CLASS(TMenuItem, TComponent)
public:
  explicit TMenuItem(TComponent* owner);
  ~TMenuItem() override;

  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& v);
  // A caption of "-" makes a separator.
  bool IsLine() const { return caption_ == "-"; }
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut v);
  int ImageIndex() const { return imageIndex_; }
  void SetImageIndex(int v);
  bool Checked() const { return checked_; }
  void SetChecked(bool v);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool v);
  bool Visible() const { return visible_; }
  void SetVisible(bool v);
  bool Default() const { return default_; }
  void SetDefault(bool v);
  bool RadioItem() const { return radioItem_; }
  void SetRadioItem(bool v);
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& v) { hint_ = v; }

  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const { return items_.at(static_cast<std::size_t>(index)); }
  void Add(TMenuItem* item) { Insert(Count(), item); }
  void Insert(int index, TMenuItem* item);
  void Remove(TMenuItem* item);
  int IndexOf(const TMenuItem* item) const;
  TMenuItem* Parent() const { return parent_; }
  int MenuIndex() const { return parent_ ? parent_->IndexOf(this) : -1; }
  // The menu this item belongs to (through its parents), or nullptr.
  TMenu* ParentMenu() const;

  // The command number of the item's entry and, for items with children, their HMENU.
  UINT Command() const { return command_; }
  HMENU Handle();

  virtual void Click();
  TNotifyEvent OnClick;
  TEvent<void(TObject* sender, HDC dc, int& width, int& height)> OnMeasureItem;
  TEvent<void(TObject* sender, HDC dc, RECT rect, TOwnerDrawState state)> OnAdvancedDrawItem;

  // Owner-draw answers: measures or draws this item, through the events when assigned.
  void MeasureItem(HDC dc, int& width, int& height);
  void AdvancedDrawItem(HDC dc, RECT rect, TOwnerDrawState state);

  // Routing of the window messages that concern menu items (any window of the program).
  static TMenuItem* FindCommand(UINT command);
  static bool DispatchCommand(UINT command);
  static bool HandleDrawItem(DRAWITEMSTRUCT* dis);
  static bool HandleMeasureItem(MEASUREITEMSTRUCT* mis);

  // Streaming: sub-items are children of their item, the top items of the menu.
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
  bool HasParent() const override { return true; }
  TComponent* GetParentComponent() const override;
  void SetParentComponent(TComponent* parent) override;

private:
  friend class TMenu;
  void Changed();
  template <class T>
  void Change(T& field, const T& value) {
    if (field == value) return;
    field = value;
    Changed();
  }
  void RebuildHandle();
  MENUITEMINFOW EntryInfo(std::wstring& text) const;
  bool FindShortCut(TShortCut shortCut);

  std::string caption_;
  TShortCut shortCut_ = 0;
  int imageIndex_ = -1;
  bool checked_ = false, enabled_ = true, visible_ = true, default_ = false, radioItem_ = false;
  std::string hint_;
  std::vector<TMenuItem*> items_;
  TMenuItem* parent_ = nullptr;
  TMenu* menu_ = nullptr;  // set on the root item of a menu
  UINT command_;
  HMENU handle_ = nullptr;
  bool destroying_ = false;
};

class TMenu : public TComponent {
  QUILLIMO_CLASS(TMenu, TComponent)
public:
  explicit TMenu(TComponent* owner);
  ~TMenu() override;

  TMenuItem* Items() const { return items_.get(); }
  HMENU Handle() { return items_->Handle(); }
  bool OwnerDraw() const { return ownerDraw_; }
  void SetOwnerDraw(bool v);
  // The window showing this menu as its menu bar (set by the form).
  void SetWindow(HWND wnd) { window_ = wnd; }
  HWND Window() const { return window_; }
  // Clicks the enabled item with this shortcut; false when there is none.
  bool DispatchShortCut(TShortCut shortCut);
  // Between BeginUpdate and the matching EndUpdate, changes of the entries redraw the menu
  // bar once, at the end (renaming every item of a menu bar redraws it once, not per item).
  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();
  // The images of the items (ImageIndex), not owned; owner-drawing painters draw from it.
  TImageList* Images = nullptr;

  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;

protected:
  friend class TMenuItem;
  virtual HMENU CreateMenuHandle() = 0;
  // After the entries changed: redraw the menu bar and tell the form.
  virtual void MenuChanged();

private:
  std::unique_ptr<TMenuItem> items_;
  bool ownerDraw_ = false;
  HWND window_ = nullptr;
  int updateCount_ = 0;
  bool changedInUpdate_ = false;
};

class TMainMenu : public TMenu {
  QUILLIMO_CLASS(TMainMenu, TMenu)
public:
  explicit TMainMenu(TComponent* owner) : TMenu(owner) {}

protected:
  HMENU CreateMenuHandle() override { return CreateMenu(); }
};

class TPopupMenu : public TMenu {
  QUILLIMO_CLASS(TPopupMenu, TMenu)
public:
  explicit TPopupMenu(TComponent* owner) : TMenu(owner) {}

  // Shows the menu with its top-left corner at the screen point; returns when it closes.
  // A chosen item's click runs afterwards, from the message loop.
  virtual void Popup(int x, int y);
  TNotifyEvent OnPopup;
  // The component the menu was last shown for (set by whoever shows it).
  TComponent* PopupComponent = nullptr;

  // The hidden window that receives the messages of shown pop-up menus.
  static HWND PopupWindow();

protected:
  HMENU CreateMenuHandle() override { return CreatePopupMenu(); }
};
