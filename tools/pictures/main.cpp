// Generates the program's pictures into a folder:
//   pictures OUTDIR          the pictures (BMP strips, ICO, JPEG) and their stored blocks
//                            (*.block binary, *.block.txt as text-layout binary blocks)
//   pictures --hex FILE      prints FILE as a text-layout binary block
//   pictures --block FILE OUTDIR NAME
//                            writes OUTDIR/NAME.block and NAME.block.txt: FILE as it is
//   pictures --sized-block FILE OUTDIR NAME
//                            writes OUTDIR/NAME.block and NAME.block.txt: the size of FILE
//                            (32-bit) and FILE, as TSkinSet's "SkinStream" stores a skin file
#include <cstdio>
#include <exception>
#include <string>

#include "artwork.h"
#include "formats.h"

namespace {
Image Strip(const std::vector<Image>& images) {
  Image strip(images[0].Width() * images.size(), images[0].Height());
  for (size_t i = 0; i < images.size(); ++i) strip.Blit(images[i], i * images[0].Width(), 0);
  return strip;
}

void WriteBlock(const std::string& dir, const std::string& name, const Bytes& block) {
  WriteFile(dir + "/" + name + ".block", block);
  WriteFile(dir + "/" + name + ".block.txt", LayoutHexBlock(block, "  ") + "\n");
}

void Generate(const std::string& dir) {
  const std::vector<Image> toolbar = ToolBarImages(), tabs = TabImages();
  WriteFile(dir + "/toolbar.bmp", EncodeBmp32(Strip(toolbar)));
  WriteFile(dir + "/tabs.bmp", EncodeBmp32(Strip(tabs)));
  WriteBlock(dir, "toolbar.imagelist", ImageListBlock(toolbar));
  WriteBlock(dir, "tabs.imagelist", ImageListBlock(tabs));

  const Image icon16 = ProgramIcon(16), icon32 = ProgramIcon(32);
  const Bytes ico = EncodeIco({&icon16, &icon32});
  WriteFile(dir + "/quillimo.ico", ico);
  WriteBlock(dir, "quillimo.icon", SizedBlock(ico));
  // The tray icon's picture: the 32 x 32 image in 256 colours.
  const Bytes trayIco = EncodeIco8(icon32);
  WriteFile(dir + "/tray.ico", trayIco);
  WriteBlock(dir, "tray.icon", SizedBlock(trayIco));

  const Bytes jpeg = EncodeJpeg(WebSitePicture(), 90);
  WriteFile(dir + "/brelko.jpg", jpeg);
  WriteBlock(dir, "brelko.picture", PictureBlock("TJPEGImage", jpeg));
}
}  // namespace

int main(int argc, char** argv) {
  try {
    if (argc == 3 && std::string(argv[1]) == "--hex") {
      std::fputs((LayoutHexBlock(ReadFile(argv[2]), "  ") + "\n").c_str(), stdout);
      return 0;
    }
    if (argc == 5 && std::string(argv[1]) == "--block") {
      WriteBlock(argv[3], argv[4], ReadFile(argv[2]));
      return 0;
    }
    if (argc == 5 && std::string(argv[1]) == "--sized-block") {
      WriteBlock(argv[3], argv[4], SizedBlock(ReadFile(argv[2])));
      return 0;
    }
    if (argc != 2) {
      std::fputs("usage: pictures OUTDIR | pictures --hex FILE | pictures --block|--sized-block FILE OUTDIR NAME\n",
                 stderr);
      return 2;
    }
    Generate(argv[1]);
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "pictures: %s\n", e.what());
    return 1;
  }
}
