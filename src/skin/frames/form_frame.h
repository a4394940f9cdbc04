#pragma once
// TSkinFormFrame: the skinned frame of one top-level window. It hooks the window's procedure,
// takes the native caption styles away so that the system stops drawing a caption, makes the
// non-client area as wide as the skin's borders, paints borders, caption bar, caption text and
// title-bar buttons from the skin (frame_paint.cpp), cuts the window region out of keyed border
// images, and carries out the title-bar buttons' actions (frame_wndproc.cpp). A window with a
// menu gets the skinned menu bar (menu_bar.h).
//
// A frame serves a toolkit form (then it is a component owned by the form) or a bare window of
// the thread (standard dialogs, message boxes; the manager owns those frames). The manager's
// window side (window_side.h) makes one frame per skinned window.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/win/messages.h"

#include "skin/frames/frame_companion.h"
#include "skin/frames/nc_objects.h"
#include "toolkit/core/component.h"
#include "toolkit/win/canvas.h"
#include "toolkit/win/graphics.h"
#include "toolkit/win/window_hook.h"

class TCustomForm;
class TPopupMenu;
class TMenuItem;
class TSkinMenuBar;
class TSkinSet;
class TTimer;

// The engine's own window messages.
namespace SkinMessage {
inline constexpr UINT RepaintFrame = 0x3502;    // posted: paint the skinned frame now
inline constexpr UINT FinishAttach = 0x3503;    // posted after attaching (wParam 0, lParam 1000)
inline constexpr UINT QuerySkinned = 0x3504;    // sent: a skinned frame or pop-up answers 1
inline constexpr UINT TitleButton = 0x3514;     // posted: an application-defined title-bar button (wParam = action)
inline constexpr UINT ReapplySkin = 0x3401;     // sent to a skinned form: re-apply the skin colours
}  // namespace SkinMessage

namespace FrameStates {
inline constexpr int Attached = 0;
inline constexpr int Running = 1;
inline constexpr int Refreshing = 3;
inline constexpr int Closing = 4;
inline constexpr int Resizing = 5;
inline constexpr int Dead = 6;
}  // namespace FrameStates

// The desktop's minimise/maximise animation setting (ANIMATIONINFO's iMinAnimate), read (-1
// when it cannot be) and written for the session only. A test stands in for the system here:
// Wine keeps no such setting.
struct TWindowAnimationSetting {
  static std::function<int()> Read;
  static std::function<void(int)> Write;
};
// Gives the desktop back the animation setting that a frame's own window command paused;
// nothing when none is paused.
void ResumeWindowAnimation();

class TSkinFormFrame : public TComponent {
  QUILLIMO_CLASS(TSkinFormFrame, TComponent)
public:
  explicit TSkinFormFrame(TComponent* owner);
  ~TSkinFormFrame() override;

  // ---- For the manager ----
  void SetHandle(HWND wnd) { Handle = wnd; }
  void AttachToForm(TSkinSet* skin, TCustomForm* form);
  void AttachToWindow(TSkinSet* skin);
  // Fits the window to the skinned frame and gives it its region: the frame is then running.
  void FinishAttachment();
  // Ends skinning and gives the window its native caption, menu, colour and size back.
  void DetachRestore();
  void FreeSysButtons();
  void LayoutSysButtons();
  // Re-applies the (new) skin: colours, companions, size, region.
  void ReapplySkin();
  void SetNativeCaption(bool on);
  void UpdateRegion();
  void DropRegion();
  void FrameChanged();
  void FitWindow(bool refresh);
  bool Subclassed() const { return hook_.Attached(); }

  // ---- For menus and companions ----
  // Appends the companion unless listed; true when it was listed already.
  bool AddSkinControl(TFrameCompanion* control);
  void RemoveSkinControl(TFrameCompanion* control);
  // Frees the listed companions whose window is gone.
  void PurgeDeadControls();
  const std::vector<TFrameCompanion*>& ControlList() const { return controlList_; }
  // Screen point to window coordinates (the origin at the window's top-left corner).
  POINT ToFrameCoords(int screenX, int screenY) const;
  void PaintFrame(HDC dc);
  // Passes a message to the window's procedure below the frame.
  void CallOldProc(TMessage& msg) { hook_.CallPrevious(msg); }
  // Where the window is, as the last paint found it.
  RECT CurrentWindowRect() const;

  // How the frame gives a window's controls their companions (the skinned-control dispatch);
  // called at attach. Without it the controls keep their look.
  static inline std::function<void(TSkinFormFrame&)> ControlDispatcher;

  // ---- State (read by the manager, the menus and the painters) ----
  std::string CaptionPrefix = "  ";
  std::string CaptionText;
  std::string WindowClass;
  bool NativeCaption = true;
  bool SavedMenuUpdate = true;
  bool SkinFrame = false;
  RECT InitialClientRect{};
  DWORD LastMenuTick = 0;
  DWORD DoubleClickTime = 0;
  int SpaceWidth = 0;
  HWND OwnerWindow = nullptr;
  HICON IconHandle = nullptr;
  int IconSize = 16;
  int EdgeLeft = 0, EdgeTop = 0, EdgeRight = 0, EdgeBottom = 0;
  RECT WindowRect{};
  RECT TitleRect{};
  RECT NativeFrameSize{};
  int MenuBarHeight = 0;
  bool MenuTracking = false;
  bool RightToLeft = false;
  bool Sizeable = false;
  HWND MdiClientWindow = nullptr;
  HWND NewMdiChild = nullptr;
  HMENU NativeMenu = nullptr;
  HMENU SystemMenu = nullptr;
  HMENU TrackedMenu = nullptr;
  TColor SavedColor = clBtnFace;
  DWORD Style = 0;
  int RightButtonsLeft = 0;
  TNCObject* HotObject = nullptr;
  bool HasRegion = false;
  HRGN Region = nullptr;
  TCustomForm* Form = nullptr;
  HWND Handle = nullptr;
  TCanvas FrameCanvas, ControlCanvas;
  TSkinSet* SkinData = nullptr;
  std::unique_ptr<TSkinMenuBar> SkinMenu;
  std::vector<std::unique_ptr<TSkinTitleButton>> CaptionButtons;
  TBitmapPixels IconBitmap;
  TBitmap CaptionBuffer;
  int FrameWidth = 0, FrameHeight = 0;
  int RegionWidth = 0, RegionHeight = 0;
  bool WindowActive = true;
  int FrameKind = 0;   // 0 plain, 1 MDI frame, 2 MDI child
  int BorderKind = 1;  // 0 sizeable, 1 single, 2 none, 3 dialog frame
  int BorderIcons = 0; // 1 maximise box, 2 minimise box, 8 system menu, $10 caption removed here
  int WindowState = 0; // 0 normal, 1 maximised, 2 minimised
  int FrameState = FrameStates::Attached;
  TFrameCompanion* HotButton = nullptr;
  std::unique_ptr<TPopupMenu> SysMenuPopup;
  HFONT CaptionFont = nullptr;  // the system caption font
  std::unique_ptr<TTimer> HoverTimer;

  static constexpr int kMaximizeBox = 1, kMinimizeBox = 2, kSystemMenu = 8, kCaptionRemoved = 0x10;
  static constexpr int kFrameMdi = 1, kFrameMdiChild = 2;

  // ---- Actions (title-bar buttons, the system menu) ----
  void Maximize();
  void Minimize();
  void Restore();
  void CloseWindow();
  void MdiChildCommand(UINT command);
  // Shows the system menu at the screen point (skinned or native).
  void ShowSystemMenu(int x, int y);
  void ButtonAction(int action, POINT releasePoint);
  void HoverCheck();
  // The object under the window-coordinate point: a visible title-bar button with an action,
  // else a menu-bar button.
  TNCObject* ObjectAt(POINT p) const;

private:
  void FrameWndProc(TMessage& msg);
  bool Stage2(TMessage& msg);  // true when the message is finished
  void Stage3(TMessage& msg, bool defaultToOld);
  void FormWndProc(TMessage& msg);
  void ClientWndProc(TMessage& msg);
  void SizeChanged(TMessage& msg);
  void GetMinMaxInfo(TMessage& msg);
  void SysCommand(TMessage& msg);
  void NcCalcSize(TMessage& msg);
  void NcHitTest(TMessage& msg);
  bool NcMouse(TMessage& msg);
  void NcActivate(TMessage& msg);
  void NcPaint(TMessage& msg);
  void ReadWindowState();
  // The next UpdateRegion builds the region whatever the size (the skin changed).
  void ForgetRegionShape();
  void LoadIcon();
  void BuildSystemMenu();
  void DetachCompanions();
  void QuietDetach();
  void DetachPlain();
  bool BeginDetach();
  void RestoreFormLook();
  void UnhookForm();
  void InvalidateFormControls();
  bool IsMdiChild() const { return FrameKind == kFrameMdiChild; }

  // frame_paint.cpp
  void PaintBorderPiece(HDC dc, int k, const RECT& r);
  void PaintCaptionBar(HDC windowDc, int w);
  void PaintCaptionText(HDC dc, const RECT& area);
  void LayoutButtons(int w);
  void DrawCaptionButtons(HDC dc);
  bool ButtonVisible(const TDataSkinSysButton& b) const;
  TBitmapPixels RenderBorder(int k, int width, int height) const;
  friend class TSkinTitleButton;

  TWindowHook hook_;
  TWindowHook clientHook_;
  std::function<void(TMessage&)> oldFormWndProc_;
  std::vector<TFrameCompanion*> controlList_;
  bool captionDrawn_ = false;  // CaptionBuffer holds a caption
};
