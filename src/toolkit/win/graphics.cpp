#include "toolkit/win/graphics.h"

#include <algorithm>
#include <cstring>

#include "toolkit/core/bmp_codec.h"
#include "toolkit/core/filer.h"
#include "toolkit/core/format.h"
#include "toolkit/core/text.h"
#include "toolkit/core/utf8.h"
#include "toolkit/win/canvas.h"
#include "toolkit/win/jpeg.h"
#include "toolkit/win/stored_block.h"

QUILLIMO_REGISTER_CLASS(TGraphic, [](TPropertyTable& p) {
  p.Bool("Transparent", &TGraphic::Transparent, &TGraphic::SetTransparent, false);
});
QUILLIMO_REGISTER_CLASS(TBitmap);
QUILLIMO_REGISTER_CLASS(TIcon);
QUILLIMO_REGISTER_CLASS(TPicture);

namespace {
std::uint32_t Read32(const std::uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | std::uint32_t(p[3]) << 24; }
std::uint16_t Read16(const std::uint8_t* p) { return static_cast<std::uint16_t>(p[0] | p[1] << 8); }

[[noreturn]] void InvalidImage() { throw EInvalidImage(ExceptionText::InvalidImage); }
}  // namespace

// ---------------------------------------------------------------------------------------
// TGraphic

void TGraphic::LoadFromStream(TStream& stream) {
  const std::string bytes = stream.ReadToEnd();
  LoadFromBytes(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

void TGraphic::SaveToStream(TStream& stream) const {
  const std::vector<std::uint8_t> bytes = SaveToBytes();
  stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
}

void TGraphic::LoadFromFile(const std::string& fileName) {
  TFileStream file(fileName, fmOpenRead);
  LoadFromStream(file);
}

void TGraphic::ReadData(TStream& stream) {
  std::vector<std::uint8_t> bytes(ReadBlockSize(stream));
  stream.ReadBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
  LoadFromBytes(bytes.data(), bytes.size());
}

void TGraphic::WriteData(TStream& stream) const {
  const std::vector<std::uint8_t> bytes = Empty() ? std::vector<std::uint8_t>{} : SaveToBytes();
  WriteBlock32(stream, static_cast<std::uint32_t>(bytes.size()));
  stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
}

void TGraphic::DefineProperties(TFiler& filer) {
  filer.DefineBinaryProperty(
      "Data", [this](TStream& s) { ReadData(s); }, [this](TStream& s) { WriteData(s); }, !Empty());
}

void TGraphic::SetTransparent(bool transparent) {
  if (transparent == transparent_) return;
  transparent_ = transparent;
  Changed();
}

// ---------------------------------------------------------------------------------------
// TBitmap

TBitmap::TBitmap() = default;

// The section comes zeroed from the system: a black bitmap needs no pixels copied into it.
TBitmap::TBitmap(int width, int height, TPixelFormat format) { Recreate(width, height, format, nullptr); }

TBitmap::~TBitmap() {
  canvas_.reset();
  if (dc_) {
    SelectObject(dc_, oldBitmap_);
    DeleteDC(dc_);
  }
  if (handle_) DeleteObject(handle_);
}

// Makes a DIB section of the size and format (none for an empty size) holding what it can of
// content's pixels (black without), and puts it in the place of the current one (also in the
// canvas's DC).
void TBitmap::Recreate(int width, int height, TPixelFormat format, const TBitmapPixels* content) {
  HBITMAP made = nullptr;
  TBitmapPixels view(0, 0, format);
  if (width > 0 && height > 0) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down, like the pixel store
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(BytesPerPixel(format) * 8);
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    made = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!made) throw EOutOfResources("Out of system resources");
    view = TBitmapPixels::Borrow(static_cast<std::uint8_t*>(bits), width, height, format, AlignedStride(width, format));
    if (content) view.CopyRect(0, 0, *content, 0, 0, content->Width(), content->Height());
  }
  if (dc_) {
    Flush();
    SelectObject(dc_, made ? static_cast<HGDIOBJ>(made) : oldBitmap_);
  }
  if (handle_) DeleteObject(handle_);
  handle_ = made;
  pixels_ = std::move(view);
  Changed();
}

void TBitmap::Recreate(const TBitmapPixels& content) {
  Recreate(content.Width(), content.Height(), content.PixelFormat(), &content);
}

void TBitmap::Flush() const { GdiFlush(); }

void TBitmap::SetSize(int width, int height) {
  if (width == Width() && height == Height()) return;
  Recreate(width, height, PixelFormat(), &Pixels());
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
  if (format == PixelFormat()) return;
  TBitmapPixels next(Pixels());
  next.SetPixelFormat(format);
  if (next.Empty()) next = TBitmapPixels(0, 0, format);
  Recreate(next);
}

TBitmapPixels& TBitmap::Pixels() {
  Flush();
  return pixels_;
}

const TBitmapPixels& TBitmap::Pixels() const {
  Flush();
  return pixels_;
}

void TBitmap::SetPixels(const TBitmapPixels& pixels) { Recreate(pixels); }

TCanvas& TBitmap::Canvas() {
  if (!canvas_) {
    dc_ = CreateCompatibleDC(nullptr);
    if (!dc_) throw EOutOfResources("Out of system resources");
    oldBitmap_ = handle_ ? SelectObject(dc_, handle_) : GetCurrentObject(dc_, OBJ_BITMAP);
    canvas_ = std::make_unique<TCanvas>(dc_);
  }
  return *canvas_;
}

TColor TBitmap::TransparentColor() const {
  if (transparentColor_ != clDefault) return transparentColor_;
  return Empty() ? clNone : Pixels().GetPixel(0, Height() - 1);
}

void TBitmap::Draw(TCanvas& canvas, const RECT& rect) {
  if (Empty()) return;
  HDC dest = canvas.Handle();
  HDC source = Canvas().Handle();
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  if (!Transparent()) {
    StretchBlt(dest, rect.left, rect.top, w, h, source, 0, 0, Width(), Height(), canvas.CopyMode());
    return;
  }
  // Transparent: a monochrome mask (1 = key colour) keeps the destination under key pixels.
  const TColor key = ColorToRGB(TransparentColor());
  const TBitmapPixels& px = Pixels();
  const int rowBytes = ((Width() + 15) / 16) * 2;  // CreateBitmap rows are WORD aligned
  std::vector<std::uint8_t> bits(static_cast<std::size_t>(rowBytes) * Height(), 0);
  for (int y = 0; y < Height(); ++y)
    for (int x = 0; x < Width(); ++x)
      if (px.GetPixel(x, y) == key) bits[y * rowBytes + x / 8] |= std::uint8_t(0x80 >> (x % 8));
  HBITMAP mask = CreateBitmap(Width(), Height(), 1, 1, bits.data());
  HDC maskDC = CreateCompatibleDC(nullptr);
  HGDIOBJ oldMask = SelectObject(maskDC, mask);
  const COLORREF oldText = SetTextColor(dest, RGB(0, 0, 0));
  const COLORREF oldBack = SetBkColor(dest, RGB(255, 255, 255));
  StretchBlt(dest, rect.left, rect.top, w, h, source, 0, 0, Width(), Height(), SRCINVERT);
  StretchBlt(dest, rect.left, rect.top, w, h, maskDC, 0, 0, Width(), Height(), SRCAND);
  StretchBlt(dest, rect.left, rect.top, w, h, source, 0, 0, Width(), Height(), SRCINVERT);
  SetTextColor(dest, oldText);
  SetBkColor(dest, oldBack);
  SelectObject(maskDC, oldMask);
  DeleteDC(maskDC);
  DeleteObject(mask);
}

void TBitmap::LoadFromBytes(const std::uint8_t* data, std::size_t size) { Recreate(DecodeBmp({data, size})); }

std::vector<std::uint8_t> TBitmap::SaveToBytes() const { return EncodeBmp(Pixels()); }

void TBitmap::Assign(const TPersistent* source) {
  if (auto* other = dynamic_cast<const TBitmap*>(source)) {
    SetTransparent(other->Transparent());
    transparentColor_ = other->transparentColor_;
    Recreate(other->Pixels());
    return;
  }
  if (source == nullptr) {
    Recreate(TBitmapPixels());
    return;
  }
  TGraphic::Assign(source);
}

// ---------------------------------------------------------------------------------------
// TIcon

namespace {
// One image of an ICO file, its place checked to lie inside the file.
struct IcoEntry {
  int size;
  int bits;
  std::size_t offset, length;
};

std::vector<IcoEntry> ParseIco(const std::uint8_t* data, std::size_t size) {
  if (size < 6 || Read16(data) != 0 || Read16(data + 2) != 1) InvalidImage();
  const std::size_t count = Read16(data + 4);
  if (count == 0 || 6 + 16 * count > size) InvalidImage();
  std::vector<IcoEntry> entries;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* e = data + 6 + 16 * i;
    const std::size_t length = Read32(e + 8), offset = Read32(e + 12);
    if (length < 40 || offset > size || length > size - offset) InvalidImage();
    entries.push_back({e[0] == 0 ? 256 : e[0], Read16(e + 6), offset, length});
  }
  return entries;
}

// The entry to use for size: the same size, else the smallest larger, else the largest;
// more colours first.
const IcoEntry& BestEntry(const std::vector<IcoEntry>& entries, int size) {
  auto rank = [size](const IcoEntry& e) {
    const int distance = e.size == size ? 0 : e.size > size ? e.size - size : 1000 + size - e.size;
    return distance * 64 - e.bits;
  };
  return *std::min_element(entries.begin(), entries.end(), [&](auto& a, auto& b) { return rank(a) < rank(b); });
}
}  // namespace

TIcon::~TIcon() { Release(); }

void TIcon::Release() {
  for (const Made& m : handles_) DestroyIcon(m.icon);
  handles_.clear();
}

HICON TIcon::Handle() { return HandleForSize(width_); }

HICON TIcon::HandleForSize(int size) {
  if (ico_.empty()) return nullptr;
  for (const Made& m : handles_)
    if (m.size == size) return m.icon;
  const auto entries = ParseIco(ico_.data(), ico_.size());  // kept alive: e refers into it
  const IcoEntry& e = BestEntry(entries, size);
  HICON icon = CreateIconFromResourceEx(const_cast<std::uint8_t*>(ico_.data() + e.offset), static_cast<DWORD>(e.length),
                                        TRUE, 0x00030000, size, size, LR_DEFAULTCOLOR);
  if (!icon) InvalidImage();
  handles_.push_back({size, icon});
  return icon;
}

void TIcon::LoadFromBytes(const std::uint8_t* data, std::size_t size) {
  const std::vector<IcoEntry> entries = ParseIco(data, size);
  std::vector<std::uint8_t> ico(data, data + size);
  // The icon's own size: the largest image up to 32 x 32, else the smallest.
  int own = 0;
  for (const IcoEntry& e : entries)
    if (e.size <= 32) own = std::max(own, e.size);
  if (own == 0) own = BestEntry(entries, 0).size;
  Release();
  ico_ = std::move(ico);
  width_ = height_ = own;
  HandleForSize(own);  // refuses an image Windows cannot read
  Changed();
}

void TIcon::LoadFromResourceName(HINSTANCE instance, const std::string& name) {
  // An icon group resource is an ICO directory whose entries name RT_ICON resources; put the
  // file back together from them.
  const std::wstring wname = Utf8ToWide(name);
  auto load = [&](LPCWSTR id, LPCWSTR type) -> std::pair<const std::uint8_t*, std::size_t> {
    HRSRC res = FindResourceW(instance, id, type);
    HGLOBAL mem = res ? LoadResource(instance, res) : nullptr;
    if (!mem) throw EResNotFound(Format("Resource %s not found", {name}));
    return {static_cast<const std::uint8_t*>(LockResource(mem)), SizeofResource(instance, res)};
  };
  auto [dir, dirSize] = load(wname.c_str(), MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */);
  if (dirSize < 6) InvalidImage();
  const std::size_t count = Read16(dir + 4);
  if (6 + 14 * count > dirSize) InvalidImage();
  std::vector<std::uint8_t> header(dir, dir + 6), images;
  for (std::size_t i = 0; i < count; ++i) {
    const std::uint8_t* e = dir + 6 + 14 * i;
    auto [image, imageSize] = load(MAKEINTRESOURCEW(Read16(e + 12)), MAKEINTRESOURCEW(3) /* RT_ICON */);
    header.insert(header.end(), e, e + 8);
    const std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * count + images.size());
    for (std::uint32_t v : {static_cast<std::uint32_t>(imageSize), offset})
      for (int k = 0; k < 4; ++k) header.push_back(std::uint8_t(v >> (8 * k)));
    images.insert(images.end(), image, image + imageSize);
  }
  header.insert(header.end(), images.begin(), images.end());
  LoadFromBytes(header.data(), header.size());
}

void TIcon::Draw(TCanvas& canvas, const RECT& rect) {
  const int w = rect.right - rect.left, h = rect.bottom - rect.top;
  if (HICON icon = HandleForSize(std::max(w, h)))
    DrawIconEx(canvas.Handle(), rect.left, rect.top, icon, w, h, 0, nullptr, DI_NORMAL);
}

void TIcon::Assign(const TPersistent* source) {
  if (auto* other = dynamic_cast<const TIcon*>(source)) {
    if (other->ico_.empty()) {
      Release();
      ico_.clear();
      width_ = height_ = 0;
      Changed();
    } else {
      LoadFromBytes(other->ico_.data(), other->ico_.size());
    }
    return;
  }
  TGraphic::Assign(source);
}

// ---------------------------------------------------------------------------------------
// TPicture

namespace {
// The kinds of graphic a stored picture can name.
std::unique_ptr<TGraphic> CreateGraphic(const std::string& className) {
  if (SameText(className, "TBitmap")) return std::make_unique<TBitmap>();
  if (SameText(className, "TIcon")) return std::make_unique<TIcon>();
  if (SameText(className, "TJPEGImage")) return std::make_unique<TJPEGImage>();
  throw EClassNotFound(Format(ExceptionText::ClassNotFound, {className}));
}
}  // namespace

TPicture::~TPicture() = default;

void TPicture::Replace(std::unique_ptr<TGraphic> graphic) {
  graphic_ = std::move(graphic);
  if (graphic_) graphic_->OnChange = [this](TObject*) { OnChange(this); };
  OnChange(this);
}

void TPicture::SetGraphic(const TGraphic* graphic) {
  if (!graphic) {
    Replace(nullptr);
    return;
  }
  std::unique_ptr<TGraphic> copy = CreateGraphic(graphic->ClassName());
  copy->Assign(graphic);
  Replace(std::move(copy));
}

TBitmap& TPicture::Bitmap() {
  if (!dynamic_cast<TBitmap*>(graphic_.get())) Replace(std::make_unique<TBitmap>());
  return static_cast<TBitmap&>(*graphic_);
}

TIcon& TPicture::Icon() {
  if (!dynamic_cast<TIcon*>(graphic_.get())) Replace(std::make_unique<TIcon>());
  return static_cast<TIcon&>(*graphic_);
}

void TPicture::ReadData(TStream& stream) {
  std::uint8_t length = 0;
  stream.ReadBuffer(&length, 1);
  std::string name(length, '\0');
  stream.ReadBuffer(name.data(), length);
  if (name.empty()) {
    Replace(nullptr);
    return;
  }
  std::unique_ptr<TGraphic> graphic = CreateGraphic(name);
  graphic->ReadData(stream);
  Replace(std::move(graphic));
}

void TPicture::WriteData(TStream& stream) const {
  const std::string name = graphic_ ? graphic_->ClassName() : std::string();
  const std::uint8_t length = static_cast<std::uint8_t>(name.size());
  stream.WriteBuffer(&length, 1);
  stream.WriteBuffer(name);
  if (graphic_) graphic_->WriteData(stream);
}

void TPicture::DefineProperties(TFiler& filer) {
  filer.DefineBinaryProperty(
      "Data", [this](TStream& s) { ReadData(s); }, [this](TStream& s) { WriteData(s); },
      graphic_ && !graphic_->Empty());
}

void TPicture::Assign(const TPersistent* source) {
  if (auto* other = dynamic_cast<const TPicture*>(source)) {
    SetGraphic(other->Graphic());
    return;
  }
  if (auto* graphic = dynamic_cast<const TGraphic*>(source)) {
    SetGraphic(graphic);
    return;
  }
  if (!source) {
    SetGraphic(nullptr);
    return;
  }
  TPersistent::Assign(source);
}
