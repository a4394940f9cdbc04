#include "skin/frames/gdi_paint.h"

#include <algorithm>
#include <vector>

#include "skin/data/skin_model.h"
#include "skin/paint/three_part_image.h"
#include "toolkit/core/utf8.h"
#include "toolkit/win/canvas.h"
#include "toolkit/win/dc_guards.h"
#include "toolkit/win/graphics.h"

namespace {
BITMAPINFO InfoFor(const TBitmapPixels& pixels) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = pixels.Width();
  // The rows lie top-down in memory, one stride apart (a multiple of 4, as a DIB's are).
  info.bmiHeader.biHeight = -pixels.Height();
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = static_cast<WORD>(BytesPerPixel(pixels.PixelFormat()) * 8);
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

// The system's masked copy of the non-key pixels. A mirrored context mirrors the copy too, which
// the clip-region copy of TransparentBlit does not.
void MaskedCopy(HDC dc, int x, int y, const TBitmapPixels& pixels, TColor key) {
  const TKeyMask mask = MakeKeyMask(pixels, key);
  TBitmap source;
  source.SetPixels(pixels);
  HBITMAP maskBitmap = CreateBitmap(mask.Width, mask.Height, 1, 1, mask.Bits.data());
  // Where the mask is 1 (key colour) the foreground operation keeps the destination; elsewhere
  // the background operation copies the source.
  constexpr DWORD keepDestination = 0x00AA0029;
  MaskBlt(dc, x, y, pixels.Width(), pixels.Height(), source.Canvas().Handle(), 0, 0, maskBitmap, 0, 0,
          MAKEROP4(keepDestination, SRCCOPY));
  DeleteObject(maskBitmap);
}

void Put(HDC dc, const RECT& rect, const TBitmapPixels& pixels, bool colorKey) {
  if (colorKey)
    TransparentBlit(dc, rect.left, rect.top, pixels);
  else
    BlitPixels(dc, rect.left, rect.top, pixels);
}
}  // namespace

TSliceMargins MarginsOf(const TDataSkinObject& e) { return {e.LeftWidth, e.TopHeight, e.RightWidth, e.BottomHeight}; }

void BlitPixels(HDC dc, int x, int y, const TBitmapPixels& pixels) {
  if (pixels.Empty() || pixels.Stride() < 0) return;
  BITMAPINFO info = InfoFor(pixels);
  SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(pixels.Width()), static_cast<DWORD>(pixels.Height()), 0, 0, 0,
                    static_cast<UINT>(pixels.Height()), pixels.ScanLine(0), &info, DIB_RGB_COLORS);
}

void BlitPixelsPart(HDC dc, int x, int y, const TBitmapPixels& pixels, const TPixelRect& src) {
  if (src.Empty()) return;
  TBitmapPixels part(src.Width(), src.Height(), pixels.PixelFormat());
  part.CopyRect(0, 0, pixels, src.Left, src.Top, src.Width(), src.Height());
  BlitPixels(dc, x, y, part);
}

void TransparentBlit(HDC dc, int x, int y, const TBitmapPixels& pixels, TColor key) {
  if (pixels.Empty()) return;
  if (GetLayout(dc) & LAYOUT_RTL) return MaskedCopy(dc, x, y, pixels, key);
  // The pixels that are not the key colour become a clip region (in device units) and the image
  // is copied through it. Regions and device-independent copies stay in the process; a masked
  // copy makes the system build device bitmaps, each a round trip to its server under Wine.
  POINT at{x, y};
  LPtoDP(dc, &at, 1);
  HRGN shown = RegionFromBitmap(pixels, at.x, at.y, 0, 0, 0, key);
  const int saved = SaveDC(dc);
  ExtSelectClipRgn(dc, shown, RGN_AND);
  BlitPixels(dc, x, y, pixels);
  RestoreDC(dc, saved);
  DeleteObject(shown);
}

void DrawSlicedImage(HDC dc, const RECT& rect, const TBitmapPixels& image, bool stacked, bool tile, bool colorKey,
                     int count, int frame, TSliceMargins margins) {
  if (rect.right < rect.left || rect.bottom < rect.top) return;
  Put(dc, rect, BuildSlicedImage(ToPixelRect(rect), image, margins, stacked, tile, count, frame), colorKey);
}

void DrawSlicedBorder(HDC dc, const RECT& rect, const TBitmapPixels& image, bool stacked, int count, int frame,
                      TSliceMargins margins) {
  if (rect.right < rect.left || rect.bottom < rect.top) return;
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  const TBitmapPixels whole = BuildSlicedImage({0, 0, w, h}, image, margins, stacked, false, count, frame);
  for (const TSlicePiece& p : SlicePieces(w, h, image, margins, {stacked, count, frame}))
    if (p.Part != TSlicePiece::Centre)
      BlitPixelsPart(dc, rect.left + p.Dest.Left, rect.top + p.Dest.Top, whole, p.Dest);
}

void DrawThreePartImage(HDC dc, const RECT& rect, const TBitmapPixels& image, bool stacked, bool colorKey, int count,
                        int frame, int left, int right) {
  if (rect.right < rect.left || rect.bottom < rect.top) return;
  Put(dc, rect,
      BuildThreePartImage(rect.right - rect.left, rect.bottom - rect.top, image, {stacked, count, frame}, left, right),
      colorKey);
}

void DrawFrameImage(HDC dc, const RECT& rect, const TBitmapPixels& image, bool colorKey, int count, int frame) {
  if (rect.right < rect.left || rect.bottom < rect.top) return;
  Put(dc, rect, BuildFrameImage(rect.right - rect.left, rect.bottom - rect.top, image, count, frame), colorKey);
}

void TileImage(HDC dc, const RECT& rect, const TBitmapPixels& image, const RECT& source) {
  if (rect.right < rect.left || rect.bottom < rect.top) return;
  if (source.right <= source.left || source.bottom <= source.top) return;
  TBitmapPixels out(rect.right - rect.left, rect.bottom - rect.top);
  TileCopyClipped(out, {0, 0, out.Width(), out.Height()}, image, ToPixelRect(source));
  BlitPixels(dc, rect.left, rect.top, out);
}

HRGN RegionFromBitmap(const TBitmapPixels& bitmap, int dx, int dy, int toleranceBlue, int toleranceGreen,
                      int toleranceRed, TColor key) {
  // Runs that continue a run of the row above make one taller rectangle: fewer rectangles for
  // the system to join.
  const std::vector<TPixelRect> runs =
      MergeRunRows(RegionRuns(bitmap, dx, dy, toleranceBlue, toleranceGreen, toleranceRed, key));
  HRGN result = CreateRectRgn(0, 0, 0, 0);
  constexpr std::size_t batch = 2000;
  for (std::size_t start = 0; start < runs.size(); start += batch) {
    const std::size_t n = std::min(batch, runs.size() - start);
    std::vector<std::uint8_t> buffer(sizeof(RGNDATAHEADER) + n * sizeof(RECT));
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    data->rdh.dwSize = sizeof(RGNDATAHEADER);
    data->rdh.iType = RDH_RECTANGLES;
    data->rdh.nCount = static_cast<DWORD>(n);
    data->rdh.nRgnSize = static_cast<DWORD>(n * sizeof(RECT));
    RECT bounds{INT_MAX, INT_MAX, INT_MIN, INT_MIN};
    auto* rects = reinterpret_cast<RECT*>(data->Buffer);
    for (std::size_t i = 0; i < n; ++i) {
      rects[i] = ToRect(runs[start + i]);
      bounds.left = std::min(bounds.left, rects[i].left);
      bounds.top = std::min(bounds.top, rects[i].top);
      bounds.right = std::max(bounds.right, rects[i].right);
      bounds.bottom = std::max(bounds.bottom, rects[i].bottom);
    }
    data->rdh.rcBound = bounds;
    HRGN part = ExtCreateRegion(nullptr, static_cast<DWORD>(buffer.size()), data);
    if (part) {
      CombineRgn(result, result, part, RGN_OR);
      DeleteObject(part);
    }
  }
  return result;
}

std::string GetWindowTextString(HWND wnd) {
  wchar_t text[1001] = {};
  SendMessageW(wnd, WM_GETTEXT, 1000, reinterpret_cast<LPARAM>(text));
  return WideToUtf8(text);
}

std::string GetClassNameString(HWND wnd) {
  wchar_t name[101] = {};
  GetClassNameW(wnd, name, 101);
  return WideToUtf8(name);
}

TBitmap& SharedScratchBitmap() {
  static TBitmap* bitmap = [] {
    auto* b = new TBitmap();  // lives to the end of the program: painters may run from static teardown
    return b;
  }();
  return *bitmap;
}
