#include "CInformation.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace {

CInformation::VersionRecord windowsRecord(std::uint32_t major, std::uint32_t platformId)
{
    CInformation::VersionRecord record;
    record.majorVersion = major;
    record.minorVersion = 10;
    record.buildNumber = 67766222; // the full 32-bit number, not its low word
    record.platformId = platformId;
    record.csdVersion = std::string("Service Pack 6\0garbage", 23);
    return record;
}

} // namespace

TEST(CInformation, PlatformNameFollowsMajorVersionAndPlatformIdentifier)
{
    EXPECT_EQ(CInformation(windowsRecord(4, CInformation::Win32NT)).OSVersion(), "Windows NT");
    EXPECT_EQ(CInformation(windowsRecord(4, CInformation::Win32Windows)).OSVersion(), "Windows 9x");
    EXPECT_EQ(CInformation(windowsRecord(4, CInformation::Win32s)).OSVersion(), "Windows 32s");
    EXPECT_EQ(CInformation(windowsRecord(4, 3)).OSVersion(), "");
    EXPECT_EQ(CInformation(windowsRecord(5, CInformation::Win32NT)).OSVersion(), "Windows");
    EXPECT_EQ(CInformation(windowsRecord(5, CInformation::Win32Windows)).OSVersion(), "Windows");
}

TEST(CInformation, OsTextJoinsTheFactsAndCutsTheServicePackAtItsZero)
{
    const CInformation info(windowsRecord(4, CInformation::Win32NT));
    EXPECT_EQ(info.OSMajorVersion(), "4");
    EXPECT_EQ(info.OSMinorVersion(), "10");
    EXPECT_EQ(info.OSBuildNumber(), "67766222");
    EXPECT_EQ(info.OSCSDVersion(), "Service Pack 6");
    EXPECT_EQ(info.OS(), "Windows NT version: 4.10 Build : 67766222 Service Pack 6");

    CInformation::VersionRecord bare = windowsRecord(6, CInformation::Win32NT);
    bare.csdVersion.clear();
    // An empty service-pack text leaves the trailing blank.
    EXPECT_EQ(CInformation(bare).OS(), "Windows version: 6.10 Build : 67766222 ");

    // The record's text field holds 128 characters with its terminating zero.
    bare.csdVersion = std::string(200, 'x');
    EXPECT_EQ(CInformation(bare).OSCSDVersion().size(), 127u);
}

TEST(CInformation, ThisSystemReportsItsOwnNameKernelNumbersAndNames)
{
    const CInformation info;
    EXPECT_EQ(info.OSVersion(), "Linux");
    EXPECT_EQ(info.OS().rfind("Linux version: ", 0), 0u);
    EXPECT_NE(info.OSMajorVersion(), "0");

    char host[256] = {};
    ASSERT_EQ(gethostname(host, sizeof host - 1), 0);
    EXPECT_EQ(info.ComputerName(), host);
    EXPECT_FALSE(info.UserName().empty());
}
