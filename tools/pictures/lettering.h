#pragma once
// A small geometric stroke alphabet for the words drawn on the pictures: each letter is made
// of thick lines and arcs in a box one unit high (cap height), baseline at y = 1.
#include <string>

#include "raster.h"

// The word as one shape: top-left of the cap height at origin, letters height pixels tall,
// strokes stroke pixels wide. Letters the alphabet lacks are left as spaces.
Shape Lettering(const std::string& word, Vec origin, float height, float stroke);
// The width the word takes at that height.
float LetteringWidth(const std::string& word, float height);
