#pragma once
// File formats the pictures are written in: 32-bit BMP with alpha, ICO, baseline JPEG (the
// host's libjpeg), the image-list block of TImageList, the picture block of TPicture, and the
// text-layout form of a binary block.
#include <string>
#include <vector>

#include "raster.h"

using Bytes = std::vector<unsigned char>;

// A BMP file: BITMAPINFOHEADER, 32 bits per pixel (BI_RGB, alpha in the fourth byte), bottom-up.
Bytes EncodeBmp32(const Image& image);
// An ICO file holding the images (each 32 bits with alpha, plus the AND mask).
Bytes EncodeIco(const std::vector<const Image*>& images);
// An ICO file of one image in 256 colours: the opaque pixels (alpha of one half or more)
// reduced to a palette of at most 256 colours by median cut, the others transparent through
// the AND mask.
Bytes EncodeIco8(const Image& image);
// A baseline JPEG of the image composited over white.
Bytes EncodeJpeg(const Image& image, int quality);

// TImageList's stored block: count, width, height (32-bit little endian), then for each image
// its size (32-bit) and a 32-bit BMP file of width x height.
Bytes ImageListBlock(const std::vector<Image>& images);
// TPicture's stored block: the graphic's class name as a short string (length byte, then the
// name), the size of the graphic's data (32-bit) and the data (e.g. the JPEG file).
Bytes PictureBlock(const std::string& className, const Bytes& data);
// A stored block that is the size of its data (32-bit) and the data: TIcon's "Data" (the ICO
// file), TSkinSet's "SkinStream" (the skin file).
Bytes SizedBlock(const Bytes& data);

// The text-layout form of a binary property: "{", rows of 64 upper-case hex digits, "}".
std::string LayoutHexBlock(const Bytes& data, const std::string& indent);

void WriteFile(const std::string& path, const Bytes& data);
void WriteFile(const std::string& path, const std::string& text);
Bytes ReadFile(const std::string& path);
