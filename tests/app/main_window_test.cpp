// vesperin.exe seen from outside: its main window, its resources, and a clean end on close.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "program_process.h"

namespace {

constexpr wchar_t kCaption[] = L"Quillimo v 1.1";
constexpr DWORD kStartTimeoutMs = 20000;

class MainWindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(program.Started()) << "CreateProcess failed for " QUILLIMO_VESPERIN_EXE;
    window = program.WaitForWindow(kCaption, kStartTimeoutMs);
    ASSERT_NE(window, nullptr) << "no visible window captioned \"Quillimo v 1.1\"";
  }

  quillimo::test::ProgramProcess program;
  HWND window = nullptr;
};

TEST_F(MainWindowTest, ClientAreaIs547By420AndCentredOnTheScreen) {
  RECT client{};
  ASSERT_TRUE(GetClientRect(window, &client));
  EXPECT_EQ(client.right - client.left, 547);
  EXPECT_EQ(client.bottom - client.top, 420);

  // Centred with its native frame (a single border, a caption and a menu bar) when first
  // shown; the skinned frame that replaces it keeps the top-left corner.
  RECT native{0, 0, 547, 420};
  AdjustWindowRectEx(&native, WS_CAPTION | WS_BORDER, TRUE, 0);
  RECT frame{};
  ASSERT_TRUE(GetWindowRect(window, &frame));
  EXPECT_NEAR(frame.left, (GetSystemMetrics(SM_CXSCREEN) - (native.right - native.left)) / 2, 1);
  EXPECT_NEAR(frame.top, (GetSystemMetrics(SM_CYSCREEN) - (native.bottom - native.top)) / 2, 1);
}

TEST_F(MainWindowTest, HasAFixedBorderWithoutMinimiseOrMaximiseBox) {
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  // The skin draws the caption: the native one is gone.
  EXPECT_EQ(style & WS_CAPTION, 0);
  EXPECT_EQ(style & WS_THICKFRAME, 0);
  EXPECT_EQ(style & WS_MINIMIZEBOX, 0);
  EXPECT_EQ(style & WS_MAXIMIZEBOX, 0);
  EXPECT_EQ(GetParent(window), nullptr);
}

TEST_F(MainWindowTest, ClosingTheMainWindowEndsTheProgramWithCodeZero) {
  ASSERT_TRUE(PostMessageW(window, WM_CLOSE, 0, 0));
  EXPECT_EQ(program.WaitForExit(10000), 0u);
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(MainWindowTest, ExitOnTheToolBarEndsTheProgramWithCodeZero) {
  ASSERT_NE(FindWindowExW(window, nullptr, L"ToolbarWindow32", nullptr), nullptr);
  quillimo::test::ClickToolBarButton(window, quillimo::test::kExitButton);
  EXPECT_EQ(program.WaitForExit(10000), 0u);
}

class ExecutableResourcesTest : public ::testing::Test {
protected:
  void SetUp() override {
    module =
        LoadLibraryExW(L"" QUILLIMO_VESPERIN_EXE, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module, nullptr);
  }
  void TearDown() override {
    if (module) FreeLibrary(module);
  }

  HMODULE module = nullptr;
};

TEST_F(ExecutableResourcesTest, CarriesAManifestAskingForCommonControls6) {
  HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));  // RT_MANIFEST
  ASSERT_NE(found, nullptr);
  const char* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
  ASSERT_NE(data, nullptr);
  const std::string manifest(data, SizeofResource(module, found));
  EXPECT_NE(manifest.find("Microsoft.Windows.Common-Controls"), std::string::npos);
  EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
}

// The activation context the system's loader makes from the program's manifest.
HANDLE ManifestContext() {
  ACTCTXW request{};
  request.cbSize = sizeof(request);
  request.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
  request.lpSource = L"" QUILLIMO_VESPERIN_EXE;
  request.lpResourceName = MAKEINTRESOURCEW(1);
  return CreateActCtxW(&request);
}

// The systems the program names as supported, as the system's loader reads them from the
// manifest, so that none runs it in a compatibility mode.
TEST_F(ExecutableResourcesTest, CarriesAManifestNamingWindows7To11AsSupported) {
  HANDLE context = ManifestContext();
  ASSERT_NE(context, INVALID_HANDLE_VALUE);
  std::string info(4096, '\0');
  SIZE_T size = 0;
  const BOOL read =
      QueryActCtxW(0, context, nullptr, CompatibilityInformationInActivationContext, info.data(), info.size(), &size);
  ReleaseActCtx(context);
  ASSERT_TRUE(read);
  info.resize(size);
  const struct {
    const char* system;
    GUID id;
  } supported[] = {
      {"7", {0x35138b9a, 0x5d96, 0x4fbd, {0x8e, 0x2d, 0xa2, 0x44, 0x02, 0x25, 0xf9, 0x3a}}},
      {"8", {0x4a2f28e3, 0x53b9, 0x4441, {0xba, 0x9c, 0xd6, 0x9d, 0x4a, 0x4a, 0x6e, 0x38}}},
      {"8.1", {0x1f676c76, 0x80e1, 0x4239, {0x95, 0xbb, 0x83, 0xd0, 0xf6, 0xd0, 0xda, 0x78}}},
      {"10 and 11", {0x8e0f7a12, 0xbfb3, 0x4fe8, {0xb9, 0xa5, 0x48, 0xfd, 0x50, 0xa1, 0x5a, 0x9a}}},
  };
  ASSERT_GE(info.size(), sizeof(DWORD));
  EXPECT_EQ(*reinterpret_cast<const DWORD*>(info.data()), 4u);  // elements
  // The layout of an element differs between systems; each identifier is looked for as bytes.
  for (const auto& os : supported)
    EXPECT_NE(info.find(std::string(reinterpret_cast<const char*>(&os.id), sizeof(GUID))), std::string::npos)
        << "Windows " << os.system;
}

// Aware of each monitor's resolution (version 2, else 1) and, for systems before those, of the
// system's: the system stretches none of the program's windows.
TEST_F(ExecutableResourcesTest, CarriesAManifestDeclaringPerMonitorDpiAwareness) {
  HANDLE context = ManifestContext();
  ASSERT_NE(context, INVALID_HANDLE_VALUE);
  auto setting = [&](const wchar_t* space, const wchar_t* name) {
    wchar_t value[64] = {};
    SIZE_T size = 0;
    return QueryActCtxSettingsW(0, context, space, name, value, 64, &size) ? std::wstring(value) : std::wstring();
  };
  EXPECT_EQ(setting(L"http://schemas.microsoft.com/SMI/2016/WindowsSettings", L"dpiAwareness"),
            L"PerMonitorV2, PerMonitor");
  EXPECT_EQ(setting(nullptr, L"dpiAware"), L"true/pm");
  ReleaseActCtx(context);
}

TEST_F(ExecutableResourcesTest, CarriesTheStoredLayoutsOfTheThreeWindows) {
  for (const wchar_t* name : {L"TFORM1", L"TFORM2", L"TFORM3"}) {
    HRSRC found = FindResourceW(module, name, MAKEINTRESOURCEW(10));  // RT_RCDATA
    ASSERT_NE(found, nullptr);
    const char* data = static_cast<const char*>(LockResource(LoadResource(module, found)));
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(std::string(data, 4), "TPF0");
  }
}

TEST_F(ExecutableResourcesTest, CarriesVersion1Point1NamedQuillimo) {
  const wchar_t* path = L"" QUILLIMO_VESPERIN_EXE;
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(path, &ignored);
  ASSERT_GT(size, 0u);
  std::string block(size, '\0');
  ASSERT_TRUE(GetFileVersionInfoW(path, 0, size, block.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(HIWORD(fixed->dwFileVersionMS), 1u);
  EXPECT_EQ(LOWORD(fixed->dwFileVersionMS), 1u);

  wchar_t* product = nullptr;
  ASSERT_TRUE(VerQueryValueW(block.data(), L"\\StringFileInfo\\040904B0\\ProductName",
                             reinterpret_cast<void**>(&product), &length));
  EXPECT_EQ(std::wstring(product), L"Quillimo");
}

}  // namespace
