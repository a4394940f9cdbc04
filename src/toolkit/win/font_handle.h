#pragma once
// HFONTs for font descriptions, made once per distinct description and kept for the life of
// the program (a program uses a handful of fonts).
#include <windows.h>

#include "toolkit/core/font.h"

HFONT FontHandle(const TFontData& font);
LOGFONTW FontToLogFont(const TFontData& font);
