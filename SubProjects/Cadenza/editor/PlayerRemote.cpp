#include "PlayerRemote.h"

#include <Jukebox/IAPI.h>
#include <Platform/Component.h>

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

} // namespace

void Play(const std::string& path)
{
    Jukebox::IAPI& api = remote();
    std::string file = path; // LoadFile puts the name in quotes in place
    api.LoadFile(file);
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
