#include "PlayerWindow.h"

#include "Jukebox/PlayerProtocol.h"

namespace Jukebox {

Platform::HWND PlayerWindow::FindPlayerWindow()
{
    return Platform::FindWindowA(Protocol::kMainWindowClass, nullptr);
}

bool PlayerWindow::PostCommand(std::int32_t command)
{
    return Platform::PostMessageA(FindPlayerWindow(), Protocol::kCommandMessage, command, 0);
}

Platform::LRESULT PlayerWindow::SendQuery(std::int64_t argument, std::int32_t code)
{
    return Platform::SendMessageA(FindPlayerWindow(), Protocol::kQueryMessage, argument, code);
}

} // namespace Jukebox
