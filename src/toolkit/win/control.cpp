#include "toolkit/win/control.h"

#include "toolkit/win/wincontrol.h"

QUILLIMO_REGISTER_CLASS(TControl, [](TPropertyTable& p) {
  p.Integer("Left", &TControl::Left, &TControl::SetLeft);
  p.Integer("Top", &TControl::Top, &TControl::SetTop);
  p.Integer("Width", &TControl::Width, &TControl::SetWidth);
  p.Integer("Height", &TControl::Height, &TControl::SetHeight);
  p.Enum("Align", &TControl::Align, &TControl::SetAlign, alNone);
  p.Bool("Visible", &TControl::Visible, &TControl::SetVisible, true);
  p.Bool("Enabled", &TControl::Enabled, &TControl::SetEnabled, true);
  p.String("Hint", &TControl::Hint, &TControl::SetHint);
  p.Bool("ShowHint", &TControl::ShowHint, &TControl::SetShowHint, false);
  p.Object("Font", &TControl::Font, &TControl::SetFont).Stored([](TObject* o) {
    return !static_cast<TControl*>(o)->ParentFont();
  });
  p.Bool("ParentFont", &TControl::ParentFont, &TControl::SetParentFont, true);
  p.Integer("Color", &TControl::Color, &TControl::SetColor, clBtnFace);
  p.Bool("ParentColor", &TControl::ParentColor, &TControl::SetParentColor, false);
  p.Event("OnClick", &TControl::OnClick);
  p.Event("OnDblClick", &TControl::OnDblClick);
  p.Event("OnResize", &TControl::OnResize);
});

QUILLIMO_REGISTER_CLASS(TGraphicControl);

TControl::TControl(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>()) {
  WindowProc = [this](TMessage& m) { WndProc(m); };
  font_->OnChange = [this](TObject*) {
    if (!fontFromParent_) parentFont_ = false;
    Perform(CM_FONTCHANGED);
  };
}

TControl::~TControl() {
  font_->OnChange = nullptr;
  if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent == parent_) return;
  if (parent == this) throw EInvalidOperation("A control cannot have itself as its parent");
  if (parent_) parent_->RemoveControl(this);
  if (parent) {
    parent->InsertControl(this);
    ParentFontChanged();
    ParentColorChanged();
  }
}

void TControl::SetBounds(int left, int top, int width, int height) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  bool resized = width != width_ || height != height_;
  if (!dynamic_cast<TWinControl*>(this)) Invalidate();
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  BoundsChanged();
  if (!dynamic_cast<TWinControl*>(this)) Invalidate();
  if (parent_ && align_ != alNone) parent_->Realign();
  if (resized && !ComponentState().Contains(csLoading)) OnResize(this);
}

int TControl::ClientWidth() const {
  RECT r = ClientRect();
  return r.right - r.left;
}

int TControl::ClientHeight() const {
  RECT r = ClientRect();
  return r.bottom - r.top;
}

void TControl::SetClientWidth(int v) { SetWidth(width_ - ClientWidth() + v); }
void TControl::SetClientHeight(int v) { SetHeight(height_ - ClientHeight() + v); }

void TControl::SetAlign(TAlign align) {
  if (align == align_) return;
  align_ = align;
  if (parent_) parent_->Realign();
}

void TControl::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  VisibleChanged();
  Perform(CM_VISIBLECHANGED, visible);
}

void TControl::VisibleChanged() {
  if (parent_) {
    parent_->Invalidate();
    parent_->Realign();
  }
}

bool TControl::Showing() const { return visible_ && parent_ && parent_->Showing(); }

void TControl::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  EnabledChanged();
  Invalidate();
  Perform(CM_ENABLEDCHANGED);
}

void TControl::SetText(const std::string& text) {
  if (text == GetText() && text == text_) return;
  text_ = text;
  TextChanged();
  Invalidate();
  Perform(CM_TEXTCHANGED);
}

void TControl::SetFont(TFont* font) {
  if (font && font != font_.get()) font_->Assign(font);
}

void TControl::SetParentFont(bool v) {
  parentFont_ = v;
  if (v) ParentFontChanged();
}

void TControl::FontChanged() {
  Invalidate();
  if (auto* self = dynamic_cast<TWinControl*>(this))
    for (int i = 0; i < self->ControlCount(); ++i) self->Controls(i)->ParentFontChanged();
}

// Takes the parent's font when ParentFont is set, without clearing ParentFont.
void TControl::ParentFontChanged() {
  if (!parentFont_ || !parent_) return;
  fontFromParent_ = true;
  font_->Assign(parent_->Font());
  fontFromParent_ = false;
  parentFont_ = true;
}

void TControl::SetColor(TColor color) {
  bool changed = color != color_;
  color_ = color;
  parentColor_ = false;
  if (changed) {
    ColorChanged();
    Perform(CM_COLORCHANGED);
    if (auto* self = dynamic_cast<TWinControl*>(this))
      for (int i = 0; i < self->ControlCount(); ++i) self->Controls(i)->ParentColorChanged();
  }
}

void TControl::SetParentColor(bool v) {
  parentColor_ = v;
  if (v) ParentColorChanged();
}

void TControl::ParentColorChanged() {
  if (!parentColor_ || !parent_) return;
  SetColor(parent_->Color());
  parentColor_ = true;
}

COLORREF TControl::BackgroundRGB() const { return static_cast<COLORREF>(ColorToRGB(color_)); }

LRESULT TControl::Perform(UINT msg, WPARAM wp, LPARAM lp) {
  TMessage m{msg, wp, lp, 0};
  if (WindowProc)
    WindowProc(m);
  else
    WndProc(m);
  return m.Result;
}

void TControl::WndProc(TMessage& msg) {
  // The font changed: the window takes it, and so do the children that take their parent's.
  if (msg.Msg == CM_FONTCHANGED) FontChanged();
  DefaultHandler(msg);
}

void TControl::Invalidate() {
  if (parent_) parent_->Invalidate();
}

void TControl::Click() { OnClick(this); }

void TControl::ChangeScale(int from, int to) {
  SetBounds(MulDiv(left_, to, from), MulDiv(top_, to, from), MulDiv(width_, to, from), MulDiv(height_, to, from));
  ScaleFont(from, to);
}

void TControl::ScaleFont(int from, int to) {
  if (parentFont_) return;
  TFontData font = font_->Data();
  font.PixelsPerInch = from;
  font_->SetData(ScaledFontData(font, to));
}

POINT TControl::ClientOrigin() const {
  POINT p{left_, top_};
  if (parent_) {
    POINT po = parent_->ClientOrigin();
    p.x += po.x;
    p.y += po.y;
  }
  return p;
}

POINT TControl::ClientToScreen(POINT p) const {
  const TControl* c = this;
  POINT offset{0, 0};
  while (c && !dynamic_cast<const TWinControl*>(c)) {
    offset.x += c->left_;
    offset.y += c->top_;
    c = c->parent_;
  }
  p.x += offset.x;
  p.y += offset.y;
  if (auto* w = dynamic_cast<const TWinControl*>(c); w && w->HandleAllocated()) ::ClientToScreen(w->Handle(), &p);
  return p;
}

POINT TControl::ScreenToClient(POINT p) const {
  POINT origin = ClientToScreen({0, 0});
  return {p.x - origin.x, p.y - origin.y};
}

TComponent* TControl::GetParentComponent() const { return parent_; }

void TControl::SetParentComponent(TComponent* parent) {
  if (auto* w = dynamic_cast<TWinControl*>(parent)) SetParent(w);
}

void TGraphicControl::Invalidate() {
  TWinControl* p = Parent();
  if (!p || !p->HandleAllocated() || !IsWindowVisible(p->Handle())) return;
  POINT o = ClientOrigin();
  RECT r{o.x, o.y, o.x + Width(), o.y + Height()};
  InvalidateRect(p->Handle(), &r, TRUE);
}

void TGraphicControl::WndProc(TMessage& msg) {
  if (msg.Msg == WM_PAINT && msg.WParam) {
    Paint(reinterpret_cast<HDC>(msg.WParam));
    return;
  }
  TControl::WndProc(msg);
}

void TGraphicControl::Update() {
  if (Parent()) Parent()->Update();
}
