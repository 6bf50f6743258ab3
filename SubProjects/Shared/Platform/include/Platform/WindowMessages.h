#pragma once

#include <cstdint>
#include <string>

// Window lookup and window messages to other processes.
//
// A top-level "window" of another program is a listening Unix-domain socket
// named after its window class in the user's private window folder
// (WindowFolder()). Every connection carries one message record and, for a sent
// message, the reply. A socket file nobody listens on (a crashed program's) is
// no window. Both ends check that the peer runs as the same user.
//
// The wire format (native byte order, both ends run on this machine):
//     record  uint32 magic 0x4C57494E ("LWIN"), uint32 flags (1: reply wanted),
//             uint32 message, uint32 payload length, int64 wParam, int64 lParam,
//             then the payload bytes (WM_COPYDATA only; at most 1 MiB)
//     reply   int64 result
// The listening side for Qt programs is Platform::WindowHost (LegatoPlatformQt).
namespace Platform {

using HWND = std::intptr_t;
using WPARAM = std::int64_t;
using LPARAM = std::int64_t;
using LRESULT = std::int64_t;

inline constexpr std::uint32_t WM_CLOSE = 0x0010;
inline constexpr std::uint32_t WM_SHOWWINDOW = 0x0018;
inline constexpr std::uint32_t WM_COPYDATA = 0x004A;
inline constexpr std::uint32_t WM_COMMAND = 0x0111;
inline constexpr std::uint32_t WM_USER = 0x0400;

// ShowWindow states; WM_SHOWWINDOW carries one in wParam.
inline constexpr int SW_HIDE = 0;
inline constexpr int SW_SHOWNORMAL = 1;
inline constexpr int SW_SHOWMINIMIZED = 2;
inline constexpr int SW_SHOWMAXIMIZED = 3;
inline constexpr int SW_SHOWNOACTIVATE = 4;
inline constexpr int SW_SHOW = 5;

inline constexpr std::uint32_t kWindowRecordMagic = 0x4C57494E;
inline constexpr std::uint32_t kWindowRecordReplyWanted = 1;
inline constexpr std::uint32_t kWindowPayloadLimit = 1u << 20;

struct WindowRecordHeader
{
    std::uint32_t magic;
    std::uint32_t flags;
    std::uint32_t message;
    std::uint32_t payloadLength;
    std::int64_t wParam;
    std::int64_t lParam;
};
static_assert(sizeof(WindowRecordHeader) == 32);

// $LEGATO_WINDOW_DIR when set, else $XDG_RUNTIME_DIR/legato-windows, else
// /run/user/<uid>/legato-windows when the system made that folder for the
// user, else ~/.cache/legato-windows-<host>, else /tmp/legato-windows-<uid>;
// created with mode 0700 when missing. Returns "" when the folder is not
// private to this user (another owner, or open to group or others; such a
// folder is left as it is): then no window can be found or created.
std::string WindowFolder();
// Why WindowFolder() gives "" (a sentence for the user), or "" when it gives a
// folder. Programs that have windows say it on stderr and in a message box.
std::string WindowFolderProblem();
// The socket file of a window class (characters outside [A-Za-z0-9._-] are
// written as %XX).
std::string WindowSocketPath(const std::string& className);

// The handle of a listening window of that class, or 0. The title is not
// looked at (pass nullptr). A handle stands for the class: it stays valid while
// some program listens under that class.
HWND FindWindowA(const char* className, const char* windowName);

// Delivers the message without waiting for it to be handled; false when no
// window listens or the record could not be handed over.
bool PostMessageA(HWND window, std::uint32_t message, WPARAM wParam, LPARAM lParam);

// Delivers the message and waits for the reply, at most SendMessageTimeout()
// milliseconds: a window that does not answer in time, or no window, gives 0.
LRESULT SendMessageA(HWND window, std::uint32_t message, WPARAM wParam, LPARAM lParam);

// WM_COPYDATA: sends wParam and a block of bytes, waits for the reply like SendMessageA.
LRESULT SendCopyData(HWND window, WPARAM wParam, const std::string& bytes);

// Posts WM_SHOWWINDOW with the state in wParam; true when it was delivered.
bool ShowWindowA(HWND window, int showCommand);

// The timeout of sent messages (default 5000 ms, or $LEGATO_SENDMESSAGE_TIMEOUT_MS).
int SendMessageTimeout();
void SetSendMessageTimeout(int milliseconds);

} // namespace Platform
