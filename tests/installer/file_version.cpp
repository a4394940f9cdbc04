// Prints the version information of a file as Windows shows it in the file's properties:
//   file_version.exe FILE
//   FixedFileVersion=1.1.0.0, FixedProductVersion=...   (the fixed part)
//   ProductName=...  FileDescription=...  ...           (the strings of its first language)
#include <windows.h>

#include <cstdio>
#include <vector>

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fputs("usage: file_version.exe FILE\n", stderr);
    return 2;
  }
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeW(argv[1], &ignored);
  std::vector<unsigned char> data(size);
  if (size == 0 || !GetFileVersionInfoW(argv[1], 0, size, data.data())) {
    std::puts("no version information");
    return 1;
  }
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) && fixed) {
    const auto print = [](const char* name, DWORD high, DWORD low) {
      std::printf("%s=%u.%u.%u.%u\n", name, unsigned(HIWORD(high)), unsigned(LOWORD(high)), unsigned(HIWORD(low)),
                  unsigned(LOWORD(low)));
    };
    print("FixedFileVersion", fixed->dwFileVersionMS, fixed->dwFileVersionLS);
    print("FixedProductVersion", fixed->dwProductVersionMS, fixed->dwProductVersionLS);
  }
  WORD* translation = nullptr;
  if (!VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length) ||
      length < 4)
    return 0;
  for (const wchar_t* name : {L"ProductName", L"ProductVersion", L"FileVersion", L"FileDescription", L"CompanyName"}) {
    wchar_t path[128];
    swprintf(path, 128, L"\\StringFileInfo\\%04x%04x\\%ls", translation[0], translation[1], name);
    wchar_t* value = nullptr;
    if (VerQueryValueW(data.data(), path, reinterpret_cast<void**>(&value), &length) && value)
      std::printf("%ls=%ls\n", name, value);
  }
  return 0;
}
