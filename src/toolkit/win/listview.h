#pragma once
// TListView: the comctl32 list view in report style, with columns (shown in its header) and
// items of one caption each.
#include <string>

#include "toolkit/win/wincontrol.h"

class TListView : public TWinControl {
  QUILLIMO_CLASS(TListView, TWinControl)
public:
  explicit TListView(TComponent* owner);
  void AddColumn(const std::string& caption, int width);
  void AddItem(const std::string& caption);
  int ItemCount() const;
  // The header window of the report view, or nullptr.
  HWND HeaderHandle() const;

protected:
  void CreateParams(TCreateParams& params) override;

private:
  int columns_ = 0;
};
