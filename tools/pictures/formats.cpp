#include "formats.h"

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

// BITMAPINFOHEADER for a 32-bit bottom-up DIB; heightField is doubled inside an ICO.
void PutInfoHeader(Bytes& out, int width, int heightField, unsigned imageSize) {
  Put32(out, 40);
  Put32(out, width);
  Put32(out, heightField);
  Put16(out, 1);   // planes
  Put16(out, 32);  // bits per pixel
  Put32(out, 0);   // BI_RGB
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
  for (int y = image.Height() - 1; y >= 0; --y) out.insert(out.end(), bgra.begin() + y * row, bgra.begin() + (y + 1) * row);
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
