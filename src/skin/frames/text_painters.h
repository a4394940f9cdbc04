#pragma once
// The text painters that the frame, the menus and the skin controls share.
#include <string>

#include "toolkit/win/messages.h"

// Draws the text (UTF-8) with the wide-text call into rect with the DrawText format (with
// DT_CALCRECT it measures into rect instead).
void DrawWideText(HDC dc, const std::string& text, RECT& rect, UINT format);
// Single line, tabs expanded: the measured text centred both ways in rect and drawn with the
// alignment flag (DT_LEFT, DT_CENTER or DT_RIGHT), transparent; disabled text in the system
// button-shadow colour, enabled text in the DC's text colour.
void DrawCenteredCaption(HDC dc, const RECT& rect, const std::string& text, UINT alignment, bool enabled);
