#pragma once
// TSkinFormFrame: the skinned frame of one top-level window. It hooks the window's procedure,
// takes the native caption styles away so that the system stops drawing a caption, makes the
// non-client area as wide as the skin's borders, paints borders, caption bar, caption text and
// title-bar buttons from the skin (frame_paint.cpp), cuts the window region out of keyed border
// images, and carries out the title-bar buttons' actions (frame_wndproc.cpp). Its menus (the
// skinned menu bar of a window with a menu, the system menu, owner-drawn items) are an object it
// owns (frame_menus.h).
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
#include "skin/frames/frame_menus.h"
#include "skin/frames/nc_objects.h"
#include "toolkit/core/component.h"
#include "toolkit/win/canvas.h"
#include "toolkit/win/graphics.h"
#include "toolkit/win/window_hook.h"
#include "toolkit/win/window_proc_hook.h"

class TCustomForm;
class TSkinModel;
class TSkinSet;
class TTimer;

// The engine's own window messages.
namespace SkinMessage {
inline constexpr UINT RepaintFrame = 0x3502;  // posted: paint the skinned frame now
inline constexpr UINT FinishAttach = 0x3503;  // posted after attaching (wParam 0, lParam 1000)
inline constexpr UINT QuerySkinned = 0x3504;  // sent: a skinned frame or pop-up answers 1
inline constexpr UINT TitleButton = 0x3514;   // posted: an application-defined title-bar button (wParam = action)
inline constexpr UINT OpenBarItem = 0x3515;   // posted: open the menu-bar item selected by keyboard (wParam = index)
inline constexpr UINT ReapplySkin = 0x3401;   // sent to a skinned form: re-apply the skin colours
}  // namespace SkinMessage

// Where a frame is in its life: attached (waiting for FinishAttachment), running, repainting
// for a new skin, closing, fitting the window to the frame, and dead (the window is gone).
enum class TFrameState { Attached = 0, Running = 1, Refreshing = 3, Closing = 4, Resizing = 5, Dead = 6 };
// The framed window's state as the frame follows it.
enum class TFrameWindowState { Normal = 0, Maximized = 1, Minimized = 2 };
// A plain window, the frame window of an MDI program, or an MDI child.
enum class TFrameKind { Plain, MdiFrame, MdiChild };
// The window's border: sizeable, single (fixed), none, or a dialog frame.
enum class TFrameBorder { Sizeable, Single, None, Dialog };

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
  void SetHandle(HWND wnd) { handle_ = wnd; }
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
  // The frame takes the window's messages: a toolkit form's through its WindowProc, a bare
  // window's through the window's hook chain (each message once, either way).
  bool Subclassed() const { return hook_.Attached() || formHook_.Attached(); }

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
  void CallOldProc(TMessage& msg);
  // Where the window is, as the last paint found it.
  RECT CurrentWindowRect() const;

  // How the frame gives a window's controls their companions (the skinned-control dispatch);
  // called at attach. Without it the controls keep their look.
  static inline std::function<void(TSkinFormFrame&)> ControlDispatcher;

  // ---- What the frame knows (read by the manager, the menus, the painters and tests) ----
  HWND Handle() const { return handle_; }
  TCustomForm* Form() const { return form_; }
  TSkinSet* SkinData() const { return skinData_; }
  // The skin as drawn at the window's resolution (the painters of the frame, its menus and its
  // controls read this): taken afresh from the skin component each time, never kept.
  const TSkinModel& Model() const;
  int PixelsPerInch() const { return pixelsPerInch_; }
  TFrameState FrameState() const { return frameState_; }
  TFrameWindowState WindowState() const { return windowState_; }
  TFrameKind FrameKind() const { return frameKind_; }
  bool IsMdiChild() const { return frameKind_ == TFrameKind::MdiChild; }
  TFrameBorder BorderKind() const { return borderKind_; }
  bool WindowActive() const { return windowActive_; }
  bool NativeCaption() const { return nativeCaption_; }
  bool RightToLeft() const { return rightToLeft_; }
  const std::string& CaptionText() const { return captionText_; }
  HWND OwnerWindow() const { return ownerWindow_; }
  HWND MdiClientWindow() const { return mdiClientWindow_; }
  // The widths of the skinned borders; the top one holds the caption.
  struct TEdges {
    int Left, Top, Right, Bottom;
  };
  TEdges Edges() const { return {edgeLeft_, edgeTop_, edgeRight_, edgeBottom_}; }
  // The client rectangle the window had before it was skinned (screen size of its client).
  const RECT& InitialClientRect() const { return initialClientRect_; }
  // What the native frame adds to the client size (right: width, bottom: height).
  const RECT& NativeFrameSize() const { return nativeFrameSize_; }
  const RECT& TitleRect() const { return titleRect_; }
  int SpaceWidth() const { return spaceWidth_; }
  int MenuBarHeight() const { return menus_->BarHeight(); }
  bool HasRegion() const { return hasRegion_; }
  HRGN Region() const { return region_; }
  TCanvas& ControlCanvas() { return controlCanvas_; }
  const std::vector<std::unique_ptr<TSkinTitleButton>>& CaptionButtons() const { return captionButtons_; }
  // The frame's menus: the skinned bar, the system menu, owner-drawn items, an open bar item.
  TFrameMenus& Menus() { return *menus_; }
  const TFrameMenus& Menus() const { return *menus_; }

  // The non-client object under the mouse (a title-bar or menu-bar button), told when the
  // mouse leaves it.
  TNCObject* HotObject() const { return hotObject_; }
  void SetHotObject(TNCObject* object) { hotObject_ = object; }
  // The push button of a bare window under the mouse.
  TFrameCompanion* HotButton() const { return hotButton_; }
  void SetHotButton(TFrameCompanion* button) { hotButton_ = button; }
  // An MDI frame's children were maximised or restored together: a child gives up or takes
  // back its skinned caption.
  void FollowMdiMaximized(bool maximized);
  // The next UpdateRegion builds the region whatever the size (the skin changed).
  void ForgetRegionShape();
  // Paints a title-bar button in its state straight onto the window, over the caption as last
  // composed (so that the button's keyed pixels show the bar).
  void PaintTitleButton(const TSkinTitleButton& button);

  static constexpr int kMaximizeBox = 1, kMinimizeBox = 2, kSystemMenu = 8, kCaptionRemoved = 0x10;

  // ---- Actions (title-bar buttons, the system menu) ----
  void Maximize();
  void Minimize();
  void Restore();
  void CloseWindow();
  void MdiChildCommand(UINT command);
  // Shows the system menu at the screen point (skinned or native), when the window has one.
  void ShowSystemMenu(int x, int y);
  void ButtonAction(int action, POINT releasePoint);
  void HoverCheck();
  // The object under the window-coordinate point: a visible title-bar button with an action,
  // else a menu-bar button.
  TNCObject* ObjectAt(POINT p) const;

private:
  void FrameWndProc(TMessage& msg);
  // The stages of FrameWndProc (frame_wndproc.cpp); each finishes the message. What the
  // non-client stage does not handle goes on to the window's procedure when passOn is set.
  void CaptionMessage(TMessage& msg);
  void NonClientMessage(TMessage& msg, bool passOn);
  void FormWndProc(TMessage& msg);
  void ClientWndProc(TMessage& msg);
  void SizeChanged(TMessage& msg);
  // WM_DPICHANGED: the frame takes the skin at the new resolution, the form its layout.
  void FollowResolution(TMessage& msg);
  void GetMinMaxInfo(TMessage& msg);
  void SysCommand(TMessage& msg);
  void NcCalcSize(TMessage& msg);
  void NcHitTest(TMessage& msg);
  bool NcMouse(TMessage& msg);
  void NcActivate(TMessage& msg);
  void NcPaint(TMessage& msg);
  void ReadWindowState();
  void LoadIcon();
  void DetachCompanions();
  void QuietDetach();
  void DetachPlain();
  bool BeginDetach();
  void RestoreFormLook();
  void HookForm();
  void UnhookForm();
  void InvalidateFormControls();

  // frame_paint.cpp
  void PaintBorderPiece(HDC dc, int k, const RECT& r);
  void PaintCaptionBar(HDC windowDc, int w);
  void PaintCaptionText(HDC dc, const RECT& area);
  void LayoutButtons(int w);
  void DrawCaptionButtons(HDC dc);
  bool ButtonVisible(const TDataSkinSysButton& b) const;
  TBitmapPixels RenderBorder(int k, int width, int height) const;

  std::string captionPrefix_ = "  ";
  std::string captionText_;
  std::string windowClass_;
  bool nativeCaption_ = true;
  bool skinFrame_ = false;
  RECT initialClientRect_{};
  int spaceWidth_ = 0;
  HWND ownerWindow_ = nullptr;
  HICON iconHandle_ = nullptr;
  int iconSize_ = 16;
  int edgeLeft_ = 0, edgeTop_ = 0, edgeRight_ = 0, edgeBottom_ = 0;
  RECT windowRect_{};
  RECT titleRect_{};
  RECT nativeFrameSize_{};
  bool rightToLeft_ = false;
  bool sizeable_ = false;
  HWND mdiClientWindow_ = nullptr;
  HWND newMdiChild_ = nullptr;
  TColor savedColor_ = clBtnFace;
  DWORD style_ = 0;
  int rightButtonsLeft_ = 0;
  TNCObject* hotObject_ = nullptr;
  bool hasRegion_ = false;
  HRGN region_ = nullptr;
  TCustomForm* form_ = nullptr;
  HWND handle_ = nullptr;
  TCanvas frameCanvas_, controlCanvas_;
  TSkinSet* skinData_ = nullptr;
  int pixelsPerInch_ = 96;  // the window's resolution, as the frame last took it
  std::unique_ptr<TFrameMenus> menus_;
  std::vector<std::unique_ptr<TSkinTitleButton>> captionButtons_;
  TBitmapPixels iconBitmap_;
  TBitmap captionBuffer_;
  int frameWidth_ = 0, frameHeight_ = 0;
  int regionWidth_ = 0, regionHeight_ = 0;
  bool windowActive_ = true;
  // Set while the window is hidden or being shown, until its frame is painted: the activation
  // that comes first need not paint a frame that the showing paints a moment later.
  bool showingUnpainted_ = false;
  TFrameKind frameKind_ = TFrameKind::Plain;
  TFrameBorder borderKind_ = TFrameBorder::Single;
  int borderIcons_ = 0;  // kMaximizeBox | kMinimizeBox | kSystemMenu | kCaptionRemoved
  TFrameWindowState windowState_ = TFrameWindowState::Normal;
  TFrameState frameState_ = TFrameState::Attached;
  TFrameCompanion* hotButton_ = nullptr;
  HFONT captionFont_ = nullptr;  // the system caption font
  std::unique_ptr<TTimer> hoverTimer_;

  TWindowHook hook_;
  TWindowHook clientHook_;
  // The frame's handler in front of the form's WindowProc. The handler it replaced is kept
  // until the frame goes: the message that detaches the frame is still passed on through it.
  TWindowProcHook formHook_;
  bool formCommands_ = false;  // caption text, skin re-application and menu keys taken at the form
  std::vector<TFrameCompanion*> controlList_;
  bool captionDrawn_ = false;  // CaptionBuffer holds a caption
};
