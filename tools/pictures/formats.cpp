#include "formats.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include <jpeglib.h>

namespace {
void Put16(Bytes& out, unsigned v) {
  out.push_back(v & 255);
  out.push_back((v >> 8) & 255);
}

void Put32(Bytes& out, unsigned v) {
  Put16(out, v & 0xFFFF);
  Put16(out, v >> 16);
}

// BITMAPINFOHEADER for a bottom-up DIB (32 bits unless told otherwise); heightField is
// doubled inside an ICO.
void PutInfoHeader(Bytes& out, int width, int heightField, unsigned imageSize, unsigned bits = 32) {
  Put32(out, 40);
  Put32(out, width);
  Put32(out, heightField);
  Put16(out, 1);     // planes
  Put16(out, bits);  // bits per pixel
  Put32(out, 0);     // BI_RGB
  Put32(out, imageSize);
  Put32(out, 2835);  // 72 dpi
  Put32(out, 2835);
  Put32(out, 0);
  Put32(out, 0);
}

// Pixel rows bottom-up, BGRA.
void PutPixels(Bytes& out, const Image& image) {
  const Bytes bgra = image.Bgra();
  const size_t row = static_cast<size_t>(image.Width()) * 4;
  for (int y = image.Height() - 1; y >= 0; --y)
    out.insert(out.end(), bgra.begin() + y * row, bgra.begin() + (y + 1) * row);
}
}  // namespace

Bytes EncodeBmp32(const Image& image) {
  const unsigned pixels = image.Width() * image.Height() * 4;
  Bytes out{'B', 'M'};
  Put32(out, 14 + 40 + pixels);
  Put32(out, 0);
  Put32(out, 14 + 40);
  PutInfoHeader(out, image.Width(), image.Height(), pixels);
  PutPixels(out, image);
  return out;
}

Bytes EncodeIco(const std::vector<const Image*>& images) {
  Bytes out;
  Put16(out, 0);
  Put16(out, 1);  // icon
  Put16(out, images.size());
  std::vector<Bytes> bodies;
  for (const Image* image : images) {
    const int w = image->Width(), h = image->Height();
    const unsigned maskRow = ((w + 31) / 32) * 4;
    Bytes body;
    PutInfoHeader(body, w, h * 2, w * h * 4 + maskRow * h);
    PutPixels(body, *image);
    // AND mask: 1 where the pixel is fully transparent (for systems that ignore alpha).
    const Bytes bgra = image->Bgra();
    for (int y = h - 1; y >= 0; --y) {
      Bytes row(maskRow, 0);
      for (int x = 0; x < w; ++x)
        if (bgra[(static_cast<size_t>(y) * w + x) * 4 + 3] == 0) row[x / 8] |= 0x80 >> (x % 8);
      body.insert(body.end(), row.begin(), row.end());
    }
    bodies.push_back(std::move(body));
  }
  unsigned offset = 6 + 16 * images.size();
  for (size_t i = 0; i < images.size(); ++i) {
    out.push_back(images[i]->Width() >= 256 ? 0 : images[i]->Width());
    out.push_back(images[i]->Height() >= 256 ? 0 : images[i]->Height());
    out.push_back(0);  // no palette
    out.push_back(0);
    Put16(out, 1);
    Put16(out, 32);
    Put32(out, bodies[i].size());
    Put32(out, offset);
    offset += bodies[i].size();
  }
  for (const Bytes& body : bodies) out.insert(out.end(), body.begin(), body.end());
  return out;
}

namespace {
using Color = std::array<unsigned char, 3>;  // B, G, R

// Median cut: the box of colours with the widest channel is split at its median until there
// are `count` boxes or none can be split; each box gives its mean colour.
std::vector<Color> MedianCutPalette(std::vector<Color> colors, size_t count) {
  struct Box {
    size_t begin, end;
  };
  auto widest = [&](const Box& b, int& channel) {
    int best = -1;
    for (int c = 0; c < 3; ++c) {
      unsigned char lo = 255, hi = 0;
      for (size_t i = b.begin; i < b.end; ++i) lo = std::min(lo, colors[i][c]), hi = std::max(hi, colors[i][c]);
      if (hi - lo > best) best = hi - lo, channel = c;
    }
    return best;
  };
  std::vector<Box> boxes;
  if (!colors.empty()) boxes.push_back({0, colors.size()});
  while (boxes.size() < count) {
    int bestRange = 0, bestChannel = 0;
    size_t bestBox = boxes.size();
    for (size_t k = 0; k < boxes.size(); ++k) {
      int channel = 0;
      const int range = boxes[k].end - boxes[k].begin > 1 ? widest(boxes[k], channel) : 0;
      if (range > bestRange) bestRange = range, bestChannel = channel, bestBox = k;
    }
    if (bestBox == boxes.size()) break;
    const Box b = boxes[bestBox];
    std::sort(colors.begin() + b.begin, colors.begin() + b.end,
              [&](const Color& x, const Color& y) { return x[bestChannel] < y[bestChannel]; });
    const size_t middle = b.begin + (b.end - b.begin) / 2;
    boxes[bestBox].end = middle;
    boxes.push_back({middle, b.end});
  }
  std::vector<Color> palette;
  for (const Box& b : boxes) {
    unsigned sum[3] = {0, 0, 0};
    for (size_t i = b.begin; i < b.end; ++i)
      for (int c = 0; c < 3; ++c) sum[c] += colors[i][c];
    const unsigned n = b.end - b.begin;
    palette.push_back({static_cast<unsigned char>((sum[0] + n / 2) / n),
                       static_cast<unsigned char>((sum[1] + n / 2) / n),
                       static_cast<unsigned char>((sum[2] + n / 2) / n)});
  }
  return palette;
}

unsigned char Nearest(const std::vector<Color>& palette, const Color& color) {
  size_t best = 0;
  int bestDistance = 1 << 30;
  for (size_t i = 0; i < palette.size(); ++i) {
    int d = 0;
    for (int c = 0; c < 3; ++c) d += (palette[i][c] - color[c]) * (palette[i][c] - color[c]);
    if (d < bestDistance) bestDistance = d, best = i;
  }
  return static_cast<unsigned char>(best);
}
}  // namespace

Bytes EncodeIco8(const Image& image) {
  const int w = image.Width(), h = image.Height();
  const Bytes bgra = image.Bgra();
  auto opaque = [&](size_t i) { return bgra[i * 4 + 3] >= 128; };
  auto colorAt = [&](size_t i) { return Color{bgra[i * 4], bgra[i * 4 + 1], bgra[i * 4 + 2]}; };
  std::vector<Color> colors;
  for (size_t i = 0; i < static_cast<size_t>(w) * h; ++i)
    if (opaque(i)) colors.push_back(colorAt(i));
  std::vector<Color> palette = MedianCutPalette(colors, 256);
  palette.resize(256, Color{0, 0, 0});

  const unsigned pixelRow = ((w + 3) / 4) * 4, maskRow = ((w + 31) / 32) * 4;
  Bytes body;
  PutInfoHeader(body, w, h * 2, pixelRow * h + maskRow * h, 8);
  for (const Color& c : palette) body.insert(body.end(), {c[0], c[1], c[2], 0});
  for (int y = h - 1; y >= 0; --y) {
    Bytes row(pixelRow, 0);
    for (int x = 0; x < w; ++x) {
      const size_t i = static_cast<size_t>(y) * w + x;
      if (opaque(i)) row[x] = Nearest(palette, colorAt(i));
    }
    body.insert(body.end(), row.begin(), row.end());
  }
  for (int y = h - 1; y >= 0; --y) {
    Bytes row(maskRow, 0);
    for (int x = 0; x < w; ++x)
      if (!opaque(static_cast<size_t>(y) * w + x)) row[x / 8] |= 0x80 >> (x % 8);
    body.insert(body.end(), row.begin(), row.end());
  }

  Bytes out;
  Put16(out, 0);
  Put16(out, 1);  // icon
  Put16(out, 1);
  out.push_back(w >= 256 ? 0 : w);
  out.push_back(h >= 256 ? 0 : h);
  out.push_back(0);  // 256 colours
  out.push_back(0);
  Put16(out, 1);
  Put16(out, 8);
  Put32(out, body.size());
  Put32(out, 6 + 16);
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

Bytes EncodeJpeg(const Image& image, int quality) {
  jpeg_compress_struct cinfo{};
  jpeg_error_mgr jerr{};
  cinfo.err = jpeg_std_error(&jerr);  // a failure in the tool may end the tool
  jpeg_create_compress(&cinfo);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&cinfo, &buffer, &size);
  cinfo.image_width = image.Width();
  cinfo.image_height = image.Height();
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, quality, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  const Bytes bgra = image.Bgra();
  Bytes row(image.Width() * 3);
  while (cinfo.next_scanline < cinfo.image_height) {
    const unsigned char* src = &bgra[static_cast<size_t>(cinfo.next_scanline) * image.Width() * 4];
    for (int x = 0; x < image.Width(); ++x) {
      const unsigned a = src[x * 4 + 3];
      for (int c = 0; c < 3; ++c) row[x * 3 + c] = (src[x * 4 + 2 - c] * a + 255 * (255 - a)) / 255;
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&cinfo, rows, 1);
  }
  jpeg_finish_compress(&cinfo);
  Bytes out(buffer, buffer + size);
  jpeg_destroy_compress(&cinfo);
  free(buffer);
  return out;
}

Bytes ImageListBlock(const std::vector<Image>& images) {
  Bytes out;
  Put32(out, images.size());
  Put32(out, images.empty() ? 0 : images[0].Width());
  Put32(out, images.empty() ? 0 : images[0].Height());
  for (const Image& image : images) {
    const Bytes bmp = EncodeBmp32(image);
    Put32(out, bmp.size());
    out.insert(out.end(), bmp.begin(), bmp.end());
  }
  return out;
}

Bytes PictureBlock(const std::string& className, const Bytes& data) {
  Bytes out;
  out.push_back(static_cast<unsigned char>(className.size()));
  for (char c : className) out.push_back(static_cast<unsigned char>(c));
  Put32(out, data.size());
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

Bytes SizedBlock(const Bytes& data) {
  Bytes out;
  Put32(out, data.size());
  out.insert(out.end(), data.begin(), data.end());
  return out;
}

std::string LayoutHexBlock(const Bytes& data, const std::string& indent) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out = "{";
  for (size_t i = 0; i < data.size(); ++i) {
    if (i % 32 == 0) out += "\n" + indent;
    out += digits[data[i] >> 4];
    out += digits[data[i] & 15];
  }
  out += "}";
  return out;
}

void WriteFile(const std::string& path, const Bytes& data) {
  std::ofstream f(path, std::ios::binary);
  f.write(reinterpret_cast<const char*>(data.data()), data.size());
  if (!f) throw std::runtime_error("cannot write " + path);
}

void WriteFile(const std::string& path, const std::string& text) { WriteFile(path, Bytes(text.begin(), text.end())); }

Bytes ReadFile(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  if (!f) throw std::runtime_error("cannot read " + path);
  return Bytes(std::istreambuf_iterator<char>(f), {});
}
