// The skins the build delivers: the stored skin, the six skin files, the stored skin as the
// main window's layout block, and the system-menu glyph bitmap.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "skin/data/lzh_decoder.h"
#include "skin/data/menu_glyphs.h"
#include "skin/data/skin_set.h"
#include "skin/skin_expectations.h"
#include "toolkit/core/bmp_codec.h"

namespace {

std::vector<std::uint8_t> ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string Built(const std::string& dir, const std::string& name) { return dir + "/" + name; }

TEST(BuiltSkins, EachLoadsWholeAndHasANameOfItsOwn) {
  std::set<std::string> names;
  for (const char* file : {"stored.skn", "1.skn", "2.skn", "3.skn", "4.skn", "5.skn", "6.skn"}) {
    SCOPED_TRACE(file);
    const std::vector<std::uint8_t> image = ReadBytes(Built(QUILLIMO_SKINS_DIR, file));
    ASSERT_FALSE(image.empty());
    TSkinSet skin(nullptr);
    ASSERT_TRUE(skin.LoadSkinImage(image));
    EXPECT_FALSE(skin.Loading());
    EXPECT_FALSE(skin.Model().SkinName.empty());
    names.insert(skin.Model().SkinName);
    // The elements every window and the main window's controls are drawn from.
    EXPECT_FALSE(skin.Model().BorderTop->Image.Empty());
    EXPECT_FALSE(skin.Model().BorderLeft->Image.Empty());
    EXPECT_FALSE(skin.Model().Buttons->Image.Empty());
    EXPECT_FALSE(skin.Model().SysButtons.empty());
    EXPECT_NE(skin.Model().Tabs, nullptr);
    EXPECT_NE(skin.Model().Scrollbar, nullptr);
    EXPECT_NE(skin.Model().GroupBox, nullptr);
  }
  EXPECT_EQ(names.size(), 7u);
}

TEST(BuiltSkins, StoredSkinBlockIsTheSizeAndThenTheFile) {
  const std::vector<std::uint8_t> skn = ReadBytes(Built(QUILLIMO_SKINS_DIR, "stored.skn"));
  const std::vector<std::uint8_t> block = ReadBytes(Built(QUILLIMO_PICTURES_DIR, "stored.skin.block"));
  ASSERT_FALSE(skn.empty());
  ASSERT_EQ(block.size(), skn.size() + 4);
  const std::uint32_t size = block[0] | block[1] << 8 | block[2] << 16 | static_cast<std::uint32_t>(block[3]) << 24;
  EXPECT_EQ(size, skn.size());
  EXPECT_TRUE(std::equal(skn.begin(), skn.end(), block.begin() + 4));
  const std::vector<std::uint8_t> text = ReadBytes(Built(QUILLIMO_PICTURES_DIR, "stored.skin.block.txt"));
  ASSERT_GT(text.size(), 2 * block.size());
  EXPECT_EQ(text.front(), '{');
}

TEST(BuiltSkins, MenuGlyphBitmapIsMonochromeAndHoldsTheFourGlyphs) {
  const std::vector<std::uint8_t> bmp = ReadBytes(QUILLIMO_MENU_GLYPHS_BMP);
  ASSERT_GE(bmp.size(), 62u);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[28], 1);  // bits per pixel
  const TBitmapPixels strip = DecodeBmp(bmp);
  EXPECT_EQ(strip.Width(), kMenuGlyphSize * kMenuGlyphCount);
  EXPECT_EQ(strip.Height(), kMenuGlyphSize);
  EXPECT_TRUE(strip.SamePixels(DrawSystemMenuGlyphs()));
}

}  // namespace

namespace {

// A skin file cut short anywhere is refused with the decoder's error and never replaces the
// shown skin.
TEST(BuiltSkins, AFileCutShortIsRefusedAndKeepsTheShownSkin) {
  const std::vector<std::uint8_t> stored = ReadBytes(Built(QUILLIMO_SKINS_DIR, "stored.skn"));
  TSkinSet shown(nullptr);
  ASSERT_TRUE(shown.LoadSkinImage(stored));
  for (const char* file : {"1.skn", "4.skn"}) {
    const std::vector<std::uint8_t> full = ReadBytes(Built(QUILLIMO_SKINS_DIR, file));
    for (int percent = 5; percent < 100; percent += 5) {
      SCOPED_TRACE(std::string(file) + " cut at " + std::to_string(percent) + "%");
      const std::vector<std::uint8_t> cut(full.begin(), full.begin() + full.size() * percent / 100);
      try {
        shown.LoadSkinImage(cut);
        ADD_FAILURE() << "loaded";
      } catch (const ElzhException& e) {
        EXPECT_STREQ(e.what(), "LZH : Unexpected end of compressed data");
      }
      EXPECT_EQ(shown.Model().SkinName, "Quillimo Classic");
      EXPECT_FALSE(shown.Loading());
    }
    const std::vector<std::uint8_t> lastByteMissing(full.begin(), full.end() - 1);
    EXPECT_THROW(shown.LoadSkinImage(lastByteMissing), ElzhException);
  }
}

}  // namespace
