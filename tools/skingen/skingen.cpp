// skingen: draws every bitmap of a skin, procedurally and anti-aliased.
//
//   skingen SKIN.ini OUTDIR
//   skingen --glyphs OUT.bmp   the system-menu glyphs as the monochrome "SYSMENUGLYPHS" bitmap
//
// The skin's ini names the bitmaps (Top=top.bmp, [Buttons] Bitmap=..., ButtonImage=...); its
// [Generator] section, which the program never reads, gives the look: colours, corner radii,
// caption height, border width, tiled borders, the check-box strip. The ini itself is copied
// into OUTDIR beside the bitmaps, ready for skinpack. Sizes and margins drawn here are the
// ones the skins' ini files state (see resources/skins/README.md).
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "raster.h"
#include "skin/data/menu_glyphs.h"
#include "skin/data/quick_ini.h"
#include "toolkit/core/bmp_codec.h"
#include "toolkit/core/text.h"

namespace fs = std::filesystem;
using namespace skingen;

namespace {

struct TTheme {
  TRgb face, title1, title2, frame, outline, accent, glyph, closeAccent, menu, text;
  int radius = 0, edge = 5, titleHeight = 26, buttonRadius = 3;
  bool tiled = false, gloss = true;
};

TRgb IniRgb(const TQuickIni& ini, const char* key, TRgb def) {
  const std::string v = ini.ReadString("Generator", key, "");
  return v.empty() ? def : FromColor(ParseSkinColor(v));
}

TTheme ReadTheme(const TQuickIni& ini) {
  TTheme t;
  t.face = IniRgb(ini, "Face", Rgb(236, 233, 226));
  t.title1 = IniRgb(ini, "Title1", Rgb(60, 110, 190));
  t.title2 = IniRgb(ini, "Title2", Darker(t.title1, 0.25));
  t.frame = IniRgb(ini, "Frame", t.title2);
  t.outline = IniRgb(ini, "Outline", Darker(t.frame, 0.55));
  t.accent = IniRgb(ini, "Accent", t.title1);
  t.glyph = IniRgb(ini, "Glyph", Rgb(255, 255, 255));
  t.closeAccent = IniRgb(ini, "CloseAccent", Rgb(200, 64, 50));
  t.menu = IniRgb(ini, "Menu", Lighter(t.face, 0.4));
  t.text = IniRgb(ini, "Text", Rgb(20, 20, 20));
  t.radius = ini.ReadInteger("Generator", "Radius", 0);
  t.edge = ini.ReadInteger("Generator", "Edge", 5);
  t.titleHeight = ini.ReadInteger("Generator", "TitleHeight", 26);
  t.buttonRadius = ini.ReadInteger("Generator", "ButtonRadius", 3);
  t.tiled = ini.ReadInteger("Generator", "Tiled", 0) != 0;
  t.gloss = ini.ReadInteger("Generator", "Gloss", 1) != 0;
  return t;
}

// The frame geometry every skin's [Personality] margins follow.
struct TFrameGeometry {
  int edge, title, capTop, capBot, width, height;
  explicit TFrameGeometry(const TTheme& t)
      : edge(t.edge),
        title(t.titleHeight),
        capTop(t.titleHeight + 8),
        capBot(std::max(t.edge, t.radius) + 4),
        width(96 + 64 + 2 * t.edge),
        height(capTop + 64 + capBot) {}
};

// The colour that anti-aliased edges of keyed elements blend into: the skin's face, which is
// what the painters put behind them. Set once per skin.
TRgb gKeyUnder = Rgb(236, 233, 226);

// A strip of n frames of w x h side by side, each drawn by draw(canvas, x0, frame index 1..n).
// With a magenta background the strip is drawn twice, over the face colour and over magenta:
// a pixel that the shapes cover less than half becomes the transparent key, the others keep
// their colour over the face, so that no pink fringe shows round the edges.
template <class F>
TBitmapPixels Strip(int n, int w, int h, F draw, TRgb background) {
  auto render = [&](TRgb under) {
    TBitmapPixels b(n * w, h, pf24bit);
    b.Fill(ToColor(under));
    TCanvas c(b);
    for (int i = 0; i < n; ++i) {
      c.SetClip(i * w, 0, (i + 1) * w, h);
      draw(c, i * w, i + 1);
    }
    return b;
  };
  const bool keyed = ToColor(background) == ToColor(kMagenta);
  TBitmapPixels over = render(keyed ? gKeyUnder : background);
  if (!keyed) return over;
  const TBitmapPixels onKey = render(kMagenta);
  const double span =
      std::abs(kMagenta.r - gKeyUnder.r) + std::abs(kMagenta.g - gKeyUnder.g) + std::abs(kMagenta.b - gKeyUnder.b);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < n * w; ++x) {
      const TRgb a = FromColor(over.GetPixel(x, y)), b = FromColor(onKey.GetPixel(x, y));
      const double uncovered = (std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b)) / std::max(1.0, span);
      if (uncovered > 0.5) over.SetPixel(x, y, ToColor(kMagenta));
    }
  return over;
}

// ---- Window frame: one reference window, cut into its four border pieces ----

TBitmapPixels ReferenceWindow(const TTheme& t, bool active) {
  const TFrameGeometry g(t);
  TBitmapPixels b(g.width, g.height, pf24bit);
  TCanvas c(b);
  const TRgb body = active ? t.frame : Mix(t.frame, t.face, 0.55);
  const TRgb t1 = active ? t.title1 : Mix(t.title1, t.face, 0.6);
  const TRgb t2 = active ? t.title2 : Mix(t.title2, t.face, 0.6);
  const auto all = RoundRect(0, 0, g.width, g.height, t.radius);
  c.Fill(all, VerticalGradient(g.title, g.height, Lighter(body, 0.15), Darker(body, 0.1)));
  c.Fill(RoundRect(0, 0, g.width, g.title + t.radius + 1, t.radius), VerticalGradient(0, g.title, t1, t2));
  c.Fill(RoundRect(0, g.title, g.width, g.title + t.radius + 1, 0),
         VerticalGradient(g.title, g.height, Lighter(body, 0.15), Darker(body, 0.1)));
  if (t.gloss) c.Fill(RoundRect(1, 1, g.width - 1, g.title * 0.48, t.radius), Rgb(255, 255, 255), active ? 0.22 : 0.12);
  if (t.tiled)  // diagonal ribs, 8 pixels apart, so that tiled pieces join
    c.Fill([](double x, double y) { return std::fmod(x + y + 800.0, 8.0) < 2.0; }, Rgb(255, 255, 255), 0.14);
  // Outline and inner light line.
  c.Fill(Ring(all, RoundRect(1, 1, g.width - 1, g.height - 1, t.radius - 1)), t.outline);
  c.Fill(Ring(RoundRect(1, 1, g.width - 1, g.height - 1, t.radius - 1),
              RoundRect(2, 2, g.width - 2, g.height - 2, t.radius - 2)),
         Rgb(255, 255, 255), 0.28);
  // The edge around the client area.
  c.Fill(Ring(RoundRect(g.edge - 1, g.title - 1, g.width - g.edge + 1, g.height - g.edge + 1, 0),
              RoundRect(g.edge, g.title, g.width - g.edge, g.height - g.edge, 0)),
         Darker(body, 0.45));
  c.Rect(g.edge, g.title, g.width - g.edge, g.height - g.edge, t.face);
  if (t.radius > 0) c.KeyOutside(all);
  return b;
}

// Frames of the left or right piece side by side, of the top or bottom piece stacked.
TBitmapPixels BorderPiece(const TTheme& t, const std::string& which) {
  const TFrameGeometry g(t);
  const TBitmapPixels frames[2] = {ReferenceWindow(t, true), ReferenceWindow(t, false)};
  const bool side = which == "left" || which == "right";
  const int w = side ? g.edge : g.width - 2 * g.edge;
  const int h = side ? g.height : (which == "top" ? g.title : g.edge);
  TBitmapPixels piece(side ? 2 * w : w, side ? h : 2 * h, pf24bit);
  const int sx = which == "right" ? g.width - g.edge : (side ? 0 : g.edge);
  const int sy = which == "bottom" ? g.height - g.edge : 0;
  for (int f = 0; f < 2; ++f) piece.CopyRect(side ? f * w : 0, side ? 0 : f * h, frames[f], sx, sy, w, h);
  return piece;
}

// ---- Buttons and boxes ----

// A raised rounded panel: state 1 normal, 2 pressed, 3 disabled, 4 hot, 5 default.
void RaisedPanel(TCanvas& c, const TTheme& t, double x0, double y0, double x1, double y1, double r, int state) {
  TRgb top = Lighter(t.face, 0.7), bottom = Darker(t.face, 0.06), line = Darker(t.face, 0.45);
  if (state == 2) std::swap(top, bottom), top = Darker(t.face, 0.12);
  if (state == 3) top = bottom = Mix(t.face, Rgb(255, 255, 255), 0.25), line = Darker(t.face, 0.2);
  if (state == 4) top = Mix(top, t.accent, 0.12), bottom = Mix(bottom, t.accent, 0.22), line = Mix(line, t.accent, 0.6);
  if (state == 5) line = t.accent;
  c.Fill(RoundRect(x0, y0, x1, y1, r), VerticalGradient(y0, y1, top, bottom));
  if (t.gloss && state != 3)
    c.Fill(RoundRect(x0 + 1, y0 + 1, x1 - 1, (y0 + y1) / 2, r - 1), Rgb(255, 255, 255), state == 2 ? 0.1 : 0.35);
  c.Fill(Ring(RoundRect(x0, y0, x1, y1, r), RoundRect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, r - 1)), line);
  if (state == 5)
    c.Fill(Ring(RoundRect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, r - 1), RoundRect(x0 + 2, y0 + 2, x1 - 2, y1 - 2, r - 2)),
           t.accent, 0.5);
}

// A strip whose frames are raised panels, magenta outside the rounded corners.
TBitmapPixels PanelStrip(const TTheme& t, int n, int w, int h, double r, const int* states) {
  return Strip(
      n, w, h, [&](TCanvas& c, int x, int f) { RaisedPanel(c, t, x, 0, x + w, h, r, states[f - 1]); }, kMagenta);
}

void Arrow(TCanvas& c, double cx, double cy, double s, int dir, TRgb color) {
  // dir: 0 left, 1 right, 2 up, 3 down
  std::vector<std::pair<double, double>> p;
  if (dir == 0) p = {{cx + s * 0.5, cy - s}, {cx + s * 0.5, cy + s}, {cx - s * 0.6, cy}};
  if (dir == 1) p = {{cx - s * 0.5, cy - s}, {cx - s * 0.5, cy + s}, {cx + s * 0.6, cy}};
  if (dir == 2) p = {{cx - s, cy + s * 0.5}, {cx + s, cy + s * 0.5}, {cx, cy - s * 0.6}};
  if (dir == 3) p = {{cx - s, cy - s * 0.5}, {cx + s, cy - s * 0.5}, {cx, cy + s * 0.6}};
  c.Fill(Polygon(p), color);
}

// A check box (13 x 13): value 0 unchecked, 1 checked, 2 mixed; state 1 normal, 2 hot,
// 3 pressed, 4 disabled.
void CheckBox(TCanvas& c, const TTheme& t, double x, int value, int state, bool round) {
  const double r = round ? 6.5 : 2.5;
  const TRgb line = state == 4 ? Darker(t.face, 0.2) : (state == 2 ? t.accent : Darker(t.face, 0.5));
  const TRgb top = state == 3 ? Darker(t.face, 0.1) : Rgb(255, 255, 255);
  const TRgb bottom = state == 4 ? t.face : Mix(Rgb(255, 255, 255), t.face, 0.6);
  c.Fill(RoundRect(x + 0.5, 0.5, x + 12.5, 12.5, r), VerticalGradient(0, 13, top, bottom));
  c.Fill(Ring(RoundRect(x + 0.5, 0.5, x + 12.5, 12.5, r), RoundRect(x + 1.5, 1.5, x + 11.5, 11.5, r - 1)), line);
  const TRgb mark = state == 4 ? Darker(t.face, 0.25) : Darker(t.accent, 0.15);
  if (value == 1 && round) c.Fill(Circle(x + 6.5, 6.5, 3), mark);
  if (value == 1 && !round)
    c.Fill(Union(Stroke(x + 3.3, 6.6, x + 5.5, 9.0, 2.0), Stroke(x + 5.5, 9.0, x + 9.8, 3.6, 2.0)), mark);
  if (value == 2) c.Fill(RoundRect(x + 3.5, 5.5, x + 9.5, 7.5, 1), mark);
}

TBitmapPixels CheckStrip(const TTheme& t, int frames, bool round) {
  return Strip(
      frames, 13, 13,
      [&](TCanvas& c, int x, int f) {
        if (frames >= 8) {  // four per value: normal, hot, pressed, disabled
          CheckBox(c, t, x, (f - 1) / 4, (f - 1) % 4 + 1, round);
        } else {  // unchecked, checked, disabled unchecked, disabled checked
          CheckBox(c, t, x, (f - 1) % 2, f > 2 ? 4 : 1, round);
        }
      },
      kMagenta);
}

// Caption-bar buttons, 4 frames (normal, pressed, hot, inactive): 0 close, 1 maximize,
// 2 minimize, 4 restore.
TBitmapPixels CaptionButton(const TTheme& t, int glyph, int size) {
  return Strip(
      4, size, size,
      [&](TCanvas& c, int x, int f) {
        const TRgb base = glyph == 0 ? t.closeAccent : Mix(t.title1, Rgb(255, 255, 255), 0.15);
        TRgb fill = f == 2 ? Darker(base, 0.25) : f == 3 ? Lighter(base, 0.25) : f == 4 ? Mix(base, t.face, 0.6) : base;
        const double r = std::min<double>(t.buttonRadius, size / 2.0);
        c.Fill(RoundRect(x + 0.5, 0.5, x + size - 0.5, size - 0.5, r),
               VerticalGradient(0, size, Lighter(fill, 0.25), Darker(fill, 0.1)));
        if (t.gloss) c.Fill(RoundRect(x + 1.5, 1.5, x + size - 1.5, size * 0.5, r - 1), Rgb(255, 255, 255), 0.3);
        c.Fill(Ring(RoundRect(x + 0.5, 0.5, x + size - 0.5, size - 0.5, r),
                    RoundRect(x + 1.5, 1.5, x + size - 1.5, size - 1.5, r - 1)),
               Darker(fill, 0.45));
        const TRgb g = f == 4 ? Mix(t.glyph, t.face, 0.3) : t.glyph;
        const double m = size * 0.3, a = x + m, b = x + size - m, top = m, bot = size - m,
                     w = std::max(1.5, size / 9.0);
        if (glyph == 0) c.Fill(Union(Stroke(a, top, b, bot, w * 1.2), Stroke(b, top, a, bot, w * 1.2)), g);
        if (glyph == 1)
          c.Fill(Union(Ring(RoundRect(a, top, b, bot, 0),
                            RoundRect(a + w * 0.8, top + w * 1.6, b - w * 0.8, bot - w * 0.8, 0)),
                       RoundRect(a, top, b, top + w * 1.6, 0)),
                 g);
        if (glyph == 2) c.Fill(RoundRect(a, bot - w * 1.4, b, bot, 0.5), g);
        if (glyph == 4) {
          const double d = (b - a) * 0.3;
          c.Fill(Ring(RoundRect(a + d, top, b, bot - d, 0),
                      RoundRect(a + d + w * 0.8, top + w * 1.4, b - w * 0.8, bot - d - w * 0.8, 0)),
                 g);
          c.Fill(RoundRect(a, top + d, b - d, bot, 0), fill);
          c.Fill(Ring(RoundRect(a, top + d, b - d, bot, 0),
                      RoundRect(a + w * 0.8, top + d + w * 1.4, b - d - w * 0.8, bot - w * 0.8, 0)),
                 g);
        }
      },
      kMagenta);
}

// The scroll-bar strip: 23 frames of 16 x 16. Arrows left 1-4, right 5-8, up 9-12, down
// 13-16 (normal, pressed, hot, disabled); 17-23 the corner and spare faces.
TBitmapPixels ScrollStrip(const TTheme& t) {
  return Strip(
      23, 16, 16,
      [&](TCanvas& c, int x, int f) {
        const int arrow = (f - 1) / 4, state = (f - 1) % 4 + 1;
        const int panelState[5] = {0, 1, 2, 4, 3};
        if (f > 16) {
          c.Rect(x, 0, x + 16, 16, t.face);
          return;
        }
        RaisedPanel(c, t, x + 0.5, 0.5, x + 15.5, 15.5, std::min(3, t.buttonRadius), panelState[state]);
        Arrow(c, x + 8, 8, 3.2, arrow, state == 4 ? Darker(t.face, 0.25) : Darker(t.accent, 0.35));
      },
      kMagenta);
}

// A track (groove) strip: 4 frames, horizontal or vertical.
TBitmapPixels TrackStrip(const TTheme& t, bool horizontal) {
  const int w = horizontal ? 32 : 16, h = horizontal ? 16 : 32;
  return Strip(
      4, w, h,
      [&](TCanvas& c, int x, int f) {
        const TRgb base = f == 2 ? Darker(t.face, 0.18) : Darker(t.face, 0.07);
        c.Rect(x, 0, x + w, h, base);
        if (horizontal)
          c.Fill(RoundRect(x, 4, x + w, 12, 0), VerticalGradient(4, 12, Darker(base, 0.1), Lighter(base, 0.3)));
        else
          c.Fill(RoundRect(x + 4, 0, x + 12, h, 0), Solid(Darker(base, 0.05)));
      },
      t.face);
}

// A thumb strip: 3 frames (normal, dragged, hot), a pill with grip lines.
TBitmapPixels ThumbStrip(const TTheme& t, bool horizontal, int frames) {
  const int w = horizontal ? 32 : 16, h = horizontal ? 16 : 32;
  return Strip(
      frames, w, h,
      [&](TCanvas& c, int x, int f) {
        c.Rect(x, 0, x + w, h, Darker(t.face, 0.07));
        RaisedPanel(c, t, x + 0.5, 0.5, x + w - 0.5, h - 0.5, std::min(5, t.buttonRadius + 2),
                    f == 2   ? 2
                    : f == 3 ? 4
                             : 1);
        for (int k = -1; k <= 1; ++k) {
          if (horizontal)
            c.Fill(Stroke(x + w / 2.0 + 3 * k, 5, x + w / 2.0 + 3 * k, 11, 1.1), Darker(t.face, 0.4));
          else
            c.Fill(Stroke(x + 5, h / 2.0 + 3 * k, x + 11, h / 2.0 + 3 * k, 1.1), Darker(t.face, 0.4));
        }
      },
      t.face);
}

// Tabs: 5 frames of 60 x 22 (normal, selected, hot, disabled, spare), rounded on top.
TBitmapPixels TabStrip(const TTheme& t) {
  TBitmapPixels b = Strip(
      5, 60, 22,
      [&](TCanvas& c, int x, int f) {
        const TRgb top = f == 2   ? Lighter(t.face, 0.8)
                         : f == 3 ? Mix(Lighter(t.face, 0.5), t.accent, 0.15)
                                  : Lighter(t.face, 0.3);
        const TRgb bottom = f == 2 ? Lighter(t.face, 0.3) : Darker(t.face, 0.05);
        const double r = std::max(2, t.buttonRadius + 1), y0 = f == 2 ? 0.5 : 2.5;
        c.Fill(RoundRect(x + 0.5, y0, x + 59.5, 22 + r, r), VerticalGradient(y0, 22, top, bottom));
        c.Fill(Ring(RoundRect(x + 0.5, y0, x + 59.5, 22 + r, r), RoundRect(x + 1.5, y0 + 1, x + 58.5, 22 + r, r - 1)),
               Darker(t.face, 0.45));
        if (f == 2) c.Fill(RoundRect(x + 2, y0 + 1, x + 58, y0 + 3, 1), t.accent);
      },
      kMagenta);
  return b;
}

// A plain frame of the size: a 1-pixel outline and a light inner line, face in the middle.
TBitmapPixels EdgeFrame(const TTheme& t, int n, int w, int h, const TRgb* outlines, const TRgb& middle) {
  return Strip(
      n, w, h,
      [&](TCanvas& c, int x, int f) {
        c.Rect(x, 0, x + w, h, middle);
        c.Fill(Ring(RoundRect(x, 0, x + w, h, 0), RoundRect(x + 1, 1, x + w - 1, h - 1, 0)), outlines[f - 1]);
        c.Fill(Ring(RoundRect(x + 1, 1, x + w - 1, h - 1, 0), RoundRect(x + 2, 2, x + w - 2, h - 2, 0)),
               Rgb(255, 255, 255), 0.6);
      },
      middle);
}

// Highlight strips (menu items, tool buttons, header): frame `hot` carries an accent pill,
// lightened by `hotLight` (tool buttons keep their dark text on a light pill; a selected menu
// item's text is the skin's highlight text, light, so its pill is the accent itself).
TBitmapPixels HighlightStrip(const TTheme& t, int n, int w, int h, TRgb background, std::initializer_list<int> hot,
                             int pressed, double hotLight = 0.55) {
  return Strip(
      n, w, h,
      [&](TCanvas& c, int x, int f) {
        c.Rect(x, 0, x + w, h, background);
        const bool isHot = std::find(hot.begin(), hot.end(), f) != hot.end();
        if (isHot || f == pressed) {
          const TRgb a = f == pressed ? Darker(t.accent, 0.15) : Lighter(t.accent, hotLight);
          c.Fill(RoundRect(x + 1, 1, x + w - 1, h - 1, std::min(4, t.buttonRadius + 1)),
                 VerticalGradient(0, h, Lighter(a, 0.3), a));
          c.Fill(Ring(RoundRect(x + 1, 1, x + w - 1, h - 1, std::min(4, t.buttonRadius + 1)),
                      RoundRect(x + 2, 2, x + w - 2, h - 2, std::min(3, t.buttonRadius))),
                 Darker(t.accent, 0.2), 0.7);
        }
      },
      background);
}

TBitmapPixels HeaderStrip(const TTheme& t) {
  return Strip(
      5, 40, 20,
      [&](TCanvas& c, int x, int f) {
        const TRgb top = f == 4 ? Mix(Lighter(t.face, 0.6), t.accent, 0.15) : Lighter(t.face, 0.6);
        c.Fill(RoundRect(x, 0, x + 40, 20, 0),
               VerticalGradient(0, 20, f == 2 ? Darker(t.face, 0.1) : top, Darker(t.face, 0.05)));
        c.Rect(x, 19, x + 40, 20, Darker(t.face, 0.35));
        c.Rect(x + 39, 3, x + 40, 17, Darker(t.face, 0.25));
      },
      t.face);
}

TBitmapPixels ProgressStrip(const TTheme& t) {
  return Strip(
      2, 40, 16,
      [&](TCanvas& c, int x, int f) {
        if (f == 1) {
          c.Fill(RoundRect(x + 0.5, 0.5, x + 39.5, 15.5, 4),
                 VerticalGradient(0, 16, Darker(t.face, 0.15), Lighter(t.face, 0.5)));
          c.Fill(Ring(RoundRect(x + 0.5, 0.5, x + 39.5, 15.5, 4), RoundRect(x + 1.5, 1.5, x + 38.5, 14.5, 3)),
                 Darker(t.face, 0.4));
        } else {
          c.Fill(RoundRect(x + 1.5, 1.5, x + 38.5, 14.5, 3),
                 VerticalGradient(1, 15, Lighter(t.accent, 0.45), Darker(t.accent, 0.1)));
          if (t.gloss) c.Fill(RoundRect(x + 2, 2, x + 38, 7.5, 2), Rgb(255, 255, 255), 0.35);
        }
      },
      kMagenta);
}

TBitmapPixels Chunk(const TTheme& t) {
  return Strip(
      1, 8, 12,
      [&](TCanvas& c, int x, int) {
        c.Fill(RoundRect(x + 0.5, 0, x + 6.5, 12, 1.5), VerticalGradient(0, 12, Lighter(t.accent, 0.5), t.accent));
      },
      kMagenta);
}

TBitmapPixels ComboButton(const TTheme& t) {
  const int states[4] = {1, 2, 3, 4};
  return Strip(
      4, 17, 20,
      [&](TCanvas& c, int x, int f) {
        RaisedPanel(c, t, x + 0.5, 0.5, x + 16.5, 19.5, std::min(3, t.buttonRadius), states[f - 1]);
        Arrow(c, x + 8.5, 10, 3.5, 3, f == 3 ? Darker(t.face, 0.25) : Darker(t.accent, 0.4));
      },
      kMagenta);
}

// Up-down buttons: 8 frames (first arrow 1-4, second 5-8), and their glyph strips.
TBitmapPixels UpDown(const TTheme& t, bool horizontal) {
  const int w = horizontal ? 10 : 16, h = horizontal ? 16 : 10;
  const int states[4] = {1, 2, 3, 4};
  return Strip(
      8, w, h,
      [&](TCanvas& c, int x, int f) { RaisedPanel(c, t, x + 0.5, 0.5, x + w - 0.5, h - 0.5, 2, states[(f - 1) % 4]); },
      kMagenta);
}
TBitmapPixels UpDownGlyphs(const TTheme& t, bool horizontal) {
  const int w = horizontal ? 5 : 8, h = horizontal ? 8 : 5;
  return Strip(
      8, w, h,
      [&](TCanvas& c, int x, int f) {
        const int dir = horizontal ? (f <= 4 ? 0 : 1) : (f <= 4 ? 2 : 3);
        Arrow(c, x + w / 2.0, h / 2.0, horizontal ? 2.6 : 2.8, dir,
              (f - 1) % 4 == 2 ? Darker(t.face, 0.25) : Darker(t.accent, 0.4));
      },
      kMagenta);
}

TBitmapPixels TrackThumb(const TTheme& t, bool horizontalBar) {
  const int w = horizontalBar ? 11 : 20, h = horizontalBar ? 20 : 11;
  const int states[5] = {1, 2, 3, 4, 1};
  return Strip(
      5, w, h,
      [&](TCanvas& c, int x, int f) { RaisedPanel(c, t, x + 0.5, 0.5, x + w - 0.5, h - 0.5, 3, states[f - 1]); },
      kMagenta);
}

TBitmapPixels MdiControls(const TTheme& t) {
  TBitmapPixels strip(12 * 16, 14, pf24bit);
  const int glyphs[3] = {2, 4, 0};
  for (int k = 0; k < 3; ++k) {
    TBitmapPixels b = CaptionButton(t, glyphs[k], 14);
    for (int f = 0; f < 4; ++f) {
      strip.FillRect((4 * k + f) * 16, 0, 16, 14, ToColor(kMagenta));
      strip.CopyRect((4 * k + f) * 16 + 1, 0, b, f * 14, 0, 14, 14);
    }
  }
  return strip;
}

TBitmapPixels MenuBarImage(const TTheme& t) {
  TBitmapPixels b(64, 40, pf24bit);
  TCanvas c(b);
  for (int f = 0; f < 2; ++f) {
    const TRgb a = f == 0 ? Lighter(t.title2, 0.78) : Lighter(t.face, 0.3);
    c.Fill(RoundRect(0, f * 20, 64, f * 20 + 20, 0), VerticalGradient(f * 20, f * 20 + 20, Lighter(a, 0.5), a));
    c.Rect(0, f * 20 + 19, 64, f * 20 + 20, Darker(t.face, 0.25));
  }
  return b;
}

TBitmapPixels TextBack(const TTheme& t) {
  const int h = t.titleHeight;
  TBitmapPixels b(48, 2 * h, pf24bit);
  b.Fill(ToColor(kMagenta));
  TCanvas c(b);
  for (int f = 0; f < 2; ++f) {
    c.SetClip(0, f * h, 48, (f + 1) * h);
    c.Fill(RoundRect(0.5, f * h + 4.5, 47.5, f * h + h - 4.5, (h - 9) / 2.0), Darker(f == 0 ? t.title2 : t.face, 0.3),
           0.9);
  }
  return b;
}

TBitmapPixels SizeGripImages(const TTheme& t) {
  return Strip(
      5, 16, 16,
      [&](TCanvas& c, int x, int f) {
        if (f == 5)
          for (int i = 0; i < 3; ++i)
            for (int j = 0; j <= i; ++j) c.Fill(Circle(x + 13 - 4 * j, 13 - 4 * (i - j), 1.2), Darker(t.face, 0.45));
        else if (f == 1)
          Arrow(c, x + 8, 8, 3, 3, Darker(t.accent, 0.4));
      },
      kMagenta);
}

TBitmapPixels GroupCaption(const TTheme& t) {
  return Strip(
      1, 40, 18,
      [&](TCanvas& c, int x, int) {
        c.Fill(RoundRect(x + 0.5, 0.5, x + 39.5, 17.5, 8.5),
               VerticalGradient(0, 18, Lighter(t.accent, 0.75), Lighter(t.accent, 0.5)));
        c.Fill(Ring(RoundRect(x + 0.5, 0.5, x + 39.5, 17.5, 8.5), RoundRect(x + 1.5, 1.5, x + 38.5, 16.5, 7.5)),
               Lighter(t.accent, 0.2));
      },
      kMagenta);
}

TBitmapPixels Icon(const TTheme& t) {
  return Strip(
      1, 16, 16, [&](TCanvas& c, int x, int) { c.Fill(Circle(x + 8, 8, 6), Lighter(t.title1, 0.4)); }, kMagenta);
}

// ---- Which bitmap a key names ----

struct TOut {
  fs::path dir;
  int written = 0;
  void Write(const std::string& name, const TBitmapPixels& b) {
    if (name.empty()) return;
    const std::vector<std::uint8_t> bytes = EncodeBmp(b);
    std::ofstream out(dir / name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + (dir / name).string());
    ++written;
  }
};

// A 1-bit BMP (BITMAPINFOHEADER, palette black and white, bottom-up rows): a pixel is white
// when it is closer to white than to black.
std::vector<std::uint8_t> EncodeMonochromeBmp(const TBitmapPixels& b) {
  const int stride = (b.Width() + 31) / 32 * 4;
  const std::uint32_t offset = 14 + 40 + 8, size = offset + static_cast<std::uint32_t>(stride * b.Height());
  std::vector<std::uint8_t> out;
  auto put = [&](std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
  };
  put('B' | 'M' << 8, 2), put(size, 4), put(0, 4), put(offset, 4);
  put(40, 4), put(b.Width(), 4), put(b.Height(), 4), put(1, 2), put(1, 2), put(0, 4);
  put(static_cast<std::uint32_t>(stride * b.Height()), 4), put(2835, 4), put(2835, 4), put(2, 4), put(2, 4);
  put(0x000000, 4), put(0xFFFFFF, 4);  // palette: 0 black, 1 white
  for (int y = b.Height() - 1; y >= 0; --y) {
    std::vector<std::uint8_t> row(stride, 0);
    for (int x = 0; x < b.Width(); ++x) {
      const TColor c = b.GetPixel(x, y);
      if ((c & 0xFF) + (c >> 8 & 0xFF) + (c >> 16 & 0xFF) >= 3 * 128) row[x / 8] |= 0x80 >> (x % 8);
    }
    out.insert(out.end(), row.begin(), row.end());
  }
  return out;
}

void Generate(const TQuickIni& ini, TOut& out) {
  const TTheme t = ReadTheme(ini);
  gKeyUnder = t.face;
  auto name = [&](const char* section, const char* key) { return ExtractFileName(ini.ReadString(section, key, "")); };
  for (const char* piece : {"Left", "Right", "Top", "Bottom"})
    out.Write(name("Personality", piece), BorderPiece(t, LowerCase(piece)));
  out.Write(name("Personality", "menuBar"), MenuBarImage(t));
  out.Write(name("Personality", "TextBack"), TextBack(t));

  const int buttonStates[5] = {1, 2, 3, 4, 5};
  out.Write(name("Buttons", "Bitmap"), PanelStrip(t, 5, 64, 22, t.buttonRadius, buttonStates));
  const int checkFrames = ini.ReadInteger("Buttons", "CheckButtonFrame", 4);
  out.Write(name("Buttons", "CheckButton"), CheckStrip(t, checkFrames, false));
  out.Write(name("Buttons", "RadioButton"), CheckStrip(t, ini.ReadInteger("Buttons", "RadioButtonFrame", 4), true));

  out.Write(name("Progress", "Bitmap"), ProgressStrip(t));
  out.Write(name("Progress", "Chunk"), Chunk(t));
  out.Write(name("Tabs", "Image"), TabStrip(t));
  const TRgb tabOutline[1] = {Darker(t.face, 0.45)};
  out.Write(name("Tabs", "Border"), EdgeFrame(t, 1, 24, 24, tabOutline, t.face));
  out.Write(name("ComboButton", "Image"), ComboButton(t));
  const TRgb sunk[4] = {Darker(t.face, 0.35), Darker(t.face, 0.5), Darker(t.face, 0.15), t.accent};
  out.Write(name("SunkEdge", "Image"), EdgeFrame(t, 4, 24, 20, sunk, Rgb(255, 255, 255)));
  out.Write(name("Scrollbar", "Image"), ScrollStrip(t));
  out.Write(name("HorzScroll", "Image"), TrackStrip(t, true));
  out.Write(name("VertScroll", "Image"), TrackStrip(t, false));
  out.Write(name("HorzScrollThumb", "Image"), ThumbStrip(t, true, ini.ReadInteger("HorzScrollThumb", "FrameCount", 3)));
  out.Write(name("VertScrollThumb", "Image"),
            ThumbStrip(t, false, ini.ReadInteger("VertScrollThumb", "FrameCount", 3)));
  out.Write(name("GroupBox", "Image"), GroupCaption(t));
  const TRgb groupEdge[2] = {Darker(t.face, 0.3), Lighter(t.face, 0.6)};
  out.Write(name("GroupBoxEdge", "Image"), EdgeFrame(t, 2, 16, 16, groupEdge, t.face));
  out.Write(name("Toolbars", "Image"), HighlightStrip(t, 5, 24, 24, t.face, {4, 5}, 2));
  out.Write(name("MenuItem", "Image"), HighlightStrip(t, 5, 40, 20, t.menu, {4}, 0, 0.0));
  const TRgb menuEdge[1] = {Darker(t.face, 0.45)};
  out.Write(name("MenuBackground", "Image"), EdgeFrame(t, 1, 32, 32, menuEdge, t.menu));
  const TRgb status[3] = {Darker(t.face, 0.3), Lighter(t.face, 0.7), t.face};
  out.Write(name("StatusBarEdges", "Image"), EdgeFrame(t, 3, 20, 18, status, t.face));
  out.Write(name("Headerbar", "Image"), HeaderStrip(t));
  out.Write(name("ExtraImages", "Image"), SizeGripImages(t));
  out.Write(name("UpDown.Horz", "Image"), UpDown(t, true));
  out.Write(name("UpDown.Horz", "GlyphImage"), UpDownGlyphs(t, true));
  out.Write(name("UpDown.Vert", "Image"), UpDown(t, false));
  out.Write(name("UpDown.Vert", "GlyphImage"), UpDownGlyphs(t, false));
  for (const char* s : {"Trackbar.ThumbHorz", "Trackbar.ThumbUp", "Trackbar.ThumbDown"})
    out.Write(name(s, "Image"), TrackThumb(t, true));
  for (const char* s : {"Trackbar.ThumbVert", "Trackbar.ThumbLeft", "Trackbar.ThumbRight"})
    out.Write(name(s, "Image"), TrackThumb(t, false));
  out.Write(name("MDICONTROLS", "Image"), MdiControls(t));

  // Caption-bar buttons, by their action.
  const int size = t.titleHeight - 8;
  for (const std::string& section : ini.ReadSections()) {
    const std::string upper = UpperCase(section);
    if (upper.rfind("BUTTON", 0) != 0 || upper == "BUTTONS") continue;
    const std::string file = name(section.c_str(), "ButtonImage");
    if (file.empty()) continue;
    const int action = ini.ReadInteger(section, "Action", 0);
    if (action == 11 || action == 3)
      out.Write(file, Icon(t));
    else if (action == 0)
      out.Write(file, CaptionButton(t, 0, size));
    else if (action == 2)
      out.Write(file, CaptionButton(t, 2, size));
    else if (action == 1)
      out.Write(file, CaptionButton(t, ini.ReadInteger(section, "Visibility", 0) == 1 ? 4 : 1, size));
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: skingen SKIN.ini OUTDIR | skingen --glyphs OUT.bmp\n");
    return 2;
  }
  try {
    if (std::string(argv[1]) == "--glyphs") {  // the "SYSMENUGLYPHS" bitmap resource
      const std::vector<std::uint8_t> bytes = EncodeMonochromeBmp(DrawSystemMenuGlyphs());
      std::ofstream out(argv[2], std::ios::binary | std::ios::trunc);
      out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
      if (!out) throw std::runtime_error(std::string("cannot write ") + argv[2]);
      return 0;
    }
    const fs::path iniPath = argv[1], dir = argv[2];
    fs::create_directories(dir);
    std::ifstream in(iniPath, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (text.empty()) throw std::runtime_error("cannot read " + iniPath.string());
    TQuickIni ini;
    ini.LoadFromText(text);
    TOut out{dir};
    Generate(ini, out);
    fs::copy_file(iniPath, dir / iniPath.filename(), fs::copy_options::overwrite_existing);
    std::printf("%s: %d bitmaps\n", dir.string().c_str(), out.written);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "skingen: %s\n", e.what());
    return 1;
  }
  return 0;
}
