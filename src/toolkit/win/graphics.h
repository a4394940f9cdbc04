#pragma once
// Graphics: TGraphic and its kinds (TBitmap over a DIB section, TIcon over an HICON; TJPEGImage
// is in jpeg.h) and TPicture, the persistent holder of one graphic that a TImage shows.
//
// Stored forms (binary property "Data"): a graphic writes its size (32-bit little endian) and
// its file (BMP, ICO, JPEG); a picture writes the graphic's class name as a short string first.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/core/bitmap.h"
#include "toolkit/core/object.h"
#include "toolkit/core/properties.h"
#include "toolkit/core/streams.h"

class TCanvas;

QUILLIMO_EXCEPTION(EResNotFound, Exception);

class TGraphic : public TPersistent {
  QUILLIMO_CLASS(TGraphic, TPersistent)
public:
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual bool Empty() const { return Width() == 0 || Height() == 0; }

  // Draws the graphic stretched to rect (TCanvas::Draw and StretchDraw call this).
  virtual void Draw(TCanvas& canvas, const RECT& rect) = 0;

  // The whole of the graphic's file; loading raises EInvalidImage for data it cannot read.
  virtual void LoadFromBytes(const std::uint8_t* data, std::size_t size) = 0;
  virtual std::vector<std::uint8_t> SaveToBytes() const = 0;
  // From the position to the end of the stream / the file at the position.
  void LoadFromStream(TStream& stream);
  void SaveToStream(TStream& stream) const;
  void LoadFromFile(const std::string& fileName);

  // The stored form: size, then the file.
  void ReadData(TStream& stream);
  void WriteData(TStream& stream) const;
  void DefineProperties(TFiler& filer) override;

  bool Transparent() const { return transparent_; }
  void SetTransparent(bool transparent);

  TNotifyEvent OnChange;

protected:
  void Changed() { OnChange(this); }

private:
  bool transparent_ = false;
};

// A bitmap in a top-down DIB section whose memory the core pixel store works on directly, so
// that GDI drawing on Canvas() and pixel access through Pixels() see the same pixels.
class TBitmap : public TGraphic {
  QUILLIMO_CLASS(TBitmap, TGraphic)
public:
  TBitmap();
  TBitmap(int width, int height, TPixelFormat format = pf24bit);
  ~TBitmap() override;

  int Width() const override { return pixels_.Width(); }
  int Height() const override { return pixels_.Height(); }
  void SetWidth(int width) { SetSize(width, Height()); }
  void SetHeight(int height) { SetSize(Width(), height); }
  // A new size keeps the overlapping top-left part; the rest is black.
  void SetSize(int width, int height);
  TPixelFormat PixelFormat() const { return pixels_.PixelFormat(); }
  void SetPixelFormat(TPixelFormat format);

  // The pixels (GDI drawing is flushed first).
  TBitmapPixels& Pixels();
  const TBitmapPixels& Pixels() const;
  std::uint8_t* ScanLine(int y) { return Pixels().ScanLine(y); }
  // Replaces size, format and pixels by a copy of pixels.
  void SetPixels(const TBitmapPixels& pixels);

  // A memory DC with the bitmap selected, made on first use.
  TCanvas& Canvas();
  HBITMAP Handle() const { return handle_; }

  // With Transparent, pixels of this colour are left out when the bitmap is drawn; clDefault
  // means the colour of the bottom-left pixel.
  TColor TransparentColor() const;
  void SetTransparentColor(TColor color) { transparentColor_ = color; }

  void Draw(TCanvas& canvas, const RECT& rect) override;
  void LoadFromBytes(const std::uint8_t* data, std::size_t size) override;
  std::vector<std::uint8_t> SaveToBytes() const override;
  void Assign(const TPersistent* source) override;

private:
  void Recreate(const TBitmapPixels& content);
  void Recreate(int width, int height, TPixelFormat format, const TBitmapPixels* content);
  void Flush() const;

  HBITMAP handle_ = nullptr;
  TBitmapPixels pixels_;  // borrows the DIB section's memory
  std::unique_ptr<TCanvas> canvas_;
  HDC dc_ = nullptr;
  HGDIOBJ oldBitmap_ = nullptr;
  TColor transparentColor_ = clDefault;
};

// An icon: the ICO file it came from and an HICON made from its best image for a size.
class TIcon : public TGraphic {
  QUILLIMO_CLASS(TIcon, TGraphic)
public:
  TIcon() = default;
  ~TIcon() override;

  int Width() const override { return width_; }
  int Height() const override { return height_; }

  // The icon at its own size (the largest image up to 32 x 32), or at size x size.
  HICON Handle();
  HICON HandleForSize(int size);
  // An icon resource of a module (RT_GROUP_ICON), e.g. the program's main icon.
  void LoadFromResourceName(HINSTANCE instance, const std::string& name);

  void Draw(TCanvas& canvas, const RECT& rect) override;
  void LoadFromBytes(const std::uint8_t* data, std::size_t size) override;
  std::vector<std::uint8_t> SaveToBytes() const override { return ico_; }
  void Assign(const TPersistent* source) override;

private:
  void Release();
  std::vector<std::uint8_t> ico_;
  struct Made {
    int size;
    HICON icon;
  };
  std::vector<Made> handles_;  // one per size asked for
  HICON resourceIcon_ = nullptr;
  int width_ = 0, height_ = 0;
};

class TPicture : public TPersistent {
  QUILLIMO_CLASS(TPicture, TPersistent)
public:
  TPicture() = default;
  ~TPicture() override;

  TGraphic* Graphic() const { return graphic_.get(); }
  // Takes a copy of graphic (nullptr empties the picture).
  void SetGraphic(const TGraphic* graphic);
  // The graphic as a bitmap / icon; an empty one of that kind replaces any other graphic.
  TBitmap& Bitmap();
  TIcon& Icon();
  int Width() const { return graphic_ ? graphic_->Width() : 0; }
  int Height() const { return graphic_ ? graphic_->Height() : 0; }

  // The stored form: class name as a short string, then the graphic's own stored form.
  void ReadData(TStream& stream);
  void WriteData(TStream& stream) const;
  void DefineProperties(TFiler& filer) override;
  void Assign(const TPersistent* source) override;

  TNotifyEvent OnChange;

private:
  void Replace(std::unique_ptr<TGraphic> graphic);
  std::unique_ptr<TGraphic> graphic_;
};
