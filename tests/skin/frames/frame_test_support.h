#pragma once
// Skinned-frame tests: skin components holding the built skins, forms that get a frame, and the
// pixels a frame paints, read back from a memory DC or from the screen.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "skin/data/skin_manager.h"
#include "skin/data/skin_set.h"
#include "skin/frames/form_frame.h"
#include "skin/frames/gdi_paint.h"
#include "skin/frames/skin_engine.h"
#include "skin/frames/window_side.h"
#include "skin/sliced_reference.h"
#include "toolkit/core/temp_dir.h"
#include "toolkit/win/canvas.h"
#include "toolkit/win/dc_guards.h"
#include "toolkit/win/form.h"
#include "toolkit/win/graphics.h"
#include "toolkit/win/menus.h"
#include "screen_capture.h"
#include "win_test_support.h"

namespace frametest {

// A skin component with one of the built skins ("stored.skn", "1.skn" ... "6.skn").
inline std::unique_ptr<TSkinSet> BuiltSkin(const std::string& file) {
  auto skin = std::make_unique<TSkinSet>(nullptr);
  const std::string bytes = TempDir::Read(std::string(QUILLIMO_SKINS_DIR) + "\\" + file);
  EXPECT_TRUE(skin->LoadSkinImage({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()})) << file;
  return skin;
}

// The window's whole area (non-client included) as PaintFrame draws it into a memory DC.
inline TBitmapPixels PaintedFrame(TSkinFormFrame& frame) {
  RECT r{};
  GetWindowRect(frame.Handle(), &r);
  TBitmap out(r.right - r.left, r.bottom - r.top);
  out.Pixels().Fill(RGBToColor(1, 2, 3));
  frame.PaintFrame(out.Canvas().Handle());
  return out.Pixels();
}

inline RECT WindowRectOf(HWND wnd) {
  RECT r{};
  GetWindowRect(wnd, &r);
  return r;
}

// The screen's resolution (the run's display: QUILLIMO_DPI of scripts/with-display.sh).
inline int ScreenPixelsPerInch() {
  HDC dc = GetDC(nullptr);
  const int ppi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return ppi;
}

// What is on the screen over the window.
inline TBitmapPixels ScreenOf(HWND wnd) { return ScreenPixelsOf(wnd); }

// A border piece of the skin as the frame should render it (frame 1: active window).
inline TBitmapPixels ExpectedBorder(const TDataSkinBorder& b, bool stacked, int width, int height, int frame = 1) {
  return skintest::ReferenceElement(b, width, height, stacked, b.Tile != 1, std::max(b.FrameCount, 1),
                                    b.FrameCount > 1 ? frame : 1);
}

// A shown form with a frame attached by hand and finished (the manager's part done directly).
struct FramedForm {
  explicit FramedForm(TSkinSet& skin, TFormBorderStyle border = bsSizeable, int clientWidth = 360,
                      int clientHeight = 220, bool withMenu = false,
                      TBorderIcons icons = {biSystemMenu, biMinimize, biMaximize}) {
    form.SetBorderStyle(border);
    form.SetBorderIcons(icons);
    form.SetBounds(60, 60, 100, 100);
    form.SetClientWidth(clientWidth);
    form.SetClientHeight(clientHeight);
    form.SetCaption("T");
    if (withMenu) AddMenu();
    form.Show();
    PumpFor(30);
    frame = new TSkinFormFrame(&form);
    frame->SetHandle(form.Handle());
    frame->AttachToForm(&skin, &form);
    SendMessageW(form.Handle(), SkinMessage::FinishAttach, 0, 1000);
    PumpFor(30);
  }
  void AddMenu();
  TForm form{nullptr};
  TSkinFormFrame* frame = nullptr;  // owned by the form
};

// A menu bar of four items: "&Dosya" with a submenu (one item of which has its own submenu),
// "&Git" without one, a disabled "&Ayarlar" with a submenu, and "&Yardım" with a submenu.
inline void FramedForm::AddMenu() {
  auto* menu = new TMainMenu(&form);
  auto item = [&](TMenuItem* parent, const char* caption) {
    auto* i = new TMenuItem(&form);
    i->SetCaption(caption);
    parent->Add(i);
    return i;
  };
  TMenuItem* file = item(menu->Items(), "&Dosya");
  item(file, "Aç");
  TMenuItem* recent = item(file, "Son");
  item(recent, "bir.txt");
  item(file, "-");
  item(file, "Kapat");
  item(menu->Items(), "&Git");
  TMenuItem* settings = item(menu->Items(), "&Ayarlar");
  item(settings, "Yazı tipi");
  settings->SetEnabled(false);
  TMenuItem* help = item(menu->Items(), "&Yardım");
  item(help, "Hakkında");
  form.SetMenu(menu);
}

// Checks the window's region over its left border pixel for pixel: in the region exactly where
// the skin's left piece (of the model drawn) is not the key colour. Returns how many keyed
// pixels it met.
inline int ExpectRegionFollowsLeftBorder(HWND wnd, const TSkinModel& skin, int edgeLeft, bool active = true) {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  const bool hasRegion = GetWindowRgn(wnd, region) != ERROR;
  EXPECT_TRUE(hasRegion);
  const RECT wr = WindowRectOf(wnd);
  const int h = wr.bottom - wr.top;
  const TBitmapPixels left = ExpectedBorder(*skin.BorderLeft, false, edgeLeft, h, active ? 1 : 2);
  int keyed = 0, wrong = 0;
  for (int y = 0; y < h && hasRegion; ++y)
    for (int x = 0; x < edgeLeft; ++x) {
      const bool key = left.GetPixel(x, y) == kSkinKeyColor;
      keyed += key;
      if ((PtInRegion(region, x, y) != FALSE) == key && wrong++ == 0)
        ADD_FAILURE() << "region and left border differ first at " << x << "," << y;
    }
  EXPECT_EQ(wrong, 0);
  EXPECT_TRUE(PtInRegion(region, (wr.right - wr.left) / 2, h / 2));
  DeleteObject(region);
  return keyed;
}
inline int ExpectRegionFollowsLeftBorder(HWND wnd, const TSkinSet& skin, int edgeLeft, bool active = true) {
  return ExpectRegionFollowsLeftBorder(wnd, skin.Model(), edgeLeft, active);
}

// While alive, the process-wide skin manager with its window side (the thread's hook, frames,
// pop-up menu wrappers) and a toolkit timer; Serve registers a skin component and switches it on.
struct WindowedManager {
  WindowedManager() {
    SetSkinManagerFactory([] {
      return std::make_unique<TSkinManager>(std::make_unique<TToolkitActionTimer>(),
                                            std::make_unique<TFrameWindowSide>());
    });
    manager = &CreateSkinManager();
  }
  ~WindowedManager() {
    FreeSkinManager();
    SetSkinManagerFactory(nullptr);
  }
  void Serve(TSkinSet& skin) {
    manager->RegisterSkinData(&skin);
    manager->InstallHook();
    manager->SetActive(true);
  }
  TSkinManager* manager = nullptr;
};

// A Skin menu choice as the manager carries it out: the new skin read into the component, the
// title-bar buttons dropped, the deferred refresh run.
inline void SwitchSkin(TSkinManager& manager, TSkinSet& skin, const std::string& file) {
  const std::string bytes = TempDir::Read(std::string(QUILLIMO_SKINS_DIR) + "\\" + file);
  ASSERT_TRUE(skin.LoadSkinImage({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}));
  manager.SetPendingSkin(&skin);
  manager.DropSystemButtons();
  manager.RequestAction(TSkinAction::ApplyChangedSkin, 250);
  ASSERT_TRUE(PumpUntil([&] { return !manager.ActionTimer().Enabled(); }, 2000));
  PumpFor(30);
}

// Tests of one suite share the stored skin, built once.
struct StoredSkin : ::testing::Test {
  static void SetUpTestSuite() { skin = BuiltSkin("stored.skn").release(); }
  static void TearDownTestSuite() {
    delete skin;
    skin = nullptr;
  }
  static inline TSkinSet* skin = nullptr;
};

}  // namespace frametest
