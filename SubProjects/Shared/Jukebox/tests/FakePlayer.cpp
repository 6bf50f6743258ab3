#include "FakePlayer.h"

#include "Jukebox/PlayerProtocol.h"

#include <gtest/gtest.h>

using namespace Jukebox::Protocol;

FakePlayer::FakePlayer(bool withSideWindows)
{
    std::vector<const char*> classes{kMainWindowClass};
    if (withSideWindows) {
        classes.push_back(kEqualizerWindowClass);
        classes.push_back(kPlaylistWindowClass);
    }
    for (const char* windowClass : classes) {
        auto host = std::make_unique<Platform::WindowHost>(windowClass);
        host->setHandler([this, windowClass](std::uint32_t m, Platform::WPARAM w, Platform::LPARAM l,
                                             const QByteArray&) -> Platform::LRESULT {
            messages.push_back({windowClass, m, w, l});
            if (m != kQueryMessage)
                return 0;
            auto it = replies.find({l, w});
            if (it == replies.end())
                it = replies.find({l, kAnyArgument});
            return it == replies.end() ? 0 : it->second;
        });
        EXPECT_EQ(host->listen(), Platform::WindowHost::ListenResult::Listening);
        m_windows.push_back(std::move(host));
    }
}

std::vector<FakePlayer::Message> FakePlayer::of(std::uint32_t message) const
{
    std::vector<Message> out;
    for (const auto& m : messages) {
        if (m.message == message)
            out.push_back(m);
    }
    return out;
}
