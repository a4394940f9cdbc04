// The program's windows on a screen of any resolution: laid out as their stored layouts (made at
// 96 pixels per inch) scaled to the screen's, and following a move to a monitor of another
// resolution. CTest runs this suite again on displays of 120, 144 and 192 pixels per inch; at 96
// every expectation is the layout's own number.
#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <map>
#include <string>
#include <vector>

#include "app/about_window.h"
#include "app/flash_window.h"
#include "app/main_window.h"
#include "app_test_support.h"
#include "program_process.h"
#include "toolkit/core/utf8.h"
#include "toolkit/win/checkbox.h"
#include "toolkit/win/stdctrls.h"
#include "toolkit/win/win_test_support.h"

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

namespace {

// What a text layout gives an object: its class, its parent object and its whole-number
// properties (Left, Top, Width, Height, ClientWidth, Font.Height, ...); Align when it has one.
struct LayoutObject {
  std::string Name, ClassName;
  std::map<std::string, int> Numbers;
  bool Aligned = false;
};

std::vector<LayoutObject> ReadTextLayout(const std::string& file) {
  std::ifstream in(std::string(QUILLIMO_LAYOUTS_DIR) + "/" + file);
  std::vector<LayoutObject> objects;
  std::vector<int> open;  // indexes of the objects being read; -1 for a collection item
  std::string line;
  while (std::getline(in, line)) {
    const std::size_t first = line.find_first_not_of(' ');
    if (first == std::string::npos) continue;
    line = line.substr(first);
    if (line.rfind("object ", 0) == 0) {
      const std::size_t colon = line.find(':');
      objects.push_back({line.substr(7, colon - 7), line.substr(colon + 2), {}, false});
      open.push_back(static_cast<int>(objects.size()) - 1);
    } else if (line == "item") {
      open.push_back(-1);
    } else if (line.rfind("end", 0) == 0 && !open.empty()) {
      open.pop_back();
    } else if (!open.empty() && open.back() >= 0) {
      const std::size_t eq = line.find(" = ");
      if (eq == std::string::npos) continue;
      const std::string key = line.substr(0, eq), value = line.substr(eq + 3);
      if (key == "Align") objects[open.back()].Aligned = value != "alNone";
      if (value.find_first_not_of("-0123456789") == std::string::npos && !value.empty())
        objects[open.back()].Numbers[key] = std::stoi(value);
    }
  }
  return objects;
}

int ScreenPixelsPerInch() {
  HDC dc = GetDC(nullptr);
  const int ppi = GetDeviceCaps(dc, LOGPIXELSY);
  ReleaseDC(nullptr, dc);
  return ppi;
}

// The height of the window's font, as the window itself uses it.
int WindowFontHeight(HWND wnd) {
  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(wnd, WM_GETFONT, 0, 0)), sizeof(font), &font);
  return font.lfHeight;
}

// The layouts give -11 pixels at 96 per inch, the height of 8 points: 8 points at dpi.
int EightPointsAt(int dpi) { return -MulDiv(MulDiv(11, 72, 96), dpi, 72); }

class HighDpiWindows : public ::testing::Test {
protected:
  static void SetUpTestSuite() {
    std::string failure;
    if (!apptest::StartProgramWindows(failure)) FAIL() << "start-up failed: " << failure;
  }
  void SetUp() override { ASSERT_NE(Form1, nullptr); }
  const int dpi = ScreenPixelsPerInch();
  int Scaled(int designed) const { return MulDiv(designed, dpi, 96); }

  // Every control of the layout that keeps the layout's place (shown, not aligned in the layout
  // or since, not placed by its parent) stands at the layout's numbers scaled; a label sized to its text only at its
  // place.
  void ExpectControlsScaled(TCustomForm* form, const std::string& file) {
    for (const LayoutObject& object : ReadTextLayout(file)) {
      auto* control = dynamic_cast<TControl*>(form->FindComponent(object.Name));
      if (!control || control == form || object.Aligned || control->Align() != alNone || !control->Visible() ||
          object.ClassName == "TToolButton" || object.ClassName == "TTabSheet")
        continue;
      auto number = [&](const char* key) {
        auto found = object.Numbers.find(key);
        return found == object.Numbers.end() ? 0 : found->second;
      };
      SCOPED_TRACE(object.Name);
      EXPECT_EQ(control->Left(), Scaled(number("Left")));
      EXPECT_EQ(control->Top(), Scaled(number("Top")));
      auto* label = dynamic_cast<TCustomLabel*>(control);
      if (label && label->AutoSize()) continue;
      EXPECT_EQ(control->Width(), Scaled(number("Width")));
      EXPECT_EQ(control->Height(), Scaled(number("Height")));
      auto* windowed = dynamic_cast<TWinControl*>(control);
      if (!windowed || !windowed->HandleAllocated()) continue;
      RECT r{};
      GetWindowRect(windowed->Handle(), &r);
      MapWindowPoints(nullptr, GetParent(windowed->Handle()), reinterpret_cast<POINT*>(&r), 2);
      EXPECT_EQ(r.right - r.left, control->Width());
      EXPECT_EQ(r.bottom - r.top, control->Height());
    }
  }
};

TEST_F(HighDpiWindows, ClientSizesAreTheLayoutsScaled) {
  for (auto [form, file] : {std::pair<TCustomForm*, const char*>{Form1, "Form1.txt"}, {Form2, "Form2.txt"}}) {
    SCOPED_TRACE(file);
    const LayoutObject& layout = ReadTextLayout(file).front();
    RECT client{};
    ASSERT_TRUE(GetClientRect(form->Handle(), &client));
    EXPECT_EQ(client.right, Scaled(layout.Numbers.at("ClientWidth")));
    EXPECT_EQ(client.bottom, Scaled(layout.Numbers.at("ClientHeight")));
  }
}

TEST_F(HighDpiWindows, ControlRectanglesAreTheLayoutsScaled) {
  ExpectControlsScaled(Form1, "Form1.txt");
  ExpectControlsScaled(Form2, "Form2.txt");
}

TEST_F(HighDpiWindows, ToolButtonWidthIsTheLayoutsScaled) {
  for (const LayoutObject& object : ReadTextLayout("Form1.txt")) {
    if (object.Name != "ToolBar1") continue;
    // The height is the system's, from the image and the caption's font.
    const auto size = static_cast<DWORD>(SendMessageW(Form1->ToolBar1->Handle(), TB_GETBUTTONSIZE, 0, 0));
    EXPECT_EQ(LOWORD(size), Scaled(object.Numbers.at("ButtonWidth")));
    return;
  }
  FAIL() << "no ToolBar1 in the layout";
}

// Font heights: the layouts' 8 points stay 8 points, in the windows and in the flash window.
TEST_F(HighDpiWindows, FontsKeepTheirPointSizes) {
  EXPECT_EQ(WindowFontHeight(Form1->Button1->Handle()), EightPointsAt(dpi));
  EXPECT_EQ(WindowFontHeight(Form1->mesajlar->Handle()), EightPointsAt(dpi));      // a font of its own
  EXPECT_EQ(WindowFontHeight(Form1->PageControl1->Handle()), EightPointsAt(dpi));  // the tabs' captions
  EXPECT_EQ(Form3->Label1->Font()->Height(), EightPointsAt(dpi));
  EXPECT_EQ(Form3->Label1->Font()->Size(), 8);
  // The flash window fits its text in that font.
  Form3->Label1->SetCaption("Quillimo");
  EXPECT_GE(Form3->ClientHeight(), -EightPointsAt(dpi));
}

// A font given at 96 per inch opens the font dialog at its point size, and the font chosen there
// keeps that size at the screen's resolution.
TEST_F(HighDpiWindows, FontDialogKeepsPointSizes) {
  TFontData twelvePoints;
  twelvePoints.Name = "Liberation Sans";
  twelvePoints.Height = -16;  // 12 points at 96 per inch
  Form1->FontDialog1->Font()->SetData(twelvePoints);
  wchar_t shown[16] = {};
  Form1->FontDialog1->OnShow = [&](TObject*) {
    HWND dialog = Form1->FontDialog1->Handle();
    HWND sizes = GetDlgItem(dialog, 1138);
    const LRESULT index = SendMessageW(sizes, CB_GETCURSEL, 0, 0);
    SendMessageW(sizes, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(shown));
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
  };
  const bool chosen = Form1->FontDialog1->Execute();
  Form1->FontDialog1->OnShow = nullptr;
  ASSERT_TRUE(chosen);
  EXPECT_STREQ(shown, L"12");
  EXPECT_EQ(Form1->FontDialog1->Font()->Size(), 12);
  EXPECT_EQ(Form1->FontDialog1->Font()->Height(), -MulDiv(12, dpi, 72));
}

// The captions of the buttons, check boxes and radio buttons fit them in either language.
TEST_F(HighDpiWindows, CaptionsFitTheirControlsInBothLanguages) {
  apptest::TempCatalogue catalogue;  // each language reads its program list
  catalogue.WriteFile("programlist1.txt", "");
  catalogue.Write({});
  for (TToolButton* language : {Form1->ToolButton1, Form1->ToolButton2}) {
    apptest::ClickToolButton(language);
    for (int i = 0; i < Form1->ComponentCount(); ++i) {
      auto* control = dynamic_cast<TButtonControl*>(Form1->Components(i));
      if (!control || control->Caption().empty()) continue;
      SCOPED_TRACE(control->Name() + ": " + control->Caption());
      HWND wnd = control->Handle();
      HDC dc = GetDC(wnd);
      HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(wnd, WM_GETFONT, 0, 0)));
      RECT text{0, 0, 0, 0};
      const std::wstring caption = Utf8ToWide(control->Caption());
      DrawTextW(dc, caption.c_str(), -1, &text, DT_CALCRECT | DT_SINGLELINE | DT_HIDEPREFIX);
      SelectObject(dc, old);
      ReleaseDC(wnd, dc);
      // Check boxes and radio buttons have their box before the text.
      const int box = dynamic_cast<TButton*>(control) ? 0 : GetSystemMetrics(SM_CXMENUCHECK);
      EXPECT_LE(text.right + box, control->Width());
      EXPECT_LE(text.bottom, control->Height());
    }
  }
}

// A move to a monitor of twice the resolution and back: the window takes the rectangles the
// system suggests, and the controls and fonts follow.
TEST_F(HighDpiWindows, DpiChangeTakesTheSuggestedRectangleAndRescales) {
  HWND wnd = Form1->Handle();
  RECT original{};
  GetWindowRect(wnd, &original);
  // Any rectangle the system suggests (one on the screen: a window is no larger than that).
  const RECT bigger{10, 20, original.right - original.left + 110, original.bottom - original.top + 70};
  const RECT before = Form1->Button3->BoundsRect();
  const int fontBefore = WindowFontHeight(Form1->Button3->Handle());

  SendMessageW(wnd, WM_DPICHANGED, MAKEWPARAM(2 * dpi, 2 * dpi), reinterpret_cast<LPARAM>(&bigger));
  PumpFor(100);
  RECT now{};
  GetWindowRect(wnd, &now);
  EXPECT_TRUE(EqualRect(&now, &bigger));
  const RECT after = Form1->Button3->BoundsRect();
  EXPECT_EQ(after.left, 2 * before.left);
  EXPECT_EQ(after.top, 2 * before.top);
  EXPECT_EQ(after.right - after.left, 2 * (before.right - before.left));
  EXPECT_EQ(after.bottom - after.top, 2 * (before.bottom - before.top));
  EXPECT_EQ(WindowFontHeight(Form1->Button3->Handle()), EightPointsAt(2 * dpi));

  SendMessageW(wnd, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&original));
  PumpFor(100);
  GetWindowRect(wnd, &now);
  EXPECT_TRUE(EqualRect(&now, &original));
  const RECT back = Form1->Button3->BoundsRect();
  EXPECT_TRUE(EqualRect(&back, &before));
  EXPECT_EQ(WindowFontHeight(Form1->Button3->Handle()), fontBefore);
}

// vesperin.exe itself, started from outside (with its manifest): its main window is the
// layout scaled to the screen.
TEST(HighDpiProgram, MainWindowIsTheLayoutScaledToTheScreen) {
  quillimo::test::ProgramProcess program;
  ASSERT_TRUE(program.Started());
  HWND window = program.WaitForWindow(L"Quillimo v 1.1", 20000);
  ASSERT_NE(window, nullptr);
  RECT client{};
  ASSERT_TRUE(GetClientRect(window, &client));
  const int dpi = ScreenPixelsPerInch();
  EXPECT_EQ(client.right, MulDiv(547, dpi, 96));
  EXPECT_EQ(client.bottom, MulDiv(420, dpi, 96));
  PostMessageW(window, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(10000), 0u);
}

}  // namespace
