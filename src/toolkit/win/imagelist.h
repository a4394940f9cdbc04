#pragma once
// TImageList: images of one size with transparency, drawn on canvases and handed to the tool
// bar and tab control as an HIMAGELIST. Each image is kept as 32-bit pixels with straight
// alpha (0 = transparent).
//
// Stored form (binary property "Bitmap"): count, width, height (32-bit little endian), then
// for each image its byte size (32-bit) and a BMP file of width x height, 32 bits with alpha.
#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "toolkit/core/bitmap.h"
#include "toolkit/core/component.h"
#include "toolkit/core/properties.h"
#include "toolkit/core/streams.h"
#include "toolkit/win/wincontrol.h"  // EInvalidOperation

class TBitmap;
class TCanvas;

class TImageList : public TComponent {
  QUILLIMO_CLASS(TImageList, TComponent)
public:
  explicit TImageList(TComponent* owner);
  ~TImageList() override;

  int Width() const { return width_; }
  int Height() const { return height_; }
  // A new size removes every image.
  void SetWidth(int width);
  void SetHeight(int height);
  int ImageCount() const { return static_cast<int>(images_.size()); }

  // Adds the images side by side in image (one when it is exactly Width wide); mask, when
  // given, is white where the image is transparent. A 32-bit image without a mask keeps its
  // alpha (all-zero alpha counts as opaque). Returns the index of the first image added.
  // Raises EInvalidOperation "Invalid image size" when the height or the width does not fit.
  int Add(const TBitmap& image, const TBitmap* mask);
  // The same with pixels of maskColor transparent.
  int AddMasked(const TBitmap& image, TColor maskColor);
  // Adds 32-bit pixels with straight alpha, Width x Height.
  int AddPixels(const TBitmapPixels& image);
  void Delete(int index);
  void Clear();
  // The image as 32-bit pixels with straight alpha; EListError for a bad index.
  const TBitmapPixels& Image(int index) const;

  // Blends the image over the canvas at (x, y); a disabled image is drawn grey and faint.
  // A bad index draws nothing.
  void Draw(TCanvas& canvas, int x, int y, int index, bool enabled = true);

  // The system image list (32-bit with mask), made on first use and after every change.
  HIMAGELIST Handle();

  void ReadData(TStream& stream);
  void WriteData(TStream& stream) const;
  void DefineProperties(TFiler& filer) override;

  TNotifyEvent OnChange;

private:
  void Changed();
  int AddStrip(const TBitmapPixels& strip, const std::vector<bool>* transparent);
  void DestroyHandle();

  int width_ = 16, height_ = 16;
  std::vector<TBitmapPixels> images_;
  HIMAGELIST handle_ = nullptr;
};
