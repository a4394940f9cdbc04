// Drawing on bitmaps through TCanvas, reading the pixels back from the DIB section.
#include <gtest/gtest.h>

#include <cstdlib>

#include "toolkit/core/streams.h"
#include "toolkit/win/canvas.h"
#include "toolkit/win/graphics.h"
#include "toolkit/win/imagelist.h"
#include "toolkit/win/jpeg.h"

namespace {
std::string DataFile(const std::string& name) { return std::string(QUILLIMO_TEST_DATA) + "/graphics/" + name; }

TColor At(TBitmap& bitmap, int x, int y) { return bitmap.Pixels().GetPixel(x, y); }

// A bitmap filled with one colour.
std::unique_ptr<TBitmap> Filled(int w, int h, TColor color, TPixelFormat format = pf24bit) {
  auto bitmap = std::make_unique<TBitmap>(w, h, format);
  bitmap->Pixels().Fill(color);
  return bitmap;
}

// Colours within a tolerance per channel (lossy formats, blending).
bool Near(TColor a, TColor b, int tolerance) {
  return std::abs(ColorRed(a) - ColorRed(b)) <= tolerance && std::abs(ColorGreen(a) - ColorGreen(b)) <= tolerance &&
         std::abs(ColorBlue(a) - ColorBlue(b)) <= tolerance;
}

int CountPixels(TBitmap& bitmap, const std::function<bool(TColor)>& test) {
  int n = 0;
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) n += test(At(bitmap, x, y));
  return n;
}
}  // namespace

TEST(Canvas, FillAndFrameUseTheBrush) {
  auto bitmap = Filled(10, 10, clBlack);
  TCanvas& canvas = bitmap->Canvas();
  canvas.Brush().SetColor(clRed);
  canvas.FillRect(Rect(2, 2, 6, 6));
  EXPECT_EQ(At(*bitmap, 2, 2), clRed);
  EXPECT_EQ(At(*bitmap, 5, 5), clRed);
  EXPECT_EQ(At(*bitmap, 6, 6), clBlack);  // right and bottom edges are exclusive
  EXPECT_EQ(At(*bitmap, 1, 2), clBlack);

  canvas.Brush().SetColor(clLime);  // a changed brush is taken up at the next operation
  canvas.FrameRect(Rect(0, 0, 10, 10));
  EXPECT_EQ(At(*bitmap, 0, 0), clLime);
  EXPECT_EQ(At(*bitmap, 9, 5), clLime);
  EXPECT_EQ(At(*bitmap, 1, 1), clBlack);  // only the border
  EXPECT_EQ(At(*bitmap, 3, 3), clRed);
}

TEST(Canvas, RectangleLinesAndPixels) {
  auto bitmap = Filled(12, 12, clWhite);
  TCanvas& canvas = bitmap->Canvas();
  canvas.Pen().SetColor(clBlue);
  canvas.Brush().SetColor(clYellow);
  canvas.Rectangle(0, 0, 6, 6);
  EXPECT_EQ(At(*bitmap, 0, 0), clBlue);
  EXPECT_EQ(At(*bitmap, 5, 3), clBlue);
  EXPECT_EQ(At(*bitmap, 3, 3), clYellow);

  canvas.Brush().SetStyle(bsClear);  // a clear brush leaves the inside alone
  canvas.Rectangle(6, 6, 12, 12);
  EXPECT_EQ(At(*bitmap, 6, 6), clBlue);
  EXPECT_EQ(At(*bitmap, 9, 9), clWhite);

  canvas.Pen().SetColor(clRed);
  canvas.MoveTo(0, 8);
  canvas.LineTo(5, 8);
  EXPECT_EQ(At(*bitmap, 0, 8), clRed);
  EXPECT_EQ(At(*bitmap, 4, 8), clRed);
  EXPECT_EQ(At(*bitmap, 5, 8), clWhite);  // the end point is not drawn
  EXPECT_EQ(canvas.PenPos().x, 5);

  canvas.Polyline({{0, 10}, {3, 10}, {3, 11}});
  EXPECT_EQ(At(*bitmap, 1, 10), clRed);

  canvas.SetPixel(11, 0, clFuchsia);
  EXPECT_EQ(canvas.GetPixel(11, 0), clFuchsia);
  EXPECT_EQ(At(*bitmap, 11, 0), clFuchsia);
  // A write into the pixel store is what GDI reads next.
  bitmap->Pixels().SetPixel(10, 0, clGreen);
  EXPECT_EQ(canvas.GetPixel(10, 0), clGreen);
}

TEST(Canvas, TextDrawsDarkPixelsAndMeasures) {
  auto bitmap = Filled(120, 30, clWhite);
  TCanvas& canvas = bitmap->Canvas();
  canvas.Brush().SetStyle(bsClear);
  canvas.Font().SetName("Tahoma");
  canvas.Font().SetColor(clBlack);
  const SIZE size = canvas.TextExtent("Mesajlar Başlasın");
  EXPECT_GT(size.cx, 40);
  EXPECT_GT(size.cy, 5);
  EXPECT_GT(canvas.TextWidth("Mesajlar Başlasın"), canvas.TextWidth("Mesaj"));
  EXPECT_GT(canvas.TextWidth("ş"), 0);
  EXPECT_EQ(CountPixels(*bitmap, [](TColor c) { return c != clWhite; }), 0);
  canvas.TextOut(2, 2, "Mesajlar Başlasın");
  EXPECT_GT(CountPixels(*bitmap, [](TColor c) { return ColorRed(c) < 100; }), 30);

  // TextRect clips: nothing lands outside its rectangle.
  auto clipped = Filled(60, 30, clWhite);
  clipped->Canvas().Brush().SetColor(clSilver);
  clipped->Canvas().TextRect(Rect(0, 0, 20, 30), 0, 0, "WWWWWWWWWWWW");
  EXPECT_EQ(At(*clipped, 0, 29), clSilver);  // opaque brush fills the rectangle
  int outside = 0;
  for (int y = 0; y < 30; ++y)
    for (int x = 20; x < 60; ++x) outside += At(*clipped, x, y) != clWhite;
  EXPECT_EQ(outside, 0);
}

TEST(Canvas, StretchDrawAndCopyRect) {
  TBitmap source(2, 2);
  source.Pixels().SetPixel(0, 0, clRed);
  source.Pixels().SetPixel(1, 0, clLime);
  source.Pixels().SetPixel(0, 1, clBlue);
  source.Pixels().SetPixel(1, 1, clWhite);
  auto dest = Filled(4, 4, clBlack);
  SetStretchBltMode(dest->Canvas().Handle(), COLORONCOLOR);
  dest->Canvas().StretchDraw(Rect(0, 0, 4, 4), source);
  const TColor expected[2][2] = {{clRed, clLime}, {clBlue, clWhite}};
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(At(*dest, x, y), expected[y / 2][x / 2]) << x << "," << y;

  auto copy = Filled(4, 4, clBlack);
  copy->Canvas().CopyRect(Rect(1, 1, 3, 3), dest->Canvas(), Rect(2, 0, 4, 2));
  EXPECT_EQ(At(*copy, 1, 1), clLime);
  EXPECT_EQ(At(*copy, 2, 2), clLime);
  EXPECT_EQ(At(*copy, 0, 0), clBlack);
  EXPECT_EQ(At(*copy, 3, 3), clBlack);

  auto small = Filled(6, 6, clGray);
  small->Canvas().Draw(4, 4, source);  // at its own size, clipped by the destination
  EXPECT_EQ(At(*small, 4, 4), clRed);
  EXPECT_EQ(At(*small, 5, 5), clWhite);
  EXPECT_EQ(At(*small, 3, 3), clGray);
}

TEST(Bitmap, TransparentDrawLeavesKeyPixels) {
  TBitmap sprite(3, 1);
  sprite.Pixels().SetPixel(0, 0, clFuchsia);
  sprite.Pixels().SetPixel(1, 0, clBlue);
  sprite.Pixels().SetPixel(2, 0, clFuchsia);
  sprite.SetTransparent(true);
  sprite.SetTransparentColor(clFuchsia);
  auto dest = Filled(3, 1, clGreen);
  dest->Canvas().Draw(0, 0, sprite);
  EXPECT_EQ(At(*dest, 0, 0), clGreen);
  EXPECT_EQ(At(*dest, 1, 0), clBlue);
  EXPECT_EQ(At(*dest, 2, 0), clGreen);

  // Default transparent colour: the bottom-left pixel.
  sprite.SetTransparentColor(clDefault);
  EXPECT_EQ(sprite.TransparentColor(), clFuchsia);
  // An all-key bitmap leaves the destination as it was.
  auto key = Filled(3, 1, clFuchsia);
  key->SetTransparent(true);
  dest->Canvas().Draw(0, 0, *key);
  EXPECT_EQ(At(*dest, 0, 0), clGreen);
  EXPECT_EQ(At(*dest, 1, 0), clBlue);
}

TEST(Bitmap, SizeFormatAndStoredForm) {
  auto bitmap = Filled(4, 4, clRed);
  bitmap->Canvas();  // the canvas's DC must follow a new DIB section
  bitmap->SetSize(6, 2);
  EXPECT_EQ(bitmap->Width(), 6);
  EXPECT_EQ(bitmap->Height(), 2);
  EXPECT_EQ(At(*bitmap, 3, 1), clRed);
  EXPECT_EQ(At(*bitmap, 5, 1), clBlack);
  bitmap->Canvas().Brush().SetColor(clBlue);
  bitmap->Canvas().FillRect(Rect(5, 0, 6, 2));
  EXPECT_EQ(At(*bitmap, 5, 0), clBlue);

  bitmap->SetPixelFormat(pf32bit);
  EXPECT_EQ(bitmap->PixelFormat(), pf32bit);
  EXPECT_EQ(At(*bitmap, 0, 0), clRed);

  TMemoryStream stream;
  bitmap->WriteData(stream);
  stream.SetPosition(0);
  TBitmap read;
  read.ReadData(stream);
  EXPECT_TRUE(read.Pixels().SamePixels(bitmap->Pixels()));

  TBitmap copy;
  copy.Assign(bitmap.get());
  EXPECT_TRUE(copy.Pixels().SamePixels(bitmap->Pixels()));

  const std::uint8_t junk[] = {'B', 'M', 1, 2, 3};
  EXPECT_THROW(read.LoadFromBytes(junk, sizeof junk), EInvalidImage);
  EXPECT_EQ(read.Width(), 6);  // unchanged by the failed load
  // A stored size larger than the data is refused before anything is allocated.
  TMemoryStream lying;
  const std::uint8_t huge[] = {0xFF, 0xFF, 0xFF, 0x7F, 'B', 'M'};
  lying.WriteBuffer(huge, sizeof huge);
  lying.SetPosition(0);
  EXPECT_THROW(read.ReadData(lying), EReadError);
}

TEST(Jpeg, DecodesColorAndGreyFiles) {
  TJPEGImage jpeg;
  jpeg.LoadFromFile(DataFile("two_halves.jpg"));
  ASSERT_EQ(jpeg.Width(), 16);
  ASSERT_EQ(jpeg.Height(), 8);
  auto dest = Filled(16, 8, clBlack);
  dest->Canvas().Draw(0, 0, jpeg);
  EXPECT_TRUE(Near(At(*dest, 2, 4), clRed, 24)) << std::hex << At(*dest, 2, 4);
  EXPECT_TRUE(Near(At(*dest, 13, 4), clBlue, 24)) << std::hex << At(*dest, 13, 4);

  // Stretched to twice the size the halves stay where they were.
  auto big = Filled(32, 16, clBlack);
  big->Canvas().StretchDraw(Rect(0, 0, 32, 16), jpeg);
  EXPECT_TRUE(Near(At(*big, 4, 8), clRed, 32));
  EXPECT_TRUE(Near(At(*big, 28, 8), clBlue, 32));

  TJPEGImage grey;
  grey.LoadFromFile(DataFile("grey.jpg"));
  EXPECT_EQ(grey.Width(), 8);
  const TColor top = grey.Bitmap().Pixels().GetPixel(4, 0), bottom = grey.Bitmap().Pixels().GetPixel(4, 7);
  EXPECT_EQ(ColorRed(top), ColorBlue(top));
  EXPECT_GT(ColorRed(top), ColorRed(bottom) + 100);
}

TEST(Jpeg, CorruptDataRaisesInvalidImage) {
  TJPEGImage jpeg;
  jpeg.LoadFromFile(DataFile("two_halves.jpg"));
  const std::vector<std::uint8_t> good = jpeg.SaveToBytes();

  const std::vector<std::uint8_t> empty;
  EXPECT_THROW(jpeg.LoadFromBytes(empty.data(), 0), EInvalidImage);
  const std::vector<std::uint8_t> noise(200, 0x5A);
  EXPECT_THROW(jpeg.LoadFromBytes(noise.data(), noise.size()), EInvalidImage);
  // A file cut in the middle of its pixel data.
  EXPECT_THROW(jpeg.LoadFromBytes(good.data(), good.size() - 60), EInvalidImage);
  // Damaged header: the frame marker's length field made absurd.
  std::vector<std::uint8_t> damaged = good;
  for (std::size_t i = 0; i + 3 < damaged.size(); ++i)
    if (damaged[i] == 0xFF && damaged[i + 1] == 0xC0) {
      damaged[i + 2] = 0;
      damaged[i + 3] = 1;
      break;
    }
  try {
    jpeg.LoadFromBytes(damaged.data(), damaged.size());
    FAIL() << "damaged header accepted";
  } catch (const EInvalidImage& e) {
    EXPECT_EQ(std::string(e.what()).rfind("JPEG error #", 0), 0u) << e.what();
  }
  // A header claiming 40000 x 40000 pixels is refused before any picture memory is set up.
  std::vector<std::uint8_t> huge = good;
  for (std::size_t i = 0; i + 8 < huge.size(); ++i)
    if (huge[i] == 0xFF && huge[i + 1] == 0xC0) {
      huge[i + 5] = huge[i + 7] = 0x9C;
      huge[i + 6] = huge[i + 8] = 0x40;
      break;
    }
  EXPECT_THROW(jpeg.LoadFromBytes(huge.data(), huge.size()), EInvalidImage);
  // The image is still the one loaded last.
  EXPECT_EQ(jpeg.Width(), 16);
  EXPECT_EQ(jpeg.SaveToBytes(), good);
}

TEST(Picture, StoredFormNamesTheGraphicClass) {
  TPicture picture;
  int changes = 0;
  picture.OnChange = [&](TObject*) { ++changes; };
  TJPEGImage jpeg;
  jpeg.LoadFromFile(DataFile("two_halves.jpg"));
  picture.SetGraphic(&jpeg);
  EXPECT_GT(changes, 0);
  EXPECT_EQ(picture.Width(), 16);

  TMemoryStream stream;
  picture.WriteData(stream);
  const std::string bytes(stream.Bytes());
  EXPECT_EQ(bytes.substr(0, 11), "\x0ATJPEGImage");
  stream.SetPosition(0);
  TPicture read;
  read.ReadData(stream);
  ASSERT_NE(dynamic_cast<TJPEGImage*>(read.Graphic()), nullptr);
  EXPECT_EQ(read.Graphic()->SaveToBytes(), jpeg.SaveToBytes());

  TMemoryStream unknown;
  unknown.WriteBuffer(std::string_view("\x07TWidget\0\0\0\0", 12));
  unknown.SetPosition(0);
  EXPECT_THROW(read.ReadData(unknown), EClassNotFound);
  EXPECT_NE(read.Graphic(), nullptr);  // unchanged

  read.Bitmap().SetSize(3, 3);  // asking for a bitmap replaces the JPEG
  EXPECT_EQ(read.Width(), 3);
  EXPECT_NE(dynamic_cast<TBitmap*>(read.Graphic()), nullptr);
}

TEST(Icon, LoadsAnIcoFileAndDraws) {
  TIcon icon;
  icon.LoadFromFile(DataFile("quillimo.ico"));
  EXPECT_EQ(icon.Width(), 32);
  EXPECT_NE(icon.Handle(), nullptr);
  HICON small = icon.HandleForSize(16);
  ASSERT_NE(small, nullptr);
  ICONINFO info{};
  ASSERT_TRUE(GetIconInfo(small, &info));
  BITMAP bm{};
  GetObjectW(info.hbmColor, sizeof bm, &bm);
  EXPECT_EQ(bm.bmWidth, 16);
  DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);

  auto dest = Filled(32, 32, clWhite);
  dest->Canvas().Draw(0, 0, icon);
  EXPECT_EQ(At(*dest, 0, 0), clWhite);  // the transparent corner
  EXPECT_NE(At(*dest, 16, 16), clWhite);

  const std::vector<std::uint8_t> good = icon.SaveToBytes();
  std::vector<std::uint8_t> bad = good;
  bad[18] = 0xFF;  // first image's offset far outside the file
  bad[19] = 0xFF;
  EXPECT_THROW(icon.LoadFromBytes(bad.data(), bad.size()), EInvalidImage);
  EXPECT_THROW(icon.LoadFromBytes(good.data(), 5), EInvalidImage);
  EXPECT_EQ(icon.SaveToBytes(), good);
}

TEST(ImageList, MaskedImagesDrawOverTheCanvas) {
  TImageList list(nullptr);
  list.SetWidth(2);
  list.SetHeight(1);
  TBitmap strip(4, 1);  // two images side by side
  strip.Pixels().SetPixel(0, 0, clRed);
  strip.Pixels().SetPixel(1, 0, clFuchsia);
  strip.Pixels().SetPixel(2, 0, clFuchsia);
  strip.Pixels().SetPixel(3, 0, clBlue);
  EXPECT_EQ(list.AddMasked(strip, clFuchsia), 0);
  EXPECT_EQ(list.ImageCount(), 2);

  auto dest = Filled(4, 1, clLime);
  list.Draw(dest->Canvas(), 0, 0, 0);
  list.Draw(dest->Canvas(), 2, 0, 1);
  EXPECT_EQ(At(*dest, 0, 0), clRed);
  EXPECT_EQ(At(*dest, 1, 0), clLime);
  EXPECT_EQ(At(*dest, 2, 0), clLime);
  EXPECT_EQ(At(*dest, 3, 0), clBlue);
  list.Draw(dest->Canvas(), 0, 0, 7);  // a bad index draws nothing
  EXPECT_EQ(At(*dest, 0, 0), clRed);

  // A mask bitmap: white is transparent.
  TBitmap image(2, 1), mask(2, 1);
  image.Pixels().Fill(clNavy);
  mask.Pixels().SetPixel(1, 0, clWhite);
  EXPECT_EQ(list.Add(image, &mask), 2);
  auto second = Filled(2, 1, clYellow);
  list.Draw(second->Canvas(), 0, 0, 2);
  EXPECT_EQ(At(*second, 0, 0), clNavy);
  EXPECT_EQ(At(*second, 1, 0), clYellow);

  // Disabled: grey, lighter than the black image on a white ground, yet not white.
  TBitmap black(2, 1);
  list.Add(black, nullptr);
  auto ground = Filled(2, 1, clWhite);
  list.Draw(ground->Canvas(), 0, 0, 3, false);
  const TColor grey = At(*ground, 0, 0);
  EXPECT_EQ(ColorRed(grey), ColorGreen(grey));
  EXPECT_GT(ColorRed(grey), 60);
  EXPECT_LT(ColorRed(grey), 250);

  TBitmap wrong(3, 1);
  EXPECT_THROW(list.AddMasked(wrong, clFuchsia), EInvalidOperation);
  EXPECT_EQ(list.ImageCount(), 4);
}

TEST(ImageList, AlphaIsBlended) {
  TImageList list(nullptr);
  list.SetWidth(1);
  list.SetHeight(1);
  TBitmapPixels half(1, 1, pf32bit);
  half.ScanLine(0)[0] = 0;  // blue
  half.ScanLine(0)[1] = 0;
  half.ScanLine(0)[2] = 0;
  half.ScanLine(0)[3] = 128;  // half-transparent black
  list.AddPixels(half);
  auto dest = Filled(1, 1, clWhite);
  list.Draw(dest->Canvas(), 0, 0, 0);
  EXPECT_TRUE(Near(At(*dest, 0, 0), RGBToColor(127, 127, 127), 3)) << std::hex << At(*dest, 0, 0);
}

TEST(ImageList, StoredBlockAndSystemHandle) {
  TImageList list(nullptr);
  list.SetWidth(4);
  list.SetHeight(3);
  auto red = Filled(4, 3, clRed), blue = Filled(8, 3, clBlue);
  red->Pixels().SetPixel(0, 0, clFuchsia);
  list.AddMasked(*red, clFuchsia);
  list.Add(*blue, nullptr);
  ASSERT_EQ(list.ImageCount(), 3);

  HIMAGELIST handle = list.Handle();
  ASSERT_NE(handle, nullptr);
  EXPECT_EQ(ImageList_GetImageCount(handle), 3);
  int cx = 0, cy = 0;
  ImageList_GetIconSize(handle, &cx, &cy);
  EXPECT_EQ(cx, 4);
  EXPECT_EQ(cy, 3);

  TMemoryStream stream;
  list.WriteData(stream);
  stream.SetPosition(0);
  TImageList read(nullptr);
  read.ReadData(stream);
  EXPECT_EQ(read.Width(), 4);
  EXPECT_EQ(read.Height(), 3);
  ASSERT_EQ(read.ImageCount(), 3);
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(read.Image(i).SamePixels(list.Image(i))) << i;
  EXPECT_EQ(read.Image(0).ScanLine(0)[3], 0);  // the transparent corner survives

  // Truncated and lying blocks are refused and leave the list as it was.
  const std::string bytes(stream.Bytes());
  TBufferStream cut(bytes.substr(0, bytes.size() - 10));
  EXPECT_THROW(read.ReadData(cut), EReadError);
  std::string lying = bytes;
  lying[0] = '\xFF';  // count
  lying[3] = '\x7F';
  TBufferStream many(lying);
  EXPECT_THROW(read.ReadData(many), EReadError);
  std::string otherSize = bytes;
  otherSize[4] = 5;  // width 5, images are 4 wide
  TBufferStream mismatch(otherSize);
  EXPECT_THROW(read.ReadData(mismatch), EInvalidImage);
  EXPECT_EQ(read.ImageCount(), 3);
  EXPECT_EQ(read.Width(), 4);
  EXPECT_THROW(read.Image(3), EListError);
}
