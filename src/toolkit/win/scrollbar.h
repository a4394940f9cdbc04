#pragma once
// TScrollBar: the stand-alone system "SCROLLBAR". The arrows, the track and the thumb move
// Position by SmallChange, LargeChange or to where the thumb was dragged; OnChange runs when
// Position changes.
#include "toolkit/win/wincontrol.h"

QUILLIMO_ENUM(TScrollBarKind, sbHorizontal, sbVertical)

class TScrollBar : public TWinControl {
  QUILLIMO_CLASS(TScrollBar, TWinControl)
public:
  explicit TScrollBar(TComponent* owner);
  TScrollBarKind Kind() const { return kind_; }
  void SetKind(TScrollBarKind v) { kind_ = v; }
  int Min() const { return min_; }
  void SetMin(int v);
  int Max() const { return max_; }
  void SetMax(int v);
  int Position() const { return position_; }
  void SetPosition(int v);
  int PageSize() const { return pageSize_; }
  void SetPageSize(int v);
  int SmallChange() const { return smallChange_; }
  void SetSmallChange(int v) { smallChange_ = v; }
  int LargeChange() const { return largeChange_; }
  void SetLargeChange(int v) { largeChange_ = v; }
  TNotifyEvent OnChange;

protected:
  void CreateParams(TCreateParams& params) override;
  void HandleCreated() override;
  void WndProc(TMessage& msg) override;

private:
  void UpdateWindow();
  TScrollBarKind kind_ = sbHorizontal;
  int min_ = 0, max_ = 100, position_ = 0, pageSize_ = 0, smallChange_ = 1, largeChange_ = 1;
};
