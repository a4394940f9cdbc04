// The process's resource figures follow the objects, handles and memory it makes and frees.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <map>
#include <vector>

#include "toolkit/win/process_resources.h"

namespace {
constexpr int kBrushType = 0x10;
constexpr int kRegionType = 0x04;

unsigned Of(const std::map<int, unsigned>& byType, int type) {
  const auto found = byType.find(type);
  return found == byType.end() ? 0 : found->second;
}
}  // namespace

TEST(ProcessResources, GdiObjectsCountEachObjectMadeAndFreed) {
  const unsigned before = ProcessGdiObjects();
  const auto typesBefore = ProcessGdiObjectsByType();
  ASSERT_GT(before, 0u);  // the stock objects at least
  std::vector<HGDIOBJ> made;
  for (int i = 0; i < 60; ++i) made.push_back(CreateSolidBrush(RGB(i, 0, 0)));
  for (int i = 0; i < 41; ++i) made.push_back(CreateRectRgn(0, 0, i + 1, 1));
  EXPECT_EQ(ProcessGdiObjects(), before + 101);
  const auto types = ProcessGdiObjectsByType();
  EXPECT_EQ(Of(types, kBrushType), Of(typesBefore, kBrushType) + 60);
  EXPECT_EQ(Of(types, kRegionType), Of(typesBefore, kRegionType) + 41);
  for (HGDIOBJ object : made) DeleteObject(object);
  EXPECT_EQ(ProcessGdiObjects(), before);
  EXPECT_EQ(ProcessGdiObjectsByType(), typesBefore);
}

TEST(ProcessResources, HandlesAndPrivateBytesFollowWhatIsOpenedAndCommitted) {
  const unsigned handles = ProcessHandleCount();
  std::vector<HANDLE> events;
  for (int i = 0; i < 10; ++i) events.push_back(CreateEventW(nullptr, TRUE, FALSE, nullptr));
  EXPECT_EQ(ProcessHandleCount(), handles + 10);
  for (HANDLE event : events) CloseHandle(event);
  EXPECT_EQ(ProcessHandleCount(), handles);

  constexpr std::size_t kBlock = 64 << 20;
  const std::size_t bytes = ProcessPrivateBytes();
  ASSERT_GT(bytes, 0u);
  auto* block = static_cast<char*>(VirtualAlloc(nullptr, kBlock, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE));
  ASSERT_NE(block, nullptr);
  std::fill(block, block + kBlock, 1);  // Wine counts the pages used, Windows those committed
  EXPECT_GE(ProcessPrivateBytes(), bytes + kBlock);
  VirtualFree(block, 0, MEM_RELEASE);
  EXPECT_LT(ProcessPrivateBytes(), bytes + kBlock);
}
