// skinsheet: a contact sheet of skins. For every skin file given, one row: a small window
// drawn from the skin model (active and inactive) with a button, check boxes, radio buttons,
// a progress bar, tabs, a combo box, a scroll bar, a group caption and a status bar; then
// the raw element strips. Written as one 24-bit BMP (convert it with ImageMagick for a PNG).
//
//   skinsheet OUT.bmp SKIN.skn...
//
// The drawing here is a sketch of the painters (frames sliced with their margins, centres
// stretched or tiled, magenta transparent), enough to judge a skin by eye.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "skin/data/quick_ini.h"
#include "skin/data/skin_model.h"
#include "skin/data/skin_reader.h"
#include "toolkit/core/bmp_codec.h"

namespace {

constexpr TColor kKey = 0xFF00FF;
constexpr TColor kDesk = 0x80706A;  // the desktop behind the windows

struct TSlice {
  int left = 0, top = 0, right = 0, bottom = 0;
  bool tile = false;  // centre and edges repeated instead of stretched
  bool trans = true;  // magenta pixels are skipped
};

// One frame of a strip: frames side by side, or stacked when `stacked`.
void FrameRect(const TBitmapPixels& img, int frame, int count, bool stacked, int& x, int& y, int& w, int& h) {
  count = std::max(1, count);
  w = stacked ? img.Width() : img.Width() / count;
  h = stacked ? img.Height() / count : img.Height();
  x = stacked ? 0 : (frame - 1) * w;
  y = stacked ? (frame - 1) * h : 0;
}

// Maps destination offset d of a span of length dst to the source span of length src with
// fixed ends a and b.
int MapSpan(int d, int dst, int src, int a, int b, bool tile) {
  if (d < a) return d;
  if (d >= dst - b) return src - (dst - d);
  const int mid = std::max(1, src - a - b), dmid = std::max(1, dst - a - b);
  return a + (tile ? (d - a) % mid : (d - a) * mid / dmid);
}

void DrawSliced(TBitmapPixels& dst, int dx, int dy, int dw, int dh, const TBitmapPixels& img, int frame, int count,
                bool stacked, const TSlice& s) {
  if (img.Empty() || dw <= 0 || dh <= 0) return;
  int fx, fy, fw, fh;
  FrameRect(img, frame, count, stacked, fx, fy, fw, fh);
  if (fw <= 0 || fh <= 0) return;
  const int l = std::min(s.left, fw / 2), r = std::min(s.right, fw / 2), t = std::min(s.top, fh / 2),
            b = std::min(s.bottom, fh / 2);
  for (int y = 0; y < dh; ++y) {
    const int sy = fy + std::clamp(MapSpan(y, dh, fh, std::min(t, dh / 2), std::min(b, dh / 2), s.tile), 0, fh - 1);
    for (int x = 0; x < dw; ++x) {
      const int sx = fx + std::clamp(MapSpan(x, dw, fw, std::min(l, dw / 2), std::min(r, dw / 2), s.tile), 0, fw - 1);
      const TColor c = img.GetPixel(sx, sy);
      if (s.trans && c == kKey) continue;
      dst.SetPixel(dx + x, dy + y, c);
    }
  }
}

void DrawElement(TBitmapPixels& dst, int x, int y, int w, int h, const TDataSkinObject* e, int frame) {
  if (!e) return;
  DrawSliced(dst, x, y, w, h, e->Image, frame, e->FrameCount, false,
             {e->LeftWidth, e->TopHeight, e->RightWidth, e->BottomHeight, e->Tile == 1, true});
}

void DrawFrameAt(TBitmapPixels& dst, int x, int y, const TBitmapPixels& img, int frame, int count) {
  int fx, fy, fw, fh;
  FrameRect(img, frame, count, false, fx, fy, fw, fh);
  DrawSliced(dst, x, y, fw, fh, img, frame, count, false, {});
}

// A window of w x h at (x, y).
void DrawWindow(TBitmapPixels& dst, const TSkinModel& m, int x, int y, int w, int h, bool active) {
  const int f = active ? 1 : 2;
  const TDataSkinBorder &L = *m.BorderLeft, &R = *m.BorderRight, &T = *m.BorderTop, &B = *m.BorderBottom;
  const int el = L.Image.Width() / std::max(1, L.FrameCount), er = R.Image.Width() / std::max(1, R.FrameCount);
  const int et = T.Image.Height() / std::max(1, T.FrameCount), eb = B.Image.Height() / std::max(1, B.FrameCount);
  auto side = [&](const TDataSkinBorder& b) {
    return TSlice{b.LeftWidth, b.TopHeight, b.RightWidth, b.BottomHeight, b.Tile != 1, b.Trans == 1};
  };
  dst.FillRect(x + el, y + et, w - el - er, h - et - eb, ColorToRGB(m.ButtonFaceColour));
  DrawSliced(dst, x, y, el, h, L.Image, L.FrameCount > 1 ? f : 1, L.FrameCount, false, side(L));
  DrawSliced(dst, x + w - er, y, er, h, R.Image, R.FrameCount > 1 ? f : 1, R.FrameCount, false, side(R));
  DrawSliced(dst, x + el, y, w - el - er, et, T.Image, T.FrameCount > 1 ? f : 1, T.FrameCount, true, side(T));
  DrawSliced(dst, x + el, y + h - eb, w - el - er, eb, B.Image, B.FrameCount > 1 ? f : 1, B.FrameCount, true, side(B));
  // Caption-bar buttons (not the maximised-MDI ones).
  for (const auto& b : m.SysButtons) {
    if (b->Image.Empty() || b->Visibility == 100 || b->Visibility == 1) continue;
    const int bw = b->Image.Width() / std::max(1, b->FrameCount);
    const int bx = b->Align == 1 ? w - b->XCoord : b->XCoord;
    DrawFrameAt(dst, x + bx, y + b->YCoord, b->Image, active || b->FrameCount < 4 ? 1 : 4, b->FrameCount);
    (void)bw;
  }
  // Menu bar.
  int cy = y + et;
  const int mh = 20;
  if (m.MenuBar)
    DrawSliced(dst, x + el, cy, w - el - er, mh, m.MenuBar->Image, f, 2, true,
               {m.MenuBar->LeftWidth, 0, m.MenuBar->RightWidth, 0, false, false});
  else
    dst.FillRect(x + el, cy, w - el - er, mh, ColorToRGB(m.MenubarColour));
  if (m.MenuItem) DrawElement(dst, x + el + 40, cy, 44, mh, m.MenuItem.get(), 4);
  cy += mh + 6;
  const int cx = x + el + 8;
  // Tabs and their page.
  if (m.Tabs) {
    DrawSliced(dst, cx, cy + 22, w - el - er - 40, 70, m.Tabs->Image2, 1, 1, false, {4, 5, 4, 4, false, true});
    for (int i = 0; i < 3; ++i)
      DrawElement(dst, cx + 4 + i * 58, cy + (i == 0 ? 0 : 2), 58, 22, m.Tabs.get(), i == 0 ? 2 : 1);
  }
  // Buttons: normal, hot, default.
  const int by = cy + 32;
  for (int i = 0; i < 3; ++i)
    DrawElement(dst, cx + 8 + i * 80, by, 74, 24, m.Buttons.get(), i == 0 ? 1 : i == 1 ? 4 : 5);
  // Check boxes and radio buttons.
  const TDataSkinButton& bt = *m.Buttons;
  const int checkFrames[4] = {1, bt.CheckFrameCount == 12 ? 5 : 2, bt.CheckFrameCount == 12 ? 9 : 3,
                              bt.CheckFrameCount == 12 ? 2 : 4};
  for (int i = 0; i < 4; ++i) {
    DrawFrameAt(dst, cx + 10 + i * 22, by + 34, bt.CheckImage, checkFrames[i], bt.CheckFrameCount);
    const int radio[2][4] = {{1, 2, 3, 4}, {1, 5, 2, 4}};  // unchecked, checked, hot, disabled
    DrawFrameAt(dst, cx + 110 + i * 22, by + 34, bt.RadioImage, radio[bt.RadioFrameCount == 8][i], bt.RadioFrameCount);
  }
  // Progress bar at 60 %.
  if (m.Progress) {
    const TDataSkinBorder& p = *m.Progress;
    const int pw = 200;
    DrawSliced(dst, cx + 8, by + 56, pw, 16, p.Image, 1, 2, false,
               {p.LeftWidth, p.TopHeight, p.RightWidth, p.BottomHeight, false, true});
    if (p.Style == 1 && !p.Image2.Empty())
      for (int px = 0; px + p.Image2.Width() <= pw * 6 / 10; px += p.Image2.Width())
        DrawSliced(dst, cx + 8 + p.LeftWidth + px, by + 56 + (16 - p.Image2.Height()) / 2, p.Image2.Width(),
                   p.Image2.Height(), p.Image2, 1, 1, false, {});
    else
      DrawSliced(dst, cx + 8, by + 56, pw * 6 / 10, 16, p.Image, 2, 2, false,
                 {p.LeftWidth, p.TopHeight, p.RightWidth, p.BottomHeight, false, true});
  }
  // Combo box.
  const int comboY = cy + 108;
  if (m.SunkEdge) DrawElement(dst, cx, comboY, 150, 22, m.SunkEdge.get(), 1);
  if (m.ComboButton) DrawFrameAt(dst, cx + 150 - 19, comboY + 1, m.ComboButton->Image, 1, 4);
  // Group caption.
  if (m.GroupBox) DrawElement(dst, cx + 160, comboY + 2, 70, 18, m.GroupBox.get(), 1);
  // Vertical scroll bar at the right of the client area.
  const int sx = x + w - er - 18, sy = cy, sh = h - et - eb - mh - 36;
  if (m.VertScroll) DrawElement(dst, sx, sy + 16, 16, sh - 32, m.VertScroll.get(), 1);
  if (m.Scrollbar) {
    DrawFrameAt(dst, sx, sy, m.Scrollbar->Image, 9, 23);
    DrawFrameAt(dst, sx, sy + sh - 16, m.Scrollbar->Image, 13, 23);
  }
  if (m.VertScrollThumb)
    DrawSliced(dst, sx, sy + 30, 16, 40, m.VertScrollThumb->Image, 1, m.VertScrollThumb->FrameCount, false,
               {0, m.VertScrollThumb->TopHeight, 0, m.VertScrollThumb->BottomHeight, false, true});
  // Status bar.
  if (m.StatusBarEdges)
    for (int i = 0; i < 2; ++i)
      DrawElement(dst, x + el + 2 + i * 120, y + h - eb - 20, 118, 18, m.StatusBarEdges.get(), 1);
}

std::vector<const TBitmapPixels*> Strips(const TSkinModel& m) {
  std::vector<const TBitmapPixels*> s;
  auto add = [&](const TBitmapPixels* b) {
    if (b && !b->Empty()) s.push_back(b);
  };
  for (const TDataSkinObject* e : std::initializer_list<const TDataSkinObject*>{
           m.Buttons.get(), m.Tabs.get(), m.Progress.get(), m.MenuItem.get(), m.Toolbars.get(), m.Headerbar.get(),
           m.Scrollbar.get(), m.HorzScroll.get(), m.HorzScrollThumb.get(), m.ComboButton.get(), m.SunkEdge.get(),
           m.StatusBarEdges.get(), m.ExtraImages.get(), m.UpDownVert.get(), m.UpDownHorz.get(),
           m.TrackbarThumbHorz.get(), m.MenuBar.get(), m.Title.get()})
    if (e) add(&e->Image);
  add(&m.Buttons->CheckImage);
  add(&m.Buttons->RadioImage);
  for (const auto& b : m.SysButtons) add(&b->Image);
  return s;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: skinsheet OUT.bmp SKIN.skn...\n");
    return 2;
  }
  constexpr int kWinW = 340, kWinH = 250, kRowH = 270, kStripsX = 2 * kWinW + 40, kWidth = kStripsX + 560;
  const int skins = argc - 2;
  TBitmapPixels sheet(kWidth, kRowH * skins + 10, pf24bit);
  sheet.Fill(kDesk);
  for (int i = 0; i < skins; ++i) {
    std::ifstream in(argv[i + 2], std::ios::binary);
    const std::vector<uint8_t> image((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    TSkinReader reader;
    TSkinModel model;
    try {
      if (!reader.Load(image)) throw std::runtime_error("wrong format version");
      std::vector<uint8_t> ini;
      reader.FindEntry(".ini", ini);
      TQuickIni parsed;
      parsed.LoadFromText(std::string(ini.begin(), ini.end()));
      model.LoadModel(parsed, reader);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "%s: %s\n", argv[i + 2], e.what());
      return 1;
    }
    const int y = 10 + i * kRowH;
    DrawWindow(sheet, model, 10, y, kWinW, kWinH, true);
    DrawWindow(sheet, model, 20 + kWinW, y, kWinW, kWinH, false);
    int sx = kStripsX, sy = y, rowH = 0;
    for (const TBitmapPixels* s : Strips(model)) {
      const int w = std::min(s->Width(), kWidth - kStripsX - 10);
      if (sx + w > kWidth - 10) sx = kStripsX, sy += rowH + 4, rowH = 0;
      if (sy + s->Height() > y + kRowH - 10) break;
      sheet.CopyRect(sx, sy, *s, 0, 0, w, s->Height());
      sx += w + 6;
      rowH = std::max(rowH, s->Height());
    }
    std::printf("%s: %s\n", argv[i + 2], model.SkinName.c_str());
  }
  const std::vector<uint8_t> bmp = EncodeBmp(sheet);
  std::ofstream(argv[1], std::ios::binary)
      .write(reinterpret_cast<const char*>(bmp.data()), static_cast<std::streamsize>(bmp.size()));
  return 0;
}
