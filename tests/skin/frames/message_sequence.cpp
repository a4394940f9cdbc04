#include "message_sequence.h"

#include <algorithm>
#include <cstdio>

#include "skin/frames/form_frame.h"

namespace msgseq {
namespace {

std::string NameOf(UINT msg) {
  struct Named {
    UINT Msg;
    const char* Name;
  };
  static const Named names[] = {
      {WM_CREATE, "WM_CREATE"},
      {WM_DESTROY, "WM_DESTROY"},
      {WM_MOVE, "WM_MOVE"},
      {WM_SIZE, "WM_SIZE"},
      {WM_ACTIVATE, "WM_ACTIVATE"},
      {WM_SETFOCUS, "WM_SETFOCUS"},
      {WM_KILLFOCUS, "WM_KILLFOCUS"},
      {WM_SETTEXT, "WM_SETTEXT"},
      {WM_GETTEXT, "WM_GETTEXT"},
      {WM_GETTEXTLENGTH, "WM_GETTEXTLENGTH"},
      {WM_PAINT, "WM_PAINT"},
      {WM_CLOSE, "WM_CLOSE"},
      {WM_ERASEBKGND, "WM_ERASEBKGND"},
      {WM_SHOWWINDOW, "WM_SHOWWINDOW"},
      {WM_ACTIVATEAPP, "WM_ACTIVATEAPP"},
      {WM_CANCELMODE, "WM_CANCELMODE"},
      {WM_SETCURSOR, "WM_SETCURSOR"},
      {WM_MOUSEACTIVATE, "WM_MOUSEACTIVATE"},
      {WM_GETMINMAXINFO, "WM_GETMINMAXINFO"},
      {WM_WINDOWPOSCHANGING, "WM_WINDOWPOSCHANGING"},
      {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"},
      {WM_GETICON, "WM_GETICON"},
      {WM_NCCREATE, "WM_NCCREATE"},
      {WM_NCDESTROY, "WM_NCDESTROY"},
      {WM_NCCALCSIZE, "WM_NCCALCSIZE"},
      {WM_NCHITTEST, "WM_NCHITTEST"},
      {WM_NCPAINT, "WM_NCPAINT"},
      {WM_NCACTIVATE, "WM_NCACTIVATE"},
      {WM_GETDLGCODE, "WM_GETDLGCODE"},
      {WM_NCMOUSEMOVE, "WM_NCMOUSEMOVE"},
      {WM_NCLBUTTONDOWN, "WM_NCLBUTTONDOWN"},
      {WM_NCLBUTTONUP, "WM_NCLBUTTONUP"},
      {WM_SYSCOMMAND, "WM_SYSCOMMAND"},
      {WM_TIMER, "WM_TIMER"},
      {WM_MOUSEMOVE, "WM_MOUSEMOVE"},
      {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
      {WM_LBUTTONUP, "WM_LBUTTONUP"},
      {WM_ENTERSIZEMOVE, "WM_ENTERSIZEMOVE"},
      {WM_EXITSIZEMOVE, "WM_EXITSIZEMOVE"},
      {WM_CAPTURECHANGED, "WM_CAPTURECHANGED"},
      {WM_MOVING, "WM_MOVING"},
      {WM_IME_SETCONTEXT, "WM_IME_SETCONTEXT"},
      {WM_IME_NOTIFY, "WM_IME_NOTIFY"},
      {WM_STYLECHANGING, "WM_STYLECHANGING"},
      {WM_STYLECHANGED, "WM_STYLECHANGED"},
      {WM_SYNCPAINT, "WM_SYNCPAINT"},
      {WM_CHILDACTIVATE, "WM_CHILDACTIVATE"},
      {WM_QUERYOPEN, "WM_QUERYOPEN"},
      {WM_SETICON, "WM_SETICON"},
      {WM_GETFONT, "WM_GETFONT"},
      {WM_SETFONT, "WM_SETFONT"},
      {WM_NCMOUSELEAVE, "WM_NCMOUSELEAVE"},
      {WM_CTLCOLORBTN, "WM_CTLCOLORBTN"},
      {WM_SETREDRAW, "WM_SETREDRAW"},
      {WM_GETOBJECT, "WM_GETOBJECT"},
      {WM_QUERYNEWPALETTE, "WM_QUERYNEWPALETTE"},
      {WM_IME_SELECT, "WM_IME_SELECT"},
      {0x0009, "WM_SETVISIBLE"},
      {WM_DWMNCRENDERINGCHANGED, "WM_DWMNCRENDERINGCHANGED"},
      {SkinMessage::RepaintFrame, "RepaintFrame"},
      {SkinMessage::FinishAttach, "FinishAttach"},
      {SkinMessage::QuerySkinned, "QuerySkinned"},
      {SkinMessage::TitleButton, "TitleButton"},
      {SkinMessage::ReapplySkin, "ReapplySkin"},
  };
  for (const Named& n : names)
    if (n.Msg == msg) return n.Name;
  char hex[16];
  std::snprintf(hex, sizeof hex, "0x%04X", msg);
  return hex;
}

std::string Line(UINT msg, Via how, bool optional) {
  return std::string(how == Via::Sent ? "sent   " : "posted ") + NameOf(msg) + (optional ? " (optional)" : "");
}

}  // namespace

bool Ignored(UINT msg) {
  switch (msg) {
    case WM_NCMOUSEMOVE:
    case WM_MOUSEMOVE:
    case WM_SETCURSOR:
    case WM_NCMOUSELEAVE:
    case WM_MOUSELEAVE:
    case WM_TIMER:
    case WM_GETICON:
    case WM_GETTEXT:
    case WM_GETTEXTLENGTH:
    case WM_GETOBJECT: return true;
    default: return false;
  }
}

std::vector<MessageRecorder::Entry> Relevant(const MessageRecorder& recorder, HWND wnd) {
  std::vector<MessageRecorder::Entry> out;
  for (const MessageRecorder::Entry& e : recorder.All())
    if (e.Window == wnd && !Ignored(e.Msg)) out.push_back(e);
  return out;
}

::testing::AssertionResult Follows(const MessageRecorder& recorder, HWND wnd, std::initializer_list<Step> table) {
  const std::vector<MessageRecorder::Entry> got = Relevant(recorder, wnd);
  const std::vector<Step> want(table);
  std::size_t g = 0, w = 0;
  auto same = [&] { return got[g].Msg == want[w].Msg && got[g].Posted == (want[w].How == Via::Posted); };
  while (w < want.size()) {
    if (g < got.size() && same())
      ++g, ++w;
    else if (want[w].Optional)
      ++w;
    else
      break;
  }
  if (g == got.size() && w == want.size()) return ::testing::AssertionSuccess();
  auto result = ::testing::AssertionFailure();
  result << "the messages part at recorded " << g << ", table " << w << "\nrecorded:\n";
  for (std::size_t i = 0; i < got.size(); ++i)
    result << (i == g ? " > " : "   ") << Line(got[i].Msg, got[i].Posted ? Via::Posted : Via::Sent, false) << "\n";
  result << "table:\n";
  for (std::size_t i = 0; i < want.size(); ++i)
    result << (i == w ? " > " : "   ") << Line(want[i].Msg, want[i].How, want[i].Optional) << "\n";
  return result;
}

}  // namespace msgseq
