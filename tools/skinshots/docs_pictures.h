#pragma once
// The README's pictures: the program's windows with the delivered catalogue, in Turkish and
// English and in several skins, a message flashing, the Skin menu and the tray menu, each a
// 24-bit BMP in dir (scripts/docs-pictures.sh makes them PNG files under docs/).
#include <string>

// Returns 0; a picture that could not be taken is reported on stderr and left out.
int WriteDocsPictures(const std::string& dir);
