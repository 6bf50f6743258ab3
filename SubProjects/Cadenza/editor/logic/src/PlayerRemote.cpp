#include "PlayerRemote.h"

#include "Jukebox/IAPI.h"
#include "Jukebox/PlayerProtocol.h"
#include "Platform/Component.h"
#include "Platform/WindowMessages.h"

#include <chrono>
#include <thread>

namespace PlayerRemote {

namespace {

std::shared_ptr<Jukebox::IAPI>& instance()
{
    // Lives until the program ends; the library that made it stays loaded.
    static std::shared_ptr<Jukebox::IAPI> remote;
    return remote;
}

Jukebox::IAPI& remote()
{
    auto& r = instance();
    if (!r)
        r = Platform::CreateObjectAs<Jukebox::IAPI>("Jukebox.API");
    return *r;
}

// LoadFile hands the file to the player through a helper process and returns
// at once; a play command sent right away can reach the player before the file
// and then plays nothing. Waits (briefly) until the player is up and holds the
// file. The player's window is looked up directly, because a query to a player
// that is still starting would start a second one.
void waitForLoadedFile(Jukebox::IAPI& api)
{
    using namespace std::chrono;
    const auto deadline = steady_clock::now() + seconds(5);
    while (steady_clock::now() < deadline) {
        if (Platform::FindWindowA(Jukebox::Protocol::kMainWindowClass, nullptr) &&
            api.GetPlayListLength() > 0)
            return;
        std::this_thread::sleep_for(milliseconds(20));
    }
}

} // namespace

void Play(const std::string& path)
{
    Jukebox::IAPI& api = remote();
    std::string file = path; // LoadFile puts the name in quotes in place
    api.LoadFile(file);
    waitForLoadedFile(api);
    api.StartJukeboxPlay();
}

void Close()
{
    try {
        if (auto& r = instance())
            r->KillJukebox();
    } catch (...) {
        // The program is closing; a player that cannot be told stays open.
    }
}

} // namespace PlayerRemote
