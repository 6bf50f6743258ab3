#pragma once

#include "Platform/WindowMessages.h"

#include <cstdint>

namespace Jukebox {

// The player's main window and the two message forms sent to it.
class PlayerWindow
{
public:
    // The handle of the window of class "Jukebox v1.x", or 0.
    static Platform::HWND FindPlayerWindow();
    // Posts the command message with the number and 0 to the main window;
    // whether posting succeeded (false without a window).
    static bool PostCommand(std::int32_t command);
    // Sends the query message (argument, code) to the main window and returns
    // the reply; 0 without a window or when the player does not answer in time.
    static Platform::LRESULT SendQuery(std::int64_t argument, std::int32_t code);
};

} // namespace Jukebox
