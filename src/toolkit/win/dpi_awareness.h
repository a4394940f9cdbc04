#pragma once
// The resolution (pixels per inch) of the screens the program's windows are on. The program
// declares itself aware of each monitor's resolution (its manifest), so the system neither
// stretches its windows nor pretends every screen has 96 pixels per inch: forms scale their
// layouts themselves (TCustomForm) and follow a window moved to a monitor of another resolution
// (WM_DPICHANGED).
//
// The calls of newer systems are looked up at run time: the program also runs on systems
// without them, which have one resolution for every monitor.
#include <windows.h>

#ifndef WM_DPICHANGED
#define WM_DPICHANGED 0x02E0
#endif

// Makes the process aware of each monitor's resolution, as the program's manifest declares it
// (for processes without that manifest, such as test programs): per monitor (version 2) where
// the system knows it, else aware of the system's resolution. False when the system refused
// (the awareness was set already).
bool DeclarePerMonitorDpiAwareness();

// The resolution of the primary monitor, which a window not made yet is laid out for.
int SystemPixelsPerInch();

// The resolution of the monitor a window is on.
int WindowPixelsPerInch(HWND wnd);
