#include "Platform/WindowRecord.h"
#include "Platform/WindowHost.h"

#include "TempDir.h"

#include <QCoreApplication>
#include <chrono>
#include <future>
#include <gtest/gtest.h>

using namespace Platform;

namespace {

std::string recordOf(std::uint32_t message, const std::string& payload)
{
    const WindowRecordHeader h{kWindowRecordMagic,
                               kWindowRecordReplyWanted,
                               message,
                               static_cast<std::uint32_t>(payload.size()),
                               7,
                               8};
    return std::string(reinterpret_cast<const char*>(&h), sizeof h) + payload;
}

} // namespace

TEST(WindowRecord, ReadsARecordOnlyWhenItIsWhole)
{
    const std::string bytes = recordOf(WM_COPYDATA, "/a.mp3") + "next";
    WindowRecord r;
    EXPECT_EQ(ParseWindowRecord(bytes.substr(0, 31), 100, r), WindowRecordParse::NeedMore);
    EXPECT_EQ(r.size, 0u);
    EXPECT_EQ(ParseWindowRecord(bytes.substr(0, 35), 100, r), WindowRecordParse::NeedMore);
    EXPECT_EQ(r.size, 38u) << "known once the header is there";
    ASSERT_EQ(ParseWindowRecord(bytes, 100, r), WindowRecordParse::Complete);
    EXPECT_EQ(r.payload, "/a.mp3");
    EXPECT_EQ(r.header.wParam, 7);
    EXPECT_EQ(ParseWindowRecord(bytes.substr(0, 32), 5, r), WindowRecordParse::Invalid)
        << "a payload over the limit is refused before it arrives";
    EXPECT_EQ(ParseWindowRecord("XXXX" + bytes.substr(4), 100, r), WindowRecordParse::Invalid);
}

TEST(WindowRecord, HostRefusesAPayloadOverItsLimit)
{
    LegatoTest::TempDir dir;
    setenv("LEGATO_WINDOW_DIR", dir.path().c_str(), 1);
    SetSendMessageTimeout(3000);
    WindowHost host("Limited");
    host.setPayloadLimit(16);
    int handled = 0;
    host.setHandler([&](std::uint32_t, WPARAM, LPARAM, const QByteArray&) -> LRESULT { return ++handled; });
    ASSERT_EQ(host.listen(), WindowHost::ListenResult::Listening);
    const auto send = [](const std::string& payload) {
        auto future = std::async(std::launch::async,
                                 [&] { return SendCopyData(FindWindowA("Limited", nullptr), 100, payload); });
        while (future.wait_for(std::chrono::milliseconds(1)) != std::future_status::ready)
            QCoreApplication::processEvents();
        return future.get();
    };
    EXPECT_EQ(send(std::string(17, 'a')), 0);
    EXPECT_EQ(handled, 0);
    EXPECT_EQ(send(std::string(16, 'a')), 1);
    unsetenv("LEGATO_WINDOW_DIR");
}
