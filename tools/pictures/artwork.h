#pragma once
// The program's pictures, drawn procedurally in one palette with soft shading.
#include <vector>

#include "raster.h"

// Tool bar images, 32 x 32: 0 Turkish, 1 English, 2 Hide, 3 Exit, 4 Stop, 5 Start.
std::vector<Image> ToolBarImages();
// Tab images, 16 x 16: 0 settings, 1 help, 2 programs, 3 web.
std::vector<Image> TabImages();
// The window and tray icon at size x size (16 and 32).
Image ProgramIcon(int size);
// The picture on the web-site tab, 240 x 180.
Image WebSitePicture();
