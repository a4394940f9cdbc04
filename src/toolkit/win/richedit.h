#pragma once
// TRichEdit: a memo on the system's rich edit control ("RichEdit20W", loaded on first use).
#include "toolkit/win/stdctrls.h"

class TRichEdit : public TCustomMemo {
  QUILLIMO_CLASS(TRichEdit, TCustomMemo)
public:
  explicit TRichEdit(TComponent* owner) : TCustomMemo(owner) {}

protected:
  void CreateParams(TCreateParams& params) override;
};
