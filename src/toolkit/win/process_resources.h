#pragma once
// What the process holds of the system's resources: its GDI objects, its kernel handles and its
// private bytes. Read by the programs and tests that watch for growth over long use.
#include <cstddef>
#include <map>

// The process's GDI objects. GetGuiResources answers 0 under Wine; the count then comes from
// the process's GDI handle table (see process_resources.cpp).
unsigned ProcessGdiObjects();
// The same objects by their kind: the type byte of their handle-table entry (Wine's and
// Windows' numbering: 0x01 device context, 0x04 region, 0x05 bitmap, 0x0A font, 0x10 brush,
// 0x30 pen, ...) to the number of them. Empty where the table cannot be read.
std::map<int, unsigned> ProcessGdiObjectsByType();
// The process's open kernel handles (GetProcessHandleCount; under Wine, which answers 0 there,
// counted in the system's list of open handles).
unsigned ProcessHandleCount();
// The bytes the process has committed for itself (PrivateUsage of GetProcessMemoryInfo; under
// Wine, which answers 0 there, the page-file usage: the private pages in use).
std::size_t ProcessPrivateBytes();
