#pragma once

#include "Platform/WindowHost.h"

#include <QCoreApplication>
#include <chrono>
#include <climits>
#include <future>
#include <map>
#include <memory>
#include <string>
#include <vector>

// A stand-in for the media player inside the test process: the three windows,
// every message they get recorded, queries answered from a table.
class FakePlayer
{
public:
    struct Message
    {
        std::string windowClass;
        std::uint32_t message;
        std::int64_t wParam;
        std::int64_t lParam;
    };

    explicit FakePlayer(bool withSideWindows = true);

    // Replies by (query code, argument); kAnyArgument matches every argument.
    // Queries not in the table get 0.
    static constexpr std::int64_t kAnyArgument = INT64_MIN;
    std::map<std::pair<std::int64_t, std::int64_t>, std::int64_t> replies;
    std::vector<Message> messages;

    // Messages of one kind, in arrival order.
    std::vector<Message> of(std::uint32_t message) const;

private:
    std::vector<std::unique_ptr<Platform::WindowHost>> m_windows;
};

// Runs a blocking call on another thread while this thread serves the fake
// player's windows, as two processes would; then lets posted messages arrive.
template <class F> auto whilePlayerServes(F f)
{
    auto future = std::async(std::launch::async, f);
    while (future.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready)
        QCoreApplication::processEvents();
    for (int i = 0; i < 20; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
    return future.get();
}
